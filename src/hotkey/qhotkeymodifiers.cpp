#include "hotkey/qhotkeymodifiers.h"

quint32 x11ModifierMask(Qt::KeyboardModifiers modifiers)
{
    quint32 mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= 0x01;
    if (modifiers & Qt::ControlModifier)
        mask |= 0x04;
    if (modifiers & Qt::AltModifier)
        mask |= 0x08;
    if (modifiers & Qt::MetaModifier)
        mask |= 0x40;
    return mask;
}
