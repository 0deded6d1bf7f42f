#include "window/historyitemdelegate.h"

#include "history/historyitemmodel.h"
#include "window/historyitemview.h"
#include "history/itemrole.h"
#include "window/rowiconcache.h"
#include "window/rowtext.h"
#include "common/theme.h"
#include "common/utils.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QSortFilterProxyModel>

namespace {

const QString PinIcon = QStringLiteral(":/icons/images/ic_pin.svg");
const QString PinOffIcon = QStringLiteral(":/icons/images/ic_pin-off.svg");
const QString PadlockIcon = QStringLiteral(":/icons/images/padlock.svg");
const QString ThumbnailIcon = QStringLiteral(":/icons/images/thumbnail.svg");
const QString NextIcon = QStringLiteral(":/icons/images/next.svg");
const QString RichTextIcon = QStringLiteral(":/icons/images/rtf.svg");
const QString MoreIcon = QStringLiteral(":/icons/images/ic_more.svg");

// The parts of a row that paint() draws and editorEvent() hit-tests.
struct RowGeometry
{
    int s;
    QRect box;
    int w2;
    int h2;
    QRect moreColumn;
};

RowGeometry geometryOf(const QRect &r, bool compact)
{
    RowGeometry g;
    g.s = compact ? 20 : 31;
    const int t = r.top() + (r.bottom() - g.s - r.top()) / 2;
    g.box = QRect(QPoint(r.left() + 10, t), QPoint(r.left() + 10 + g.s, t + g.s));
    g.w2 = (g.s + 1) / 2;
    g.h2 = (g.s + 1) / 2;
    g.moreColumn = QRect(QPoint(r.right() - 30, r.top()), QPoint(r.right(), r.bottom()));
    return g;
}

const QWidget *surfaceOf(const QWidget *widget)
{
    const auto *area = qobject_cast<const QAbstractScrollArea *>(widget);
    return area ? area->viewport() : widget;
}

// The mouse in the coordinates of the rows.
QPoint mouseIn(const QWidget *widget)
{
    if (!widget)
        return QPoint(-1000000, -1000000);
    return surfaceOf(widget)->mapFromGlobal(QCursor::pos());
}

bool isImageType(int type)
{
    return type == 1 || type == 2;
}

void togglePin(HistoryItemView *view, const QModelIndex &index)
{
    auto *proxy = qobject_cast<QSortFilterProxyModel *>(view->model());
    auto *history = proxy ? qobject_cast<HistoryItemModel *>(proxy->sourceModel()) : nullptr;
    if (!history)
        return;
    const QModelIndex moved = history->togglePin(proxy->mapToSource(index));
    if (!moved.isValid())
        return;
    const QModelIndex shown = proxy->mapFromSource(moved);
    view->setCurrentIndex(shown);
    view->scrollTo(shown, QAbstractItemView::EnsureVisible);
}

} // namespace

HistoryItemDelegate::HistoryItemDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
    reloadSettings();
}

void HistoryItemDelegate::reloadSettings()
{
    const QSettings settings = Utils::settings();
    const bool compact = settings.value("CompactList", false).toBool();
    m_pasteNextShortcut = !settings.value("ShortcutPasteNext").toString().isEmpty();
    if (compact != m_compactList) {
        m_compactList = compact;
        emit sizeHintChanged(QModelIndex());
    }
}

QSize HistoryItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int f = option.widget ? option.widget->fontMetrics().height() : option.fontMetrics.height();
    const int k = m_compactList ? 1 : 2;
    double height = f * k * 1.5;
    if (isImageType(index.data(TypeRole).toInt()))
        height *= 2;
    return QSize(0, int(height));
}

void HistoryItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool compact = m_compactList;
    const bool richText = !index.data(HtmlRole).toString().isEmpty();
    const QRect r = option.rect;
    const RowGeometry g = geometryOf(r, compact);
    const QWidget *widget = option.widget;

    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    if (widget)
        painter->setClipRect(QRect(0, 0, widget->width(), widget->height()));

    bool highlighted = false;
    if (option.state & QStyle::State_Selected) {
        painter->fillRect(r, getColor(COLOR_SELECTED));
        highlighted = true;
    } else if (option.state & QStyle::State_MouseOver) {
        painter->fillRect(r, getColor(COLOR_HOVER));
        highlighted = true;
    }

    const auto *view = qobject_cast<const QAbstractItemView *>(widget);
    const bool single = !view || !view->selectionModel() || view->selectionModel()->selection().size() < 2;

    // Icon box: the application's icon, or the pin and the offer to pin or unpin under the mouse.
    const QPoint mouse = mouseIn(widget);
    const bool pinned = index.data(Qt::CheckStateRole).toBool();
    const bool overPin = g.box.contains(mouse) && (option.state & QStyle::State_MouseOver);
    if (pinned) {
        RowIconCache::drawSvg(painter, overPin ? PinOffIcon : PinIcon, g.box);
    } else if (overPin) {
        RowIconCache::drawSvg(painter, PinIcon, g.box);
    } else {
        RowIconCache::drawScaled(painter, g.box, qvariant_cast<QPixmap>(index.data(Qt::DecorationRole)));
    }

    if (index.data(LockedRole).toBool()) {
        const QRect badge(QPoint(g.box.left() + g.w2 + 4, g.box.top() - 2),
                          QPoint(g.box.left() + 2 * g.w2 + 3, g.box.top() + g.h2 - 3));
        RowIconCache::drawSvg(painter, PadlockIcon, badge);
    }

    int textLeft = r.left() + g.s + 21;
    if (isImageType(index.data(TypeRole).toInt())) {
        const int H = r.bottom() - r.top() + 1;
        const int W = (4 * H) / 3;
        const int x0 = r.left() + g.s + 21;
        const QImage thumbnail = qvariant_cast<QImage>(index.data(ThumbnailRole));
        if (!thumbnail.isNull()) {
            RowIconCache::drawScaled(painter, QRect(x0, r.top(), W, H), thumbnail);
        } else {
            const QRect placeholder(QPoint(x0 + H / 4, r.top() + H / 4), QPoint(x0 + W - H / 4 - 1, r.bottom() - H / 4));
            RowIconCache::drawSvg(painter, ThumbnailIcon, placeholder);
        }
        textLeft += W + 10;
    }

    if (m_pasteNextShortcut) {
        if (const auto *proxy = qobject_cast<const QSortFilterProxyModel *>(index.model())) {
            auto *history = qobject_cast<HistoryItemModel *>(proxy->sourceModel());
            if (history && history->getNextIndex() == proxy->mapToSource(index)) {
                const QRect badge(QPoint(g.box.left() - 2, g.box.top() - 2),
                                  QPoint(g.box.left() + g.w2 - 3, g.box.top() + g.h2 - 3));
                RowIconCache::drawSvg(painter, NextIcon, badge);
            }
        }
    }

    const bool moreShown = highlighted && single;
    int inset = 0;
    if (richText)
        inset -= 24;
    if (moreShown)
        inset -= 30;
    const int L = textLeft;
    const int width = r.right() + inset - L + 1;
    const int B = compact ? r.bottom() : r.top() + (r.bottom() - r.top() + 1) / 2 - 1;
    const QFontMetrics metrics = painter->fontMetrics();

    painter->setPen(getColor(COLOR_TEXT));
    const QString brief = RowText::elided(metrics, index.data(Qt::DisplayRole).toString(), width);
    painter->drawText(QRect(L, r.top(), width, B - r.top() + 1),
                      Qt::AlignLeft | Qt::TextSingleLine | (compact ? Qt::AlignVCenter : Qt::AlignBottom), brief);

    if (richText) {
        const int tw = metrics.horizontalAdvance(brief);
        RowIconCache::drawSvg(painter, RichTextIcon, QRect(QPoint(L + tw, r.top() + 5), QPoint(L + tw + 23, r.top() + 28)),
                              0.5);
    }

    if (!compact) {
        painter->setPen(getColor(COLOR_TEXT_SECONDARY));
        const int hh = (r.bottom() - r.top() + 1) / 2;
        const QString age =
            metrics.elidedText(Utils::dateTimeToDuration(index.data(TimeRole).toDateTime()), Qt::ElideRight, width);
        painter->drawText(QRect(L, r.top() + hh, width, B - r.top() + 1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          age);
    }

    if (moreShown) {
        if (!g.moreColumn.contains(mouse))
            painter->setOpacity(0.5);
        const QRect square(r.right() - 30, r.top() + (r.bottom() - r.top() + 1 - 31) / 2, 31, 31);
        const int margin = int(31 * 0.3);
        RowIconCache::drawSvg(painter, MoreIcon, square.adjusted(margin, margin, -margin, -margin));
        painter->setOpacity(1.0);
    }

    painter->restore();
}

bool HistoryItemDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                      const QModelIndex &index)
{
    if (event->type() == QEvent::MouseMove)
        return true;
    if (event->type() != QEvent::MouseButtonRelease)
        return QStyledItemDelegate::editorEvent(event, model, option, index);

    // The menu and the pin change the rows; the index must not outlive that as a plain row number.
    const QPersistentModelIndex target(index);
    auto *view = qobject_cast<HistoryItemView *>(const_cast<QWidget *>(option.widget));
    if (view) {
        const auto *mouseEvent = static_cast<QMouseEvent *>(event);
        const QPoint p = mouseEvent->position().toPoint();
        const QRect r = option.rect;
        const RowGeometry g = geometryOf(r, m_compactList);
        if (g.moreColumn.contains(p)) {
            view->menuClicked(index, surfaceOf(view)->mapToGlobal(g.moreColumn.center()));
        } else if (r.contains(p)) {
            if (g.box.contains(mouseIn(view))) {
                togglePin(view, index);
            } else if (mouseEvent->button() == Qt::LeftButton) {
                emit view->activated(index);
            } else if (mouseEvent->button() == Qt::MiddleButton) {
                emit view->plainText(index);
            } else if (mouseEvent->button() == Qt::RightButton) {
                view->menuClicked(index);
            }
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, target);
}
