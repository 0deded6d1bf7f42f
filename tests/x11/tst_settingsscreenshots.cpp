#include "actions/actioneditor.h"
#include "actions/actionfile.h"
#include "actions/actionlist.h"
#include "actionwidgettestsupport.h"
#include "browsercatcher.h"
#include "history/itemrole.h"
#include "settings/applicationslist.h"
#include "settings/settingsdialog.h"
#include "settings/syncsettings.h"
#include "oauth/o2google.h"
#include "snippets/snippetmodel.h"
#include "sync/sync.h"
#include "googledrivetestsupport.h"
#include "common/utils.h"
#include "screenshotsupport.h"
#include "windowtestsupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDir>
#include <QTemporaryDir>
#include <QLabel>
#include <QStackedWidget>

// Shows every page of the settings dialog on a real X server in a light and a dark desktop
// appearance, keeps pictures of them for review by eye under <build>/screenshots/, and checks that
// no text of a page is cut off.
namespace {

void seedApplications()
{
    QSettings settings = Utils::settings();
    settings.setValue("Applications", QVariantMap{{"Firefox", Screenshots::applicationIcon(QColor(230, 110, 30))},
                                                  {"Gedit", Screenshots::applicationIcon(QColor(60, 140, 220))},
                                                  {"Terminal", Screenshots::applicationIcon(QColor(50, 50, 50))}});
    settings.setValue("ExcludedApplications", QStringList{"Terminal"});
    settings.setValue("TextOnlyApplications", QStringList{"Gedit"});
    settings.setValue("NoExpandApplications", QStringList{"Terminal"});
    settings.setValue("DelayedApplications", QVariantMap{{"Firefox", 300}});
}

// User actions beside the built-in ones: one that failed its last test, one bound to a shortcut and
// hidden from the menu.
void seedActions()
{
    ActionWidgets::clearUserFolder();
    ActionWidgets::writeAction("Quote.json", {{"title", "Quote lines"},
                                              {"description", "Puts each line of the text between quotes"},
                                              {"script", "(c => c.plainText.split('\\n').map(line => quote(line)))"},
                                              {"failed", true}});
    const QString shout = ActionWidgets::writeAction(
        "Shout.json", {{"title", "Shout"}, {"description", "Upper case with an exclamation mark"},
                       {"script", "(c => c.plainText.toUpperCase() + '!')"}});
    QSettings settings = Utils::settings();
    settings.setValue("ActionShortcuts", QVariantMap{{shout, "Ctrl+Alt+S"}});
    settings.setValue("HiddenActions", QStringList{shout});
}


} // namespace

class TestSettingsScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void testEveryPage_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("button");
        const QStringList buttons{"general", "history", "snippets", "applications", "actions", "about"};
        for (const bool dark : {false, true}) {
            for (const QString &button : buttons)
                QTest::addRow("%s-%s", dark ? "dark" : "light", qPrintable(button)) << dark << button;
        }
    }

    void testEveryPage()
    {
        QFETCH(bool, dark);
        QFETCH(QString, button);
        Screenshots::useAppearance(dark);
        Utils::settings().clear();
        SettingsDialog::updateDefaultSettings();
        seedApplications();
        seedActions();

        SnippetModel snippets(nullptr, nullptr);
        snippets.addExampleSnippets();
        SettingsDialog dialog(nullptr, &snippets, nullptr);
        dialog.move(30, 30);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *pageButton = dialog.findChild<QAbstractButton *>(button);
        QVERIFY(pageButton);
        pageButton->click();
        dialog.setUpdateInfo(false, false);
        // The user's actions, with their badges, come last.
        if (button == "actions")
            dialog.findChild<ActionList *>()->scrollToBottom();
        if (button == "snippets") {
            // A snippet with a placeholder chip, a keyword and hidden content shows every state icon.
            const QModelIndex clipboard = snippets.index(1, 0, snippets.index(0, 0));
            snippets.setData(clipboard, "::copied", ExpanderRole);
            snippets.setData(clipboard, true, HideRole);
            snippets.setData(clipboard, "Ctrl+Alt+C", HotkeyRole);
            dialog.findChild<QAbstractItemView *>("listSnippets")->setCurrentIndex(clipboard);
        }
        QTest::qWait(100);

        const QImage image = dialog.grab().toImage();
        QVERIFY(image.save(Screenshots::path(QString("settings-%1").arg(QTest::currentDataTag()))));

        // Every label and button of the page shows its whole text.
        QWidget *page = dialog.findChild<QStackedWidget *>("stackedWidget")->currentWidget();
        for (QLabel *label : page->findChildren<QLabel *>()) {
            if (label->isVisible() && !label->wordWrap() && label->pixmap().isNull())
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        }
        for (QAbstractButton *control : page->findChildren<QAbstractButton *>()) {
            if (control->isVisible())
                QVERIFY2(control->width() >= control->sizeHint().width(), qPrintable(control->objectName()));
        }
        if (button == "applications")
            QCOMPARE(dialog.findChild<ApplicationsList *>()->count(), 3);
        if (button == "actions")
            QCOMPARE(dialog.findChild<ActionList *>()->count(), 14);
    }

    // The sync page with no target, a shared folder, Google Drive while the browser sign-in waits,
    // and Google Drive signed in with other computers connected.
    void testSyncPage_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("state");
        for (const bool dark : {false, true}) {
            for (const char *state : {"none", "folder", "drive-signed-out", "drive-signed-in"})
                QTest::addRow("%s-%s", dark ? "dark" : "light", state) << dark << QString(state);
        }
    }

    void testSyncPage()
    {
        QFETCH(bool, dark);
        QFETCH(QString, state);
        Screenshots::useAppearance(dark);
        Utils::settings().clear();
        SettingsDialog::updateDefaultSettings();
        qputenv("KESTOVAN_GOOGLE_CLIENT_ID", "screenshots.apps.example");
        qputenv("KESTOVAN_GOOGLE_CLIENT_SECRET", "screenshots-secret");
        qputenv("KESTOVAN_NOTIFIER_URL", "ws://127.0.0.1:1/notifier");
        QTemporaryDir shared;
        BrowserCatcher browser;
        Sync sync;
        googleDriveOf(sync)->o2()->unlink();
        googleDriveOf(sync)->o2()->setLocalPort(0);
        QSettings settings = Utils::settings();
        settings.setValue("SyncTarget", "None");
        settings.setValue("EncryptData", true);
        settings.setValue("Passphrase", Sync::encipherPassphrase("correct horse battery"));
        if (state == "folder") {
            settings.setValue("SyncTarget", "LocalFolder");
            settings.setValue("SyncFolder", shared.path());
        } else if (state == "drive-signed-in") {
            settings.setValue("SyncTarget", "GoogleDrive");
            O2Google *o2 = googleDriveOf(sync)->o2();
            o2->setToken("token");
            o2->setExpires(QDateTime::currentSecsSinceEpoch() + 3600);
            o2->setLinked(true);
        }
        settings.setValue("LastSync", QDateTime(QDate(2026, 3, 5), QTime(14, 30)));
        sync.initialize(settings.value("SyncTarget").toString(), ReportState, Sync::mapSettings());

        SnippetModel snippets(nullptr, nullptr);
        SettingsDialog dialog(nullptr, &snippets, &sync);
        dialog.move(30, 30);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.findChild<QAbstractButton *>("sync")->click();
        auto *page = dialog.findChild<SyncSettings *>();
        auto *stack = page->findChild<QStackedWidget *>("stackedWidgetSync");
        if (state == "drive-signed-out") {
            page->findChild<QAbstractButton *>("googleSync")->click();
            QCOMPARE(stack->currentIndex(), 1);
        } else if (state == "drive-signed-in") {
            page->notifierStatus(Notifier::CONNECTED);
            const QString now = QDateTime::currentDateTimeUtc().toString("yyyy-MM-ddTHH:mm:ss");
            page->notifierClientList({{{"name", "Pixel 8"}, {"type", "Android"}, {"time", now}},
                                      {{"name", "Studio iMac"}, {"type", "Mac"}, {"time", "2026-01-02T03:04:05"}},
                                      {{"name", "Office desktop"}, {"type", "Windows"}, {"time", now}},
                                      {{"name", "Laptop"}, {"type", "Linux"}, {"time", now}}});
            QCOMPARE(stack->currentIndex(), 2);
        } else {
            QCOMPARE(stack->currentIndex(), state == "folder" ? 2 : 0);
        }
        QTest::qWait(100);
        QVERIFY(dialog.grab().toImage().save(Screenshots::path(QString("settings-sync-%1").arg(QTest::currentDataTag()))));

        for (QLabel *label : stack->currentWidget()->findChildren<QLabel *>()) {
            if (label->isVisible() && !label->wordWrap() && label->pixmap().isNull() && label->textFormat() != Qt::RichText)
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        }
        for (QAbstractButton *control : stack->currentWidget()->findChildren<QAbstractButton *>()) {
            if (control->isVisible())
                QVERIFY2(control->width() >= control->sizeHint().width(), qPrintable(control->objectName()));
        }
        dialog.reject();
    }

    void testActionEditor_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("key");
        for (const bool dark : {false, true}) {
            const char *appearance = dark ? "dark" : "light";
            QTest::addRow("%s-new", appearance) << dark << QString();
            QTest::addRow("%s-builtin", appearance) << dark << ActionFile::builtInFolder() + "/11-wordwrap.json";
            QTest::addRow("%s-failing", appearance) << dark << ActionFile::userFolder() + "/Quote.json";
        }
    }

    void testActionEditor()
    {
        QFETCH(bool, dark);
        QFETCH(QString, key);
        Screenshots::useAppearance(dark);
        Utils::settings().clear();
        SettingsDialog::updateDefaultSettings();
        seedActions();
        ActionList list;
        QListWidgetItem *item = nullptr;
        for (int row = 0; row < list.count(); ++row) {
            if (list.item(row)->data(FileNameRole).toString() == key)
                item = list.item(row);
        }
        QCOMPARE(item != nullptr, !key.isEmpty());

        ActionEditor editor(nullptr, item);
        editor.move(30, 30);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        auto *status = editor.findChild<QWidget *>("status");
        QTRY_VERIFY(!status->property("text").toString().endsWith("Evaluating..."));
        QTest::qWait(100);
        QVERIFY(editor.grab().toImage().save(Screenshots::path(QString("action-editor-%1").arg(QTest::currentDataTag()))));

        for (QLabel *label : editor.findChildren<QLabel *>()) {
            if (label->isVisible())
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        }
        QVERIFY(status->height() >= status->fontMetrics().height());
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestSettingsScreenshots)
#include "tst_settingsscreenshots.moc"
