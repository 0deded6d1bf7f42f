#pragma once

#include <QByteArray>
#include <QString>

// Reads the qCompress() format (a 4-byte big-endian length, then a zlib stream) without trusting
// it: qUncompress allocates whatever the length claims and keeps doubling while the stream yields
// more, so a small hostile payload can take gigabytes.
namespace Compression {

// The uncompressed bytes, or empty with the reason in error when the length claims more than
// limit, the stream yields more than the length claims, or the stream is damaged.
QByteArray uncompress(const QByteArray &data, qint64 limit, QString *error = nullptr);

} // namespace Compression
