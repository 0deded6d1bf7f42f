#include "mainwindowtestsupport.h"
#include "modalwatcher.h"
#include "ownsession.h"
#include "warningboxes.h"

#include "settings/releasenotesdialog.h"
#include "common/defaultsettings.h"
#include "common/globals.h"
#include "common/settingsfile.h"
#include "common/theme.h"
#include "common/translation.h"
#include "logging/qxtlogger.h"
#include "settings/settingsdialog.h"
#include "window/monitor.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDBusConnection>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTimer>

using namespace MainWindowTest;

namespace {

// A stand-in file manager on the session bus that records what it was asked to show.
class FileManagerStandIn : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QList<QStringList> shown;
    QStringList startupIds;

public slots:
    void ShowItems(const QStringList &uris, const QString &startupId)
    {
        shown.append(uris);
        startupIds.append(startupId);
    }
};

// Receives what QDesktopServices was asked to open.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// Sends a language change to the first settings dialog it sees an event of. A dialog is only a
// SettingsDialog from its own constructor on, so this lands while that constructor builds the form.
class EarlyLanguageChange : public QObject
{
public:
    bool sent = false;
    bool formMissing = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!sent && event->type() != QEvent::LanguageChange && qobject_cast<SettingsDialog *>(watched)) {
            sent = true;
            formMissing = !watched->findChild<QAbstractButton *>("general");
            QEvent change(QEvent::LanguageChange);
            QCoreApplication::sendEvent(watched, &change);
        }
        return false;
    }
};

std::unique_ptr<SettingsDialog> freshDialog()
{
    resetStore();
    SettingsDialog::updateDefaultSettings();
    return std::make_unique<SettingsDialog>(nullptr, nullptr, nullptr);
}

// What a control shows, in the form the tables below use.
QVariant controlValue(QWidget *control)
{
    if (auto *box = qobject_cast<QAbstractButton *>(control))
        return box->isChecked();
    if (auto *edit = qobject_cast<QKeySequenceEdit *>(control))
        return edit->keySequence().toString(QKeySequence::PortableText);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->objectName() == "initialSelection" ? QVariant(combo->currentIndex()) : QVariant(combo->currentText());
    return QVariant();
}

void setControlValue(QWidget *control, const QVariant &value)
{
    if (auto *box = qobject_cast<QAbstractButton *>(control))
        box->setChecked(value.toBool());
    else if (auto *edit = qobject_cast<QKeySequenceEdit *>(control))
        edit->setKeySequence(QKeySequence(value.toString(), QKeySequence::PortableText));
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->setText(value.toString());
    else if (auto *combo = qobject_cast<QComboBox *>(control); combo && value.typeId() == QMetaType::Int)
        combo->setCurrentIndex(value.toInt());
    else if (combo)
        combo->setCurrentText(value.toString());
}

QStringList storedTexts()
{
    QStringList texts;
    const QSettings settings = Utils::settings();
    for (const QString &key : settings.allKeys())
        texts.append(key + "=" + settings.value(key).toString());
    texts.sort();
    return texts;
}

QString logFileText()
{
    QFile file(logPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// The settings dialog: every control against its key, OK and Cancel, the live theme, language and
// debug-log switches, the update box, and the join points with the history window, the clipboard
// monitor and the file manager.
class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        setTheme(THEME_LIGHT);
        qputenv("KESTOVAN_DARK_MODE", "0");
    }

    void cleanup()
    {
        auto *app = static_cast<Application *>(qApp);
        app->mainWindow = nullptr;
        app->monitorWindow = nullptr;
        Translation::selectLanguage("English");
    }

    void testEveryControlLoadsAndStoresItsKey_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("shown");
        QTest::addColumn<QVariant>("edited");
        QTest::addColumn<QVariant>("written");

        const auto row = [](const char *control, const char *key, QVariant stored, QVariant shown, QVariant edited,
                            QVariant written) {
            QTest::newRow(control) << QString(control) << QString(key) << stored << shown << edited << written;
        };
        row("startAutomatically", "StartAutomatically", false, false, true, true);
        row("openOnMouse", "OpenOnMouse", false, false, true, true);
        row("keepTab", "KeepTab", true, true, false, false);
        row("sendCrashDumps", "SendDumps", false, false, true, true);
        row("addImages", "IncludeImages", false, false, true, true);
        row("pastePlainText", "PastePlainText", true, true, false, false);
        row("clearHistory", "ClearHistory", true, true, false, false);
        row("compactList", "CompactList", true, true, false, false);
        row("requireKeywordSpace", "RequireSpace", true, true, false, false);
        row("shortcut", "Shortcut", "CTRL+ALT+H", "Ctrl+Alt+H", "Meta+J", "Meta+J");
        row("shortcutPlainText", "ShortcutPlainText", "", "", "Ctrl+Shift+B", "Ctrl+Shift+B");
        row("shortcutPasteNext", "ShortcutPasteNext", "Ctrl+Alt+N", "Ctrl+Alt+N", "", "");
        row("keepItems", "KeepItems", "20", "20", "150", 150);
        row("ignoreLength", "IgnoreLength", 5, "5", "12", 12);
        row("ignoreSize", "IgnoreSize", "4", "4", "2048", 2048);
        row("initialSelection", "InitialSelection", 2, 2, 0, 0);
        row("language", "Language", "Finnish", "Finnish", "French", "French");
    }

    void testEveryControlLoadsAndStoresItsKey()
    {
        QFETCH(QString, control);
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, shown);
        QFETCH(QVariant, edited);
        QFETCH(QVariant, written);

        resetStore();
        SettingsDialog::updateDefaultSettings();
        setSetting(key, stored);
        SettingsDialog dialog(nullptr, nullptr, nullptr);
        QWidget *widget = child(&dialog, qPrintable(control));
        QVERIFY(widget);
        QCOMPARE(controlValue(widget), shown);

        setControlValue(widget, edited);
        dialog.accept();
        QCOMPARE(setting(key), written);
    }

    void testThemeRadiosLoadAndStoreTheTheme_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("written");
        QTest::newRow("dark") << 0 << "darkTheme" << "lightTheme" << 1;
        QTest::newRow("light") << 1 << "lightTheme" << "automaticTheme" << 2;
        QTest::newRow("automatic kept") << 2 << "automaticTheme" << "automaticTheme" << 2;
        QTest::newRow("unknown is dark") << 7 << "darkTheme" << "darkTheme" << 0;
    }

    void testThemeRadiosLoadAndStoreTheTheme()
    {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(QString, chosen);
        QFETCH(int, written);
        const auto dialog = freshDialog();
        setSetting("Theme", stored);
        dialog->initialize();
        QVERIFY(child<QRadioButton>(dialog.get(), qPrintable(shown))->isChecked());
        child<QRadioButton>(dialog.get(), qPrintable(chosen))->setChecked(true);
        dialog->accept();
        QCOMPARE(setting("Theme"), QVariant(written));
    }

    // Not over the hidden history window, which may sit in the screen's corner.
    void testOpensCentredThenWhereTheUserLeftIt()
    {
        resetStore();
        SettingsDialog::updateDefaultSettings();
        QWidget history;
        history.setGeometry(0, 0, 200, 100);
        SettingsDialog dialog(&history, nullptr, nullptr);
        dialog.show();
        // Within the window frame's few pixels.
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((dialog.geometry().center() - centre).manhattanLength() <= 8);
        dialog.reject();
        dialog.show();
        QVERIFY((dialog.geometry().center() - centre).manhattanLength() <= 8);

        dialog.move(40, 50);
        dialog.reject();
        dialog.show();
        QCOMPARE(dialog.pos(), QPoint(40, 50));
    }

    void testUnofferedLanguageShowsEnglish()
    {
        const auto dialog = freshDialog();
        setSetting("Language", "Klingon");
        dialog->initialize();
        QCOMPARE(child<QComboBox>(dialog.get(), "language")->currentText(), QString("English"));
        dialog->accept();
        QCOMPARE(setting("Language").toString(), QString("English"));
    }

    void testOkWithoutChangesKeepsEveryValue()
    {
        const auto dialog = freshDialog();
        // Shortcuts are written in their portable spelling.
        setSetting("Shortcut", "Ctrl+Shift+V");
        dialog->initialize();
        const QStringList before = storedTexts();
        dialog->accept();
        QStringList after = storedTexts();
        // OK also writes the keys that have no default.
        for (const QString &added : {"KeepTab=false", "ShortcutPasteNext=", "DelayedApplications=",
                                     "Applications=", "ExcludedApplications=", "NoImagesApplications=",
                                     "TextOnlyApplications=", "FormattingOnlyApplications=", "NoExpandApplications=",
                                     "HiddenActions=", "ActionShortcuts=", "EncryptData=false", "Passphrase="})
            QVERIFY2(after.removeOne(added), qPrintable(added));
        QCOMPARE(after, before);
    }

    // OK closed the dialog and nothing was stored, and the next start showed the old values.
    void testSettingsThatCannotBeStoredAreSaidOnce()
    {
        const auto dialog = freshDialog();
        WarningBoxesShown shown;
        const QString folder = QFileInfo(SettingsFile::path()).absolutePath();
        // Even as root, nothing is written below a file that stands where the folder belongs.
        QVERIFY(QDir(folder).removeRecursively());
        QFile placeholder(folder);
        QVERIFY(placeholder.open(QIODevice::WriteOnly) && placeholder.write("not a folder") > 0);
        placeholder.close();
        for (int attempt = 0; attempt < 2; ++attempt)
            dialog->accept();
        QTRY_COMPARE(openWarningBoxes().size(), 1);
        QCOMPARE(openWarningBoxes().first()->text(),
                 "The settings cannot be saved to " + SettingsFile::path()
                     + "; changes made now are lost when Kestovan quits.");
        answerWarningBox();
        QVERIFY(openWarningBoxes().isEmpty());

        QVERIFY(QFile::remove(folder));
        dialog->accept();
        QVERIFY(QFileInfo::exists(SettingsFile::path()));
        QCOMPARE(setting("KeepItems").toInt(), 20);
        QVERIFY(openWarningBoxes().isEmpty());
    }

    void testCancelStoresNothingAndShowsTheStoredValues()
    {
        const auto dialog = freshDialog();
        const QStringList before = storedTexts();
        const QList<std::pair<const char *, QVariant>> edits{
            {"startAutomatically", false}, {"keepTab", true}, {"shortcut", "Ctrl+Q"}, {"keepItems", "99"},
            {"addImages", false}, {"initialSelection", 0}, {"requireKeywordSpace", true}, {"darkTheme", true}};
        for (const auto &[name, value] : edits)
            setControlValue(child(dialog.get(), name), value);

        dialog->reject();
        QCOMPARE(storedTexts(), before);
        QCOMPARE(controlValue(child(dialog.get(), "startAutomatically")), QVariant(true));
        QCOMPARE(controlValue(child(dialog.get(), "keepTab")), QVariant(false));
        QCOMPARE(controlValue(child(dialog.get(), "shortcut")), QVariant("Ctrl+Shift+V"));
        QCOMPARE(controlValue(child(dialog.get(), "keepItems")), QVariant("20"));
        QCOMPARE(controlValue(child(dialog.get(), "addImages")), QVariant(true));
        QCOMPARE(controlValue(child(dialog.get(), "initialSelection")), QVariant(1));
        QCOMPARE(controlValue(child(dialog.get(), "requireKeywordSpace")), QVariant(false));
        QCOMPARE(controlValue(child(dialog.get(), "automaticTheme")), QVariant(true));
    }

    // A limit that is none (Keep 0 items would delete the whole history) is never stored: OK
    // leaves the dialog open, the field shows the stored number again and the page says why.
    void testHistoryLimitsThatAreNoLimitAreNeverStored_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<bool>("refused");
        QTest::newRow("empty keep keeps the old value") << "keepItems" << "KeepItems" << "" << QVariant(7) << true;
        QTest::newRow("keep 0 items wipes the history") << "keepItems" << "KeepItems" << "0" << QVariant(7) << true;
        QTest::newRow("zeros") << "keepItems" << "KeepItems" << "000" << QVariant(7) << true;
        QTest::newRow("zero size") << "ignoreSize" << "IgnoreSize" << "0" << QVariant(7) << true;
        QTest::newRow("empty size keeps the old value") << "ignoreSize" << "IgnoreSize" << "" << QVariant(7) << true;
        QTest::newRow("zero length takes every text") << "ignoreLength" << "IgnoreLength" << "0" << QVariant(0) << false;
        QTest::newRow("a number") << "ignoreLength" << "IgnoreLength" << "9" << QVariant(9) << false;
    }

    void testHistoryLimitsThatAreNoLimitAreNeverStored()
    {
        QFETCH(QString, control);
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(QVariant, written);
        QFETCH(bool, refused);
        const auto dialog = freshDialog();
        setSetting(key, 7);
        auto *edit = child<QLineEdit>(dialog.get(), qPrintable(control));
        auto *warning = child<QLabel>(dialog.get(), "historyLimitWarning");
        edit->clear();
        QTest::keyClicks(edit, typed);
        dialog->accept();
        QCOMPARE(setting(key), written);
        QCOMPARE(dialog->result() == QDialog::Accepted, !refused);
        QCOMPARE(warning->isVisibleTo(dialog.get()), refused);
        if (!refused)
            return;
        QCOMPARE(edit->text(), QString("7"));
        dialog->accept();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(!warning->isVisibleTo(dialog.get()));
        QCOMPARE(setting(key).toInt(), 7);
    }

    void testHotkeyFieldTakesNoBareKeyAndCanBeEmptied_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("typed");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("written");
        const auto row = [](const char *name, const char *control, const char *key, int typed,
                            Qt::KeyboardModifiers modifiers, const char *written) {
            QTest::newRow(name) << QString(control) << QString(key) << typed << modifiers << QString(written);
        };
        row("bare letter for Open Kestovan", "shortcut", "Shortcut", Qt::Key_A, Qt::NoModifier, "Ctrl+Shift+V");
        row("bare letter for plain text", "shortcutPlainText", "ShortcutPlainText", Qt::Key_A, Qt::NoModifier, "Ctrl+Alt+N");
        row("letter with Shift for paste next", "shortcutPasteNext", "ShortcutPasteNext", Qt::Key_B, Qt::ShiftModifier,
            "Ctrl+Alt+N");
        row("Open Kestovan emptied", "shortcut", "Shortcut", Qt::Key_Backspace, Qt::NoModifier, "");
        row("plain text emptied", "shortcutPlainText", "ShortcutPlainText", Qt::Key_Delete, Qt::NoModifier, "");
        row("paste next emptied", "shortcutPasteNext", "ShortcutPasteNext", Qt::Key_Backspace, Qt::NoModifier, "");
        row("function key alone", "shortcutPlainText", "ShortcutPlainText", Qt::Key_F9, Qt::NoModifier, "F9");
    }

    void testHotkeyFieldTakesNoBareKeyAndCanBeEmptied()
    {
        QFETCH(QString, control);
        QFETCH(QString, key);
        QFETCH(int, typed);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, written);
        const auto dialog = freshDialog();
        setSetting("ShortcutPlainText", "Ctrl+Alt+N");
        setSetting("ShortcutPasteNext", "Ctrl+Alt+N");
        dialog->initialize();
        QTest::keyClick(child(dialog.get(), qPrintable(control)), Qt::Key(typed), modifiers);
        dialog->accept();
        QCOMPARE(setting(key).toString(), written);
    }

    void testUpdateBoxFollowsTheChecks_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("checkShown");
        QTest::addColumn<bool>("checkEnabled");
        QTest::addColumn<bool>("updateNowShown");
        QTest::addColumn<bool>("spinnerShown");
        QTest::addColumn<QString>("text");
        QTest::newRow("idle") << QStringList() << true << true << false << false << "";
        QTest::newRow("checking") << QStringList{"check"} << true << false << false << true << "";
        QTest::newRow("failed") << QStringList{"check", "error"} << true << true << false << false
                                << "Update check failed";
        QTest::newRow("up to date") << QStringList{"check", "none"} << true << true << false << false
                                    << "No update available";
        QTest::newRow("update available") << QStringList{"check", "update"} << false << false << true << false
                                          << "Updated version is available";
        QTest::newRow("checking again after a failure")
            << QStringList{"check", "error", "check"} << true << false << false << true << "";
        QTest::newRow("an error wins over an update") << QStringList{"check", "update+error"} << true << true << false
                                                      << false << "Update check failed";
    }

    void testUpdateBoxFollowsTheChecks()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, checkShown);
        QFETCH(bool, checkEnabled);
        QFETCH(bool, updateNowShown);
        QFETCH(bool, spinnerShown);
        QFETCH(QString, text);
        const auto dialog = freshDialog();
        for (const QString &step : steps) {
            if (step == "check")
                dialog->checkUpdate();
            else
                dialog->setUpdateInfo(step.startsWith("update"), step.endsWith("error"));
        }
        auto *check = child<QAbstractButton>(dialog.get(), "buttonCheckUpdate");
        QCOMPARE(!check->isHidden(), checkShown);
        QCOMPARE(check->isEnabled(), checkEnabled);
        QCOMPARE(!child(dialog.get(), "buttonUpdateNow")->isHidden(), updateNowShown);
        QCOMPARE(!child(dialog.get(), "progressUpdate")->isHidden(), spinnerShown);
        QCOMPARE(child<QLabel>(dialog.get(), "updateLabel")->text(), text);
    }

    void testThemeChoiceRethemesEveryWindowAtOnceAndCancelKeepsIt()
    {
        const auto window = freshWindow();
        Monitor monitor;
        auto *app = static_cast<Application *>(qApp);
        app->mainWindow = window.get();
        app->monitorWindow = &monitor;
        setSetting("Theme", 1);
        SettingsDialog *dialog = window->settings();
        dialog->initialize();
        setTheme(THEME_LIGHT);
        window->updateTheme();
        monitor.updateTheme();

        const QColor darkList = [] {
            setTheme(THEME_DARK);
            const QColor colour = getColor(COLOR_BACKGROUND);
            setTheme(THEME_LIGHT);
            return colour;
        }();
        const QString darkBackground =
            QString("rgb(%1, %2, %3)").arg(darkList.red()).arg(darkList.green()).arg(darkList.blue());
        auto *monitorList = monitor.findChild<QWidget *>("listWidget");
        QWidget *list = child(window.get(), "historyView");
        const auto listColour = [list] { return paintedColour(list, list->rect().bottomRight() - QPoint(20, 20)); };
        QVERIFY(listColour() != darkList);
        QVERIFY(!monitorList->styleSheet().contains(darkBackground));

        child<QAbstractButton>(dialog, "darkTheme")->click();
        QCOMPARE(getTheme(), THEME_DARK);
        QCOMPARE(listColour(), darkList);
        QVERIFY(monitorList->styleSheet().contains(darkBackground));

        // Applied at once, stored by OK only, and not taken back by Cancel.
        QCOMPARE(setting("Theme"), QVariant(1));
        dialog->reject();
        QCOMPARE(getTheme(), THEME_DARK);
        QVERIFY(child<QRadioButton>(dialog, "lightTheme")->isChecked());

        qputenv("KESTOVAN_DARK_MODE", "0");
        child<QAbstractButton>(dialog, "automaticTheme")->click();
        QCOMPARE(getTheme(), THEME_LIGHT);
        QVERIFY(listColour() != darkList);
        qputenv("KESTOVAN_DARK_MODE", "1");
        child<QAbstractButton>(dialog, "automaticTheme")->click();
        QCOMPARE(getTheme(), THEME_DARK);
        dialog->accept();
        QCOMPARE(setting("Theme"), QVariant(2));
    }

    void testLanguageChoiceTranslatesAtOnceAndCancelTakesItBack()
    {
        const auto dialog = freshDialog();
        setSetting("Language", "English");
        setSetting("LastSync", QDateTime(QDate(2026, 12, 10), QTime(5, 53, 51)));
        dialog->initialize();
        dialog->setUpdateInfo(false, true);
        auto *language = child<QComboBox>(dialog.get(), "language");
        language->setCurrentText("German");
        emit language->textActivated("German");

        // The change reaches the windows with the next round of the event loop.
        QTRY_COMPARE(child<QAbstractButton>(dialog.get(), "general")->text(), QString("Allgemein"));
        QCOMPARE(child<QComboBox>(dialog.get(), "initialSelection")->itemText(0), QString("Erste"));
        // The title is the program's name and version in every language.
        QCOMPARE(dialog->windowTitle(), QString("Kestovan v1.10.120"));
        const QString about = child<QLabel>(dialog.get(), "labelAbout")->text();
        QVERIFY(about.contains("Version: 1.10.120"));
        // Texts shown before the change follow it, dates inside them too.
        QVERIFY2(about.contains("Juni 2025"), qPrintable(about));
        QCOMPARE(child<QLabel>(dialog.get(), "updateLabel")->text(), QString("Suche nach Aktualisierungen fehlgeschlagen"));
        const QString status = child<QLabel>(dialog.get(), "labelSyncStatus")->text();
        QVERIFY2(status.contains("Zuletzt erfolgreich: 10.12.26 05:53:51 "), qPrintable(status));

        dialog->reject();
        QTRY_COMPARE(child<QAbstractButton>(dialog.get(), "general")->text(), QString("General"));
        QCOMPARE(child<QComboBox>(dialog.get(), "initialSelection")->itemText(0), QString("First"));
        QCOMPARE(language->currentText(), QString("English"));
        QCOMPARE(setting("Language").toString(), QString("English"));

        language->setCurrentText("German");
        emit language->textActivated("German");
        dialog->accept();
        QCOMPARE(setting("Language").toString(), QString("German"));
        QTRY_COMPARE(child<QAbstractButton>(dialog.get(), "history")->text(), QString("Verlauf"));
    }

    void testLanguageChangeBeforeTheFormExistsDoesNothing()
    {
        resetStore();
        SettingsDialog::updateDefaultSettings();
        EarlyLanguageChange early;
        qApp->installEventFilter(&early);
        SettingsDialog dialog(nullptr, nullptr, nullptr);
        qApp->removeEventFilter(&early);
        QVERIFY(early.sent);
        QVERIFY(early.formMissing);

        // The dialog came out whole and still follows a later change.
        QCOMPARE(child<QAbstractButton>(&dialog, "general")->text(), QString("General"));
        Translation::selectLanguage("German");
        QTRY_COMPARE(child<QAbstractButton>(&dialog, "general")->text(), QString("Allgemein"));
    }

    void testDebugLogSwitchActsAtOnceAndCancelKeepsIt()
    {
        const auto window = freshWindow();
        SettingsDialog *dialog = window->settings();
        QSignalSpy enabled(dialog, &SettingsDialog::debuggingEnabled);
        auto *debugLog = child<QAbstractButton>(dialog, "debugLog");
        QVERIFY(child(dialog, "showLogFile")->isHidden());
        QVERIFY(child(window.get(), "debug")->isHidden());

        debugLog->click();
        QCOMPARE(enabled.count(), 1);
        QCOMPARE(enabled.last().first().toBool(), true);
        QVERIFY(debugEnabled);
        QCOMPARE(setting("WriteDebugLog"), QVariant(true));
        QVERIFY(QxtLogger::getInstance()->isLoggerEngine("file"));
        QVERIFY(!child(dialog, "showLogFile")->isHidden());
        QVERIFY(!child(window.get(), "debug")->isHidden());
        QTRY_VERIFY(logFileText().contains("Enabled logging to " + logPath));

        dialog->reject();
        QCOMPARE(setting("WriteDebugLog"), QVariant(true));
        QVERIFY(debugLog->isChecked());

        debugLog->click();
        QCOMPARE(enabled.last().first().toBool(), false);
        QVERIFY(!debugEnabled);
        QCOMPARE(setting("WriteDebugLog"), QVariant(false));
        QVERIFY(!QxtLogger::getInstance()->isLoggerEngine("file"));
        QVERIFY(child(window.get(), "debug")->isHidden());
        // The last line reaches the file before the file is let go.
        QVERIFY(logFileText().contains("Disabled logging to " + logPath));
    }

    void testShowLogFileRevealsItInTheFileManager()
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "filemanager");
        QVERIFY2(bus.isConnected(), "the test runs in a session bus of its own");
        FileManagerStandIn fileManager;
        QVERIFY(bus.registerObject("/org/freedesktop/FileManager1", &fileManager, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.freedesktop.FileManager1"));

        const auto dialog = freshDialog();
        auto *debugLog = child<QAbstractButton>(dialog.get(), "debugLog");
        debugLog->click();
        child<QAbstractButton>(dialog.get(), "showLogFile")->click();
        debugLog->click();
        QTRY_COMPARE(fileManager.shown.size(), 1);
        QCOMPARE(fileManager.shown.first(), QStringList{QUrl::fromLocalFile(logPath).toString()});
        QCOMPARE(fileManager.startupIds.first(), QString());

        // A name with a quote and a space travels as it is.
        const QString odd = QDir::tempPath() + "/a \"quoted\" name.txt";
        SettingsDialog::revealFile(odd);
        QTRY_COMPARE(fileManager.shown.size(), 2);
        QCOMPARE(QUrl(fileManager.shown.last().first()).toLocalFile(), odd);

        // Without a file manager on the bus the folder is opened.
        QVERIFY(bus.unregisterService("org.freedesktop.FileManager1"));
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("file", &recorder, "open");
        SettingsDialog::revealFile(odd);
        QTRY_COMPARE(recorder.opened.size(), 1);
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(recorder.opened.first(), QUrl::fromLocalFile(QDir::tempPath()));
        QCOMPARE(fileManager.shown.size(), 2);
        QDBusConnection::disconnectFromBus("filemanager");
    }

    void testSettingsButtonAndTrayShowTheDialog()
    {
        const auto window = freshWindow();
        SettingsDialog *dialog = window->settings();
        QVERIFY(dialog);
        QVERIFY(!dialog->isVisible());
        child<QAbstractButton>(window.get(), "settings")->click();
        QTRY_VERIFY(dialog->isVisible());
        dialog->reject();
        QVERIFY(!dialog->isVisible());
        // The tray's "Settings".
        window->showSettings();
        QTRY_VERIFY(dialog->isVisible());
        dialog->reject();
    }

    // The keyboard route to a choice: wherever the focus was, it moves to the first one.
    void testSyncPageShownBeforeTheStartUpSyncFocusesItsFirstChoice_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::newRow("a control of the General page") << "startAutomatically";
        QTest::newRow("OK, outside the pages") << "ok";
        QTest::newRow("nothing, the window not active yet") << "";
    }

    void testSyncPageShownBeforeTheStartUpSyncFocusesItsFirstChoice()
    {
        QFETCH(QString, focused);
        const auto window = freshWindow();
        SettingsDialog *dialog = window->settings();
        window->showSettings();
        if (focused == "ok")
            child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->setFocus();
        else if (!focused.isEmpty())
            child<QWidget>(dialog, qPrintable(focused))->setFocus();
        else if (dialog->focusWidget())
            dialog->focusWidget()->clearFocus();
        child<QAbstractButton>(dialog, "sync")->click();
        QCOMPARE(child<QStackedWidget>(dialog, "stackedWidgetSync")->currentIndex(), 0);
        QCOMPARE(dialog->focusWidget(), child<QWidget>(dialog, "googleSync"));
        dialog->reject();
    }

    // Opened before the start-up sync runs, the Sync page keeps the folder being chosen.
    void testFolderChosenDuringTheStartUpSyncIsShown()
    {
        const auto window = freshWindow();
        SettingsDialog *dialog = window->settings();
        window->showSettings();
        child<QAbstractButton>(dialog, "sync")->click();
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        ModalWatcher<QFileDialog> chooser([&](QFileDialog *files) {
            window->startSync();
            files->setDirectory(folder.path());
            static_cast<QDialog *>(files)->accept();
        });
        child<QAbstractButton>(dialog, "folderSync")->click();
        QVERIFY(chooser.answered());
        QCOMPARE(child<QStackedWidget>(dialog, "stackedWidgetSync")->currentIndex(), 2);
        QCOMPARE(child<QLineEdit>(dialog, "syncFolder")->text(), folder.path());
        dialog->reject();
    }

    void testAcceptedSettingsReachTheWindowAtOnce()
    {
        const auto window = freshWindow();
        addClippings({"one", "two"});
        auto *view = child<QListView>(window.get(), "historyView");
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.widget = view;
        const QModelIndex first = view->model()->index(0, 0);
        const int fullHeight = view->itemDelegate()->sizeHint(option, first).height();

        SettingsDialog *dialog = window->settings();
        child<QAbstractButton>(dialog, "compactList")->setChecked(true);
        child<QKeySequenceEdit>(dialog, "shortcut")->setKeySequence(QKeySequence("Ctrl+Alt+K"));
        QSignalSpy changed(dialog, &SettingsDialog::settingsChanged);
        dialog->accept();

        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toBool(), false);
        QVERIFY(view->itemDelegate()->sizeHint(option, first).height() < fullHeight);
        QCOMPARE(window->hotkeyForHistory()->shortcut(), QKeySequence("Ctrl+Alt+K"));
    }

    void testUpdateCheckOfTheWindowDrivesTheBox()
    {
        const auto window = freshWindow();
        SettingsDialog *dialog = window->settings();
        auto *check = child<QAbstractButton>(dialog, "buttonCheckUpdate");
        check->click();
        QVERIFY(!check->isEnabled());
        QVERIFY(!child(dialog, "progressUpdate")->isHidden());
        // The tool beside the test program may be missing (a failed check) or answer nothing.
        QTRY_VERIFY_WITH_TIMEOUT(child(dialog, "progressUpdate")->isHidden(), 15000);
        QVERIFY(check->isEnabled());
        const QString text = child<QLabel>(dialog, "updateLabel")->text();
        QVERIFY2(text == "Update check failed" || text == "No update available", qPrintable(text));
    }

    void testShowOpensTheClipboardMonitor()
    {
        const auto dialog = freshDialog();
        Monitor monitor;
        static_cast<Application *>(qApp)->monitorWindow = &monitor;
        child<QAbstractButton>(dialog.get(), "showMonitor")->click();
        QVERIFY(monitor.isVisible());
        monitor.hide();
    }

    void testReleaseNotesOpenFromTheAboutPage()
    {
        const auto dialog = freshDialog();
        QString shownTitle;
        QTimer::singleShot(0, this, [&shownTitle] {
            QTRY_VERIFY(qobject_cast<ReleaseNotesDialog *>(QApplication::activeModalWidget()));
            shownTitle = QApplication::activeModalWidget()->windowTitle();
            QApplication::activeModalWidget()->close();
        });
        child<QAbstractButton>(dialog.get(), "showReleaseNotes")->click();
        QCOMPARE(shownTitle, QString("Release Notes"));
    }

    void testShowingAgainKeepsEditsAndCancelLeaksNothing()
    {
        const auto dialog = freshDialog();
        setSetting("Applications", QVariantMap{{"Gedit", QPixmap()}});
        auto *list = child<QListWidget>(dialog.get(), "applicationsListWidget");
        QVERIFY(list->isHidden());
        dialog->show();
        QVERIFY(!list->isHidden());
        QVERIFY(child(dialog.get(), "noApplicationsLabel")->isHidden());
        list->item(0)->setData(ExcludeRole, true);
        // The tray's "Settings" while the dialog is open.
        dialog->show();
        QCOMPARE(list->item(0)->data(ExcludeRole), QVariant(true));

        const auto objects = [&dialog] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return dialog->findChildren<QObject *>().size();
        };
        dialog->reject();
        const qsizetype settled = objects();
        for (int round = 0; round < 3; ++round) {
            dialog->show();
            dialog->reject();
        }
        QCOMPARE(objects(), settled);
    }

    // Last: pressing "Update now" ends the event loop.
    void testUpdateNowQuitsThroughTheWindow()
    {
        const auto window = freshWindow();
        SettingsDialog *dialog = window->settings();
        dialog->setUpdateInfo(true, false);
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        watchdog.start(20000);
        QTimer::singleShot(0, dialog, [dialog] { child<QAbstractButton>(dialog, "buttonUpdateNow")->click(); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

int main(int argc, char *argv[])
{
    const int rerun = rerunInOwnSession(argc, argv);
    if (rerun >= 0)
        return rerun;
    return runMainWindowTest<TestSettingsDialog>(argc, argv);
}

#include "tst_settingsdialog.moc"
