#pragma once

#include <QListWidget>

class QSettings;

// The action list of the settings dialog's actions page. What the dialog calls on it is all here;
// the rows (edit, hide, bind, delete) come with the action editor, and until then the dialog keeps
// the page's button hidden.
class ActionList : public QListWidget
{
    Q_OBJECT

public:
    explicit ActionList(QWidget *parent = nullptr);

    // Rebuilds the rows from the action files.
    void scanFiles();
    // Writes "HiddenActions" and "ActionShortcuts" from the rows; the dialog's OK calls it.
    void saveSettings(QSettings &settings);
};
