#pragma once

#include <QJsonObject>
#include <QListWidget>
#include <QString>

class QMenu;
class QSettings;

// The actions page of the settings dialog: one row per listed action with its badges and a menu
// to view or edit it, bind or unbind its global shortcut, hide it from the history window's menu
// or show it there, and delete it. Edits and deletions act on the files at once; hidden flags
// and shortcuts live in the rows until the dialog is accepted.
class ActionList : public QListWidget
{
    Q_OBJECT

public:
    explicit ActionList(QWidget *parent = nullptr);

    // Rebuilds the rows from the action files, keeping hidden flags and shortcuts not saved yet,
    // and writes "Actions".
    void scanFiles();
    // Writes "HiddenActions" and "ActionShortcuts" from the rows; the dialog's OK calls it.
    void saveSettings(QSettings &settings);
    // Rows again as stored: the dialog's Cancel drops hidden flags and shortcuts not saved.
    void reload();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QListWidgetItem *createItem(const QString &key, const QJsonObject &action, bool hidden, const QString &shortcut);
    QListWidgetItem *updateItem(QListWidgetItem *old, const QString &key, const QJsonObject &action);
    void updateItemWidget(QListWidgetItem *item);
    void updateSizeHint(QListWidgetItem *item);
    QWidget *createItemWidget(QListWidgetItem *item);
    QMenu *createMenu(QListWidgetItem *item, QWidget *parent);

    void editAction(QListWidgetItem *item);
    void setShortcut(QListWidgetItem *item);
    void deleteAction(QListWidgetItem *item);
};
