#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

typedef struct _XDisplay Display;

// Posts synthetic keys through XTest on its own X connection. Characters that no key types are
// typed by binding them for a moment to a key code that has no symbols.
class X11KeySynthesizer : public QObject
{
    Q_OBJECT

public:
    // Null when the display cannot be reached.
    static X11KeySynthesizer *create(const QByteArray &displayName, QObject *parent);
    ~X11KeySynthesizer() override;

    bool hasXTest() const { return m_hasXTest; }
    quint64 heldModifierFlags();
    bool anyKeyHeld();
    void postKey(quint16 macCode, bool down, quint64 flags, bool byCharacter);
    void postSystemKey(int systemKey, bool down);
    bool postCharacter(char32_t codePoint, bool down);
    QString characterForKeyCode(quint16 macCode);
    // Returns once the server has handled everything posted.
    void sync();

    // Grabs the keyboard, so that the user's keys come here and wait; each key posted meanwhile is
    // let through between a release and a new grab, in one go. False when another client holds it.
    bool hold();
    // Whether the hold took the press of keycode at the server's time.
    bool holds(int keycode, unsigned long time);
    // Lets the keyboard go and posts the held keys, in order, each with the modifiers it was pressed with.
    void release();

private:
    struct HeldKey
    {
        int keycode = 0;
        bool down = false;
        unsigned int state = 0;
        unsigned long time = 0;
        // The last request of ours the server had handled.
        unsigned long serial = 0;
    };

    // The modifiers our own posted keys held from a request on.
    struct PostedModifiers
    {
        unsigned long serial = 0;
        unsigned int mask = 0;
    };

    struct Keymap
    {
        int minCode = 0;
        int maxCode = 0;
        int perCode = 0;
        QList<quint32> symbols;

        quint32 symbol(int code, int column) const;
        bool isEmpty(int code) const;
        // Key code with the keysym in one of the first columns (level 1, level 2 of the first group).
        int find(quint32 keysym, int columns, int *column = nullptr) const;
    };

    // Keeps every other client's requests out while it lives, so that nothing of the user's comes
    // between what we check and what we post. Nested ones share the server grab.
    class ServerGrab
    {
    public:
        ServerGrab(X11KeySynthesizer &synthesizer, bool wanted);
        ~ServerGrab();
        ServerGrab(const ServerGrab &) = delete;
        ServerGrab &operator=(const ServerGrab &) = delete;

    private:
        X11KeySynthesizer &m_synthesizer;
        bool m_active;
    };

    X11KeySynthesizer(Display *display, QObject *parent);

    Keymap readKeymap();
    int keycodeForMacKey(quint16 macCode, bool byCharacter, const Keymap &keymap);
    QList<QList<int>> modifierKeycodes();
    // Not ours: a modifier of the user's let go of and pressed again around a key of ours; the keys
    // the user types meanwhile carry it as theirs.
    void fakeKey(int keycode, bool down, bool ours = true);
    bool grab();
    void takeEvents();
    void letGoOfKeysStillDown();
    void replay(const QList<HeldKey> &held);
    void releaseModifiers(quint64 flags);
    // Lets go of the modifiers but kept that the user holds, for a key of ours; returns those to be
    // pressed again after it, so that the user's next keys and release find them down.
    QList<int> letGoOfUsersModifiers(quint64 kept);
    void pressAgain(const QList<int> &keycodes);
    int bindSpareKeycode(quint32 keysym, const Keymap &keymap);
    void restoreMapping();
    void warnOnce(const QString &what);

    Display *m_display;
    bool m_hasXTest = false;
    // Key codes that had no symbols when borrowing began, and what each is bound to now.
    QList<int> m_spareKeycodes;
    QHash<int, quint32> m_boundKeycodes;
    int m_nextReuse = 0;
    // Characters pressed and not yet released, with the key code that typed them.
    QHash<char32_t, int> m_heldCharacters;
    QTimer m_restoreTimer;
    bool m_holding = false;
    bool m_grabbed = false;
    int m_serverGrabs = 0;
    QList<HeldKey> m_held;
    QList<QList<int>> m_heldModifierRows;
    QList<PostedModifiers> m_postedModifiers;
    // Modifier keys the program pressed during the hold and has not let go of yet.
    QList<int> m_ownModifierKeys;
    QSet<QString> m_warned;
};
