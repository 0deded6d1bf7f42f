#pragma once

#include <QtGlobal>
#include <qnamespace.h>

// X11 modifier masks of Qt modifiers: Shift, Control, Mod1 for Alt, Mod4 for Meta (Super).
// Keypad is not a modifier on X11 and is dropped.
quint32 x11ModifierMask(Qt::KeyboardModifiers modifiers);
// The X11 modifier bits a hotkey is matched on; lock and other bits of an event are ignored.
constexpr quint32 x11HotkeyModifierBits = 0x01 | 0x04 | 0x08 | 0x40;
