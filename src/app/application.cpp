#include "app/application.h"

#include "window/mainwindow.h"
#include "window/monitor.h"

#include <QDBusConnection>
#include <QDebug>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QWidget>

#include <cmath>

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

void Application::watchForWake()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    if (!bus.connect("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                     "PrepareForSleep", this, SLOT(prepareForSleep(bool))))
        qDebug() << "Could not listen for logind's sleep and wake signal";
}

void Application::prepareForSleep(bool sleeping)
{
    if (!sleeping)
        emit powerResume();
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    if (event->type() == QEvent::ApplicationDeactivate) {
        if (mainWindow && !mainWindow->pinRight->isChecked() && !mainWindow->awaitingActivation())
            mainWindow->hideHistory();
    } else if (event->type() == QEvent::MouseMove && receiver && receiver->isWidgetType() && mainWindow
               && monitorWindow) {
        MovableAndResizable *window = nullptr;
        for (QObject *object = receiver; object; object = object->parent()) {
            if (object == mainWindow)
                window = mainWindow;
            else if (object == monitorWindow)
                window = monitorWindow;
            if (window)
                break;
        }
        if (window && !qobject_cast<QMenu *>(receiver)) {
            const QPointF position = static_cast<QMouseEvent *>(event)->position();
            // std::lround rounds halves away from zero.
            const QPoint point(int(std::lround(position.x())), int(std::lround(position.y())));
            auto *widget = static_cast<QWidget *>(receiver);
            // Through global coordinates: a dialog owned by the window is a window of its own.
            window->updateCursor(widget == window ? point : window->mapFromGlobal(widget->mapToGlobal(point)));
        }
    }
    return QApplication::notify(receiver, event);
}

void Application::applyThemeToWindows()
{
    if (monitorWindow)
        monitorWindow->updateTheme();
    if (mainWindow) {
        mainWindow->updateTheme();
        mainWindow->updateHeaderButtons();
    }
}

void Application::showMonitor()
{
    if (!monitorWindow)
        return;
    monitorWindow->show();
    monitorWindow->activateWindow();
}
