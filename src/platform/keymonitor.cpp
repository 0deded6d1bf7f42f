#include "platform/keymonitor.h"

#include "platform/platformbackend.h"

KeyMonitor::KeyMonitor(QObject *parent)
    : QObject(parent)
{
}

KeyMonitor *KeyMonitor::instance()
{
    return PlatformBackend::instance()->keyMonitor();
}

void KeyMonitor::deliver(const Input &input, bool ownWindowFocused)
{
    if (ownWindowFocused)
        return;
    if (input.kind == Input::ButtonPress) {
        if (input.button == 1 || input.button == 3)
            emit keyboardEvent(QString(), 0);
        return;
    }
    if (input.modifierKey)
        return;
    if (input.controlOrSuperHeld) {
        emit keyboardEvent(QString(), 0);
        return;
    }
    emit keyboardEvent(input.text, input.keyCode);
}
