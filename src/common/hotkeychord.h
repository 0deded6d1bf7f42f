#pragma once

#include <QKeyCombination>

// Whether a key combination may be grabbed from the whole desktop: it holds Ctrl, Alt or Meta, or
// its key is a function key. A bare letter or Shift with a letter would take that key from every
// application, and a modifier key is no combination on its own.
bool isGlobalHotkeyChord(QKeyCombination chord);

// Shift, Ctrl, Alt, Meta and the other keys that only change what another key does.
bool isModifierKey(Qt::Key key);
