#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <memory>

class QAbstractButton;
class QLineEdit;
class QSettings;
class SnippetModel;
class Sync;

namespace Ui {
class SettingsDialog;
}

// The settings window: a column of page buttons over the general, history, snippets, sync,
// applications, actions and about pages. It loads every control from the settings store, writes
// them back on OK and reverts on Cancel. The snippets page, the sync page, the applications list
// and the action list are widgets of their own, hosted in their pages; OK and Cancel reach them
// through the calls in onAccepted() and onRejected().
//
// Three things take effect before OK: a theme radio (applied at once, stored by OK, kept by
// Cancel), a language from the combo (applied at once, undone by Cancel) and the debug-log switch
// (applied and stored at once).
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    SettingsDialog(QWidget *parent, SnippetModel *model, Sync *sync);
    ~SettingsDialog() override;

    // Writes every missing main key, then applies the stored theme and language. Runs once at start,
    // before anything reads a setting; a stored value is never replaced.
    static void updateDefaultSettings();

    // The result of an update check the main window ran.
    void setUpdateInfo(bool hasUpdates, bool hasError);

    // Makes the program start at login, or not, as "Start automatically" says.
    void setAutoStart();
    // Shows the file in the file manager.
    static void revealFile(QString path);

    void setVisible(bool visible) override;
    // Closes the dialog as OK does, unless a history limit typed is not one.
    void accept() override;

signals:
    void settingsChanged(bool encryptionChanged);
    void debuggingEnabled(bool enable);
    // "Check for update" and "Update now": the main window runs the update tool.
    void updateCheckRequested();
    void updateNowRequested();

public slots:
    // An update check started.
    void checkUpdate();
    void syncClicked();
    void onAccepted();
    void onRejected();
    void setLightTheme();
    void setDarkTheme();
    void setAutomaticTheme();
    void updateControls();
    // Loads every control from the settings store.
    void initialize();
    void showAllReleaseNotes();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showPage(QAbstractButton *button, int index);
    void switchDebugLog(bool enabled);
    void showMonitor();
    void addAction();
    void applyThemeToWindows();
    void saveOwnSettings(QSettings &settings);
    std::array<QLineEdit *, 3> historyLimitEdits() const;
    void setVersionTitle();
    void centreOnScreen();
    void translateInitialSelection();
    void updateAbout();
    void showUpdateText();
    void updateTheme();

    std::unique_ptr<Ui::SettingsDialog> ui;
    SnippetModel *m_model = nullptr;
    Sync *m_sync = nullptr;
    // The form sends change events while it is being built; they must not reach it half made.
    bool m_formReady = false;
    // The update box's result, untranslated; none while idle or checking.
    const char *m_updateText = nullptr;
};
