#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The symmetric cipher of the token store, the sync payloads and the stored passphrases. Its byte
// layout is shared with other computers and with settings written by earlier runs, so it never
// changes: version 0x03, a flags byte, then one XOR stream over the 8 key bytes, chained through
// the previous cipher byte, holding a random byte, the integrity value and the payload.
class O0SimpleCrypt
{
public:
    enum CompressionMode {
        CompressWhenSmaller = 0,
        CompressAlways = 1,
        CompressNever = 2,
    };

    enum IntegrityProtectionMode {
        NoIntegrity = 0,
        ChecksumIntegrity = 1,
        HashIntegrity = 2,
    };

    enum Error {
        CryptNoError = 0,
        CryptNoKey = 1,
        CryptBadVersion = 2,
        CryptIntegrityFailed = 3,
    };

    enum CryptoFlag {
        FlagCompressed = 0x01,
        FlagChecksum = 0x02,
        FlagHash = 0x04,
    };

    // No key; hash integrity.
    O0SimpleCrypt();
    // Checksum integrity, compression when it makes the payload smaller.
    explicit O0SimpleCrypt(unsigned long long key);

    void setKey(unsigned long long key);
    bool hasKey() const { return !m_keyParts.isEmpty(); }

    void setCompressionMode(CompressionMode mode) { m_compressionMode = mode; }
    CompressionMode compressionMode() const { return m_compressionMode; }
    void setIntegrityProtectionMode(IntegrityProtectionMode mode) { m_protectionMode = mode; }
    IntegrityProtectionMode integrityProtectionMode() const { return m_protectionMode; }
    Error lastError() const { return m_lastError; }

    // Failures give an empty result and leave the reason in lastError().
    QByteArray encryptToByteArray(QByteArray plaintext);
    QByteArray encryptToByteArray(const QString &plaintext);
    // Base64 of the cipher text.
    QString encryptToString(const QString &plaintext);
    QString encryptToString(QByteArray plaintext);

    QByteArray decryptToByteArray(QByteArray cypher);
    // The Base64 form; characters outside the Base64 alphabet are skipped.
    QByteArray decryptToByteArray(const QString &cyphertext);
    QString decryptToString(const QString &cyphertext);
    QString decryptToString(QByteArray cypher);

private:
    void splitKey();

    unsigned long long m_key = 0;
    QVector<char> m_keyParts;
    CompressionMode m_compressionMode = CompressWhenSmaller;
    IntegrityProtectionMode m_protectionMode = HashIntegrity;
    Error m_lastError = CryptNoError;
};
