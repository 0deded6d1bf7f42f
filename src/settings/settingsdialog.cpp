// SettingsDialog: construction, loading and storing the controls, OK and Cancel, the update box,
// the theme and the about page. Start at login and the file manager are in settingsdialoglogin.cpp.
#include "settings/settingsdialog.h"
#include "ui_settingsdialog.h"

#include "actions/actioneditor.h"
#include "actions/actionlist.h"
#include "settings/releasenotesdialog.h"
#include "common/settingsfile.h"
#include "common/defaultsettings.h"
#include "common/globals.h"
#include "common/iconresources.h"
#include "common/theme.h"
#include "common/translation.h"
#include "common/version.h"
#include "common/utils.h"
#include "logging/qxtbasicfileloggerengine.h"
#include "logging/qxtlogger.h"
#include "platform/platform.h"
#include "settings/applicationslist.h"
#include "settings/programwindows.h"
#include "settings/snippetspage.h"
#include "settings/syncsettings.h"
#include "snippets/snippetmodel.h"

#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QStyle>

#include <array>
#include <optional>

namespace {

// When this version was built, shown on the about page.
const char *const BuildTime = "2025-06-02T08:00:00.000Z";
const char *const SupportAddress = "support@morva.org";

const std::array<const char *, 3> InitialSelections{
    QT_TRANSLATE_NOOP("SettingsDialog", "First"),
    QT_TRANSLATE_NOOP("SettingsDialog", "Second"),
    QT_TRANSLATE_NOOP("SettingsDialog", "Next"),
};

// Indexes of the stacked pages.
const int GeneralPage = 0;
const int HistoryPage = 1;
const int SyncPage = 3;

// A limit of the history page: its key, the smallest value that makes sense, and what the user is
// told when the field holds less or no number.
struct HistoryLimit
{
    const char *key;
    int minimum;
    const char *why;
};

// In the order of SettingsDialog::historyLimitEdits().
const std::array<HistoryLimit, 3> HistoryLimits{{
    {"IgnoreSize", 1,
     QT_TRANSLATE_NOOP("SettingsDialog", "The size limit must be at least 1 kB: a smaller one would ignore every text. "
                                         "The stored number is kept.")},
    {"IgnoreLength", 0, QT_TRANSLATE_NOOP("SettingsDialog", "Type a number of characters. The stored number is kept.")},
    {"KeepItems", 1,
     QT_TRANSLATE_NOOP("SettingsDialog", "Keep at least 1 item in the history: fewer would delete every clipping. The "
                                         "stored number is kept.")},
}};

// A history limit typed by the user, when it is one.
std::optional<int> historyLimit(const QString &text, int minimum)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < minimum)
        return std::nullopt;
    return value;
}

QKeySequence storedShortcut(const QSettings &settings, const char *key)
{
    return QKeySequence(settings.value(key).toString(), QKeySequence::NativeText);
}

} // namespace

void SettingsDialog::updateDefaultSettings()
{
    QSettings settings = Utils::settings();
    // Only absent keys are written: writing back a present key changes nothing but makes the
    // store rewrite its file, with its lock, at every start.
    for (const DefaultSetting &setting : defaultSettings()) {
        if (!settings.contains(setting.key))
            settings.setValue(setting.key, setting.value);
    }

    const int theme = settings.value("Theme").toInt();
    if (theme != 2)
        setTheme(THEME(theme));
    else
        setTheme(isDarkMode() ? THEME_DARK : THEME_LIGHT);

    if (!settings.contains("Language"))
        settings.setValue("Language", defaultLanguage());
    Translation::selectLanguage(settings.value("Language").toString());
    SettingsFile::commit(settings);
}

SettingsDialog::SettingsDialog(QWidget *parent, SnippetModel *model, Sync *sync)
    : QDialog(parent)
    , ui(std::make_unique<Ui::SettingsDialog>())
    , m_model(model)
    , m_sync(sync)
{
    registerIconResources();
    ui->setupUi(this);
    setVersionTitle();
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    ui->snippetsPage->setModel(model);

    const std::array<QAbstractButton *, 7> pageButtons{ui->general, ui->history, ui->snippets, ui->sync,
                                                       ui->applications, ui->actions, ui->about};
    for (size_t index = 0; index < pageButtons.size(); ++index) {
        QAbstractButton *button = pageButtons[index];
        if (button == ui->sync)
            connect(button, &QAbstractButton::clicked, this, &SettingsDialog::syncClicked);
        else
            connect(button, &QAbstractButton::clicked, this, [this, button, index] { showPage(button, int(index)); });
    }

    connect(this, &QDialog::accepted, this, &SettingsDialog::onAccepted);
    connect(this, &QDialog::rejected, this, &SettingsDialog::onRejected);

    connect(ui->lightTheme, &QAbstractButton::clicked, this, &SettingsDialog::setLightTheme);
    connect(ui->darkTheme, &QAbstractButton::clicked, this, &SettingsDialog::setDarkTheme);
    connect(ui->automaticTheme, &QAbstractButton::clicked, this, &SettingsDialog::setAutomaticTheme);

    connect(ui->showReleaseNotes, &QAbstractButton::clicked, this, &SettingsDialog::showAllReleaseNotes);
    connect(ui->addAction, &QAbstractButton::clicked, this, &SettingsDialog::addAction);
    connect(ui->showMonitor, &QAbstractButton::clicked, this, &SettingsDialog::showMonitor);

    ui->language->addItems(Translation::getLanguages());
    connect(ui->language, &QComboBox::textActivated, this, [](const QString &language) {
        Translation::selectLanguage(language);
    });

    ui->progressUpdate->init(true);
    ui->stackedWidget->setCurrentIndex(GeneralPage);

    ui->showLogFile->setVisible(debugEnabled);
    ui->debugLog->setChecked(debugEnabled);
    connect(ui->debugLog, &QAbstractButton::clicked, this, &SettingsDialog::switchDebugLog);
    connect(ui->showLogFile, &QAbstractButton::clicked, this, [] { revealFile(logPath); });

    for (const char *text : InitialSelections)
        ui->initialSelection->addItem(tr(text));

    ui->buttonUpdateNow->hide();
    ui->progressUpdate->hide();
    connect(ui->buttonCheckUpdate, &QAbstractButton::clicked, this, &SettingsDialog::updateCheckRequested);
    connect(ui->buttonUpdateNow, &QAbstractButton::clicked, this, &SettingsDialog::updateNowRequested);

    QPalette toolPalette = ui->toolBackground->palette();
    toolPalette.setBrush(QPalette::All, QPalette::Window, palette().color(QPalette::Window).darker(110));
    ui->toolBackground->setPalette(toolPalette);
    ui->label_11->setPixmap(QPixmap(":/icons/images/application.png")
                                .scaled(256, 256, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    m_formReady = true;
    ui->syncPage->setSync(sync);
    initialize();
    updateControls();
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::showPage(QAbstractButton *button, int index)
{
    for (QAbstractButton *other : ui->toolBackground->findChildren<QAbstractButton *>())
        other->setChecked(false);
    ui->stackedWidget->setCurrentIndex(index);
    button->setChecked(true);
    // The page buttons take no focus, and the stack moves it only when it stood on the page just
    // hidden: an OK button, or a window not active yet, would keep it out of the chosen page.
    QWidget *page = ui->stackedWidget->widget(index);
    for (QWidget *w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()
            && w->isVisibleTo(page) && w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

void SettingsDialog::syncClicked()
{
    // Settled before it is shown, so that the focus moves to one of its choices: before the
    // start-up sync it still stands on the waiting page it was made with.
    ui->syncPage->clicked();
    showPage(ui->sync, SyncPage);
}

void SettingsDialog::initialize()
{
    const QSettings settings = Utils::settings();
    ui->startAutomatically->setChecked(settings.value("StartAutomatically").toBool());
    ui->openOnMouse->setChecked(settings.value("OpenOnMouse").toBool());
    ui->keepTab->setChecked(settings.value("KeepTab").toBool());
    ui->shortcut->setKeySequence(storedShortcut(settings, "Shortcut"));
    ui->shortcutPlainText->setKeySequence(storedShortcut(settings, "ShortcutPlainText"));
    ui->shortcutPasteNext->setKeySequence(storedShortcut(settings, "ShortcutPasteNext"));
    ui->ignoreSize->setText(settings.value("IgnoreSize").toString());
    ui->ignoreLength->setText(settings.value("IgnoreLength").toString());
    ui->keepItems->setText(settings.value("KeepItems").toString());
    ui->historyLimitWarning->hide();
    ui->sendCrashDumps->setChecked(settings.value("SendDumps").toBool());

    const int theme = settings.value("Theme").toInt();
    if (theme == 1)
        ui->lightTheme->setChecked(true);
    else if (theme == 2)
        ui->automaticTheme->setChecked(true);
    else
        ui->darkTheme->setChecked(true);

    ui->addImages->setChecked(settings.value("IncludeImages").toBool());
    ui->pastePlainText->setChecked(settings.value("PastePlainText").toBool());
    ui->clearHistory->setChecked(settings.value("ClearHistory").toBool());
    ui->compactList->setChecked(settings.value("CompactList").toBool());
    ui->initialSelection->setCurrentIndex(settings.value("InitialSelection").toInt());

    const QString language = settings.value("Language").toString();
    if (Translation::getLanguages().contains(language))
        ui->language->setCurrentText(language);
    else
        ui->language->setCurrentText(QLocale::languageToString(QLocale::English));

    ui->snippetsPage->initialize();
    updateAbout();
    updateTheme();
    ui->syncPage->initialize();
}

void SettingsDialog::saveOwnSettings(QSettings &settings)
{
    settings.setValue("StartAutomatically", ui->startAutomatically->isChecked());
    settings.setValue("OpenOnMouse", ui->openOnMouse->isChecked());
    settings.setValue("KeepTab", ui->keepTab->isChecked());
    settings.setValue("Shortcut", ui->shortcut->keySequence().toString(QKeySequence::PortableText));
    settings.setValue("ShortcutPlainText", ui->shortcutPlainText->keySequence().toString(QKeySequence::PortableText));
    settings.setValue("ShortcutPasteNext", ui->shortcutPasteNext->keySequence().toString(QKeySequence::PortableText));

    const std::array<QLineEdit *, 3> limits = historyLimitEdits();
    for (size_t i = 0; i < limits.size(); ++i) {
        if (const std::optional<int> value = historyLimit(limits[i]->text(), HistoryLimits[i].minimum))
            settings.setValue(HistoryLimits[i].key, *value);
    }

    settings.setValue("SendDumps", ui->sendCrashDumps->isChecked());
    settings.setValue("IncludeImages", ui->addImages->isChecked());
    settings.setValue("ClearHistory", ui->clearHistory->isChecked());
    settings.setValue("PastePlainText", ui->pastePlainText->isChecked());
    ui->snippetsPage->saveSettings(settings);
    settings.setValue("CompactList", ui->compactList->isChecked());
    settings.setValue("InitialSelection", ui->initialSelection->currentIndex());

    if (ui->lightTheme->isChecked())
        settings.setValue("Theme", 1);
    else if (ui->darkTheme->isChecked())
        settings.setValue("Theme", 0);
    else if (ui->automaticTheme->isChecked())
        settings.setValue("Theme", 2);
    settings.setValue("Language", ui->language->currentText());
}

std::array<QLineEdit *, 3> SettingsDialog::historyLimitEdits() const
{
    return {ui->ignoreSize, ui->ignoreLength, ui->keepItems};
}

void SettingsDialog::accept()
{
    // A limit that is not one is never stored (Keep 0 items would delete the whole history): the
    // field shows the stored number again, the page says why, and the dialog stays open.
    const QSettings settings = Utils::settings();
    const std::array<QLineEdit *, 3> limits = historyLimitEdits();
    QStringList reasons;
    QLineEdit *first = nullptr;
    for (size_t i = 0; i < limits.size(); ++i) {
        QLineEdit *edit = limits[i];
        const QString typed = edit->text();
        if (historyLimit(typed, HistoryLimits[i].minimum))
            continue;
        edit->setText(settings.value(HistoryLimits[i].key).toString());
        // A stored value that is not one either was not typed now: it stays as it is.
        if (edit->text() == typed)
            continue;
        reasons.append(tr(HistoryLimits[i].why));
        if (!first)
            first = edit;
    }
    ui->historyLimitWarning->setText(reasons.join('\n'));
    ui->historyLimitWarning->setVisible(first != nullptr);
    if (first) {
        showPage(ui->history, HistoryPage);
        first->setFocus();
        return;
    }
    QDialog::accept();
}

void SettingsDialog::onAccepted()
{
    QSettings settings = Utils::settings();
    saveOwnSettings(settings);
    const bool encryptionChanged = ui->syncPage->onAccepted();
    ui->actionList->saveSettings(settings);
    ui->applicationsListWidget->saveSettings(settings);
    SettingsFile::commit(settings);

    emit settingsChanged(encryptionChanged);
    setAutoStart();
    if (m_model) {
        m_model->save(true, nullptr);
        m_model->updateShortcuts();
    }
}

void SettingsDialog::onRejected()
{
    if (m_model)
        m_model->load();
    ui->syncPage->onRejected();
    ui->actionList->reload();
    initialize();
    updateControls();
    Translation::selectLanguage(Utils::settings().value("Language").toString());
}

void SettingsDialog::updateControls()
{
    const bool hasApplications = ui->applicationsListWidget->count() > 0;
    ui->applicationsListWidget->setVisible(hasApplications);
    ui->noApplicationsLabel->setVisible(!hasApplications);
    ui->snippetsPage->updateControls();
    ui->syncPage->updateControls();
}

void SettingsDialog::setVisible(bool visible)
{
    const bool wasVisible = isVisible();
    // Qt would centre the dialog over its parent, the history window, hidden wherever it was last
    // shown, and push it into the screen's corner; it opens centred, then where the user left it.
    if (visible && !wasVisible && (!testAttribute(Qt::WA_Moved) || !QGuiApplication::screenAt(geometry().center())))
        centreOnScreen();
    QDialog::setVisible(visible);
    // Showing an open dialog again must not throw away the rules being edited.
    if (!visible || wasVisible)
        return;
    ui->snippetsPage->prepareToShow();
    ui->applicationsListWidget->updateApplications();
    updateControls();
}

void SettingsDialog::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Longer texts of a language may make the dialog larger than its form.
    const QSize shown = size().expandedTo(minimumSizeHint());
    move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, shown, screen->availableGeometry()).topLeft());
}

void SettingsDialog::changeEvent(QEvent *event)
{
    if (m_formReady && event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        // The form's own title is a placeholder; the window always carries the program's version.
        setVersionTitle();
        translateInitialSelection();
        ui->syncPage->retranslateUi();
        ui->snippetsPage->retranslateUi();
        ui->actionList->scanFiles();
        ui->applicationsListWidget->retranslateUi();
        updateAbout();
        showUpdateText();
    }
    QDialog::changeEvent(event);
}

void SettingsDialog::setVersionTitle()
{
    setWindowTitle(QString("Kestovan v%1.%2").arg(ProgramVersion::Version, ProgramVersion::Build));
}

void SettingsDialog::translateInitialSelection()
{
    for (int index = 0; index < int(InitialSelections.size()); ++index)
        ui->initialSelection->setItemText(index, tr(InitialSelections[size_t(index)]));
}

void SettingsDialog::setLightTheme()
{
    setTheme(THEME_LIGHT);
    applyThemeToWindows();
}

void SettingsDialog::setDarkTheme()
{
    setTheme(THEME_DARK);
    applyThemeToWindows();
}

void SettingsDialog::setAutomaticTheme()
{
    setTheme(isDarkMode() ? THEME_DARK : THEME_LIGHT);
    applyThemeToWindows();
}

void SettingsDialog::applyThemeToWindows()
{
    if (auto *windows = qobject_cast<ProgramWindows *>(qApp))
        windows->applyThemeToWindows();
}

void SettingsDialog::updateTheme()
{
    ui->snippetsPage->updateTheme();
}

void SettingsDialog::showMonitor()
{
    if (auto *windows = qobject_cast<ProgramWindows *>(qApp))
        windows->showMonitor();
}

void SettingsDialog::addAction()
{
    {
        ActionEditor editor(this, nullptr);
        editor.exec();
    }
    // Whatever the editor's result: the list and "Actions" follow the files.
    ui->actionList->scanFiles();
}

void SettingsDialog::showAllReleaseNotes()
{
    ReleaseNotesDialog dialog(this);
    dialog.exec();
}

void SettingsDialog::switchDebugLog(bool enabled)
{
    QxtLogger *logger = QxtLogger::getInstance();
    if (enabled) {
        if (!logger->isLoggerEngine("file"))
            logger->addLoggerEngine("file", new QxtBasicFileLoggerEngine(logPath));
        logger->info("Enabled logging to " + logPath);
    } else {
        // Said before the file goes, so that the log shows where it ends.
        logger->info("Disabled logging to " + logPath);
        logger->removeLoggerEngine("file");
    }
    ui->showLogFile->setVisible(enabled);

    Utils::settings().setValue("WriteDebugLog", enabled);
    debugEnabled = enabled;
    emit debuggingEnabled(enabled);
}

void SettingsDialog::checkUpdate()
{
    ui->buttonCheckUpdate->setEnabled(false);
    m_updateText = nullptr;
    ui->updateLabel->clear();
    ui->progressUpdate->show();
}

void SettingsDialog::setUpdateInfo(bool hasUpdates, bool hasError)
{
    ui->progressUpdate->hide();
    if (hasError) {
        m_updateText = QT_TR_NOOP("Update check failed");
        ui->buttonCheckUpdate->setEnabled(true);
    } else if (hasUpdates) {
        m_updateText = QT_TR_NOOP("Updated version is available");
        ui->buttonUpdateNow->show();
        ui->buttonCheckUpdate->hide();
    } else {
        m_updateText = QT_TR_NOOP("No update available");
        ui->buttonCheckUpdate->setEnabled(true);
    }
    showUpdateText();
}

void SettingsDialog::showUpdateText()
{
    // Kept as its source, so that a language chosen later translates it too.
    if (m_updateText)
        ui->updateLabel->setText(tr(m_updateText));
}

void SettingsDialog::updateAbout()
{
    QDateTime built = QDateTime::fromString(BuildTime, "yyyy-MM-dd'T'hh:mm:ss.zzz'Z'");
    built.setTimeSpec(Qt::UTC);

    QString about = tr("Kestovan, the clipboard manager of the Morva developers.") + "<br><br>";
    about += tr("Version: %1.%2<br>").arg(ProgramVersion::Version, ProgramVersion::Build);
    about += tr("Build on %1<br><br>").arg(Translation::locale().toString(built, QLocale::LongFormat));
    about += tr("Feature requests and bug reports can be sent to:<br>");
    about += QString("<a href=\"mailto:%1\">%1</a>").arg(SupportAddress);
    ui->labelAbout->setText(about);
    ui->labelKestovan->setText("Kestovan");
}
