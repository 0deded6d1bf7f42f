#include "window/snippetdelegate.h"

#include "history/itemrole.h"
#include "window/rowiconcache.h"
#include "window/rowtext.h"
#include "common/theme.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

QFont viewFont(const QStyleOptionViewItem &option)
{
    return option.widget ? option.widget->font() : option.font;
}

void fillRounded(QPainter *painter, const QRectF &rect, qreal radius, const QColor &colour)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillPath(path, colour);
    painter->restore();
}

const QPixmap &searchResultIcon()
{
    static const QPixmap icon(QStringLiteral(":/icons/images/setting-snippets.png"));
    return icon;
}

} // namespace

SnippetDelegate::SnippetDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QSize SnippetDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    Q_UNUSED(index)
    const int f = QFontMetrics(viewFont(option)).height();
    return QSize(0, int(f * 2 * 1.5));
}

void SnippetDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    paint(painter, option, index, false);
}

void SnippetDelegate::paint(QPainter *painter, const QStyleOptionViewItem &original, const QModelIndex &index,
                            bool fromSearch) const
{
    QStyleOptionViewItem option(original);
    option.state &= ~QStyle::State_HasFocus;
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;

    painter->save();
    if (option.widget)
        painter->setClipRect(QRect(0, 0, option.widget->width(), option.widget->height()));

    if (selected)
        painter->fillRect(r, getColor(COLOR_SELECTED));
    else if (option.state & QStyle::State_MouseOver)
        painter->fillRect(r, getColor(COLOR_HOVER));

    const QRect badge(r.left() + 12, r.top() + (r.bottom() - r.top() - 35) / 2 + 2, 32, 32);
    if (fromSearch) {
        RowIconCache::drawScaled(painter, badge, searchResultIcon());
    } else {
        const QChar letter = index.data(ShortcutRole).toChar();
        if (letter >= QLatin1Char('A') && letter <= QLatin1Char('Z')) {
            fillRounded(painter, badge, 5, getColor(selected ? COLOR_TEXT_SECONDARY : COLOR_SELECTED));
            painter->save();
            painter->setPen(getColor(selected ? COLOR_BACKGROUND : COLOR_TEXT_SECONDARY));
            QFont font = painter->font();
            font.setPixelSize(22);
            painter->setFont(font);
            // Drawn twice, a pixel apart, for a heavier letter.
            painter->drawText(badge, Qt::AlignCenter, QString(letter));
            painter->drawText(badge.translated(1, 0), Qt::AlignCenter, QString(letter));
            painter->restore();
        }
    }

    int chips = 0;
    const QString hotkey = index.data(HotkeyRole).toString();
    if (!hotkey.isEmpty())
        chips += drawChip(painter, option, hotkey, 0);
    const QString keyword = index.data(ExpanderRole).toString();
    if (!keyword.isEmpty())
        chips += drawChip(painter, option, keyword, chips);

    const QFont font = viewFont(option);
    const QFontMetrics metrics(font);
    painter->setFont(font);
    const bool hidden = index.data(HideRole).toBool();
    const int L = r.left() + 56;
    const int titleWidth = r.right() - r.left() - 55 - chips;
    const int B = hidden ? r.bottom() : r.top() + (r.bottom() - r.top() + 1) / 2 - 1;
    const int height = B - r.top() + 1;

    painter->setPen(getColor(COLOR_TEXT));
    painter->drawText(QRect(L, r.top(), titleWidth, height),
                      Qt::AlignLeft | Qt::TextSingleLine | (hidden ? Qt::AlignVCenter : Qt::AlignBottom),
                      RowText::elided(metrics, index.data(Qt::DisplayRole).toString(), titleWidth));

    if (!hidden) {
        const int previewWidth = r.right() - r.left() - 55;
        painter->setPen(getColor(COLOR_TEXT_SECONDARY));
        painter->drawText(QRect(L, r.top() + (r.bottom() - r.top() + 1) / 2, previewWidth, height),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          RowText::elidedOneLiner(metrics, index.data(TextRole).toString(), previewWidth));
    }

    painter->restore();
}

int SnippetDelegate::drawChip(QPainter *painter, const QStyleOptionViewItem &option, QString text, int offset) const
{
    QFont font = viewFont(option);
    font.setPointSize(10);
    const QFontMetrics metrics(font);
    const int tw = metrics.horizontalAdvance(text);
    const int fh = metrics.height();
    const QRect r = option.rect;
    const QRect chip(r.right() - 16 - offset - tw, r.top() + 4, tw + 10, fh + 4);
    const bool selected = option.state & QStyle::State_Selected;

    painter->save();
    fillRounded(painter, chip, 8, getColor(selected ? COLOR_TEXT_SECONDARY : COLOR_SELECTED));
    painter->setPen(getColor(selected ? COLOR_BACKGROUND : COLOR_TEXT_SECONDARY));
    painter->setFont(font);
    painter->drawText(chip, Qt::AlignCenter, text);
    painter->restore();
    return tw + 20;
}

bool SnippetDelegate::isLeftRelease(const QEvent *event)
{
    return event->type() == QEvent::MouseButtonRelease
        && static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
}

bool SnippetDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                  const QModelIndex &index)
{
    // Groups are never activated.
    if (isLeftRelease(event) && index.isValid() && index.parent().isValid()) {
        if (auto *view = qobject_cast<QAbstractItemView *>(const_cast<QWidget *>(option.widget)))
            emit view->activated(index);
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
