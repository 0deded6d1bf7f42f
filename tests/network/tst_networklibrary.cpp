// The network library is loaded on first use. When it cannot be loaded, everything that needs the
// network must fail with an error that says why, and nothing may crash or fail silently.
#include "sync/synctestsupport.h"

#include "common/ownlibrary.h"
#include "common/utils.h"
#include "crash/crashhandler.h"
#include "messagelog.h"
#include "network/networklibrary.h"
#include "network/websocketclient.h"
#include "oauth/googleservice.h"
#include "oauth/o2google.h"
#include "sync/notifier.h"
#include "unusablelibraryrows.h"

#include <QDir>
#include <QFile>

using namespace SyncTest;

namespace {

const QString LoadFailure = QStringLiteral("The network library could not be loaded: ");

// A signed-in user, so that the notifier gets as far as its socket.
void storeIdentity()
{
    const auto encode = [](const QByteArray &bytes) {
        return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    };
    const QByteArray token = encode(R"({"alg":"RS256"})") + '.' + encode(R"({"sub":"user-7"})") + '.' + encode("s");
    O2Google o2;
    o2.setClientId(GoogleService::clientId());
    o2.setExtraTokens({{"id_token", QString::fromLatin1(token)}});
}

} // namespace

class TestNetworkLibrary : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void libraryRows() { addUnusableLibraryRows(m_dir, "libkestovannet.so", "kestovanNetworkGoogleDrive"); }

private slots:
    void initTestCase()
    {
        qputenv("KESTOVAN_GOOGLE_CLIENT_ID", "network-test-id");
        qputenv("KESTOVAN_GOOGLE_CLIENT_SECRET", "network-test-secret");
        // Nobody answers here; the tests never get as far as connecting.
        qputenv("KESTOVAN_NOTIFIER_URL", "ws://127.0.0.1:1/notifier");
    }

    void cleanup()
    {
        NetworkLibrary::setInstancePath(OwnLibrary::path("kestovannet"));
        SyncLogDialog::c_log.clear();
    }

    void testMissingLibraryMakesNothingAndSaysWhy_data() { libraryRows(); }
    void testMissingLibraryMakesNothingAndSaysWhy()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        const NetworkLibrary library(path);
        QVERIFY(!library.isLoaded());
        QVERIFY2(library.loadFailure().startsWith(LoadFailure), qPrintable(library.loadFailure()));
        QVERIFY2(library.loadFailure().contains(reason), qPrintable(library.loadFailure()));
        Sync engine;
        QCOMPARE(library.newGoogleDrive(&engine), nullptr);
        QVERIFY(!library.newWebSocket());

        MessageLog log;
        library.logTlsLibrary();
        QCOMPARE(log.count(QtWarningMsg, library.loadFailure()), 1);
    }

    void testMissingLibraryFailsGoogleDriveSyncWithItsReason_data() { libraryRows(); }
    void testMissingLibraryFailsGoogleDriveSyncWithItsReason()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        NetworkLibrary::setInstancePath(path);
        Sync engine;
        QList<std::pair<SyncStatus, QString>> statuses;
        connect(&engine, &Sync::syncStatus, this, [&statuses](SyncStatus status, QString text) {
            statuses.append({status, text});
        });
        QList<bool> initialized;
        connect(&engine, &Sync::initialized, this, [&initialized](bool success) { initialized.append(success); });

        // Twice: the second attempt must not find a half-made target.
        for (int attempt = 0; attempt < 2; ++attempt) {
            engine.initialize("GoogleDrive", Interactive, settingsMap());
            QCOMPARE(initialized, QList<bool>(attempt + 1, false));
            QCOMPARE(statuses.size(), attempt + 1);
            QCOMPARE(statuses.last().first, SyncStatus::Failed);
            const QString text = statuses.last().second;
            QVERIFY2(text.contains(LoadFailure) && text.contains(reason), qPrintable(text));
            QVERIFY(logCount("Sync: " + LoadFailure) > 0);
        }
        QCOMPARE(engine.googleDrive(), nullptr);
        QVERIFY(!engine.isValid());
        engine.revoke();
        QVERIFY(logCount("Sync: The Google sign-in is kept: " + LoadFailure) > 0);
    }

    void testMissingLibraryFailsNotifierWithItsReason_data() { libraryRows(); }
    void testMissingLibraryFailsNotifierWithItsReason()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        NetworkLibrary::setInstancePath(path);
        storeIdentity();
        Notifier notifier;
        QList<Notifier::CONNECTION_STATUS> statuses;
        connect(&notifier, &Notifier::status, this, [&statuses](Notifier::CONNECTION_STATUS status) { statuses.append(status); });

        notifier.initialize("GoogleDrive");
        QCOMPARE(statuses, QList<Notifier::CONNECTION_STATUS>({Notifier::ERROR}));
        QVERIFY(logCount("Notifier: " + LoadFailure) > 0);
        QVERIFY2(logTexts().join(QChar('\n')).contains(reason), qPrintable(logTexts().join(QChar('\n'))));
        QVERIFY(!notifier.isConnected());

        // The other calls find no socket and do nothing.
        notifier.update();
        notifier.notify("History.json");
        notifier.onError(1);
        notifier.onDisconnected();
        notifier.initialize("GoogleDrive");
        notifier.close();
        QVERIFY(!notifier.isConnected());
    }

    void testMissingLibraryKeepsCrashDumpForLaterWithItsReason_data() { libraryRows(); }
    void testMissingLibraryKeepsCrashDumpForLaterWithItsReason()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        NetworkLibrary::setInstancePath(path);
        QTemporaryDir dumps;
        QVERIFY(dumps.isValid());
        const QString dump = QDir(dumps.path()).filePath("0f2b7a3e-2222-4c1a-9d1e-0123456789ab.dmp");
        QFile file(dump);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("dump");
        file.close();
        Utils::settings().setValue("DumpUploadTries", 1);

        MessageLog log;
        Breakpad::CrashHandler handler;
        handler.Init(dumps.path());
        QCOMPARE(log.count(QtWarningMsg, "CrashHandler: The crash file cannot be sent: " + LoadFailure), 1);
        QCOMPARE(log.count(QtWarningMsg, reason), 1);
        QVERIFY(QFile::exists(dump));
        // Counted like a failed connection, so that a dump is not kept for ever.
        QCOMPARE(Utils::settings().value("DumpUploadTries").toInt(), 2);
    }

    void testProgramLibraryMakesItsObjects()
    {
        // The tests run from a sub folder of the build tree; the library is found in its root.
        QVERIFY2(QFileInfo::exists(OwnLibrary::path("kestovannet")), qPrintable(OwnLibrary::path("kestovannet")));
        const NetworkLibrary library(OwnLibrary::path("kestovannet"));
        QVERIFY2(library.isLoaded(), qPrintable(library.loadFailure()));
        Sync engine;
        ISyncTarget *drive = library.newGoogleDrive(&engine);
        QVERIFY(drive);
        QCOMPARE(drive->parent(), &engine);
        QCOMPARE(drive->title(), QString("Google Drive"));
        const std::unique_ptr<WebSocketClient> socket = library.newWebSocket();
        QVERIFY(socket);
        QVERIFY(socket->isUnconnected());
        QVERIFY(!socket->isValid());
    }
};

KESTOVAN_SYNC_TEST_MAIN(TestNetworkLibrary)
#include "tst_networklibrary.moc"
