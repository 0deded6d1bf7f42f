#pragma once

#include "widgets/custommenu.h"

#include <QModelIndexList>
#include <QPersistentModelIndex>

#include <functional>

class HistoryItemView;
class QIcon;

// The context menu of a history row: the paste variants, editing, text extraction, locking, copying
// into a snippet group, user actions and removal, or the operations on a multiple selection. It is
// built afresh for each opening. Most entries only emit a signal of the view; editing, extraction,
// snippets and actions are carried out here.
//
// Entries hold the clipping as a persistent index: a clipping captured while the menu is open moves
// the rows, and the entry must still act on the clipping the menu was opened for.
class HistoryContextMenu : public CustomMenu
{
    Q_OBJECT

public:
    // selection: the rows the menu is about (the view's selection, or the one search result).
    HistoryContextMenu(HistoryItemView *view, const QModelIndex &index, const QModelIndexList &selection);

    // The user's visible actions for the clipping, built-in actions first.
    static void addActionEntries(QMenu *menu, HistoryItemView *view, const QModelIndex &index);

private:
    QAction *addEntry(QMenu *menu, const QIcon &icon, const QString &text, std::function<void()> handler);
    void addTextEntries();
    void addImageEntries();
    void addCommonEntries();
    void addSelectionEntries(bool noImage);

    void editText();
    void editImage();
    void extractTexts();
    // The cached picture of the clipping, or empty (with failure logged) when its name is unsafe.
    QString imagePath(const char *failure) const;
    void addToSnippets(const QPersistentModelIndex &group);
    void reverseSelection();

    static void runAction(HistoryItemView *view, const QPersistentModelIndex &index, const QString &key,
                          const QString &title);

    HistoryItemView *m_view;
    QPersistentModelIndex m_index;
};
