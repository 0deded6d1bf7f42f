#pragma once

#include <QKeySequence>
#include <QObject>

// A system-wide keyboard shortcut: activated() fires while any application has the focus. Every
// QHotkey of the process shares one registry (QHotkeyPrivate), which registers each native shortcut
// with the windowing system once, however many hotkeys use it.
class QHotkey : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool registered READ isRegistered WRITE setRegistered NOTIFY registeredChanged)
    Q_PROPERTY(QKeySequence shortcut READ shortcut WRITE setShortcut RESET resetShortcut)

public:
    // A shortcut in the windowing system's terms: key code and modifier mask.
    class NativeShortcut
    {
    public:
        NativeShortcut() = default;
        NativeShortcut(quint32 key, quint32 modifier);

        bool isValid() const { return valid; }
        bool operator==(const NativeShortcut &other) const;
        bool operator!=(const NativeShortcut &other) const { return !(*this == other); }

        quint32 key = 0;
        quint32 modifier = 0;

    private:
        bool valid = false;
    };

    // Makes the registry map a key combination to a given native shortcut instead of translating it.
    // Returns at once; hotkeys set after the registry has taken the mapping use it.
    static void addGlobalMapping(const QKeySequence &shortcut, const NativeShortcut &nativeShortcut);
    static bool isPlatformSupported();

    explicit QHotkey(QObject *parent = nullptr);
    QHotkey(const QKeySequence &shortcut, bool autoRegister = false, QObject *parent = nullptr);
    QHotkey(QKeyCombination shortcut, bool autoRegister = false, QObject *parent = nullptr);
    QHotkey(const NativeShortcut &shortcut, bool autoRegister = false, QObject *parent = nullptr);
    ~QHotkey() override;

    bool isRegistered() const { return m_registered; }
    QKeySequence shortcut() const;
    Qt::Key keyCode() const { return m_keyCode; }
    Qt::KeyboardModifiers modifiers() const { return m_modifiers; }
    NativeShortcut currentNativeShortcut() const { return m_nativeShortcut; }

public slots:
    bool setRegistered(bool registered);
    bool setShortcut(const QKeySequence &shortcut, bool autoRegister = false);
    bool setShortcut(QKeyCombination shortcut, bool autoRegister = false);
    bool resetShortcut();
    bool setNativeShortcut(QHotkey::NativeShortcut nativeShortcut, bool autoRegister = false);

signals:
    void activated();
    void registeredChanged(bool registered);

private:
    friend class QHotkeyPrivate;

    void clear();

    Qt::Key m_keyCode = Qt::Key_unknown;
    Qt::KeyboardModifiers m_modifiers = Qt::NoModifier;
    NativeShortcut m_nativeShortcut;
    bool m_registered = false;
};

size_t qHash(QHotkey::NativeShortcut key, size_t seed = 0);

Q_DECLARE_METATYPE(QHotkey::NativeShortcut)
