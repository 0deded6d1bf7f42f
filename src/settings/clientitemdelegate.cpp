#include "settings/clientitemdelegate.h"

#include "common/utils.h"
#include "history/itemrole.h"
#include "widgets/svgicons.h"

#include <QAbstractItemView>
#include <QDateTime>
#include <QPainter>

namespace {

const int ClientIconSize = 32;
const int IconLeft = 10;
const int TextLeft = 52;

} // namespace

ClientItemDelegate::ClientItemDelegate(QAbstractItemView *view)
    : QStyledItemDelegate(view)
    , m_view(view)
{
}

QString ClientItemDelegate::iconOf(const QString &type)
{
    if (type == "Android")
        return ":/icons/images/ic_android.svg";
    if (type == "Mac")
        return ":/icons/images/ic_apple.svg";
    if (type == "Windows")
        return ":/icons/images/ic_windows.svg";
    return QString();
}

void ClientItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->setClipRect(m_view->rect());

    const QRect &row = option.rect;
    const QString icon = iconOf(index.data(ApplicationRole).toString());
    if (!icon.isEmpty())
        Utils::renderSvg(icon, painter, QRect(row.left() + IconLeft, row.top() + (row.height() - ClientIconSize) / 2, ClientIconSize, ClientIconSize), true);

    const int half = row.height() / 2;
    const QRect upper(row.left() + TextLeft, row.top(), row.width() - row.height() - TextLeft, half);
    const QRect lower(upper.left(), row.top() + half, upper.width(), half);
    const QFontMetrics metrics(painter->font());

    painter->setPen(option.palette.color(QPalette::Text));
    painter->drawText(upper, Qt::AlignLeft | Qt::AlignBottom,
                      metrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight, upper.width()));

    painter->setPen(QColor("#AAAAAA"));
    const QString seen = Utils::dateTimeToDuration(index.data(TimeRole).toDateTime().toUTC());
    painter->drawText(lower, Qt::AlignLeft | Qt::AlignTop, metrics.elidedText(seen, Qt::ElideRight, lower.width()));
    painter->restore();
}

QSize ClientItemDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return QSize(0, int(m_view->fontMetrics().height() * 2 * 1.5));
}
