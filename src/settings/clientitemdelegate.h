#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

// One computer of the sync page's client list: the icon of its platform, its name, and how long
// ago it was seen. No background, selection or focus is drawn.
class ClientItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit ClientItemDelegate(QAbstractItemView *view);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The icon of a platform named by the notification service; empty for any other name.
    static QString iconOf(const QString &type);

private:
    QAbstractItemView *m_view;
};
