#include "common/defaultsettings.h"
#include "settings/settingsdialog.h"
#include "common/theme.h"
#include "common/translation.h"
#include "common/utils.h"

#include <QApplication>
#include <QSize>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestDefaultSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_userConfig;

    static void clearStore()
    {
        QSettings settings = Utils::settings();
        settings.clear();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_userConfig.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_userConfig.path());
    }

    void init()
    {
        clearStore();
        qputenv("KESTOVAN_DARK_MODE", "0");
    }

    void testEmptyStoreGetsEveryDefault()
    {
        SettingsDialog::updateDefaultSettings();
        QSettings settings = Utils::settings();

        const QStringList expectedKeys = {
            "StartAutomatically", "OpenOnMouse", "Shortcut", "ShortcutPlainText", "IgnoreSize", "IgnoreLength",
            "KeepItems", "WindowSize", "SyncHistory", "SyncSnippets", "SyncActions", "SendDumps", "Theme",
            "IncludeImages", "PastePlainText", "ClearHistory", "RequireSpace", "SyncTarget", "SyncFolder",
            "CompactList", "InitialSelection", "Language"};
        QStringList keys = settings.allKeys();
        QStringList sortedExpected = expectedKeys;
        keys.sort();
        sortedExpected.sort();
        QCOMPARE(keys, sortedExpected);

        QCOMPARE(settings.value("StartAutomatically"), QVariant(true));
        QCOMPARE(settings.value("OpenOnMouse"), QVariant(true));
        QCOMPARE(settings.value("Shortcut"), QVariant(QString("CTRL+SHIFT+V")));
        QCOMPARE(settings.value("ShortcutPlainText").toString(), QString());
        // The limits start as text; the settings dialog writes them back as numbers later.
        QCOMPARE(settings.value("IgnoreSize"), QVariant(QString("4")));
        QCOMPARE(settings.value("IgnoreLength"), QVariant(QString("3")));
        QCOMPARE(settings.value("KeepItems"), QVariant(QString("20")));
        QCOMPARE(settings.value("WindowSize").toSize(), QSize(400, 500));
        QCOMPARE(settings.value("SyncHistory"), QVariant(true));
        QCOMPARE(settings.value("SyncSnippets"), QVariant(true));
        QCOMPARE(settings.value("SyncActions"), QVariant(true));
        QCOMPARE(settings.value("SendDumps"), QVariant(true));
        QCOMPARE(settings.value("Theme"), QVariant(2));
        QCOMPARE(settings.value("IncludeImages"), QVariant(true));
        QCOMPARE(settings.value("PastePlainText"), QVariant(false));
        QCOMPARE(settings.value("ClearHistory"), QVariant(false));
        QCOMPARE(settings.value("RequireSpace"), QVariant(false));
        QCOMPARE(settings.value("SyncTarget"), QVariant(QString("GoogleDrive")));
        QCOMPARE(settings.value("SyncFolder").toString(),
                 QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Kestovan Sync Folder");
        QCOMPARE(settings.value("CompactList"), QVariant(false));
        QCOMPARE(settings.value("InitialSelection"), QVariant(1));
        QCOMPARE(settings.value("Language").toString(), defaultLanguage());
        QVERIFY(Translation::getLanguages().contains(defaultLanguage()) || QLocale().language() != QLocale::C);

        QVERIFY(!settings.contains("KeepTab"));
        QVERIFY(!settings.contains("ShortcutPasteNext"));
        QVERIFY(!settings.contains("WriteDebugLog"));
    }

    void testStoredValuesAreNeverOverwritten()
    {
        {
            QSettings settings = Utils::settings();
            settings.setValue("KeepItems", 50);
            settings.setValue("Shortcut", "CTRL+ALT+V");
            settings.setValue("OpenOnMouse", false);
            settings.setValue("ShortcutPlainText", "");
            settings.setValue("Language", "German");
        }
        SettingsDialog::updateDefaultSettings();
        SettingsDialog::updateDefaultSettings();

        QSettings settings = Utils::settings();
        QCOMPARE(settings.value("KeepItems"), QVariant(50));
        QCOMPARE(settings.value("Shortcut"), QVariant(QString("CTRL+ALT+V")));
        QCOMPARE(settings.value("OpenOnMouse"), QVariant(false));
        QCOMPARE(settings.value("ShortcutPlainText").toString(), QString());
        QCOMPARE(settings.value("Language").toString(), QString("German"));
    }

    // Every start runs this; with every key present, the store must not write its file again
    // (a write takes the store's lock and replaces the file).
    void testCompleteStoreIsNotRewritten()
    {
        SettingsDialog::updateDefaultSettings();
        const QString path = Utils::settings().fileName();
        Utils::settings().sync();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        struct stat first{};
        QCOMPARE(stat(QFile::encodeName(path).constData(), &first), 0);

        SettingsDialog::updateDefaultSettings();
        Utils::settings().sync();

        struct stat second{};
        QCOMPARE(stat(QFile::encodeName(path).constData(), &second), 0);
        QCOMPARE(second.st_ino, first.st_ino);
        QCOMPARE(second.st_mtim.tv_nsec, first.st_mtim.tv_nsec);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void testDefaultsSurviveTheFileRoundTrip()
    {
        SettingsDialog::updateDefaultSettings();
        Utils::settings().sync();
        QSettings reread(Utils::settings().fileName(), QSettings::IniFormat);
        QCOMPARE(reread.value("WindowSize").toSize(), QSize(400, 500));
        QCOMPARE(reread.value("KeepItems").toInt(), 20);
        QCOMPARE(reread.value("SyncTarget").toString(), QString("GoogleDrive"));
    }

    void testStoredThemeIsApplied_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QByteArray>("systemDark");
        QTest::addColumn<int>("theme");
        QTest::newRow("dark whatever the system") << QVariant(0) << QByteArray("0") << int(THEME_DARK);
        QTest::newRow("light whatever the system") << QVariant(1) << QByteArray("1") << int(THEME_LIGHT);
        QTest::newRow("automatic on a dark system") << QVariant(2) << QByteArray("1") << int(THEME_DARK);
        QTest::newRow("automatic on a light system") << QVariant(2) << QByteArray("0") << int(THEME_LIGHT);
        QTest::newRow("stored as text") << QVariant(QString("0")) << QByteArray("1") << int(THEME_DARK);
    }

    void testStoredThemeIsApplied()
    {
        QFETCH(QVariant, stored);
        QFETCH(QByteArray, systemDark);
        QFETCH(int, theme);
        Utils::settings().setValue("Theme", stored);
        qputenv("KESTOVAN_DARK_MODE", systemDark);
        setTheme(theme == THEME_DARK ? THEME_LIGHT : THEME_DARK);
        SettingsDialog::updateDefaultSettings();
        QCOMPARE(int(getTheme()), theme);
        // The stored value keeps its type.
        QCOMPARE(Utils::settings().value("Theme"), stored);
    }

    void testLanguageDefaultFollowsTheLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
        SettingsDialog::updateDefaultSettings();
        QCOMPARE(Utils::settings().value("Language").toString(), QString("Finnish"));

        clearStore();
        QLocale::setDefault(QLocale::c());
        SettingsDialog::updateDefaultSettings();
        QCOMPARE(Utils::settings().value("Language").toString(), QString("English"));
        QLocale::setDefault(saved);
    }

    void testDefaultTableHasNoDuplicateKeys()
    {
        QSet<QString> seen;
        for (const DefaultSetting &setting : defaultSettings()) {
            QVERIFY2(!seen.contains(setting.key), qPrintable(setting.key));
            seen.insert(setting.key);
            QVERIFY2(setting.value.isValid(), qPrintable(setting.key));
        }
        QCOMPARE(seen.size(), 21);
    }
};

int main(int argc, char *argv[])
{
    QApplication::setOrganizationName("Morva");
    QApplication::setApplicationName("Kestovan");
    QApplication app(argc, argv);
    TestDefaultSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_defaultsettings.moc"
