#include "window/dialogsabovewindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

DialogsAboveWindow::DialogsAboveWindow(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool DialogsAboveWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The show event comes before the window is mapped, when its transient parent is still read.
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (!widget->isWindow() || widget->windowType() != Qt::Dialog || widget->parentWidget() || !m_window->isVisible())
        return false;
    QWindow *dialog = widget->windowHandle();
    if (dialog && !dialog->transientParent())
        dialog->setTransientParent(m_window->windowHandle());
    return false;
}
