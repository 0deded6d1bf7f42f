#include "oauth/o0cryptkey.h"

#include <QCryptographicHash>

namespace O0CryptKey {

quint64 fromBytes(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(16).toULongLong(nullptr, 16);
}

quint64 storeKey()
{
    return fromBytes(QByteArray(c_storePassPhrase));
}

} // namespace O0CryptKey
