// HistoryItemModel: the sync engine's merge partner.
#include "history/historyitemmodel.h"

#include "history/clippingitem.h"
#include "history/historydocument.h"
#include "history/itemrole.h"
#include "common/isync.h"
#include "common/utils.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QSettings>

QString HistoryItemModel::hash()
{
    return QString::fromLatin1(QCryptographicHash::hash(serialize(), QCryptographicHash::Sha256).toHex());
}

bool HistoryItemModel::merge(QByteArray online, QByteArray &result, SyncDirection direction)
{
    if (!online.isEmpty()) {
        // Read the whole document before touching a row: a download that turns out unreadable
        // must leave the local history as it was.
        HistoryDocument document;
        if (!parseDocument(online, &document)) {
            qWarning() << "Deserializing the history data failed.";
            return false;
        }
        if (direction == FromServer)
            clear();
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
        if (m_sync)
            m_sync->syncImages(images);
    }

    result.append(serialize());
    save(false, &result);
    return result != online;
}
