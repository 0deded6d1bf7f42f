#include "history/loadedclippings.h"

#include "common/slicedwork.h"
#include "common/utils.h"
#include "history/clippingitem.h"
#include "history/historydocument.h"
#include "history/itemrole.h"

#include <QHash>

namespace {

// Fewer clippings than this are not worth a thread of their own.
const qsizetype RecordsPerSlice = 1024;

using Icons = QHash<QString, std::shared_ptr<const EncodedIcon>>;

std::unique_ptr<ClippingItem> makeItem(const ClippingRecord &record, const Icons &icons)
{
    auto clipping = std::make_unique<ClippingItem>();
    // Most briefs equal their text; share the string instead of keeping two copies.
    clipping->setDataQuietly(record.brief == record.text ? record.text : record.brief, Qt::DisplayRole);
    clipping->setDataQuietly(record.type, TypeRole);
    clipping->setDataQuietly(record.text, TextRole);
    clipping->setDataQuietly(record.html, HtmlRole);
    clipping->setTimeText(record.time);
    clipping->setIdText(record.id);
    clipping->setData(record.html.isEmpty() ? record.text : record.html, Qt::ToolTipRole);
    clipping->setDataQuietly(record.removed, RemovedRole);
    clipping->setDataQuietly(record.pinned, Qt::CheckStateRole);
    clipping->setDataQuietly(record.locked, LockedRole);
    if (!record.changed.isEmpty())
        clipping->setDataQuietly(QDateTime::fromString(record.changed, Qt::ISODate), ChangedRole);
    clipping->setDataQuietly(record.application, ApplicationRole);
    const auto icon = icons.constFind(record.application);
    if (icon != icons.constEnd())
        clipping->setEncodedIcon(*icon);
    // The name is joined to the cache folder; a document must not point anywhere else.
    if (record.fileName.isEmpty() || Utils::isPlainFileName(record.fileName))
        clipping->setDataQuietly(record.fileName, FileNameRole);
    return clipping;
}

} // namespace

LoadedClippings::LoadedClippings() = default;
LoadedClippings::LoadedClippings(LoadedClippings &&other) noexcept = default;
LoadedClippings &LoadedClippings::operator=(LoadedClippings &&other) noexcept = default;
LoadedClippings::~LoadedClippings() = default;

LoadedClippings::LoadedClippings(HistoryDocument &document)
{
    // One decoder per application: every clipping of it shares the icon.
    Icons icons;
    icons.reserve(document.icons.size());
    for (auto &icon : document.icons)
        icons.insert(icon.first, std::make_shared<const EncodedIcon>(std::move(icon.second)));
    document.icons.clear();

    const qsizetype count = document.clippings.size();
    m_items.resize(size_t(count));
    ClippingRecord *records = document.clippings.data();
    SlicedWork::run(count, RecordsPerSlice, [this, records, &icons](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            m_items[size_t(i)] = makeItem(records[i], icons);
    });

    for (qsizetype i = 0; i < count; ++i) {
        const ClippingRecord &record = records[i];
        if (!record.fileName.isEmpty() && !Utils::isPlainFileName(record.fileName))
            m_unsafeFileNames.append({record.fileName, record.id});
    }
    document.clippings.clear();
}

void LoadedClippings::buildIndex()
{
    QList<ClippingItem *> items;
    items.reserve(qsizetype(m_items.size()));
    for (const std::unique_ptr<ClippingItem> &item : m_items)
        items.append(item.get());
    m_tables = HistoryIndex::build(items);
}

QList<ClippingItem *> LoadedClippings::take()
{
    QList<ClippingItem *> items;
    items.reserve(qsizetype(m_items.size()));
    for (std::unique_ptr<ClippingItem> &item : m_items)
        items.append(item.release());
    m_items.clear();
    return items;
}
