#pragma once

#include <QStyledItemDelegate>

// Draws one history row (application icon or pin, thumbnail, brief with its badges, age, and the
// "more" button of the selected or hovered row) and turns mouse releases on a row into the actions
// of the HistoryItemView that is the style option's widget: paste, plain-text paste, menu, pin.
//
// A row repaints on every mouse move over the list, so the two settings it depends on are read
// once, and again by reloadSettings(): the window calls it when the settings dialog was accepted.
class HistoryItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit HistoryItemDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

public slots:
    // Reads "CompactList" and "ShortcutPasteNext" again; a change of the row height relays the list out.
    void reloadSettings();

private:
    bool m_compactList = false;
    bool m_pasteNextShortcut = false;
};
