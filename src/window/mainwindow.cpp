// MainWindow: construction and wiring.
#include "window/mainwindow.h"
#include "ui_mainwindow.h"

#include "actions/actioncatalogue.h"
#include "common/globals.h"
#include "common/guardedcall.h"
#include "history/historyfiltermodel.h"
#include "window/dialogsabovewindow.h"
#include "window/historyitemdelegate.h"
#include "window/keyreleaseguard.h"
#include "history/historyitemmodel.h"
#include "hotkey/qhotkey.h"
#include "common/iconresources.h"
#include "platform/platform.h"
#include "window/searchdelegate.h"
#include "window/searchmodel.h"
#include "settings/settingsdialog.h"
#include "window/snippetdelegate.h"
#include "snippets/inputmanager.h"
#include "snippets/snippetmodel.h"
#include "sync/sync.h"
#include "common/utils.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QDebug>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QThreadPool>
#include <QTimer>

namespace {
const QSize DemoSize(500, 500);
const QSize DefaultSize(400, 500);
} // namespace

MainWindow::MainWindow()
    : MovableAndResizable(nullptr)
    , ui(new Ui::MainWindow)
{
    registerIconResources();
    SettingsDialog::updateDefaultSettings();
    QSettings settings = Utils::settings();

    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint);
    // Asked once: the window keeps the look it was built with. Without a compositing manager
    // nothing shows through it, and the window manager maps an opaque window sooner.
    const bool composited = compositingActive();
    setAttribute(Qt::WA_TranslucentBackground, composited);
    setAttribute(Qt::WA_MacAlwaysShowToolWindow);

    ui->setupUi(this);

    ui->centralWidget->layout()->setContentsMargins(8, 8, 8, 8);
    ui->warning->hide();
    ui->releaseNotes->hide();
    // On Linux buttons take the Tab focus; letters typed afterwards must still reach the lists.
    ui->warning->setFocusPolicy(Qt::NoFocus);
    ui->releaseNotes->setFocusPolicy(Qt::NoFocus);

    statusTimer = new QTimer(this);
    // One timeout per notice: a repeating timer would also hide a later busy line.
    statusTimer->setSingleShot(true);
    connect(statusTimer, &QTimer::timeout, ui->status, &QWidget::hide);
    ui->status->hide();

    searchTimer = new QTimer(this);
    connect(searchTimer, &QTimer::timeout, this, &MainWindow::showSearchPageAfterTyping);
    // Keys picked in the window's menus and boxes are released here; they must not act twice.
    keyReleaseGuard = new KeyReleaseGuard(this);
    // While typed letters wait to become a search, Space and Return on the list belong to it.
    ui->historyView->installEventFilter(this);
    new DialogsAboveWindow(this);

    // Started by startSync() once the window is up.
    sync = new Sync(this);
    connect(sync, &Sync::syncStatus, this, &MainWindow::setStatus);

    pinRight = ui->pinRight;
    ui->closeRight->hide();
    ui->pinLeft->hide();
    ui->title->setAlignment(Qt::AlignCenter);
    QFont titleFont = ui->title->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    ui->title->setFont(titleFont);
    showInAllSpaces(this);
    setTitleTexts();

    connect(ui->closeLeft, &QPushButton::clicked, this, &MainWindow::closeWindow);
    connect(ui->pinRight, &QPushButton::clicked, this, &MainWindow::pinHistory);
    connect(ui->warning, &QPushButton::clicked, this, [] { checkAccessibility(true); });
    connect(ui->releaseNotes, &QPushButton::clicked, this, &MainWindow::showReleaseNotes);

    historyDelegate = new HistoryItemDelegate(this);
    ui->historyView->setItemDelegate(historyDelegate);
    ui->historyView->setAttribute(Qt::WA_MouseTracking);
    ui->historyView->viewport()->setAttribute(Qt::WA_Hover);
    ui->historyView->setAttribute(Qt::WA_MacShowFocusRect, false);

    // Every style sheet set on the window lays the lists out afresh: set before they hold rows.
    updateTheme();

    HistoryItemModel::initialize(this, sync, ui->header);
    ui->historyView->setModel(HistoryItemModel::proxyInstance());
    HistoryItemModel::instance()->load();
    connectHistoryView();

    SnippetModel::initialize(this, sync);
    ui->snippetsSubView->setModel(SnippetModel::instance());
    ui->historyView->snippetModel = SnippetModel::instance();

    auto *snippetDelegate = new SnippetDelegate(this);
    ui->snippetsSubView->setItemDelegate(snippetDelegate);
    ui->snippetsSubView->setAttribute(Qt::WA_MouseTracking);
    ui->snippetsSubView->viewport()->setAttribute(Qt::WA_Hover);
    ui->snippetsSubView->setAttribute(Qt::WA_MacShowFocusRect, false);

    connect(SnippetModel::instance(), &SnippetModel::modelLoaded, this, &MainWindow::snippetsLoaded);
    SnippetModel::instance()->load();
    connectSnippetView();

    searchModel = new SearchModel(this, HistoryItemModel::proxyInstance());
    ui->searchView->setModel(searchModel);
    ui->searchView->setItemDelegate(new SearchDelegate(this, historyDelegate, snippetDelegate, ui->historyView));
    ui->searchView->historyView = ui->historyView;
    ui->searchView->setAttribute(Qt::WA_MouseTracking);
    ui->searchView->viewport()->setAttribute(Qt::WA_Hover);
    ui->searchView->setAttribute(Qt::WA_MacShowFocusRect, false);
    connectSearchPage();

    connect(ui->header, &HeaderCarousel::selected, this, &MainWindow::showView);
    connect(ui->header, &HeaderCarousel::filterChanged, HistoryItemModel::proxyInstance(),
            &QSortFilterProxyModel::invalidate);

    selectionUpHotkey = new QHotkey(QKeySequence("CTRL+SHIFT+UP"), false, this);
    connect(selectionUpHotkey, &QHotkey::activated, this, &MainWindow::selectionUp);
    selectionUpHotkey->setRegistered(false);
    selectionDownHotkey = new QHotkey(QKeySequence("CTRL+SHIFT+DOWN"), false, this);
    connect(selectionDownHotkey, &QHotkey::activated, this, &MainWindow::selectionDown);
    selectionDownHotkey->setRegistered(false);
    historyHotkey = new QHotkey(this);
    connect(historyHotkey, &QHotkey::activated, this, &MainWindow::showHistory);
    plainTextHotkey = new QHotkey(this);
    connect(plainTextHotkey, &QHotkey::activated, this,
            [this] { whenHotkeyReleased([] { ClipboardTools::pastePlainTextFromClipboard(); }); });
    pasteNextHotkey = new QHotkey(this);
    connect(pasteNextHotkey, &QHotkey::activated, this, [this] { whenHotkeyReleased([this] { pasteNext(); }); });
    setShortcuts();
    setActionShortcuts();

    connect(ui->settings, &QPushButton::clicked, this, [this] {
        SettingsDialog *dialog = this->settings();
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    });

    ui->searchEdit->setAttribute(Qt::WA_MacShowFocusRect, false);
    connect(ui->search, &QPushButton::clicked, this, &MainWindow::toggleSearchPage);
    connect(ui->clear, &QPushButton::clicked, this, &MainWindow::leaveSearchPage);
    connect(ui->searchEdit, &SearchEdit::leave, this, &MainWindow::focusSearchResults);
    connect(ui->searchEdit, &SearchEdit::returnReleased, this, &MainWindow::activateSearchResult);
    connect(ui->debug, &QPushButton::clicked, this, &MainWindow::openDebugLog);
    ui->debug->setVisible(debugEnabled);

    // The drop shadow needs a compositing manager; without one the margin would be a black frame.
    setShadowFrame(ui->centralWidget, ui->widget, composited);
    ui->widget->setAutoFillBackground(true);

    restoreGeometry();
    m_placedAt = pos();

    // Titles first: the carousel has nothing to select while it has none (the snippet file may
    // have failed to load, so snippetsLoaded never set them).
    updateHeaderButtons();
    ui->header->select(0);
    ui->stackedWidgetTop->setCurrentIndex(0);
    ui->header->setMinimumHeight(28);
    ui->statusIcon->setFixedSize(16, 16);
    ui->statusProgress->setFixedSize(16, 16);
    ui->clear->setFixedSize(24, 24);
    ui->searchArea->layout()->setContentsMargins(6, 4, 6, 4);

    updateHeaderButtons();

    if (perfTestEnabled) {
        settings.setValue("KeepItems", 1000);
        settings.setValue("IncludeImages", true);
        settings.setValue("SyncHistory", false);
        settings.setValue("SyncSnippets", false);
        settings.setValue("SyncActions", false);
        HistoryItemModel::instance()->generateRandomItems(1000);
        SnippetModel::instance()->generateRandomItems(100, 100);
        updateHeaderButtons();
    }
}

MainWindow::~MainWindow()
{
    for (QHotkey *hotkey : std::as_const(actionHotkeys)) {
        hotkey->setRegistered(false);
        delete hotkey;
    }
    actionHotkeys.clear();
    delete ui;
}

void MainWindow::startSnippetsAndActions()
{
    SnippetModel::instance()->updateHotkeysAndKeywords();
    // The history menu and snippet placeholders find the actions in "Actions"; the settings
    // dialog, made only when opened, rewrites it whenever its list changes. Many or large action
    // files must not hold the tray icon and the first copies, so they are read off this thread.
    QThreadPool::globalInstance()->start([titles = GuardedCall(this)] {
        const QList<ActionCatalogue::Entry> entries = ActionCatalogue::listedActions();
        titles.post([entries] {
            QSettings settings = Utils::settings();
            ActionCatalogue::writeTitles(settings, entries);
        });
    });
}

void MainWindow::startSync()
{
    // Opened early, the settings' Sync page may already have set the engine to the user's choice,
    // a folder still being chosen or a sign-in still under way; the stored target would undo it.
    if (!sync->isInitialized())
        sync->initialize(Utils::settings().value("SyncTarget").toString(), ReportState, Sync::mapSettings());
    sync->syncAll(BothWays);
}

SettingsDialog *MainWindow::settings()
{
    if (settingsDialog)
        return settingsDialog;
    settingsDialog = new SettingsDialog(this, SnippetModel::instance(), sync);
    connect(settingsDialog, &SettingsDialog::settingsChanged, this, &MainWindow::applySettings);
    connect(settingsDialog, &SettingsDialog::debuggingEnabled, ui->debug, &QWidget::setVisible);
    connect(settingsDialog, &SettingsDialog::updateCheckRequested, this, [this] { checkForUpdates(qApp); });
    connect(settingsDialog, &SettingsDialog::updateNowRequested, this, &MainWindow::updateNow);
    if (m_updateCheck == UpdateCheck::Running)
        settingsDialog->checkUpdate();
    else if (m_updateCheck == UpdateCheck::Done)
        settingsDialog->setUpdateInfo(m_updateAvailable, m_updateCheckFailed);
    return settingsDialog;
}

void MainWindow::setTitleTexts()
{
    ui->title->setText("Kestovan");
    ui->version->setText(QString("v%1.%2").arg(Version, Build));
    ui->warning->setToolTip(tr("The application is not trusted. You are not able to paste to other applications."));
}

void MainWindow::connectHistoryView()
{
    HistoryItemView *view = ui->historyView;
    HistoryItemModel *history = HistoryItemModel::instance();
    HistoryFilterModel *proxy = HistoryItemModel::proxyInstance();

    connect(view, &HistoryItemView::activated, this,
            [this](const QModelIndex &index) { historyItemActivated(index, usePlainTextFor()); });
    connect(view, &HistoryItemView::multipleActivated, this, &MainWindow::historyItemsActivated);
    connect(view, &HistoryItemView::status, this, &MainWindow::setStatus);
    connect(view, &HistoryItemView::normalPaste, this,
            [this](const QModelIndex &index) { historyItemActivated(index, false); });
    connect(view, &HistoryItemView::plainText, this,
            [this](const QModelIndex &index) { pasteText(index, PlainText, false); });
    connect(view, &HistoryItemView::typeText, this,
            [this](const QModelIndex &index) { pasteText(index, PlainText, true); });
    connect(view, &HistoryItemView::strippedText, this,
            [this](const QModelIndex &index) { pasteText(index, StrippedText, false); });
    connect(view, &HistoryItemView::pasteAsImage, this,
            [this](const QModelIndex &index) { pasteImage(index, false); });
    connect(view, &HistoryItemView::pasteAsFile, this,
            [this](const QModelIndex &index) { pasteImage(index, true); });
    connect(view, &HistoryItemView::removeItem, history, &HistoryItemModel::markItemAsRemoved);
    connect(view, &HistoryItemView::removeItems, history, &HistoryItemModel::markItemsAsRemoved);
    connect(view, &HistoryItemView::removeAll, history, &HistoryItemModel::markAllAsRemoved);
    // The model takes indexes of its own rows; the view's are rows of the filter proxy.
    connect(view, &HistoryItemView::textAction, history, [history, proxy](const QModelIndex &index, const QString &text) {
        history->updateItem(proxy->mapToSource(index), text);
    });
    connect(view, &HistoryItemView::imageAction, history, [history, proxy](const QModelIndex &index, const QImage &image) {
        history->updateItem(proxy->mapToSource(index), image);
    });
    connect(history, &HistoryItemModel::clippingAdded, view, &HistoryItemView::modelChanged);
    connect(history, &HistoryItemModel::clippingNotRecorded, this, [this](const QString &reason) { setStatus(SyncStatus::Failed, reason); });
    connect(view, &HistoryItemView::lockItem, history, [history, proxy](const QModelIndex &index, bool locked) {
        history->lockItem(proxy->mapToSource(index), locked);
    });
    connect(view, &HistoryItemView::addItem, history, [history](const QString &text) {
        history->addText(text, QString(), QPixmap(":/icons/images/setting-actions.png"), "Kestovan");
    });
    connect(view, &HistoryItemView::merge, this, &MainWindow::mergeItems);
    connect(view, &HistoryItemView::reverse, history, &HistoryItemModel::reverseItems);
}

void MainWindow::connectSnippetView()
{
    connect(ui->snippetsSubView, &SnippetView::activated, this, &MainWindow::snippetActivated);
    // Snippet hotkeys paste once the hotkey is let go, like the window's own hotkeys.
    connect(SnippetModel::instance(), &SnippetModel::snippetActivated, this, [this](const QModelIndex &index) {
        const QPersistentModelIndex snippet(index);
        whenHotkeyReleased([this, snippet] { snippetActivated(snippet); });
    });
    connect(ui->snippetsSubView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected, const QItemSelection &) {
                if (!selected.isEmpty())
                    rememberSnippet(selected.first().topLeft());
            });
}

void MainWindow::connectSearchPage()
{
    connect(ui->searchEdit, &QLineEdit::textChanged, searchModel, &SearchModel::setFilter);
    connect(ui->searchView, &SearchView::activated, this, &MainWindow::searchResultActivated);
}

QPoint MainWindow::restoredPosition(QPoint stored, QSize size, QRect available, int margin)
{
    // The window's own corner is stored, margin included, so it comes back unchanged when the
    // visible frame fits; only a screen that shrank since pulls it in.
    const int minX = available.left() - margin;
    const int minY = available.top() - margin;
    const int maxX = available.right() + 1 + margin - size.width();
    const int maxY = available.bottom() + 1 + margin - size.height();
    return QPoint(qMax(minX, qMin(stored.x(), maxX)), qMax(minY, qMin(stored.y(), maxY)));
}

void MainWindow::restoreGeometry()
{
    const QSettings settings = Utils::settings();
    QSize size = DemoSize;
    if (!demoEnabled) {
        size = settings.value("WindowSize", DefaultSize).toSize();
        if (!size.isValid() || size.isEmpty())
            size = DefaultSize;
    }
    // Resized first, so the position is kept inside the screen with the size the window will have.
    resize(size);
    if (!settings.contains("WindowPos"))
        return;
    const QPoint stored = settings.value("WindowPos").toPoint();
    const QScreen *screen = QGuiApplication::screenAt(stored);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen) {
        move(stored);
        return;
    }
    const int margin = ui->centralWidget->layout()->contentsMargins().left();
    move(restoredPosition(stored, size, screen->availableGeometry(), margin));
}

int MainWindow::currentView() const
{
    return ui->header->current();
}

void MainWindow::applySettings(bool encryptionChanged)
{
    historyDelegate->reloadSettings();
    setShortcuts();
    HistoryItemModel::instance()->updateExcludeList();
    InputManager::instance()->updateApplications();
    const int tab = currentView();
    updateHeaderButtons();
    ui->header->select(tab);
    setActionShortcuts();
    SnippetModel::instance()->updateHotkeysAndKeywords();

    // A changed row height reaches the lists through the delegate's sizeHintChanged; what a row
    // shows may change without its height (the paste-next mark), so every list is drawn again.
    for (QAbstractItemView *view : findChildren<QAbstractItemView *>())
        view->viewport()->update();

    if (encryptionChanged)
        sync->resyncAll();
    sync->syncAll(BothWays);
}
