#include "hotkey/qhotkeyprivate.h"

#include "hotkey/qhotkeyprivatenull.h"
#include "hotkey/qhotkeyprivatex11.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeySequenceEdit>
#include <QMutex>
#include <QThread>

#include <memory>

namespace {

struct RegistryHolder
{
    QMutex mutex;
    std::unique_ptr<QHotkeyPrivate> registry;
};

} // namespace

Q_GLOBAL_STATIC(RegistryHolder, registryHolder)

QHotkeyPrivate *QHotkeyPrivate::instance()
{
    if (registryHolder.isDestroyed())
        return nullptr;
    RegistryHolder *holder = registryHolder();
    QMutexLocker lock(&holder->mutex);
    if (!holder->registry) {
        if (qGuiApp && QGuiApplication::platformName() == QLatin1String("xcb"))
            holder->registry.reset(QHotkeyPrivateX11::create());
        if (!holder->registry)
            holder->registry = std::make_unique<QHotkeyPrivateNull>();
    }
    return holder->registry.get();
}

QHotkeyPrivate::QHotkeyPrivate()
{
    qRegisterMetaType<QHotkey *>("QHotkey*");
    qRegisterMetaType<QHotkey::NativeShortcut>("QHotkey::NativeShortcut");
    qRegisterMetaType<Qt::Key>("Qt::Key");
    qRegisterMetaType<Qt::KeyboardModifiers>("Qt::KeyboardModifiers");
    qRegisterMetaType<QKeyCombination>("QKeyCombination");
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installNativeEventFilter(this);
}

QHotkeyPrivate::~QHotkeyPrivate()
{
    if (!shortcuts.isEmpty())
        qCWarning(logQHotkey) << "QHotkeyPrivate destroyed with registered shortcuts!";
    if (QCoreApplication *app = QCoreApplication::instance()) {
        if (QCoreApplication::eventDispatcher())
            app->removeNativeEventFilter(this);
    }
}

Qt::ConnectionType QHotkeyPrivate::connectionType() const
{
    return QThread::currentThread() == thread() ? Qt::DirectConnection : Qt::BlockingQueuedConnection;
}

QHotkey::NativeShortcut QHotkeyPrivate::nativeShortcut(Qt::Key keycode, Qt::KeyboardModifiers modifiers)
{
    QHotkey::NativeShortcut result;
    if (!QMetaObject::invokeMethod(this, "nativeShortcutInvoked", connectionType(),
                                   Q_RETURN_ARG(QHotkey::NativeShortcut, result), Q_ARG(Qt::Key, keycode),
                                   Q_ARG(Qt::KeyboardModifiers, modifiers)))
        return QHotkey::NativeShortcut();
    return result;
}

bool QHotkeyPrivate::addShortcut(QHotkey *hotkey)
{
    if (hotkey->m_registered)
        return false;
    bool registered = false;
    if (!QMetaObject::invokeMethod(this, "addShortcutInvoked", connectionType(), Q_RETURN_ARG(bool, registered),
                                   Q_ARG(QHotkey *, hotkey)))
        return false;
    if (registered)
        emit hotkey->registeredChanged(true);
    return registered;
}

bool QHotkeyPrivate::removeShortcut(QHotkey *hotkey)
{
    if (!hotkey->m_registered)
        return false;
    bool removed = false;
    if (!QMetaObject::invokeMethod(this, "removeShortcutInvoked", connectionType(), Q_RETURN_ARG(bool, removed),
                                   Q_ARG(QHotkey *, hotkey)))
        return false;
    if (removed)
        emit hotkey->registeredChanged(false);
    return removed;
}

bool QHotkeyPrivate::shortcutBeingRecorded()
{
    // Only a window of ours that is active has a focus widget.
    return qobject_cast<QKeySequenceEdit *>(QApplication::focusWidget());
}

void QHotkeyPrivate::activateShortcut(QHotkey::NativeShortcut shortcut)
{
    if (shortcutBeingRecorded()) {
        qCDebug(logQHotkey) << "A shortcut is being recorded; the hotkey waits.";
        return;
    }
    // Fired from the event loop of each hotkey's thread, never inside the windowing system's callback.
    const QList<QHotkey *> hotkeys = shortcuts.values(shortcut);
    for (QHotkey *hotkey : hotkeys)
        QMetaObject::invokeMethod(hotkey, "activated", Qt::QueuedConnection);
}

void QHotkeyPrivate::addMappingInvoked(QKeyCombination keySequence, QHotkey::NativeShortcut nativeShortcut)
{
    mapping.insert(keySequence, nativeShortcut);
}

bool QHotkeyPrivate::addShortcutInvoked(QHotkey *hotkey)
{
    const QHotkey::NativeShortcut shortcut = hotkey->m_nativeShortcut;
    if (!shortcuts.contains(shortcut) && !registerShortcut(shortcut))
        return false;
    shortcuts.insert(shortcut, hotkey);
    hotkey->m_registered = true;
    return true;
}

bool QHotkeyPrivate::removeShortcutInvoked(QHotkey *hotkey)
{
    const QHotkey::NativeShortcut shortcut = hotkey->m_nativeShortcut;
    if (shortcuts.remove(shortcut, hotkey) == 0)
        return false;
    hotkey->m_registered = false;
    if (shortcuts.contains(shortcut))
        return true; // the registration stays for the other hotkeys of this shortcut
    return unregisterShortcut(shortcut);
}

QHotkey::NativeShortcut QHotkeyPrivate::nativeShortcutInvoked(Qt::Key keycode, Qt::KeyboardModifiers modifiers)
{
    const auto found = mapping.constFind(QKeyCombination(modifiers, keycode));
    if (found != mapping.constEnd())
        return *found;
    bool keyOk = false;
    bool modifiersOk = false;
    const quint32 key = nativeKeycode(keycode, keyOk);
    const quint32 mask = nativeModifiers(modifiers, modifiersOk);
    if (keyOk && modifiersOk)
        return QHotkey::NativeShortcut(key, mask);
    return QHotkey::NativeShortcut();
}
