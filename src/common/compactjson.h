#pragma once

#include <QByteArray>
#include <QStringView>

// Pieces of compact JSON text written exactly as QJsonDocument::toJson(Compact) writes them, for
// documents too large to build as QJsonObjects first.
namespace CompactJson {

// A JSON string in double quotes: UTF-8, with the escapes Qt's writer uses.
void appendString(QByteArray &out, QStringView text);

// The number of bytes appendString() appends for text, counted without writing them.
qsizetype encodedSize(QStringView text);

} // namespace CompactJson
