#include "common/hotkeychord.h"

bool isModifierKey(Qt::Key key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
        return true;
    default:
        return false;
    }
}

bool isGlobalHotkeyChord(QKeyCombination chord)
{
    const Qt::Key key = chord.key();
    if (key == Qt::Key_unknown || key == Qt::Key(0) || isModifierKey(key))
        return false;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return true;
    return chord.keyboardModifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}
