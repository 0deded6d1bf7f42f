#include "common/utils.h"
#include "settings/autostartfile.h"
#include "settings/settingsdialog.h"
#include "messagerecorder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

// Start at login: the XDG autostart entry, written, kept, corrected and removed, with the home
// and configuration folders in a temporary folder.
class TestAutoStartFile : public QObject
{
    Q_OBJECT

    QString m_config;
    QString m_entry;
    // Installed once the test runs: QtTest installs a handler of its own first.
    std::unique_ptr<MessageRecorder> m_log;

private slots:
    void initTestCase()
    {
        m_log = std::make_unique<MessageRecorder>();
        m_config = qEnvironmentVariable("XDG_CONFIG_HOME");
        m_entry = m_config + "/autostart/org.morva.Kestovan.desktop";
    }

    void cleanupTestCase()
    {
        m_log.reset();
    }

    void init()
    {
        QDir(m_config).removeRecursively();
        m_log->messages.clear();
    }

    void testEntryStartsTheProgramAtLogin()
    {
        QCOMPARE(AutoStartFile::path(), m_entry);
        QVERIFY(AutoStartFile::apply(true, "/opt/kestovan/kestovan"));
        QCOMPARE(readAll(m_entry), QByteArray("[Desktop Entry]\n"
                                              "Type=Application\n"
                                              "Name=Kestovan\n"
                                              "Exec=/opt/kestovan/kestovan\n"
                                              "Terminal=false\n"
                                              "X-GNOME-Autostart-enabled=true\n"));
    }

    void testProgramPathIsQuotedForTheExecLine_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("argument");
        QTest::newRow("plain") << "/usr/bin/kestovan" << "/usr/bin/kestovan";
        QTest::newRow("space") << "/home/me/My Apps/kestovan" << "\"/home/me/My Apps/kestovan\"";
        QTest::newRow("percent") << "/opt/100%/kestovan" << "/opt/100%%/kestovan";
        QTest::newRow("dollar") << "/opt/$HOME/kestovan" << "\"/opt/\\\\$HOME/kestovan\"";
        QTest::newRow("quote") << "/opt/a\"b/kestovan" << "\"/opt/a\\\\\"b/kestovan\"";
        QTest::newRow("backslash") << "/opt/a\\b/kestovan" << "\"/opt/a\\\\\\\\b/kestovan\"";
        QTest::newRow("backquote") << "/opt/a`b/kestovan" << "\"/opt/a\\\\`b/kestovan\"";
    }

    void testProgramPathIsQuotedForTheExecLine()
    {
        QFETCH(QString, program);
        QFETCH(QString, argument);
        QCOMPARE(AutoStartFile::execArgument(program), argument);
    }

    void testEqualEntryIsLeftAloneAndStaleOneRewritten()
    {
        QVERIFY(AutoStartFile::apply(true, "/opt/kestovan/kestovan"));
        // Something the user added to the entry stays while it starts this program.
        const QByteArray edited = readAll(m_entry) + "X-User-Note=kept\n";
        writeFile(m_entry, edited);
        QVERIFY(AutoStartFile::apply(true, "/opt/kestovan/kestovan"));
        QCOMPARE(readAll(m_entry), edited);
        QVERIFY(m_log->messages.contains("The autostart file already exists " + m_entry));

        // A moved build would otherwise start the old path at login.
        QVERIFY(AutoStartFile::apply(true, "/srv/new place/kestovan"));
        QCOMPARE(readAll(m_entry), AutoStartFile::content("/srv/new place/kestovan"));
    }

    void testUntickingRemovesTheEntryOnce()
    {
        QVERIFY(AutoStartFile::apply(true, "/opt/kestovan/kestovan"));
        QVERIFY(AutoStartFile::apply(false, "/opt/kestovan/kestovan"));
        QVERIFY(!QFile::exists(m_entry));
        QVERIFY(AutoStartFile::apply(false, "/opt/kestovan/kestovan"));
        QVERIFY(!QFile::exists(m_entry));
    }

    void testEntryThatCannotBeChangedIsReported_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<QString>("logged");
        QTest::newRow("write: a file where the folder should be")
            << true << m_config + "/autostart" << "Could not write the autostart file";
        QTest::newRow("remove: a folder with a file where the entry should be")
            << false << m_entry + "/inside" << "Could not remove the autostart file";
    }

    void testEntryThatCannotBeChangedIsReported()
    {
        QFETCH(bool, enabled);
        QFETCH(QString, blocker);
        QFETCH(QString, logged);
        QDir().mkpath(QFileInfo(blocker).absolutePath());
        writeFile(blocker, "in the way");
        QVERIFY(!AutoStartFile::apply(enabled, "/opt/kestovan/kestovan"));
        QVERIFY(!m_log->messages.filter(logged).isEmpty());
    }

    void testDialogOkAppliesStartAutomatically()
    {
        Utils::settings().clear();
        SettingsDialog::updateDefaultSettings();
        SettingsDialog dialog(nullptr, nullptr, nullptr);
        auto *box = dialog.findChild<QAbstractButton *>("startAutomatically");
        QVERIFY(box->isChecked());
        QVERIFY(!QFile::exists(m_entry));

        dialog.accept();
        QCOMPARE(readAll(m_entry), AutoStartFile::content(QCoreApplication::applicationFilePath()));
        box->setChecked(false);
        dialog.accept();
        QVERIFY(!QFile::exists(m_entry));
        QCOMPARE(Utils::settings().value("StartAutomatically"), QVariant(false));
    }
};

int main(int argc, char *argv[])
{
    // The real locations under a temporary home, as at login: no test-mode folders.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("KESTOVAN_DARK_MODE", "0");
    QCoreApplication::setOrganizationName("MorvaTest");
    QCoreApplication::setApplicationName("KestovanAutoStartTest");
    QApplication app(argc, argv);
    TestAutoStartFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_autostartfile.moc"
