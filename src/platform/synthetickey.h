#pragma once

#include <QDebug>
#include <QString>
#include <QtGlobal>

// One synthetic keyboard event as the key-synthesis functions post it: a key by its virtual key code
// with MacFlag bits, a character by its code point, or a system-defined (media) key.
struct SyntheticKey
{
    enum Kind { Key, Character, SystemKey };

    Kind kind = Key;
    quint32 code = 0; // virtual key code, code point or system key number
    bool down = false;
    quint64 flags = 0;

    static SyntheticKey key(quint16 macCode, bool down, quint64 flags = 0) { return {Key, macCode, down, flags}; }
    static SyntheticKey character(char32_t codePoint, bool down) { return {Character, quint32(codePoint), down, 0}; }
    static SyntheticKey systemKey(int number, bool down) { return {SystemKey, quint32(number), down, 0}; }

    bool operator==(const SyntheticKey &other) const
    {
        return kind == other.kind && code == other.code && down == other.down && flags == other.flags;
    }
    bool operator!=(const SyntheticKey &other) const { return !(*this == other); }
};

inline QDebug operator<<(QDebug debug, const SyntheticKey &key)
{
    QDebugStateSaver saver(debug);
    static const char *const kinds[] = {"Key", "Character", "SystemKey"};
    debug.nospace() << kinds[key.kind] << '(' << key.code << (key.down ? " down" : " up");
    if (key.flags)
        debug << " flags 0x" << Qt::hex << key.flags;
    return debug << ')';
}
