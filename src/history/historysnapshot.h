#pragma once

#include "history/historydocument.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// The history's rows as the file stores them, copied on the GUI thread (the texts are shared, not
// duplicated) so that the file can be written from another thread while the rows change.
struct HistorySnapshot
{
    static constexpr int Version = 8;
    // 0xFEED0002 read as a signed 32-bit integer.
    static constexpr int Magic = -18022398;

    QList<ClippingRecord> rows;
    // Each application's icon (Base64 PNG), by application name in ascending order.
    QList<std::pair<QString, QString>> icons;

    // The history document, as compact JSON with its members in QJsonDocument's order.
    QByteArray toJson() const;
};
