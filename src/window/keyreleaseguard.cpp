#include "window/keyreleaseguard.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

KeyReleaseGuard::KeyReleaseGuard(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    // Popups and boxes are windows of their own: only the application sees where every press goes.
    QCoreApplication::instance()->installEventFilter(this);
}

bool KeyReleaseGuard::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Hide && watched == m_window) {
        // Whatever is held now was pressed for a window that is gone.
        m_pressedHere.clear();
        return false;
    }
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType())
        return false;

    const bool here = static_cast<QWidget *>(watched)->window() == m_window;
    const auto *keyEvent = static_cast<QKeyEvent *>(event);
    const int key = keyEvent->key();
    if (type == QEvent::KeyPress) {
        if (!here)
            m_pressedHere.remove(key);
        // A held key repeats its press; the first one tells what was held with it.
        else if (!keyEvent->isAutoRepeat() || !m_pressedHere.contains(key))
            m_pressedHere.insert(key, keyEvent->modifiers());
        return false;
    }
    // A release stays in the record: it passes the window's widgets one after the other.
    return here && !m_pressedHere.contains(key);
}

Qt::KeyboardModifiers KeyReleaseGuard::pressModifiers(int key) const
{
    return m_pressedHere.value(key, Qt::NoModifier);
}
