#pragma once

#include "history/historydocument.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QPixmap;
class QStandardItem;

// One row as the file stores it, with the Base64 PNG of its application icon ("" when it has none).
// Never changed once built: a clipping keeps its own until one of its fields changes, and a write
// under way keeps the ones it took however the rows change meanwhile.
struct SavedClipping
{
    ClippingRecord record;
    QString icon;
};

// The history's rows as the file stores them, taken on the GUI thread (each row's record is shared,
// not copied) so that the file can be written from another thread while the rows change.
struct HistorySnapshot
{
    static constexpr int Version = 8;
    // 0xFEED0002 read as a signed 32-bit integer.
    static constexpr int Magic = -18022398;

    std::vector<std::shared_ptr<const SavedClipping>> rows;
    // "removedItems": (clipping id, removal time) in the order of the ids.
    std::vector<std::pair<QString, QString>> removals;

    // The row of any item: a clipping's kept record, or one read through the item's roles.
    static std::shared_ptr<const SavedClipping> rowOf(const QStandardItem *item);
    // A row built afresh through the item's roles, whatever kind of item it is.
    static std::shared_ptr<const SavedClipping> readRow(const QStandardItem *item);
    // An icon as the file stores it.
    static QString iconText(const QPixmap &icon);

    // The history document, as compact JSON with its members in QJsonDocument's order. Each
    // application's icon is that of its first row.
    QByteArray toJson() const;
};
