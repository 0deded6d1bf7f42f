#pragma once

#include <QListWidget>
#include <QSet>
#include <QString>

class QMenu;
class QSettings;

// The applications page of the settings dialog: one row per application something was copied from,
// with the rules the user attached to it (keep out of the history, drop images, plain text only,
// clear style, never expand keywords, delay expansion). The rules live in the rows until the dialog
// is accepted; showing the dialog again rebuilds the rows from the store.
class ApplicationsList : public QListWidget
{
    Q_OBJECT

public:
    explicit ApplicationsList(QWidget *parent = nullptr);

    // Rebuilds the rows from "Applications" and the rule lists.
    void updateApplications();
    // Writes the rule lists from the rows, and drops the applications the user removed.
    void saveSettings(QSettings &settings);
    void updateItemWidget(QListWidgetItem *item);
    // New texts for every row, keeping the rules not saved yet.
    void retranslateUi();

private:
    QWidget *createItemWidget(QListWidgetItem *item);
    QMenu *createMenu(QListWidgetItem *item, QWidget *parent);

    // Only these names leave "Applications" on save, so an application first seen while the
    // dialog was open keeps its entry.
    QSet<QString> m_removed;
};
