#include "history/historysnapshot.h"

#include "common/compactjson.h"

namespace {

void appendBool(QByteArray &out, bool value)
{
    out.append(value ? "true" : "false");
}

} // namespace

QByteArray HistorySnapshot::toJson() const
{
    QByteArray out;
    out.reserve(qsizetype(rows.size()) * 700 + 64);

    // Members in the order QJsonDocument writes them: sorted by key.
    out.append("{\"clippings\":[");
    bool firstRow = true;
    for (const ClippingRecord &row : rows) {
        if (!firstRow)
            out.append(',');
        firstRow = false;
        out.append("{\"application\":");
        CompactJson::appendString(out, row.application);
        out.append(",\"brief\":");
        CompactJson::appendString(out, row.brief);
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
    for (const auto &icon : icons) {
        if (!firstIcon)
            out.append(',');
        firstIcon = false;
        CompactJson::appendString(out, icon.first);
        out.append(':');
        CompactJson::appendString(out, icon.second);
    }
    out.append("},\"magic\":");
    out.append(QByteArray::number(Magic));
    out.append(",\"version\":");
    out.append(QByteArray::number(Version));
    out.append('}');
    return out;
}
