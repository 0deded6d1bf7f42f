#pragma once

#include <QString>
#include <QtGlobal>

// Synthetic keyboard input into the application in front: pasting, erasing a typed keyword, moving
// the text cursor and typing text. Key codes are virtual key codes (below 1000 keys, from 1000
// up system-defined keys numbered code - 1000) and flags MacFlag bits; see keycodes.h.
// On Linux the paste key is Control+V.

// Control+V, once the user has let go of every modifier (at most PasteTiming::ModifierReleaseTimeout).
void sendCommandV();
// Key-ups for Command, Shift, Option and Control.
void releaseModifiers();
// One key-down or key-up with the given modifier flags held for it. A modifier key is never pressed
// on its own: a synthetic press without its release would leave the key stuck.
void toggleKeyCode(quint16 code, bool down, quint64 flags);
void tapKeyCode(quint16 code, quint64 flags);
// Keeps the keys the user presses from the application in front while the program posts its own, so
// that none lands among them; false when the keyboard cannot be held. releaseKeys() posts the kept
// keys there, in order, and lets the keyboard go.
bool holdKeys();
void releaseKeys();
// Types UTF-8 text, one key-down and key-up per character, whatever the keyboard layout.
void typeString(const char *text);
// One key-down or key-up typing one UTF-16 unit; the two halves of a surrogate pair type one character.
void toggleUniKey(char16_t ch, bool down);
// The key code that types the character on the layout current at first use; MacKey::NoKey when none.
quint16 keyCodeForChar(char c);
// The text a key code types without modifiers on the current layout.
QString createStringForKey(quint16 code);
// toggleKeyCode of the key that types c, with Shift added for upper-case letters.
void toggleKey(char c, bool down, quint64 flags);
void tapKey(char c, quint64 flags);
