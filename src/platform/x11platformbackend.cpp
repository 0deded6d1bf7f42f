#include "platform/x11platformbackend.h"

#include "platform/desktopappearance.h"
#include "platform/keymonitor.h"
#include "platform/notificationsound.h"
#include "platform/platformlog.h"
#include "platform/usertime.h"
#include "platform/x11frontwindow.h"
#include "platform/x11keymonitor.h"
#include "platform/x11keysynthesizer.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <QWindow>

// Xlib defines Expose as a macro.
constexpr QEvent::Type windowExposedEvent = QEvent::Expose;

#include <X11/Xlib.h>

namespace {

// Window managers forget a window's desktop when it is withdrawn, and Qt re-creates the native
// window when its flags change, so the all-desktops property is set again before every show.
class AllDesktopsKeeper : public QObject
{
    // Without its own meta-object findChild would take any child of the window for it.
    Q_OBJECT

public:
    AllDesktopsKeeper(QWidget *window, X11FrontWindow *front)
        : QObject(window)
        , m_front(front)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_front)
            return false;
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            m_front->setOnAllDesktops(quint32(widget->winId()), false);
            if (QWindow *handle = widget->windowHandle(); handle && handle != m_handle) {
                m_handle = handle;
                handle->installEventFilter(this);
            }
        } else if (event->type() == windowExposedEvent && watched == m_handle && m_handle->isExposed()) {
            // The window manager may drop the property while it withdraws the window, after our
            // pre-map write; once mapped, the message form is always honoured.
            m_front->setOnAllDesktops(quint32(m_handle->winId()), true);
        }
        return false;
    }

private:
    QPointer<X11FrontWindow> m_front;
    QPointer<QWindow> m_handle;
};

bool isOrdinaryWindow(const QWindow *window)
{
    switch (window->type()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Desktop:
        return false;
    default:
        return true;
    }
}

} // namespace

X11PlatformBackend *X11PlatformBackend::create(QObject *parent)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return nullptr;
    const QByteArray displayName(DisplayString(x11->display()));
    X11FrontWindow *front = X11FrontWindow::create(displayName, nullptr);
    X11KeySynthesizer *synthesizer = X11KeySynthesizer::create(displayName, nullptr);
    if (!front || !synthesizer) {
        delete front;
        delete synthesizer;
        return nullptr;
    }
    return new X11PlatformBackend(front, synthesizer, displayName, parent);
}

X11PlatformBackend::X11PlatformBackend(X11FrontWindow *front, X11KeySynthesizer *synthesizer,
                                       const QByteArray &displayName, QObject *parent)
    : PlatformBackend(parent)
    , m_front(front)
    , m_synthesizer(synthesizer)
    , m_appearance(new DesktopAppearance(this))
    , m_sound(new NotificationSound(this))
{
    m_front->setParent(this);
    m_synthesizer->setParent(this);
    m_monitor = new X11KeyMonitor(
        displayName, keyMonitor(),
        [front] { return front->ownWindowHasFocus(); }, this);
}

QString X11PlatformBackend::applicationName()
{
    return m_front->applicationName();
}

QPixmap X11PlatformBackend::applicationIcon()
{
    return QPixmap::fromImage(m_front->icon(64));
}

void X11PlatformBackend::activateApp()
{
    QWindow *target = QGuiApplication::focusWindow();
    if (!target) {
        // The window just shown is the topmost of ours.
        QList<QWindow *> candidates;
        const QList<QWindow *> windows = QGuiApplication::topLevelWindows();
        for (QWindow *window : windows) {
            if (window->isVisible() && window->handle() && isOrdinaryWindow(window))
                candidates.append(window);
        }
        const QList<quint32> stacking = m_front->stackingOrder();
        qsizetype highest = -1;
        for (QWindow *window : std::as_const(candidates)) {
            const qsizetype position = stacking.indexOf(quint32(window->winId()));
            if (!target || position > highest) {
                target = window;
                highest = position;
            }
        }
    }
    if (target)
        m_front->activateOwnWindow(quint32(target->winId()), lastUserInputTime());
}

void X11PlatformBackend::activateTarget()
{
    m_front->activateTarget();
}

void X11PlatformBackend::showInAllSpaces(QWidget *window)
{
    m_front->setOnAllDesktops(quint32(window->winId()), window->isVisible());
    if (!window->findChild<AllDesktopsKeeper *>(QString(), Qt::FindDirectChildrenOnly))
        new AllDesktopsKeeper(window, m_front);
}

std::optional<bool> X11PlatformBackend::systemDarkMode()
{
    return m_appearance->prefersDark();
}

bool X11PlatformBackend::isTrusted()
{
    return m_synthesizer->hasXTest();
}

void X11PlatformBackend::promptForTrust()
{
    QMessageBox::warning(nullptr, QObject::tr("Pasting is not available"),
                         QObject::tr("Kestovan pastes into other applications with the XTEST extension of the X "
                                     "server, and this X server does not offer it.\n\nStart the X server with the "
                                     "XTEST extension enabled to paste from Kestovan."));
}

void X11PlatformBackend::playNotification()
{
    m_sound->play();
}

quint64 X11PlatformBackend::heldModifierFlags()
{
    return m_synthesizer->heldModifierFlags();
}

bool X11PlatformBackend::anyKeyHeld()
{
    return m_synthesizer->anyKeyHeld();
}

void X11PlatformBackend::pause(int milliseconds)
{
    m_synthesizer->sync();
    QThread::msleep(ulong(milliseconds));
}

void X11PlatformBackend::postKey(quint16 macCode, bool down, quint64 flags, KeyLookup lookup)
{
    m_synthesizer->postKey(macCode, down, flags, lookup == KeyLookup::Character);
}

void X11PlatformBackend::postSystemKey(int systemKey, bool down)
{
    m_synthesizer->postSystemKey(systemKey, down);
}

bool X11PlatformBackend::postCharacter(char32_t codePoint, bool down)
{
    return m_synthesizer->postCharacter(codePoint, down);
}

QString X11PlatformBackend::characterForKeyCode(quint16 macCode)
{
    return m_synthesizer->characterForKeyCode(macCode);
}

void X11PlatformBackend::finishSynthesis()
{
    m_synthesizer->sync();
    m_monitor->discardPending();
}

bool X11PlatformBackend::holdKeys()
{
    if (!m_synthesizer->hold())
        return false;
    // What got through before reached the application in front: it is reported, in order, but not
    // what the hold took, which the server reports twice.
    m_monitor->deliverPending([this](int keycode, unsigned long time) { return m_synthesizer->holds(keycode, time); });
    m_monitor->setKeysHeld(true);
    return true;
}

void X11PlatformBackend::releaseKeys()
{
    // The held keys are reported as they are posted, not as they were pressed.
    m_monitor->discardPending();
    m_monitor->setKeysHeld(false);
    m_synthesizer->release();
}

bool X11PlatformBackend::startKeyMonitor()
{
    return m_monitor->start();
}

void X11PlatformBackend::stopKeyMonitor()
{
    m_monitor->stop();
}

#include "x11platformbackend.moc"
