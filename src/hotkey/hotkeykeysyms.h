#pragma once

#include <QtGlobal>
#include <qnamespace.h>

// The keysym a hotkey's Qt key stands for: a fixed table for keys without text, the character
// itself for the rest (a letter as its lower-case keysym, the key every layout has it on).
// 0 when the key has no keysym.
quint32 keysymForQtKey(Qt::Key key);
