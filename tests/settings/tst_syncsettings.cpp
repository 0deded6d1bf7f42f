// The sync page of the settings dialog against a real engine: a shared folder in a temporary
// folder, Google Drive and the notification service stood in on 127.0.0.1.
#include "sync/synctestsupport.h"

#include "browsercatcher.h"
#include "common/translation.h"
#include "common/utils.h"
#include "history/historyitemmodel.h"
#include "history/itemrole.h"
#include "messagerecorder.h"
#include "modalwatcher.h"
#include "oauth/o2google.h"
#include "oauth/oauthtestsupport.h"
#include "oauth/referencecipher.h"
#include "settings/clientitemdelegate.h"
#include "settings/settingsdialog.h"
#include "settings/syncsettings.h"
#include "snippettestsupport.h"
#include "snippets/snippetmodel.h"
#include "sync/drivestandin.h"
#include "googledrivetestsupport.h"
#include "websocketstandin.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QStackedWidget>

using namespace SyncTest;

namespace {

const char *const c_folderTitle = "Local folder";
const char *const c_driveTitle = "Google Drive";


// An identity token whose claims name the user; header and signature only have to be there.
QString identityToken(const QByteArray &user)
{
    const auto encode = [](const QByteArray &bytes) {
        return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    };
    return QString::fromLatin1(encode(R"({"alg":"RS256"})") + '.' + encode(R"({"sub":")" + user + R"("})") + '.' + encode("s"));
}

QStringList snippetTexts(const SnippetModel &model)
{
    QStringList texts;
    for (int g = 0; g < model.rowCount(); ++g) {
        for (int s = 0; s < model.item(g)->rowCount(); ++s)
            texts.append(model.item(g)->child(s)->data(TextRole).toString());
    }
    return texts;
}

QStandardItem *item(const QString &title, const QString &text = QString())
{
    auto *result = new QStandardItem(title);
    result->setData(text, TextRole);
    result->setData(QUuid::createUuid(), IdRole);
    result->setData(QDateTime::currentDateTime(), TimeRole);
    return result;
}

QStringList versionsIn(const QString &folder, const QString &document)
{
    return QDir(folder).entryList({document + "#*.json"}, QDir::Files);
}

} // namespace

class TestSyncSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<DriveStandIn> m_drive;
    std::unique_ptr<WebSocketStandIn> m_notifier;
    std::unique_ptr<Sync> m_engine;
    std::unique_ptr<SyncSettings> m_page;
    QObject m_owner;

    template <typename T>
    T *child(const char *name) const
    {
        return m_page->findChild<T *>(name);
    }
    int shownPage() const { return child<QStackedWidget>("stackedWidgetSync")->currentIndex(); }
    QString folder(const QString &name) const
    {
        const QString path = m_root->filePath(name);
        QDir().mkpath(path);
        return path;
    }

    // The engine as the program starts it from the store, and the page over it.
    void openPage()
    {
        m_engine->initialize(Utils::settings().value("SyncTarget").toString(), ReportState, Sync::mapSettings());
        m_page = std::make_unique<SyncSettings>();
        m_page->setSync(m_engine.get());
        m_page->initialize();
        m_page->updateControls();
        m_page->clicked();
    }

    void storeFolderTarget(const QString &path)
    {
        QSettings settings = Utils::settings();
        settings.setValue("SyncTarget", "LocalFolder");
        settings.setValue("SyncFolder", path);
        settings.setValue("SyncHistory", false);
        settings.setValue("SyncSnippets", true);
        settings.setValue("SyncActions", false);
    }

    void signIn()
    {
        O2Google *o2 = googleDriveOf(*m_engine)->o2();
        o2->setToken("access-1");
        o2->setRefreshToken("refresh-1");
        o2->setExpires(QDateTime::currentSecsSinceEpoch() + 3600);
        o2->setExtraTokens({{"id_token", identityToken("user-9")}});
        o2->setLinked(true);
    }

    // Presses a sync button and answers its question, if it asks one.
    bool pressSync(const char *button, QMessageBox::StandardButton answer = QMessageBox::Yes)
    {
        ModalWatcher<QMessageBox> box([answer](QMessageBox *question) { question->button(answer)->click(); });
        child<QAbstractButton>(button)->click();
        return box.answered();
    }

    bool passEnded() const { return !child<QAbstractButton>("syncBothWays")->isHidden(); }

private slots:
    void initTestCase()
    {
        qputenv("KESTOVAN_DARK_MODE", "0");
        qputenv("KESTOVAN_GOOGLE_CLIENT_ID", "sync-page.apps.example");
        qputenv("KESTOVAN_GOOGLE_CLIENT_SECRET", "sync-page-secret");
        qRegisterMetaType<QList<QMap<QString, QString>>>();
        QDir().mkpath(Utils::dataPath() + "/backups");
        SnippetModel::initialize(&m_owner, nullptr);
        HistoryItemModel::initialize(&m_owner, nullptr, nullptr);
    }

    void init()
    {
        SyncLogDialog::c_log.clear();
        Utils::settings().clear();
        m_root = std::make_unique<QTemporaryDir>();
        m_drive = std::make_unique<DriveStandIn>();
        qputenv("KESTOVAN_GOOGLE_API_URL", m_drive->base().toUtf8());
        qputenv("KESTOVAN_GOOGLE_ACCOUNTS_URL", m_drive->base().toUtf8());
        m_notifier = std::make_unique<WebSocketStandIn>();
        QVERIFY(m_notifier->listen());
        qputenv("KESTOVAN_NOTIFIER_URL", m_notifier->url().toUtf8());
        m_engine = std::make_unique<Sync>();
        m_engine->setQueueDelay(600000);
        googleDriveOf(*m_engine)->o2()->unlink();
        SnippetModel::instance()->clear();
        SnippetModel::instance()->removedItems.clear();
        SnippetModel::instance()->lastDownloadId.clear();
    }

    void cleanup()
    {
        m_page.reset();
        m_engine.reset();
        m_notifier.reset();
    }

    void testPageFollowsTheStoredTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("ready");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("no target") << "" << false << 0 << "";
        QTest::newRow("folder") << "LocalFolder" << true << 2 << c_folderTitle;
        QTest::newRow("missing folder") << "LocalFolder" << false << 0 << c_folderTitle;
        QTest::newRow("Google Drive signed in") << "GoogleDrive" << true << 2 << c_driveTitle;
        QTest::newRow("Google Drive signed out") << "GoogleDrive" << false << 0 << c_driveTitle;
        QTest::newRow("a name in the wrong case") << "localfolder" << true << 0 << "";
    }

    void testPageFollowsTheStoredTarget()
    {
        QFETCH(QString, target);
        QFETCH(bool, ready);
        QFETCH(int, page);
        QFETCH(QString, title);
        const QString shared = m_root->filePath("shared");
        if (ready)
            QDir().mkpath(shared);
        storeFolderTarget(shared);
        Utils::settings().setValue("SyncTarget", target);
        if (ready && target == "GoogleDrive")
            signIn();

        openPage();
        QCOMPARE(shownPage(), page);
        QCOMPARE(child<QLabel>("labelSyncTitle")->text(), title);
        if (page == 2) {
            QCOMPARE(child<QGroupBox>("groupBoxClients")->isHidden(), target != "GoogleDrive");
            QCOMPARE(child<QGroupBox>("groupBoxFolder")->isHidden(), target != "LocalFolder");
            QCOMPARE(child<QLineEdit>("syncFolder")->text(), shared);
        }
    }

    void testStatusLineLinksToTheSyncLog()
    {
        const QDateTime last(QDate(2026, 3, 5), QTime(14, 30, 12));
        Utils::settings().setValue("LastSync", last);
        openPage();
        auto *status = child<QLabel>("labelSyncStatus");
        QCOMPARE(status->text(), QString("<p>Last success: 3/5/26 2:30:12 PM (<a href=\"foo\">Show log</a>)</p>"));

        Utils::settings().remove("LastSync");
        m_page->initialize();
        QCOMPARE(status->text(), QString("<p>Not synchronized (<a href=\"foo\">Show log</a>)</p>"));

        SyncLogDialog::add("Merge clippings: one");
        bool shownWithLine = false;
        ModalWatcher<SyncLogDialog> log([&shownWithLine](SyncLogDialog *dialog) {
            const auto *list = dialog->findChild<QAbstractItemView *>();
            shownWithLine = list && QTest::qWaitFor([list] { return list->model()->rowCount() == 1; }, 3000)
                && list->model()->index(0, 0).data().toString().endsWith("] Merge clippings: one");
            dialog->accept();
        });
        emit status->linkActivated("foo");
        QVERIFY(log.answered());
        QVERIFY(shownWithLine);
        QCOMPARE(m_page->syncLog()->parent(), m_page.get());
    }

    // The status line said why nothing was synchronized; the page, opened afterwards, said "Not
    // synchronized" without a hint.
    void testPageOpenedAfterAFailedPassShowsTheFailure()
    {
        const QString shared = folder("shared");
        storeFolderTarget(shared);
        QSettings settings = Utils::settings();
        settings.setValue("EncryptData", true);
        settings.setValue("Passphrase", storedPassphrase("ours"));
        Sync theirs;
        theirs.initialize("LocalFolder", ReportState, settingsMap(shared, true, "theirs"));
        const QByteArray remote = SnippetTest::document({});
        QVERIFY(writeFile(shared + "/Snippets#" + sha256(remote) + ".json", theirs.encrypt(qCompress(remote))));
        m_engine->initialize("LocalFolder", ReportState, Sync::mapSettings());
        m_engine->sync(SyncFile::Snippets, SnippetModel::instance(), BothWays);
        QCOMPARE(runPass(*m_engine), SyncStatus::Failed);

        m_page = std::make_unique<SyncSettings>();
        m_page->setSync(m_engine.get());
        m_page->initialize();
        QCOMPARE(child<QLabel>("labelSyncStatus")->text(),
            QString("<p>Decryption failed for Snippets.json: the passphrases of your computers may differ. "
                    "(<a href=\"foo\">Show log</a>)</p>"));
    }

    void testLanguageChangeTranslatesThePagesOwnTexts()
    {
        openPage();
        m_page->notifierStatus(Notifier::ERROR);
        Translation::selectLanguage("German");
        m_page->retranslateUi();
        const QString status = child<QLabel>("labelSyncStatus")->text();
        const QString clients = child<QLabel>("labelClients")->text();
        Translation::selectLanguage("English");
        m_page->retranslateUi();
        QCOMPARE(status, QString("<p>Nicht synchronisiert (<a href=\"foo\">Protokoll zeigen</a>)</p>"));
        QCOMPARE(clients, QString("Die Verbindung zum Benachrichtigungsserver ist fehlgeschlagen."));
        QCOMPARE(child<QLabel>("labelSyncStatus")->text(), QString("<p>Not synchronized (<a href=\"foo\">Show log</a>)</p>"));
        QCOMPARE(child<QLabel>("labelClients")->text(), QString("Failed to connect to the notification server."));
    }

    void testChoosingAFolderAndAccepting()
    {
        const QString shared = folder("shared");
        storeFolderTarget(m_root->filePath("not there"));
        Utils::settings().setValue("SyncTarget", "");
        openPage();
        QCOMPARE(shownPage(), 0);

        // The stored folder is missing, so the folder dialog asks for one.
        bool waiting = false;
        ModalWatcher<QFileDialog> dialog([&](QFileDialog *chooser) {
            waiting = shownPage() == 1 && !child<QLabel>("labelSyncInfo")->text().isEmpty();
            chooser->setDirectory(shared);
            static_cast<QDialog *>(chooser)->accept();
        });
        child<QAbstractButton>("folderSync")->click();
        QVERIFY(dialog.answered());
        QVERIFY(waiting);
        QCOMPARE(shownPage(), 2);
        QCOMPARE(child<QLabel>("labelSyncTitle")->text(), QString(c_folderTitle));
        QCOMPARE(child<QLineEdit>("syncFolder")->text(), shared);
        QVERIFY(child<QGroupBox>("groupBoxClients")->isHidden());

        child<QCheckBox>("syncHistory")->setChecked(true);
        QVERIFY(!m_page->onAccepted());
        QSettings settings = Utils::settings();
        QCOMPARE(settings.value("SyncTarget").toString(), QString("LocalFolder"));
        QCOMPARE(settings.value("SyncFolder").toString(), shared);
        QCOMPARE(settings.value("SyncHistory").toBool(), true);
        QVERIFY(m_engine->isValid());
        QCOMPARE(m_engine->notifier()->watchedFolder(), shared);
    }

    void testCancelKeepsTheStoredFolder()
    {
        const QString first = folder("first");
        const QString second = folder("second");
        storeFolderTarget(first);
        SnippetModel snippets(nullptr, nullptr);
        SettingsDialog dialog(nullptr, &snippets, m_engine.get());
        m_engine->initialize("LocalFolder", ReportState, Sync::mapSettings());
        auto *pageButton = dialog.findChild<QAbstractButton *>("sync");
        QVERIFY(!pageButton->isHidden());
        pageButton->click();
        auto *page = dialog.findChild<SyncSettings *>();
        QCOMPARE(page->findChild<QStackedWidget *>("stackedWidgetSync")->currentIndex(), 2);

        ModalWatcher<QFileDialog> chooser([&second](QFileDialog *files) {
            files->setDirectory(second);
            static_cast<QDialog *>(files)->accept();
        });
        page->findChild<QAbstractButton *>("browseButton")->click();
        QVERIFY(chooser.answered());
        QCOMPARE(page->findChild<QLineEdit *>("syncFolder")->text(), second);

        dialog.reject();
        QCOMPARE(Utils::settings().value("SyncFolder").toString(), first);
        QCOMPARE(page->findChild<QLineEdit *>("syncFolder")->text(), first);
        QCOMPARE(m_engine->targetName(), QString("LocalFolder"));
        QCOMPARE(m_engine->notifier()->watchedFolder(), first);
        QVERIFY(m_engine->isValid());
    }

    void testCancelledFolderChoiceKeepsTheStoredFolder()
    {
        const QString shared = folder("shared");
        storeFolderTarget(shared);
        openPage();
        ModalWatcher<QFileDialog> chooser([](QFileDialog *files) { files->reject(); });
        child<QAbstractButton>("browseButton")->click();
        QVERIFY(chooser.answered());
        QCOMPARE(Utils::settings().value("SyncFolder").toString(), shared);
        QCOMPARE(shownPage(), 2);
        QVERIFY(m_engine->isValid());
    }

    void testGoogleDriveSignInAndStop()
    {
        BrowserCatcher browser;
        googleDriveOf(*m_engine)->o2()->setLocalPort(0);
        storeFolderTarget(QString());
        Utils::settings().setValue("SyncTarget", "");
        openPage();
        QCOMPARE(shownPage(), 0);

        child<QAbstractButton>("googleSync")->click();
        QCOMPARE(shownPage(), 1);
        QCOMPARE(child<QLabel>("labelSyncInfo")->text(),
                 QString("Please authorize Kestovan to access your Google Drive on the browser."));
        QCOMPARE(child<QLabel>("labelSyncTitle")->text(), QString(c_driveTitle));
        QTRY_COMPARE_WITH_TIMEOUT(browser.opened.size(), 1, 10000);

        // The browser comes back with a code, and the token endpoint answers.
        m_drive->http.answer = [](const StandInRequest &) {
            return StandInAnswer{200, R"({"access_token":"access-1","refresh_token":"refresh-1","expires_in":3600})"};
        };
        const QUrlQuery query(browser.opened.first());
        BrowserStandIn back(quint16(QUrl(query.queryItemValue("redirect_uri", QUrl::FullyDecoded)).port()));
        back.send(redirectRequest("code=4/granted&state=" + query.queryItemValue("state").toLatin1()));
        QTRY_COMPARE_WITH_TIMEOUT(shownPage(), 2, 10000);
        QVERIFY(!child<QGroupBox>("groupBoxClients")->isHidden());
        QVERIFY(child<QGroupBox>("groupBoxFolder")->isHidden());
        QVERIFY(m_page->onAccepted() == false);
        QCOMPARE(Utils::settings().value("SyncTarget").toString(), QString("GoogleDrive"));

        // Stop signs out and ends on the choice of targets; Cancel then finds no sign-in.
        child<QAbstractButton>("stopSync")->click();
        QCOMPARE(shownPage(), 0);
        QVERIFY(!m_engine->isValid());
        QVERIFY(child<QLabel>("labelSyncTitle")->text().isEmpty());
        m_page->onRejected();
        QCOMPARE(m_engine->targetName(), QString("GoogleDrive"));
        QVERIFY(!m_engine->isValid());
        m_page->clicked();
        QCOMPARE(shownPage(), 0);
    }

    void testAbandonedSignInWaitsUntilThePageIsShownAgain()
    {
        BrowserCatcher browser;
        googleDriveOf(*m_engine)->o2()->setLocalPort(0);
        openPage();
        child<QAbstractButton>("googleSync")->click();
        QTRY_COMPARE_WITH_TIMEOUT(browser.opened.size(), 1, 10000);
        QTest::qWait(100);
        QCOMPARE(shownPage(), 1);
        m_page->clicked();
        QCOMPARE(shownPage(), 0);
    }

    void testClientListFromTheNotificationService()
    {
        m_notifier->reply = [](const QString &message) {
            if (!message.contains("request-client-list"))
                return QString();
            return QString(R"({"operation":"clientList","clients":[)"
                           R"({"name":"Pixel","type":"Android","time":"2026-01-02T03:04:05"},)"
                           R"({"name":"Office PC","type":"Windows","time":"2026-01-02T04:00:00"},)"
                           R"({"name":"Laptop","type":"Linux","time":"2026-01-02T05:00:00"}]})");
        };
        Utils::settings().setValue("SyncTarget", "GoogleDrive");
        signIn();
        openPage();
        QTRY_VERIFY_WITH_TIMEOUT(m_notifier->received.size() == 1, 10000);
        QVERIFY(m_notifier->received.first().contains(R"("operation":"register")"));

        m_page->clicked();
        const QStandardItemModel &clients = m_page->clients();
        QTRY_COMPARE_WITH_TIMEOUT(clients.rowCount(), 3, 10000);
        QCOMPARE(clients.item(0)->text(), QString("Pixel"));
        QCOMPARE(clients.item(0)->data(ApplicationRole).toString(), QString("Android"));
        QCOMPARE(clients.item(0)->data(TimeRole).toDateTime(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC));
        QCOMPARE(clients.item(2)->text(), QString("Laptop"));
        QVERIFY(!child<QListView>("listClients")->isHidden());
        QVERIFY(child<QLabel>("labelClients")->isHidden());

        // The connection is lost: the list goes and the text says so.
        m_notifier->drop();
        QTRY_COMPARE_WITH_TIMEOUT(clients.rowCount(), 0, 10000);
        QCOMPARE(child<QLabel>("labelClients")->text(), QString("No connection to the notification server."));
        QVERIFY(!child<QLabel>("labelClients")->isHidden());
        QVERIFY(child<QListView>("listClients")->isHidden());
    }

    void testPageMadeAfterTheNotifierConnectedShowsTheList()
    {
        Utils::settings().setValue("SyncTarget", "GoogleDrive");
        signIn();
        m_engine->initialize("GoogleDrive", ReportState, Sync::mapSettings());
        QTRY_VERIFY_WITH_TIMEOUT(m_engine->notifier()->isConnected(), 10000);
        openPage();
        QVERIFY(!child<QListView>("listClients")->isHidden());
        QVERIFY(child<QWidget>("progressClients")->isHidden());
    }

    void testNotifierStates_data()
    {
        QTest::addColumn<QList<int>>("statuses");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("list");
        QTest::addColumn<bool>("spinner");
        QTest::newRow("connecting") << QList<int>{0} << "" << false << true;
        QTest::newRow("connected") << QList<int>{1} << "" << true << false;
        QTest::newRow("error") << QList<int>{2} << "Failed to connect to the notification server." << false << false;
        QTest::newRow("error, then disconnected")
            << QList<int>{2, 3} << "No connection to the notification server." << false << false;
    }

    void testNotifierStates()
    {
        QFETCH(QList<int>, statuses);
        QFETCH(QString, text);
        QFETCH(bool, list);
        QFETCH(bool, spinner);
        openPage();
        m_page->notifierClientList({{{"name", "Pixel"}, {"type", "Android"}, {"time", "2026-01-02T03:04:05"}}});
        for (int status : statuses)
            m_page->notifierStatus(Notifier::CONNECTION_STATUS(status));
        QCOMPARE(child<QListView>("listClients")->isHidden(), !list);
        QCOMPARE(child<QWidget>("progressClients")->isHidden(), !spinner);
        QCOMPARE(child<QLabel>("labelClients")->isHidden(), text.isEmpty());
        if (!text.isEmpty())
            QCOMPARE(child<QLabel>("labelClients")->text(), text);
        QCOMPARE(m_page->clients().rowCount(), statuses.last() == 3 ? 0 : 1);
    }

    void testClientRowsDrawTheirPlatform_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("icon");
        QTest::newRow("Android") << "Android" << true;
        QTest::newRow("Mac") << "Mac" << true;
        QTest::newRow("Windows") << "Windows" << true;
        QTest::newRow("another platform") << "Linux" << false;
        QTest::newRow("a name in the wrong case") << "android" << false;
    }

    void testClientRowsDrawTheirPlatform()
    {
        QFETCH(QString, type);
        QFETCH(bool, icon);
        openPage();
        auto *list = child<QListView>("listClients");
        list->resize(300, 200);
        m_page->notifierClientList({{{"name", "Pixel"}, {"type", type}, {"time", "2026-01-02T03:04:05"}}});
        const QModelIndex index = m_page->clients().index(0, 0);
        const QSize hint = list->itemDelegate()->sizeHint(QStyleOptionViewItem(), index);
        QCOMPARE(hint.height(), int(list->fontMetrics().height() * 3));
        QCOMPARE(ClientItemDelegate::iconOf(type).isEmpty(), !icon);

        QImage image(300, hint.height(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QStyleOptionViewItem option;
            option.rect = QRect(0, 0, 300, hint.height());
            option.palette = list->palette();
            list->itemDelegate()->paint(&painter, option, index);
        }
        // Something dark where the icon goes, and the name beside it.
        int dark = 0;
        for (int y = (hint.height() - 32) / 2; y < (hint.height() + 32) / 2; ++y) {
            for (int x = 10; x < 42; ++x)
                dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
        QCOMPARE(dark > 20, icon);
        int text = 0;
        for (int y = 0; y < hint.height() / 2; ++y) {
            for (int x = 52; x < 200; ++x)
                text += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
        QVERIFY(text > 10);
    }

    void testEncryptionSettings_data()
    {
        QTest::addColumn<bool>("storedOn");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("previousMoved");
        QTest::addColumn<bool>("storedOnAfter");
        QTest::addColumn<QString>("storedAfter");
        QTest::newRow("nothing changed") << true << "secret" << true << "secret" << false << false << true << "secret";
        QTest::newRow("passphrase changed") << true << "secret" << true << "other" << true << true << true << "other";
        QTest::newRow("switched on") << false << "secret" << true << "secret" << true << false << true << "secret";
        QTest::newRow("switched off") << true << "secret" << false << "secret" << true << false << false << "secret";
        QTest::newRow("switched on with a passphrase")
            << false << "" << true << "fresh" << true << true << true << "fresh";
        QTest::newRow("switched on without a passphrase") << false << "" << true << "" << false << false << false << "";
        QTest::newRow("passphrase emptied while on")
            << true << "secret" << true << "" << false << false << true << "secret";
    }

    void testEncryptionSettings()
    {
        QFETCH(bool, storedOn);
        QFETCH(QString, stored);
        QFETCH(bool, on);
        QFETCH(QString, typed);
        QFETCH(bool, changed);
        QFETCH(bool, previousMoved);
        QFETCH(bool, storedOnAfter);
        QFETCH(QString, storedAfter);
        QSettings settings = Utils::settings();
        settings.setValue("EncryptData", storedOn);
        const QString storedCipher = stored.isEmpty() ? QString() : storedPassphrase(stored);
        settings.setValue("Passphrase", storedCipher);
        const QString oldest = storedPassphrase("oldest");
        settings.setValue("PreviousPassphrase", oldest);
        openPage();
        QCOMPARE(child<QLineEdit>("passphrase")->text(), stored);
        QCOMPARE(child<QLineEdit>("passphrase")->isEnabled(), storedOn);

        child<QCheckBox>("encryptData")->setChecked(on);
        child<QLineEdit>("passphrase")->setText(typed);
        QCOMPARE(m_page->onAccepted(), changed);
        settings.sync();
        QCOMPARE(settings.value("EncryptData").toBool(), storedOnAfter);
        QCOMPARE(Sync::decipherPassphrase(settings.value("Passphrase")), storedAfter);
        QCOMPARE(settings.value("PreviousPassphrase").toString(), previousMoved ? storedCipher : oldest);
        if (!storedAfter.isEmpty())
            QVERIFY(settings.value("Passphrase").toString() != storedAfter);
        // The page shows what is stored.
        QCOMPARE(child<QCheckBox>("encryptData")->isChecked(), storedOnAfter);
        QCOMPARE(child<QLineEdit>("passphrase")->text(), storedAfter);
        // Accepting again finds nothing to do.
        QVERIFY(!m_page->onAccepted());
    }

    void testAnsweringNoChangesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Upload") << "syncUpload";
        QTest::newRow("Download") << "syncDownload";
    }

    void testAnsweringNoChangesNothing()
    {
        QFETCH(QString, button);
        const QString shared = folder("shared");
        storeFolderTarget(shared);
        Utils::settings().setValue("EncryptData", false);
        openPage();
        SnippetModel::instance()->addItems(item("Notes"), {item("Hello", "hello there")});
        m_engine->queue().clear();
        child<QCheckBox>("encryptData")->setChecked(true);
        child<QLineEdit>("passphrase")->setText("typed");

        QVERIFY(pressSync(qPrintable(button), QMessageBox::No));
        QTest::qWait(100);
        QVERIFY(m_engine->queue().isEmpty());
        QVERIFY(passEnded());
        QCOMPARE(Utils::settings().value("EncryptData").toBool(), false);
        QVERIFY(!Utils::settings().contains("Passphrase"));
        QVERIFY(QDir(shared).isEmpty());
    }

    void testManualSyncInEitherDirection()
    {
        const QString shared = folder("shared");
        storeFolderTarget(shared);
        openPage();
        SnippetModel *snippets = SnippetModel::instance();
        snippets->addItems(item("Notes"), {item("Alpha", "alpha")});

        QVERIFY(pressSync("syncUpload"));
        QVERIFY(!child<QWidget>("labelSyncProgress")->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(passEnded(), 10000);
        QCOMPARE(versionsIn(shared, "Snippets").size(), 1);
        QVERIFY(child<QLabel>("labelSyncStatus")->text().startsWith("<p>Last success: "));
        QVERIFY(Utils::settings().value("LastSync").toDateTime().isValid());
        QVERIFY(child<QWidget>("labelSyncProgress")->isHidden());

        // Another computer stores a newer version; Download makes it the local content.
        const QByteArray remote = SnippetTest::document({SnippetTest::groupObject("Remote", QUuid::createUuid(),
            "2026-01-01T10:00:00.000Z", {SnippetTest::snippetObject("Far", QUuid::createUuid(), "2026-01-01T10:00:00.000Z", "far away")})});
        QVERIFY(writeFile(shared + "/Snippets#" + sha256(remote) + ".json", qCompress(remote),
                          QDateTime::currentDateTime().addSecs(60)));
        snippets->addItems(item("More"), {item("Beta", "beta")});
        QVERIFY(pressSync("syncDownload"));
        QTRY_VERIFY_WITH_TIMEOUT(passEnded(), 10000);
        QCOMPARE(snippetTexts(*snippets), QStringList{"far away"});
        QCOMPARE(versionsIn(shared, "Snippets").size(), 2);

        // Both ways: the local addition joins the remote content in a new version.
        snippets->addItems(item("More"), {item("Gamma", "gamma")});
        QVERIFY(!pressSync("syncBothWays"));
        QTRY_VERIFY_WITH_TIMEOUT(passEnded(), 10000);
        QCOMPARE(versionsIn(shared, "Snippets").size(), 3);
        QCOMPARE(snippetTexts(*snippets).size(), 2);
    }

    void testManualSyncAfterAPassphraseChangeEnciphersTheStoreAnew()
    {
        const QString shared = folder("shared");
        storeFolderTarget(shared);
        QSettings settings = Utils::settings();
        settings.setValue("EncryptData", true);
        settings.setValue("Passphrase", storedPassphrase("Tulip-Quartz-42"));
        MessageRecorder messages;
        openPage();
        SnippetModel::instance()->addItems(item("Notes"), {item("Alpha", "alpha")});
        QVERIFY(!pressSync("syncBothWays"));
        QTRY_VERIFY_WITH_TIMEOUT(passEnded(), 10000);
        const QStringList before = versionsIn(shared, "Snippets");
        QCOMPARE(before.size(), 1);
        QByteArray plain;
        const QByteArray stored = readFile(shared + "/" + before.first());
        QVERIFY(ReferenceCipher::decrypt(ReferenceCipher::passphraseKey("Tulip-Quartz-42"), stored.mid(11), &plain));

        // Nothing changed locally: without a new encoding the file would stay under the old passphrase.
        child<QLineEdit>("passphrase")->setText("Maple-Onyx-77");
        QVERIFY(!pressSync("syncBothWays"));
        QTRY_VERIFY_WITH_TIMEOUT(passEnded(), 10000);
        const QStringList after = versionsIn(shared, "Snippets");
        QCOMPARE(after.size(), 1);
        const QByteArray anew = readFile(shared + "/" + after.first());
        QVERIFY(anew.startsWith("|ENCRYPTED|"));
        QVERIFY(ReferenceCipher::decrypt(ReferenceCipher::passphraseKey("Maple-Onyx-77"), anew.mid(11), &plain));
        QVERIFY(!ReferenceCipher::decrypt(ReferenceCipher::passphraseKey("Tulip-Quartz-42"), anew.mid(11), &plain));
        // Already stored by the manual sync: OK has nothing left to do.
        QVERIFY(!m_page->onAccepted());
        settings.sync();

        // Neither passphrase in clear: not in the settings file, the sync log or any message.
        QFile file(settings.fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ini = file.readAll();
        QVERIFY(ini.contains("Passphrase="));
        for (const QString &passphrase : {QString("Tulip-Quartz-42"), QString("Maple-Onyx-77")}) {
            QVERIFY(!ini.contains(passphrase.toUtf8()));
            for (const QString &line : std::as_const(SyncLogDialog::c_log))
                QVERIFY2(!line.contains(passphrase), qPrintable(line));
            for (const QString &message : std::as_const(messages.messages))
                QVERIFY2(!message.contains(passphrase), qPrintable(message));
        }
    }

    void testEncryptionWithoutPassphraseStartsNoSync()
    {
        const QString shared = folder("shared");
        storeFolderTarget(shared);
        openPage();
        SnippetModel::instance()->addItems(item("Notes"), {item("Alpha", "alpha")});
        m_engine->queue().clear();
        child<QCheckBox>("encryptData")->setChecked(true);
        child<QLineEdit>("passphrase")->clear();
        QVERIFY(!pressSync("syncBothWays"));
        QTest::qWait(100);
        QCOMPARE(child<QLabel>("labelSyncStatus")->text(),
                 QString("<p>Encryption needs a passphrase. (<a href=\"foo\">Show log</a>)</p>"));
        QVERIFY(passEnded());
        QVERIFY(QDir(shared).isEmpty());
        QVERIFY(!Utils::settings().value("EncryptData").toBool());
    }
};

KESTOVAN_SYNC_TEST_MAIN(TestSyncSettings)
#include "tst_syncsettings.moc"
