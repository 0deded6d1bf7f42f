// HistoryItemModel: the sync engine's merge partner.
#include "history/historyitemmodel.h"

#include "history/clippingitem.h"
#include "history/historydocument.h"
#include "history/historyindex.h"
#include "history/historysnapshot.h"
#include "history/itemrole.h"
#include "common/isync.h"
#include "common/utils.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QSettings>

#include <algorithm>
#include <optional>

bool HistoryItemModel::isWritten(const HistorySnapshot &rows) const
{
    // Rows are shared, never changed: the same rows are the same document.
    return !m_written.sha256.isEmpty() && m_written.path == filePath() && m_written.rows == rows.rows
        && m_written.removals == rows.removals;
}

QString HistoryItemModel::hash()
{
    // A sync pass follows the write that asked for it, which hashed what it wrote.
    const HistorySnapshot rows = snapshot();
    if (isWritten(rows))
        return m_written.sha256;
    return QString::fromLatin1(QCryptographicHash::hash(rows.toJson(), QCryptographicHash::Sha256).toHex());
}

namespace {

// The image files a document's live clippings name, as the sync engine takes them.
QList<QString> picturesOf(const HistoryDocument &document)
{
    QList<QString> pictures;
    for (const ClippingRecord &record : document.clippings) {
        if (record.removed || (record.type != 1 && record.type != 2) || !Utils::isPlainFileName(record.fileName))
            continue;
        pictures.append(QUuid::fromString(record.id).toString() + "/" + record.fileName);
    }
    return pictures;
}

// When a clipping last changed, as a document writes it.
struct WrittenChange
{
    QString time;
    QString changed;
};

qint64 instantOf(const WrittenChange &change)
{
    const auto msecs = [](const QString &text) {
        return text.isEmpty() ? ClippingItem::InvalidTime : ClippingItem::toMsecs(QDateTime::fromString(text, Qt::ISODate));
    };
    return std::max(msecs(change.time), msecs(change.changed));
}

// The last change of each clipping a document holds or removes, by id.
QHash<QUuid, WrittenChange> changesOf(const HistoryDocument &document)
{
    QHash<QUuid, WrittenChange> changes;
    changes.reserve(document.clippings.size() + document.removals.size());
    for (const ClippingRecord &record : document.clippings)
        changes.insert(QUuid::fromString(record.id), {record.time, record.changed});
    for (const auto &[id, time] : document.removals)
        changes.insert(QUuid::fromString(id), {time, QString()});
    return changes;
}

// Whether a document with these changes holds every clipping and removal of rows, as new or newer.
bool holdsAll(const QHash<QUuid, WrittenChange> &changes, const HistorySnapshot &rows)
{
    const auto holds = [&changes](const QString &id, const WrittenChange &local) {
        const auto online = changes.constFind(QUuid::fromString(id));
        if (online == changes.cend())
            return false;
        // A copy written by one computer is written alike by the others; the instants are compared
        // only where the zones they were written in differ.
        if (online->time == local.time && online->changed == local.changed)
            return true;
        return instantOf(*online) >= instantOf(local);
    };
    for (const std::shared_ptr<const SavedClipping> &row : rows.rows) {
        if (!holds(row->record.id, {row->record.time, row->record.changed}))
            return false;
    }
    for (const auto &[id, time] : rows.removals) {
        if (!holds(id, {time, QString()}))
            return false;
    }
    return true;
}

} // namespace

bool HistoryItemModel::merge(QByteArray online, QByteArray &result, SyncDirection direction)
{
    finishLoading();
    // Unless the download replaces the history: the rows before the merge, and what online holds.
    std::optional<HistorySnapshot> before;
    QHash<QUuid, WrittenChange> onlineChanges;
    if (!online.isEmpty()) {
        // Read the whole document before touching a row: a download that turns out unreadable
        // must leave the local history as it was.
        HistoryDocument document;
        if (!parseDocument(online, &document)) {
            qWarning() << "Deserializing the history data failed.";
            return false;
        }
        m_onlinePictures = picturesOf(document);
        if (direction == FromServer) {
            clear();
            m_removals.clear();
        } else {
            before = snapshot();
            onlineChanges = changesOf(document);
        }
        addDocument(document);
    }

    if (Utils::settings().value("IncludeImages").toBool()) {
        QList<QString> images;
        for (int row = 0; row < rowCount(); ++row) {
            const QStandardItem *clipping = item(row);
            const int type = ClippingItem::typeOf(clipping);
            if (ClippingItem::isRemovedItem(clipping) || (type != 1 && type != 2))
                continue;
            const QString fileName = clipping->data(FileNameRole).toString();
            images.append(ClippingItem::idOf(clipping).toString() + "/" + fileName);
        }
        // What the newest online history shows stays online, though this computer keeps fewer
        // clippings; what was removed here goes.
        QList<QString> listedOnline;
        for (const QString &picture : std::as_const(m_onlinePictures)) {
            const QUuid id = QUuid::fromString(picture.section('/', 0, 0));
            const int row = m_index->firstRowWithId(id);
            if (row >= 0 ? !ClippingItem::isRemovedItem(item(row)) : !m_removals.contains(id))
                listedOnline.append(picture);
        }
        if (m_sync)
            m_sync->syncImages(images, listedOnline);
    }

    const HistorySnapshot rows = snapshot();
    // At the limit, a clipping online but trimmed here is added and trimmed again: nothing changed.
    const bool unchanged = before && before->rows == rows.rows && before->removals == rows.removals;
    if (isWritten(rows) && !m_written.bytes.isNull()) {
        // The history file holds these bytes already.
        result.append(m_written.bytes);
    } else {
        result.append(rows.toJson());
        if (!unchanged)
            save(false, &result);
    }
    // Not kept for longer than the pass needs them: a large history is many megabytes.
    m_written.bytes = QByteArray();
    // Online holds all this history holds and more than its limit keeps: an upload would only take
    // that away, for the other computers to bring it back.
    if (unchanged && holdsAll(onlineChanges, rows))
        return false;
    return result != online;
}
