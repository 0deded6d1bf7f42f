#pragma once

// A second, deliberately plain implementation of the cipher format, written apart from the
// program's, so tests can check what the program writes and read it without the program's code.
// Only the zlib framing (qCompress) is borrowed from Qt.

#include <QByteArray>
#include <QCryptographicHash>

#include <array>

namespace ReferenceCipher {

inline std::array<quint8, 8> keyBytes(quint64 key)
{
    std::array<quint8, 8> bytes{};
    for (int j = 0; j < 8; ++j)
        bytes[j] = quint8(key >> (8 * j));
    return bytes;
}

// CRC-16/X-25, bit by bit.
inline quint16 crc16(const QByteArray &data)
{
    quint16 crc = 0xFFFF;
    for (char c : data) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0x8408) : quint16(crc >> 1);
    }
    return quint16(crc ^ 0xFFFF);
}

enum Integrity { None, Checksum, Hash };

// Enciphers with a given random byte; compression when strictly smaller, as the keyed cipher does.
inline QByteArray encrypt(quint64 key, quint8 random, const QByteArray &plain, Integrity integrity = Checksum,
    bool compressWhenSmaller = true)
{
    const auto k = keyBytes(key);
    quint8 flags = 0;
    QByteArray payload = plain;
    if (compressWhenSmaller) {
        const QByteArray compressed = qCompress(plain, 9);
        if (compressed.size() < plain.size()) {
            payload = compressed;
            flags |= 0x01;
        }
    }
    QByteArray check;
    if (integrity == Checksum) {
        const quint16 crc = crc16(payload);
        check.append(char(crc >> 8)).append(char(crc & 0xFF));
        flags |= 0x02;
    } else if (integrity == Hash) {
        check = QCryptographicHash::hash(payload, QCryptographicHash::Sha1);
        flags |= 0x04;
    }
    const QByteArray stream = QByteArray(1, char(random)) + check + payload;
    QByteArray out;
    out.append(char(0x03)).append(char(flags));
    quint8 last = 0;
    for (qsizetype i = 0; i < stream.size(); ++i) {
        last = quint8(quint8(stream[i]) ^ k[i % 8] ^ last);
        out.append(char(last));
    }
    return out;
}

// The plain bytes, or false when the version, integrity value or compression does not hold.
inline bool decrypt(quint64 key, const QByteArray &cipher, QByteArray *plain)
{
    if (cipher.size() < 2 || quint8(cipher[0]) != 0x03)
        return false;
    const auto k = keyBytes(key);
    const quint8 flags = quint8(cipher[1]);
    QByteArray stream;
    quint8 last = 0;
    for (qsizetype i = 2; i < cipher.size(); ++i) {
        const quint8 c = quint8(cipher[i]);
        stream.append(char(c ^ last ^ k[(i - 2) % 8]));
        last = c;
    }
    stream.remove(0, 1);
    if (flags & 0x02) {
        if (stream.size() < 2)
            return false;
        const quint16 stored = quint16((quint8(stream[0]) << 8) | quint8(stream[1]));
        stream.remove(0, 2);
        if (stored != crc16(stream))
            return false;
    } else if (flags & 0x04) {
        if (stream.size() < 20)
            return false;
        const QByteArray stored = stream.left(20);
        stream.remove(0, 20);
        if (stored != QCryptographicHash::hash(stream, QCryptographicHash::Sha1))
            return false;
    }
    if (flags & 0x01) {
        stream = qUncompress(stream);
        if (stream.isEmpty())
            return false;
    }
    *plain = stream;
    return true;
}

// The payload key of a passphrase, spelled out step by step.
inline quint64 passphraseKey(const QString &passphrase)
{
    const QByteArray hex = QCryptographicHash::hash(passphrase.toUtf8(), QCryptographicHash::Sha1).toHex();
    quint64 key = 0;
    for (int i = 0; i < 16; ++i) {
        const char digit = hex[i];
        key = (key << 4) | quint64(digit <= '9' ? digit - '0' : digit - 'a' + 10);
    }
    return key;
}

} // namespace ReferenceCipher
