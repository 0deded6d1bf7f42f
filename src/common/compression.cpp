#include "common/compression.h"

#include <zlib.h>

#include <algorithm>

namespace {

// The output grows as the stream yields it, so a false length costs memory only when the stream
// really is that large.
const qint64 FirstOutputSize = 256 * 1024;

QByteArray refuse(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return QByteArray();
}

} // namespace

namespace Compression {

QByteArray uncompress(const QByteArray &data, qint64 limit, QString *error)
{
    if (data.size() < 4)
        return refuse(error, QStringLiteral("the compressed data is too short"));
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    const qint64 claimed = (qint64(bytes[0]) << 24) | (qint64(bytes[1]) << 16) | (qint64(bytes[2]) << 8) | qint64(bytes[3]);
    if (claimed > limit)
        return refuse(error, QString("the data claims %1 bytes, more than the %2 allowed").arg(claimed).arg(limit));
    // qCompress writes nothing but the length for empty data.
    if (claimed == 0 && data.size() == 4)
        return QByteArray();

    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return refuse(error, QStringLiteral("zlib cannot be set up"));
    stream.next_in = const_cast<Bytef *>(bytes + 4);
    stream.avail_in = uInt(data.size() - 4);

    QByteArray out;
    // One byte beyond the claim shows a stream that yields more than it says.
    const qint64 capacity = claimed + 1;
    out.resize(qsizetype(std::min(capacity, FirstOutputSize)));
    QString problem;
    for (;;) {
        if (stream.total_out == uLong(out.size())) {
            if (out.size() >= capacity) {
                problem = QString("the data yields more than the %1 bytes it claims").arg(claimed);
                break;
            }
            out.resize(qsizetype(std::min(capacity, qint64(out.size()) * 2)));
        }
        stream.next_out = reinterpret_cast<Bytef *>(out.data()) + stream.total_out;
        stream.avail_out = uInt(out.size() - qsizetype(stream.total_out));
        const int result = inflate(&stream, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            if (qint64(stream.total_out) > claimed)
                problem = QString("the data yields more than the %1 bytes it claims").arg(claimed);
            break;
        }
        if (result != Z_OK && !(result == Z_BUF_ERROR && stream.avail_out == 0)) {
            problem = stream.avail_in == 0 ? QStringLiteral("the compressed data is truncated")
                                           : QStringLiteral("the compressed data is damaged");
            break;
        }
    }
    const qsizetype produced = qsizetype(stream.total_out);
    inflateEnd(&stream);
    if (!problem.isEmpty())
        return refuse(error, problem);
    out.truncate(produced);
    return out;
}

} // namespace Compression
