#include "history/historysnapshot.h"

#include "common/compactjson.h"
#include "common/utils.h"
#include "history/clippingitem.h"
#include "history/itemrole.h"

#include <QHash>
#include <QPixmap>
#include <QStandardItem>
#include <QStringList>

#include <algorithm>

namespace {

void appendBool(QByteArray &out, bool value)
{
    out.append(value ? "true" : "false");
}

} // namespace

std::shared_ptr<const SavedClipping> HistorySnapshot::rowOf(const QStandardItem *item)
{
    if (item->type() == ClippingItem::Type)
        return static_cast<const ClippingItem *>(item)->saved();
    return readRow(item);
}

std::shared_ptr<const SavedClipping> HistorySnapshot::readRow(const QStandardItem *item)
{
    const ClippingItem *fast = item->type() == ClippingItem::Type ? static_cast<const ClippingItem *>(item) : nullptr;
    auto row = std::make_shared<SavedClipping>();
    ClippingRecord &out = row->record;
    out.application = ClippingItem::applicationOf(item);
    out.brief = fast ? fast->brief() : item->data(Qt::DisplayRole).toString();
    out.changed = fast ? fast->changedText() : Utils::storedTime(item->data(ChangedRole).toDateTime());
    out.fileName = fast ? fast->fileName() : item->data(FileNameRole).toString();
    out.html = fast ? fast->html() : item->data(HtmlRole).toString();
    out.id = fast ? fast->idText() : ClippingItem::idOf(item).toString();
    out.text = ClippingItem::textOf(item);
    out.time = fast ? fast->timeText() : Utils::storedTime(item->data(TimeRole).toDateTime());
    out.type = ClippingItem::typeOf(item);
    out.locked = ClippingItem::isLockedItem(item);
    out.pinned = ClippingItem::isPinnedItem(item);
    out.removed = ClippingItem::isRemovedItem(item);
    row->icon = fast ? fast->iconText() : iconText(item->data(Qt::DecorationRole).value<QPixmap>());
    return row;
}

QString HistorySnapshot::iconText(const QPixmap &icon)
{
    const QString text = icon.isNull() ? QString() : Utils::pixmapToString(icon);
    return text.isNull() ? QString("") : text;
}

QByteArray HistorySnapshot::toJson() const
{
    // The first row of an application gives its icon: walked from the last row, the first one
    // is the last to be stored. A removed row keeps no application, so it gives none.
    QHash<QString, const QString *> icons;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        if (!(*it)->record.removed)
            icons.insert((*it)->record.application, &(*it)->icon);
    }
    QStringList applications = icons.keys();
    // QJsonObject orders its keys by UTF-16 code units, as QString's operator< does.
    std::sort(applications.begin(), applications.end());

    QByteArray out;
    out.reserve(qsizetype(rows.size()) * 700 + 64);

    // Members in the order QJsonDocument writes them: sorted by key.
    out.append("{\"clippings\":[");
    bool firstRow = true;
    for (const auto &saved : rows) {
        const ClippingRecord &row = saved->record;
        if (!firstRow)
            out.append(',');
        firstRow = false;
        out.append("{\"application\":");
        CompactJson::appendString(out, row.application);
        out.append(",\"brief\":");
        CompactJson::appendString(out, row.brief);
        if (!row.changed.isEmpty()) {
            out.append(",\"changed\":");
            CompactJson::appendString(out, row.changed);
        }
        if (!row.fileName.isEmpty()) {
            out.append(",\"filename\":");
            CompactJson::appendString(out, row.fileName);
        }
        out.append(",\"html\":");
        CompactJson::appendString(out, row.html);
        out.append(",\"id\":");
        CompactJson::appendString(out, row.id);
        out.append(",\"locked\":");
        appendBool(out, row.locked);
        out.append(",\"pinned\":");
        appendBool(out, row.pinned);
        out.append(",\"removed\":");
        appendBool(out, row.removed);
        out.append(",\"text\":");
        CompactJson::appendString(out, row.text);
        out.append(",\"time\":");
        CompactJson::appendString(out, row.time);
        out.append(",\"type\":");
        out.append(QByteArray::number(row.type));
        out.append('}');
    }

    out.append("],\"icons\":{");
    bool firstIcon = true;
    for (const QString &application : std::as_const(applications)) {
        if (!firstIcon)
            out.append(',');
        firstIcon = false;
        CompactJson::appendString(out, application);
        out.append(':');
        CompactJson::appendString(out, *icons.value(application));
    }
    out.append("},\"magic\":");
    out.append(QByteArray::number(Magic));
    // Only when there are any: a history without them is stored as it always was.
    if (!removals.empty()) {
        out.append(",\"removedItems\":{");
        for (size_t i = 0; i < removals.size(); ++i) {
            if (i > 0)
                out.append(',');
            CompactJson::appendString(out, removals[i].first);
            out.append(':');
            CompactJson::appendString(out, removals[i].second);
        }
        out.append('}');
    }
    out.append(",\"version\":");
    out.append(QByteArray::number(Version));
    out.append('}');
    return out;
}
