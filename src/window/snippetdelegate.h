#pragma once

#include <QStyledItemDelegate>

// Draws a snippet row: the shortcut-letter badge, the title, a one-line preview unless the snippet
// hides its content, and chips for its hotkey and keyword. The left button released over a snippet
// row activates it on the view that is the style option's widget.
class SnippetDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit SnippetDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

    // fromSearch: the row is a search result, marked with the snippet icon instead of the letter.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index, bool fromSearch) const;
    // The click that pastes a row: a release of the left button. The right and middle buttons paste
    // nothing by accident.
    static bool isLeftRelease(const QEvent *event);
    // Draws one chip `offset` pixels left of the row's right end; returns the room it took.
    int drawChip(QPainter *painter, const QStyleOptionViewItem &option, QString text, int offset) const;
};
