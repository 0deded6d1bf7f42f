#pragma once

#include <QByteArray>

// How pass phrases become O0SimpleCrypt keys. Other computers and stored settings depend on every
// step, so the token store, the sync payloads and the stored passphrases all use these.
namespace O0CryptKey {

// The fixed pass phrase of the token store and of the locally stored sync passphrases. Plain ASCII,
// so its Latin-1 and UTF-8 bytes agree.
inline constexpr char c_storePassPhrase[] = "BrindleHoxaqe";

// The first 16 hexadecimal digits of the SHA-1 digest of the bytes, read in base 16.
quint64 fromBytes(const QByteArray &bytes);
// The key of the token store and the stored passphrases.
quint64 storeKey();

} // namespace O0CryptKey
