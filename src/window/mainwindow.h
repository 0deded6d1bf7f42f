#pragma once

#include "clipboard/clipboardtools.h"
#include "common/version.h"
#include "widgets/movableandresizable.h"
#include "sync/synctypes.h"

#include <QList>
#include <QModelIndex>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class HistoryItemDelegate;
class KeyReleaseGuard;
class QHotkey;
class QPushButton;
class QTimer;
class SearchModel;
class SettingsDialog;
class Sync;

namespace QtAutoUpdater {
class Updater;
}

namespace Ui {
class MainWindow;
}

// The history window: a frameless, always-on-top list of the clipboard history, the snippet groups
// and a search page. It is also where the models, the sync engine and the global hotkeys are joined.
// Its sources are split by concern: construction and wiring (mainwindow.cpp), showing, hiding and
// keys (mainwindowkeyboard.cpp), pasting (mainwindowpaste.cpp), hotkeys (mainwindowhotkeys.cpp),
// appearance (mainwindowappearance.cpp), status line and exit (mainwindowstatus.cpp).
class MainWindow : public MovableAndResizable
{
    Q_OBJECT

public:
    static inline const QString &Version = ProgramVersion::Version;
    static inline const QString &Build = ProgramVersion::Build;

    MainWindow();
    ~MainWindow() override;

    // Public: the application object hides an unpinned window when the program loses the focus.
    QPushButton *pinRight = nullptr;

    void setShortcuts();
    void setActionShortcuts();
    void updateTheme();
    void updateHeaderButtons();
    int currentView() const;
    void pasteImage(QModelIndex index, bool asFile);
    void activateTargetWindow();
    void pasteText(QModelIndex index, PasteTextType type, bool typeIt);
    void typeText(QModelIndex index);
    // The update checker belongs to owner.
    void checkForUpdates(QObject *owner);
    // The snippets' hotkeys and keywords, and the action titles the history menu lists: the first
    // window needs none of them.
    void startSnippetsAndActions();
    // Sets up the sync target and runs the first pass.
    void startSync();
    void updateNow();
    void enableReleaseNotesButton();
    void clearHistory();
    // The sync of a document changed moments ago runs now, within a bounded time.
    void syncBeforeQuit();

    // Shown and not yet given the focus: a deactivation reported now is older than the showing
    // (X11 reports a focus loss late) and must not hide the window.
    bool awaitingActivation() const;

    // The settings-changed handler: what accepting the settings dialog changes in this window.
    void applySettings(bool encryptionChanged);

    // What the window owns, read-only for its callers.
    SearchModel *searchResults() const { return searchModel; }
    // Made on first use: the first window does not need it.
    SettingsDialog *settings();
    QList<QHotkey *> actionHotkeyList() const { return actionHotkeys; }
    QHotkey *hotkeyForHistory() const { return historyHotkey; }
    QHotkey *hotkeyForPlainText() const { return plainTextHotkey; }
    QHotkey *hotkeyForPasteNext() const { return pasteNextHotkey; }
    QHotkey *hotkeyForSelectionUp() const { return selectionUpHotkey; }
    QHotkey *hotkeyForSelectionDown() const { return selectionDownHotkey; }

    // Where a window of this size stored at `stored` comes back: the same place, moved only as far
    // as needed to keep its visible frame (inside `margin`) on the available area.
    static QPoint restoredPosition(QPoint stored, QSize size, QRect available, int margin);
    // Where a window placed at `placed` goes so that the pointer falls inside `list` (a rectangle
    // of the window): moved as little as that takes, then kept on the available area as above.
    static QPoint pointerOnList(QPoint pointer, QPoint placed, QRect list, QSize size, QRect available, int margin);

    // The text typed for one step of "Type Text": the first character of `text`, a surrogate pair
    // taken whole so characters outside the Basic Multilingual Plane are typed intact.
    static QString nextTypedCharacter(const QString &text);

public slots:
    void closeWindow();
    void showHistory();
    // Opened from the tray: beside the pointer, which is on the icon, so the window never covers
    // the icon that the next click or menu goes to.
    void showHistoryFromTray();
    void hideHistory();
    void toggleHistory();
    void pinHistory();
    void syncAll(SyncDirection direction);
    void setStatus(SyncStatus status, QString text);
    void snippetActivated(QModelIndex index);
    void showReleaseNotes();
    void historyItemActivated(QModelIndex index, bool usePlainText);
    void historyItemsActivated(QList<QModelIndex> indexes);
    void mergeItems(QList<QModelIndex> indexes);
    void showView(int index);
    void snippetsLoaded();
    void selectionUp();
    void selectionDown();
    void pasteNext();

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    // Space and Return typed on the history list while letters wait to become a search, and text
    // an input method composes there.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Construction (mainwindow.cpp).
    void connectHistoryView();
    void connectSnippetView();
    void connectSearchPage();
    void restoreGeometry();

    // Keys and pages (mainwindowkeyboard.cpp).
    void showSearchPageAfterTyping();
    void toggleSearchPage();
    void leaveSearchPage();
    void focusSearchResults();
    // Typed on the history list: the search page follows once typing pauses.
    void appendToSearch(const QString &text);
    // Return in the search field: the current result, or the first when none is picked.
    void activateSearchResult();
    void rememberSnippet(const QModelIndex &snippet);
    enum class Placement { PointerOnList, BesidePointer };
    void openHistory(Placement placement);
    void placeAtPointer(QPoint pointer, Placement placement);
    void applyInitialSelection();
    void setTitleTexts();
    // Shows or hides one of the header's notice buttons (mainwindowappearance.cpp).
    static void showNotice(QPushButton *button, const QString &iconPath, bool visible);
    void keepPlace();

    // Pasting (mainwindowpaste.cpp).
    void searchResultActivated(QModelIndex index);
    void hideUnlessPinned();
    static QString joinedTexts(const QList<QModelIndex> &indexes);
    static Qt::KeyboardModifiers heldModifiers();
    bool usePlainTextFor() const;

    // Hotkeys (mainwindowhotkeys.cpp).
    // Runs the action at once, or once the user has let go of the hotkey's modifiers.
    void whenHotkeyReleased(const std::function<void()> &action);
    void runAction(const QString &action, const QString &shortcut);
    void moveSelection(int step);

    // Status (mainwindowstatus.cpp).
    void openDebugLog();

    Ui::MainWindow *ui;
    SearchModel *searchModel = nullptr;
    QHotkey *historyHotkey = nullptr;
    QHotkey *plainTextHotkey = nullptr;
    QHotkey *pasteNextHotkey = nullptr;
    QHotkey *selectionUpHotkey = nullptr;
    QHotkey *selectionDownHotkey = nullptr;
    SettingsDialog *settingsDialog = nullptr;
    // Kept to refresh its cached settings when the settings dialog is accepted.
    HistoryItemDelegate *historyDelegate = nullptr;
    Sync *sync = nullptr;
    QTimer *statusTimer = nullptr;
    QTimer *searchTimer = nullptr;
    KeyReleaseGuard *keyReleaseGuard = nullptr;
    QtAutoUpdater::Updater *updater = nullptr;
    QList<QHotkey *> actionHotkeys;
    // Where the window was put when shown, or dragged to. On X11 the window manager may report a
    // wrong place for a window mapped again, so pos() is not what is stored.
    QPoint m_placedAt;
    bool m_awaitingActivation = false;

    // ---- Tray menu and update check (mainwindowstatus.cpp) ----
public:
    // The tray menu's "Settings": whatever the window's own settings button does.
    void showSettings();

private:
    void updateCheckDone(bool hasUpdates, bool hasError);
    // What the settings dialog's update box shows, kept for a dialog made later.
    enum class UpdateCheck { NotAsked, Running, Done };
    UpdateCheck m_updateCheck = UpdateCheck::NotAsked;
    bool m_updateAvailable = false;
    bool m_updateCheckFailed = false;
    // ---- End of tray menu and update check ----
};
