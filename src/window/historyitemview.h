#pragma once

#include "sync/synctypes.h"

#include <QImage>
#include <QList>
#include <QListView>
#include <QModelIndex>
#include <QPoint>
#include <QString>
#include <QVariant>

class QKeyEvent;
class SnippetModel;

// The clipboard history list of the main window. It keeps no clipping data of its own: its model is
// the history filter proxy, its rows are drawn and clicked through HistoryItemDelegate, and it turns
// keys, row clicks and context-menu entries into the signals below. The window carries the requests
// out (pasting, removing, locking, replacing, merging); the view never calls into the window.
class HistoryItemView : public QListView
{
    Q_OBJECT

public:
    explicit HistoryItemView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    // The snippet store whose groups "Add to snippets" lists; set by the window after construction.
    SnippetModel *snippetModel;

    // Runs the context menu for the row at a global point, for the view's selection; returns when
    // the menu has closed.
    void showMenu(QModelIndex const &index, QPoint pos);
    // Selects, after the delay, the row where a new unpinned clipping lands.
    void selectAddedItem(int delay);

    // What the key types into the search begun on the list: its printable text when neither Ctrl,
    // Alt nor Meta is held; empty for a blank and for every other key.
    static QString searchText(const QKeyEvent *event);

public slots:
    // The menu of the row's more button: 50 px left of and 10 px below the point.
    void menuClicked(QModelIndex const &index, QPoint pos);
    // The menu at the mouse.
    void menuClicked(QModelIndex const &index);
    // The menu of a search result, placed as by menuClicked(index, pos). It acts on that clipping
    // alone, whatever is selected in the hidden history list.
    void resultMenuClicked(QModelIndex const &index, QPoint pos);
    void modelChanged();

signals:
    void multipleActivated(QList<QModelIndex> const &indexes);
    void normalPaste(QModelIndex const &index);
    void plainText(QModelIndex const &index);
    void typeText(QModelIndex const &index);
    void strippedText(QModelIndex const &index);
    void pasteAsImage(QModelIndex const &index);
    void pasteAsFile(QModelIndex const &index);
    void removeItem(QModelIndex const &index);
    void removeItems(QList<QModelIndex> const &indexes);
    void removeAll();
    void status(SyncStatus status, QString const &text);
    void textAction(QModelIndex const &index, QString const &text);
    void imageAction(QModelIndex const &index, QImage const &image);
    void lockItem(QModelIndex const &index, bool locked);
    void addItem(QString const &text);
    void merge(QList<QModelIndex> const &indexes);
    void reverse(QList<QModelIndex> const &indexes);

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    // A double click is two clicks: the delegate already acts on each release.
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // The menu reads the selection when an entry is triggered.
    friend class HistoryContextMenu;

    void openMenu(const QModelIndex &index, QPoint pos, const QModelIndexList &selection);
    void stepAfter(const QModelIndex &index);
    void stepAfterList(const QList<QModelIndex> &indexes);
    void removeSelected();
    void showMenuAtCurrentRow();
    // The row of the clipping with this id, or an invalid index.
    QModelIndex rowOfClipping(const QVariant &id) const;

    // The id of the clipping that was current when the model began to be reset, until it is
    // current again.
    QVariant m_currentBeforeReset;
};
