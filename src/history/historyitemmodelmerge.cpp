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

} // namespace

bool HistoryItemModel::merge(QByteArray online, QByteArray &result, SyncDirection direction)
{
    finishLoading();
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
    if (isWritten(rows) && !m_written.bytes.isNull()) {
        // The history file holds these bytes already.
        result.append(m_written.bytes);
    } else {
        result.append(rows.toJson());
        save(false, &result);
    }
    // Not kept for longer than the pass needs them: a large history is many megabytes.
    m_written.bytes = QByteArray();
    return result != online;
}
