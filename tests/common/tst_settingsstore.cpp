#include "common/globals.h"
#include "common/utils.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>

class TestSettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_userConfig;

private slots:
    void initTestCase()
    {
        QVERIFY(m_userConfig.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_userConfig.path());
        QStandardPaths::setTestModeEnabled(true);
    }

    void cleanup()
    {
        portable = false;
        QFile::remove(QCoreApplication::applicationDirPath() + "/settings.ini");
    }

    void testNormalModeUsesTheNativeUserStore()
    {
        QSettings settings = Utils::settings();
        QCOMPARE(settings.format(), QSettings::NativeFormat);
        QVERIFY(settings.fileName().startsWith(m_userConfig.path()));
        QVERIFY(Utils::dataPath().endsWith("/Morva/Kestovan"));
        QVERIFY(!Utils::dataPath().endsWith('/'));
    }

    void testPortableModeKeepsTheIniBesideTheProgram()
    {
        portable = true;
        const QString iniPath = QCoreApplication::applicationDirPath() + "/settings.ini";
        {
            QSettings settings = Utils::settings();
            QCOMPARE(settings.format(), QSettings::IniFormat);
            QCOMPARE(settings.fileName(), iniPath);
            // A missing file reads as an empty store.
            QVERIFY(settings.allKeys().isEmpty());
            settings.setValue("KeepItems", 42);
        }
        QVERIFY(QFile::exists(iniPath));
        QCOMPARE(Utils::settings().value("KeepItems").toInt(), 42);
        QCOMPARE(Utils::dataPath(), QCoreApplication::applicationDirPath());
    }

    void testTwoStoresSeeEachOthersWrites()
    {
        QSettings first = Utils::settings();
        first.setValue("Shortcut", "CTRL+ALT+H");
        first.sync();
        QSettings second = Utils::settings();
        QCOMPARE(second.value("Shortcut").toString(), QString("CTRL+ALT+H"));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName("Morva");
    QCoreApplication::setApplicationName("Kestovan");
    QCoreApplication app(argc, argv);
    TestSettingsStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsstore.moc"
