// Sync: the payload cipher. Everything here is shared with other computers: the prefix, the key
// built from the passphrase, and the cipher format.
#include "sync/sync.h"

#include "oauth/o0cryptkey.h"
#include "oauth/o0simplecrypt.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"

namespace {

quint64 payloadKey(const QString &passphrase)
{
    return O0CryptKey::fromBytes(passphrase.toUtf8());
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

QByteArray Sync::decrypt(QByteArray bytes)
{
    SyncLogDialog::add("Sync: Decrypting the payload");
    const QByteArray cipher = bytes.mid(c_encryptedPrefix.size());

    O0SimpleCrypt crypt(payloadKey(decipherPassphrase(m_settings.value("Passphrase"))));
    QByteArray plain = crypt.decryptToByteArray(cipher);
    if (!plain.isEmpty())
        return plain;

    // Other computers may not have been given a new passphrase yet.
    const quint64 previousKey = payloadKey(decipherPassphrase(m_settings.value("PreviousPassphrase")));
    // Keys never reach a log.
    qCDebug(lcSync) << "Passphrase hash";
    qCDebug(lcSync) << "Decrypt old key";
    crypt.setKey(previousKey);
    return crypt.decryptToByteArray(cipher);
}
