#pragma once

#include <QString>
#include <QtGlobal>

// Key codes at the platform interface are this program's virtual key codes: one number per key
// position, the rows of the key table in keycodes.cpp, with MacFlag bits for the modifiers. Each
// back end translates them to its own keys through that one table.
namespace MacKey {
constexpr quint16 A = 0;
constexpr quint16 V = 9;
constexpr quint16 Return = 36;
constexpr quint16 Tab = 48;
constexpr quint16 Space = 49;
constexpr quint16 Delete = 51; // erases backwards
constexpr quint16 Escape = 53;
constexpr quint16 RightCommand = 54;
constexpr quint16 Command = 55;
constexpr quint16 Shift = 56;
constexpr quint16 CapsLock = 57;
constexpr quint16 Option = 58;
constexpr quint16 Control = 59;
constexpr quint16 RightShift = 60;
constexpr quint16 RightOption = 61;
constexpr quint16 RightControl = 62;
constexpr quint16 ForwardDelete = 117;
constexpr quint16 Left = 123;
constexpr quint16 Right = 124;
constexpr quint16 Down = 125;
constexpr quint16 Up = 126;
// Codes from here up are system-defined keys (media and auxiliary buttons) numbered code - 1000.
constexpr quint16 SystemKeyBase = 1000;
// What keyCodeForChar answers for a character that no key produces.
constexpr quint16 NoKey = 0xFFFF;
} // namespace MacKey

namespace MacFlag {
constexpr quint64 Shift = 0x20000;
constexpr quint64 Control = 0x40000;
constexpr quint64 Option = 0x80000;
constexpr quint64 Command = 0x100000;
constexpr quint64 LeftCommandDevice = 0x8;
constexpr quint64 Modifiers = Shift | Control | Option | Command;
} // namespace MacFlag

namespace KeyCodes {

// The US layout's unshifted keysym of a virtual key code; 0 when the code is not a key we know.
quint32 keysymForMacKey(quint16 macCode);
// Linux input (evdev) code of the key at that position; -1 when unknown. X key codes are evdev + 8.
int evdevCodeForMacKey(quint16 macCode);
// The virtual key code of a key position (evdev code); NoKey when there is none.
quint16 macKeyForEvdevCode(int evdevCode);
// The virtual key code of a key that is not a character key (Backspace, arrows, modifiers...), found
// by its keysym so that it does not depend on where a layout puts it; NoKey otherwise.
quint16 macKeyForKeysym(quint32 keysym);
// Character keys are found by position, as virtual key codes are positions.
bool isCharacterPosition(quint16 macCode);
bool isModifierMacKey(quint16 macCode);
// The MacFlag bit a modifier key code stands for; 0 for other keys.
quint64 flagForModifierMacKey(quint16 macCode);
// The keysym of a modifier key that keyboards carry on the left side, for a MacFlag bit.
quint32 keysymForModifierFlag(quint64 flag);
// Shift, Control, Alt, Super, AltGr, the lock keys and group switches: keys that type nothing alone.
bool isModifierKeysym(quint32 keysym);
// The XF86 keysym of a system-defined (media) key number; 0 when there is none.
quint32 keysymForSystemKey(int systemKey);
// The text a keysym types, empty when it types none.
QString textForKeysym(quint32 keysym);
// The keysym that types a Unicode code point, as layouts name it (Latin-1, legacy keysyms, else
// 0x01000000 + code point); control characters that have keys (Return, Tab, Backspace, Escape) get
// those; 0 for the rest.
quint32 keysymForCodePoint(char32_t codePoint);

} // namespace KeyCodes
