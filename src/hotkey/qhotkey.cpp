#include "hotkey/qhotkey.h"

#include "hotkey/qhotkeyprivate.h"

#include <QMetaObject>

Q_LOGGING_CATEGORY(logQHotkey, "QHotkey")

QHotkey::NativeShortcut::NativeShortcut(quint32 key, quint32 modifier)
    : key(key)
    , modifier(modifier)
    , valid(true)
{
}

bool QHotkey::NativeShortcut::operator==(const NativeShortcut &other) const
{
    return key == other.key && modifier == other.modifier && valid == other.valid;
}

size_t qHash(QHotkey::NativeShortcut key, size_t seed)
{
    return qHash(key.key, seed) ^ qHash(key.modifier, seed);
}

void QHotkey::addGlobalMapping(const QKeySequence &shortcut, const NativeShortcut &nativeShortcut)
{
    QHotkeyPrivate *registry = QHotkeyPrivate::instance();
    if (!registry)
        return;
    QMetaObject::invokeMethod(registry, "addMappingInvoked", Qt::QueuedConnection,
                              Q_ARG(QKeyCombination, shortcut[0]),
                              Q_ARG(QHotkey::NativeShortcut, nativeShortcut));
}

bool QHotkey::isPlatformSupported()
{
    return true;
}

QHotkey::QHotkey(QObject *parent)
    : QObject(parent)
{
}

QHotkey::QHotkey(const QKeySequence &shortcut, bool autoRegister, QObject *parent)
    : QObject(parent)
{
    setShortcut(shortcut, autoRegister);
}

QHotkey::QHotkey(QKeyCombination shortcut, bool autoRegister, QObject *parent)
    : QObject(parent)
{
    setShortcut(shortcut, autoRegister);
}

QHotkey::QHotkey(const NativeShortcut &shortcut, bool autoRegister, QObject *parent)
    : QObject(parent)
{
    setNativeShortcut(shortcut, autoRegister);
}

QHotkey::~QHotkey()
{
    if (m_registered) {
        if (QHotkeyPrivate *registry = QHotkeyPrivate::instance())
            registry->removeShortcut(this);
    }
}

QKeySequence QHotkey::shortcut() const
{
    if (m_keyCode == Qt::Key_unknown)
        return QKeySequence();
    return QKeySequence(QKeyCombination(m_modifiers, m_keyCode));
}

void QHotkey::clear()
{
    m_keyCode = Qt::Key_unknown;
    m_modifiers = Qt::NoModifier;
    m_nativeShortcut = NativeShortcut();
}

bool QHotkey::setShortcut(const QKeySequence &shortcut, bool autoRegister)
{
    if (shortcut.isEmpty())
        return resetShortcut();
    if (shortcut.count() > 1)
        qCWarning(logQHotkey) << "Keysequences with multiple shortcuts are not allowed! Only the first shortcut will be "
                                 "used!";
    return setShortcut(shortcut[0], autoRegister);
}

bool QHotkey::setShortcut(QKeyCombination shortcut, bool autoRegister)
{
    QHotkeyPrivate *registry = QHotkeyPrivate::instance();
    if (m_registered) {
        if (!autoRegister || !registry || !registry->removeShortcut(this))
            return false;
    }
    if (shortcut.key() == Qt::Key_unknown) {
        clear();
        return true;
    }
    m_keyCode = shortcut.key();
    m_modifiers = shortcut.keyboardModifiers();
    m_nativeShortcut = registry ? registry->nativeShortcut(m_keyCode, m_modifiers) : NativeShortcut();
    if (!m_nativeShortcut.isValid()) {
        qCWarning(logQHotkey) << "Unable to map shortcut to native keys. Key:" << m_keyCode << "Modifiers:" << m_modifiers;
        clear();
        return false;
    }
    return autoRegister ? registry->addShortcut(this) : true;
}

bool QHotkey::resetShortcut()
{
    if (m_registered) {
        QHotkeyPrivate *registry = QHotkeyPrivate::instance();
        if (!registry || !registry->removeShortcut(this))
            return false;
    }
    clear();
    return true;
}

bool QHotkey::setNativeShortcut(QHotkey::NativeShortcut nativeShortcut, bool autoRegister)
{
    QHotkeyPrivate *registry = QHotkeyPrivate::instance();
    if (m_registered) {
        if (!autoRegister || !registry || !registry->removeShortcut(this))
            return false;
    }
    if (!nativeShortcut.isValid()) {
        clear();
        return true;
    }
    m_keyCode = Qt::Key_unknown;
    m_modifiers = Qt::NoModifier;
    m_nativeShortcut = nativeShortcut;
    return autoRegister ? (registry && registry->addShortcut(this)) : true;
}

bool QHotkey::setRegistered(bool registered)
{
    QHotkeyPrivate *registry = QHotkeyPrivate::instance();
    if (m_registered && !registered)
        return registry && registry->removeShortcut(this);
    if (!m_registered && registered)
        return m_nativeShortcut.isValid() && registry && registry->addShortcut(this);
    return true;
}
