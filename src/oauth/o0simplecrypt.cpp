#include "oauth/o0simplecrypt.h"

#include "common/compression.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QRandomGenerator>

namespace {

constexpr char c_version = 0x03;
constexpr int c_hashSize = 20;
// Nothing enciphered here comes near this; a compressed stream that claims more is hostile.
constexpr qint64 c_maxPlainSize = qint64(256) * 1024 * 1024;

QByteArray checksumBytes(const QByteArray &bytes)
{
    const quint16 checksum = qChecksum(bytes, Qt::ChecksumIso3309);
    QByteArray result(2, '\0');
    result[0] = char(checksum >> 8);
    result[1] = char(checksum & 0xFF);
    return result;
}

} // namespace

O0SimpleCrypt::O0SimpleCrypt() = default;

O0SimpleCrypt::O0SimpleCrypt(unsigned long long key)
    : m_key(key)
    , m_protectionMode(ChecksumIntegrity)
{
    splitKey();
}

void O0SimpleCrypt::setKey(unsigned long long key)
{
    m_key = key;
    splitKey();
}

void O0SimpleCrypt::splitKey()
{
    m_keyParts.clear();
    m_keyParts.resize(8);
    for (int i = 0; i < 8; ++i)
        m_keyParts[i] = char((m_key >> (8 * i)) & 0xFF);
}

QByteArray O0SimpleCrypt::encryptToByteArray(const QString &plaintext)
{
    return encryptToByteArray(plaintext.toUtf8());
}

QByteArray O0SimpleCrypt::encryptToByteArray(QByteArray plaintext)
{
    if (m_keyParts.isEmpty()) {
        qWarning() << "No key set.";
        m_lastError = CryptNoKey;
        return QByteArray();
    }

    char flags = 0;
    QByteArray payload = plaintext;
    if (m_compressionMode == CompressAlways) {
        payload = qCompress(plaintext, 9);
        flags |= FlagCompressed;
    } else if (m_compressionMode == CompressWhenSmaller) {
        const QByteArray compressed = qCompress(plaintext, 9);
        if (compressed.size() < plaintext.size()) {
            payload = compressed;
            flags |= FlagCompressed;
        }
    }

    QByteArray integrity;
    if (m_protectionMode == ChecksumIntegrity) {
        flags |= FlagChecksum;
        integrity = checksumBytes(payload);
    } else if (m_protectionMode == HashIntegrity) {
        flags |= FlagHash;
        integrity = QCryptographicHash::hash(payload, QCryptographicHash::Sha1);
    }

    const char random = char(QRandomGenerator::global()->generate() & 0xFF);
    QByteArray stream;
    stream.reserve(1 + integrity.size() + payload.size());
    stream.append(random);
    stream.append(integrity);
    stream.append(payload);

    char last = 0;
    for (qsizetype i = 0; i < stream.size(); ++i) {
        stream[i] = char(stream.at(i) ^ m_keyParts.at(int(i % 8)) ^ last);
        last = stream.at(i);
    }

    QByteArray result;
    result.reserve(2 + stream.size());
    result.append(c_version);
    result.append(flags);
    result.append(stream);
    m_lastError = CryptNoError;
    return result;
}

QString O0SimpleCrypt::encryptToString(const QString &plaintext)
{
    return QString::fromLatin1(encryptToByteArray(plaintext.toUtf8()).toBase64());
}

QString O0SimpleCrypt::encryptToString(QByteArray plaintext)
{
    return QString::fromLatin1(encryptToByteArray(plaintext).toBase64());
}

QByteArray O0SimpleCrypt::decryptToByteArray(const QString &cyphertext)
{
    return decryptToByteArray(QByteArray::fromBase64(cyphertext.toLatin1()));
}

QByteArray O0SimpleCrypt::decryptToByteArray(QByteArray cypher)
{
    if (m_keyParts.isEmpty()) {
        qWarning() << "No key set.";
        m_lastError = CryptNoKey;
        return QByteArray();
    }
    if (cypher.isEmpty()) {
        m_lastError = CryptBadVersion;
        return QByteArray();
    }
    if (cypher.at(0) != c_version) {
        m_lastError = CryptBadVersion;
        qWarning() << "Invalid version or not a cyphertext.";
        return QByteArray();
    }

    const char flags = cypher.size() > 1 ? cypher.at(1) : char(0);
    QByteArray stream = cypher.mid(2);
    char last = 0;
    for (qsizetype i = 0; i < stream.size(); ++i) {
        const char current = stream.at(i);
        stream[i] = char(current ^ last ^ m_keyParts.at(int(i % 8)));
        last = current;
    }
    // The random byte only varies the cipher text.
    stream.remove(0, 1);

    if (flags & FlagChecksum) {
        if (stream.size() < 2) {
            m_lastError = CryptIntegrityFailed;
            return QByteArray();
        }
        const QByteArray stored = stream.left(2);
        stream.remove(0, 2);
        if (stored != checksumBytes(stream)) {
            m_lastError = CryptIntegrityFailed;
            return QByteArray();
        }
    } else if (flags & FlagHash) {
        if (stream.size() < c_hashSize) {
            m_lastError = CryptIntegrityFailed;
            return QByteArray();
        }
        const QByteArray stored = stream.left(c_hashSize);
        stream.remove(0, c_hashSize);
        if (stored != QCryptographicHash::hash(stream, QCryptographicHash::Sha1)) {
            m_lastError = CryptIntegrityFailed;
            return QByteArray();
        }
    }

    // Bounded: a small cipher text must not expand into gigabytes.
    if (flags & FlagCompressed)
        stream = Compression::uncompress(stream, c_maxPlainSize);

    m_lastError = CryptNoError;
    return stream;
}

QString O0SimpleCrypt::decryptToString(const QString &cyphertext)
{
    return QString::fromUtf8(decryptToByteArray(cyphertext));
}

QString O0SimpleCrypt::decryptToString(QByteArray cypher)
{
    return QString::fromUtf8(decryptToByteArray(cypher));
}
