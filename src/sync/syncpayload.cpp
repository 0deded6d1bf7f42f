// Sync: the payload cipher. Everything here is shared with other computers: the prefix, the key
// built from the passphrase, and the cipher format.
#include "sync/sync.h"

#include "common/safefile.h"
#include "oauth/o0cryptkey.h"
#include "oauth/o0simplecrypt.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"

#include <QtEndian>

namespace {

quint64 payloadKey(const QString &passphrase)
{
    return O0CryptKey::fromBytes(passphrase.toUtf8());
}

// The version byte, the flags, the random byte and a checksum: less is no cipher text at all.
constexpr int c_shortestCipher = 5;

// Whether bytes begin as a compressed payload does: its length, then the header of a zlib stream.
bool startsCompressed(const QByteArray &bytes)
{
    if (bytes.size() < 6)
        return false;
    const quint32 length = qFromBigEndian<quint32>(bytes.constData());
    const uint cmf = uchar(bytes.at(4));
    const uint flg = uchar(bytes.at(5));
    return length > 0 && length <= quint32(SafeFile::MaxDocumentSize) && (cmf & 0x0f) == 8 && (cmf >> 4) <= 7
        && ((cmf << 8) | flg) % 31 == 0;
}

// Whether the key deciphers the start of the cipher text into what is enciphered here (documents,
// and any payload the cipher compressed): then a failed integrity check means the file is
// incomplete or damaged, not that the key is another one. With another key the start is noise,
// which passes these checks about once in a hundred thousand.
bool keyReadsTheStart(const QByteArray &cipher, quint64 key)
{
    const char flags = cipher.at(1);
    const int integrity = (flags & O0SimpleCrypt::FlagChecksum) ? 2 : (flags & O0SimpleCrypt::FlagHash) ? 20 : 0;
    // Read as far as it goes, without the integrity check and the cipher's own decompression.
    QByteArray bare = cipher;
    bare[1] = 0;
    O0SimpleCrypt crypt(key);
    return startsCompressed(crypt.decryptToByteArray(bare).mid(integrity));
}

} // namespace

bool Sync::isEncrypted(const QByteArray &bytes)
{
    return bytes.startsWith(c_encryptedPrefix);
}

QString Sync::decipherPassphrase(const QVariant &stored)
{
    const QString text = stored.toString();
    if (text.isEmpty())
        return QString();
    O0SimpleCrypt crypt(O0CryptKey::storeKey());
    return crypt.decryptToString(text);
}

QString Sync::encipherPassphrase(const QString &passphrase)
{
    if (passphrase.isEmpty())
        return QString();
    O0SimpleCrypt crypt(O0CryptKey::storeKey());
    return crypt.encryptToString(passphrase);
}

QByteArray Sync::encrypt(QByteArray bytes)
{
    SyncLogDialog::add("Sync: Encrypting the payload");
    const QString passphrase = decipherPassphrase(m_settings.value("Passphrase"));
    // The key of the empty text can be derived by anyone.
    if (passphrase.isEmpty()) {
        SyncLogDialog::add("Sync: Encryption is on but no passphrase is set");
        return QByteArray();
    }
    return encipher(bytes, passphrase);
}

QByteArray Sync::encipher(const QByteArray &bytes, const QString &passphrase)
{
    O0SimpleCrypt crypt(payloadKey(passphrase));
    return c_encryptedPrefix + crypt.encryptToByteArray(bytes);
}

QByteArray Sync::decrypt(QByteArray bytes, bool *damaged)
{
    SyncLogDialog::add("Sync: Decrypting the payload");
    const QByteArray cipher = bytes.mid(c_encryptedPrefix.size());
    if (damaged)
        *damaged = false;
    // Told before any key is tried: no passphrase reads a file cut this short or without its version.
    if (cipher.size() < c_shortestCipher || cipher.at(0) != 0x03) {
        if (damaged)
            *damaged = true;
        return QByteArray();
    }

    const quint64 key = payloadKey(decipherPassphrase(m_settings.value("Passphrase")));
    O0SimpleCrypt crypt(key);
    QByteArray plain = crypt.decryptToByteArray(cipher);
    if (!plain.isEmpty())
        return plain;

    // Other computers may not have been given a new passphrase yet.
    const quint64 previousKey = payloadKey(decipherPassphrase(m_settings.value("PreviousPassphrase")));
    // Keys never reach a log.
    qCDebug(lcSync) << "Passphrase hash";
    qCDebug(lcSync) << "Decrypt old key";
    crypt.setKey(previousKey);
    plain = crypt.decryptToByteArray(cipher);
    if (plain.isEmpty() && damaged)
        *damaged = keyReadsTheStart(cipher, key) || keyReadsTheStart(cipher, previousKey);
    return plain;
}
