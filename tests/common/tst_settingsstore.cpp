#include "common/globals.h"
#include "common/settingsfile.h"
#include "common/utils.h"
#include "pipeinplace.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// The kind of what is at path, without following a link.
mode_t linkKind(const QString &path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

mode_t targetKind(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

} // namespace

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
        QCOMPARE(SettingsFile::path(), settings.fileName());
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

    // A pipe in the file's place held the start for ever; a device at the end of a link was read,
    // and the first save renamed a plain file over it.
    void testOnlyARegularSettingsFileIsOpened_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("link to a device node") << "device";
    }

    void testOnlyARegularSettingsFileIsOpened()
    {
        QFETCH(QString, kind);
        const QString file = SettingsFile::path();
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QTemporaryDir own;
        const QString node = own.filePath("node");
        std::unique_ptr<PipeInPlace> pipe;
        if (kind == "pipe") {
            pipe = std::make_unique<PipeInPlace>(file);
            QVERIFY(pipe->made());
        } else {
            // The null device's numbers, on a node of the test's own.
            if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
                QSKIP("no device node can be made here");
            QVERIFY(QFile::link(node, file));
        }
        const mode_t before = linkKind(file);

        const QString name = QRegularExpression::escape(file);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Not opening the settings file " + name));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The settings file " + name + " is not a regular file"));
        {
            QSettings settings = Utils::settings();
            QVERIFY(settings.allKeys().isEmpty());
            settings.setValue("KeepItems", 5);
        }
        // The run keeps its changes, and the next stores are the same stand-in, said once.
        QCOMPARE(Utils::settings().value("KeepItems").toInt(), 5);
        QCoreApplication::processEvents();

        QCOMPARE(linkKind(file), before);
        if (pipe)
            QVERIFY2(!pipe->released(), "the settings store waited on the pipe");
        else
            QCOMPARE(targetKind(node), mode_t(S_IFCHR));
        Utils::settings().clear();
        // Once the file is in order again, it is the store again.
        QVERIFY(QFile::remove(file));
        QCOMPARE(Utils::settings().fileName(), file);
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
