#include "app/afterfirstwindow.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

AfterFirstWindow::AfterFirstWindow(QWidget *window, int latestMs, std::function<void()> work)
    : QObject(window)
    , m_window(window)
    , m_work(std::move(work))
{
    m_latest.setSingleShot(true);
    connect(&m_latest, &QTimer::timeout, this, &AfterFirstWindow::run);
    m_latest.start(latestMs);
    // The widget is told it is shown before it is mapped; its native window then tells when the
    // server has put it on the screen.
    window->installEventFilter(this);
    if (QWindow *handle = window->windowHandle())
        handle->installEventFilter(this);
}

bool AfterFirstWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show) {
        if (QWindow *handle = m_window->windowHandle())
            handle->installEventFilter(this);
    } else if (event->type() == QEvent::Expose && watched == (m_window ? m_window->windowHandle() : nullptr)
               && m_window->windowHandle()->isExposed()) {
        // Once the event loop comes round: the window paints first.
        QTimer::singleShot(0, this, &AfterFirstWindow::run);
    }
    return false;
}

void AfterFirstWindow::run()
{
    if (!m_work)
        return;
    m_latest.stop();
    if (m_window) {
        m_window->removeEventFilter(this);
        if (QWindow *handle = m_window->windowHandle())
            handle->removeEventFilter(this);
    }
    const std::function<void()> work = std::move(m_work);
    m_work = nullptr;
    work();
}
