#include "platform/x11keysynthesizer.h"

#include "platform/keycodes.h"
#include "platform/pastetiming.h"
#include "platform/platformlog.h"
#include "platform/x11connectionsahead.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <utility>

namespace {

// Rows of the modifier mapping and the flag each stands for. Lock and Mod2 (NumLock) are locks, Mod3
// is unused on common layouts; Mod5 is AltGr, the Option of PC keyboards.
constexpr std::array<std::pair<int, quint64>, 5> modifierRows{{
    {ShiftMapIndex, MacFlag::Shift},
    {ControlMapIndex, MacFlag::Control},
    {Mod1MapIndex, MacFlag::Option},
    {Mod4MapIndex, MacFlag::Command},
    {Mod5MapIndex, MacFlag::Option},
}};

// The rows of Caps Lock and Num Lock: a press and release switches them.
constexpr std::array<int, 2> lockRows{LockMapIndex, Mod2MapIndex};

constexpr std::array<quint64, 4> modifierFlags{MacFlag::Shift, MacFlag::Control, MacFlag::Option, MacFlag::Command};

bool isDown(const char keys[32], int keycode)
{
    return keycode > 0 && keycode < 256 && (keys[keycode / 8] & (1 << (keycode % 8)));
}

template <typename Key>
bool releasedAfter(const QList<Key> &keys, qsizetype press)
{
    const int keycode = keys.at(press).keycode;
    return std::any_of(keys.cbegin() + press + 1, keys.cend(),
                       [keycode](const Key &later) { return !later.down && later.keycode == keycode; });
}

bool isModifierKey(const QList<QList<int>> &rows, int keycode)
{
    return std::any_of(rows.cbegin(), rows.cend(), [keycode](const QList<int> &row) { return row.contains(keycode); });
}

} // namespace

quint32 X11KeySynthesizer::Keymap::symbol(int code, int column) const
{
    if (code < minCode || code > maxCode || column < 0 || column >= perCode)
        return NoSymbol;
    return symbols.value((code - minCode) * perCode + column);
}

bool X11KeySynthesizer::Keymap::isEmpty(int code) const
{
    for (int column = 0; column < perCode; ++column) {
        if (symbol(code, column) != NoSymbol)
            return false;
    }
    return code >= minCode && code <= maxCode;
}

int X11KeySynthesizer::Keymap::find(quint32 keysym, int columns, int *foundColumn) const
{
    for (int column = 0; column < qMin(columns, perCode); ++column) {
        for (int code = minCode; code <= maxCode; ++code) {
            if (symbol(code, column) == keysym) {
                if (foundColumn)
                    *foundColumn = column;
                return code;
            }
        }
    }
    return 0;
}

X11KeySynthesizer::ServerGrab::ServerGrab(X11KeySynthesizer &synthesizer, bool wanted)
    : m_synthesizer(synthesizer)
    , m_active(wanted)
{
    if (m_active && m_synthesizer.m_serverGrabs++ == 0)
        XGrabServer(m_synthesizer.m_display);
}

X11KeySynthesizer::ServerGrab::~ServerGrab()
{
    if (m_active && --m_synthesizer.m_serverGrabs == 0) {
        XUngrabServer(m_synthesizer.m_display);
        XFlush(m_synthesizer.m_display);
    }
}

X11KeySynthesizer *X11KeySynthesizer::create(const QByteArray &displayName, QObject *parent)
{
    Display *display = X11ConnectionsAhead::openDisplay(displayName);
    if (!display) {
        qCWarning(lcPlatform) << "Cannot reach the X display" << displayName << "to post keys.";
        return nullptr;
    }
    return new X11KeySynthesizer(display, parent);
}

X11KeySynthesizer::X11KeySynthesizer(Display *display, QObject *parent)
    : QObject(parent)
    , m_display(display)
{
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    m_hasXTest = XTestQueryExtension(m_display, &eventBase, &errorBase, &major, &minor);
    if (!m_hasXTest)
        qCWarning(lcPlatform) << "The X server has no XTEST extension: keys cannot be posted.";
    m_restoreTimer.setSingleShot(true);
    m_restoreTimer.setInterval(PasteTiming::RestoreMappingDelay);
    connect(&m_restoreTimer, &QTimer::timeout, this, &X11KeySynthesizer::restoreMapping);
}

X11KeySynthesizer::~X11KeySynthesizer()
{
    // Leave no key held and no borrowed key code bound, even when quitting right after typing.
    for (int keycode : std::as_const(m_heldCharacters))
        fakeKey(keycode, false);
    m_heldCharacters.clear();
    restoreMapping();
    XSync(m_display, False);
    XCloseDisplay(m_display);
}

X11KeySynthesizer::Keymap X11KeySynthesizer::readKeymap()
{
    Keymap keymap;
    XDisplayKeycodes(m_display, &keymap.minCode, &keymap.maxCode);
    int perCode = 0;
    KeySym *symbols = XGetKeyboardMapping(m_display, KeyCode(keymap.minCode),
                                          keymap.maxCode - keymap.minCode + 1, &perCode);
    if (!symbols)
        return Keymap();
    keymap.perCode = perCode;
    const int count = (keymap.maxCode - keymap.minCode + 1) * perCode;
    keymap.symbols.reserve(count);
    for (int i = 0; i < count; ++i)
        keymap.symbols.append(quint32(symbols[i]));
    XFree(symbols);
    return keymap;
}

int X11KeySynthesizer::keycodeForMacKey(quint16 macCode, bool byCharacter, const Keymap &keymap)
{
    const quint32 keysym = KeyCodes::keysymForMacKey(macCode);
    const int evdev = KeyCodes::evdevCodeForMacKey(macCode);
    const int positional = evdev >= 0 && !keymap.isEmpty(evdev + 8) ? evdev + 8 : 0;
    if (KeyCodes::isCharacterPosition(macCode) && !byCharacter)
        return positional ? positional : keymap.find(keysym, keymap.perCode);
    if (const int code = keymap.find(keysym, keymap.perCode))
        return code;
    return positional;
}

QList<QList<int>> X11KeySynthesizer::modifierKeycodes()
{
    QList<QList<int>> rows(8);
    XModifierKeymap *map = XGetModifierMapping(m_display);
    if (!map)
        return rows;
    for (int row = 0; row < 8; ++row) {
        for (int i = 0; i < map->max_keypermod; ++i) {
            const int keycode = map->modifiermap[row * map->max_keypermod + i];
            if (keycode)
                rows[row].append(keycode);
        }
    }
    XFreeModifiermap(map);
    return rows;
}

quint64 X11KeySynthesizer::heldModifierFlags()
{
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    const QList<QList<int>> rows = modifierKeycodes();
    quint64 flags = 0;
    for (const auto &[row, flag] : modifierRows) {
        for (int keycode : rows[row]) {
            if (isDown(keys, keycode))
                flags |= flag;
        }
    }
    return flags;
}

bool X11KeySynthesizer::anyKeyHeld()
{
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    for (const char bits : keys) {
        if (bits)
            return true;
    }
    return false;
}

void X11KeySynthesizer::fakeKey(int keycode, bool down, bool ours)
{
    if (!m_hasXTest || keycode <= 0)
        return;
    // A grab takes posted keys too: the key goes between a release and a new grab, and the server
    // grab keeps the user's keys from slipping through that gap, ahead of the held ones.
    const ServerGrab serverGrab(*this, m_grabbed);
    if (m_grabbed) {
        XUngrabKeyboard(m_display, CurrentTime);
        m_grabbed = false;
    }
    XTestFakeKeyEvent(m_display, unsigned(keycode), down ? True : False, CurrentTime);
    if (m_holding && ours) {
        // Keys of the user's the server handles meanwhile come with our modifiers in their state.
        for (int row = 0; row < m_heldModifierRows.size(); ++row) {
            if (!m_heldModifierRows.at(row).contains(keycode))
                continue;
            unsigned int mask = m_postedModifiers.isEmpty() ? 0 : m_postedModifiers.last().mask;
            mask = down ? mask | (1u << row) : mask & ~(1u << row);
            m_postedModifiers.append({NextRequest(m_display) - 1, mask});
            m_ownModifierKeys.removeAll(keycode);
            if (down)
                m_ownModifierKeys.append(keycode);
        }
    }
    if (m_holding && !grab()) {
        m_holding = false;
        qCDebug(lcPlatform) << "The keyboard could not be held again; keys go on reaching the application in front.";
    }
}

bool X11KeySynthesizer::grab()
{
    m_grabbed = XGrabKeyboard(m_display, DefaultRootWindow(m_display), False, GrabModeAsync, GrabModeAsync,
                              CurrentTime)
                == GrabSuccess;
    return m_grabbed;
}

bool X11KeySynthesizer::hold()
{
    release();
    if (!m_hasXTest || !grab()) {
        qCDebug(lcPlatform) << "The keyboard cannot be held: another client holds it.";
        return false;
    }
    m_holding = true;
    m_heldModifierRows = modifierKeycodes();
    m_postedModifiers.clear();
    m_ownModifierKeys.clear();
    return true;
}

bool X11KeySynthesizer::holds(int keycode, unsigned long time)
{
    sync();
    return std::any_of(m_held.cbegin(), m_held.cend(), [&](const HeldKey &key) {
        return key.down && key.keycode == keycode && key.time == time;
    });
}

void X11KeySynthesizer::release()
{
    // Keys typed from now on come after the held ones.
    const ServerGrab serverGrab(*this, m_grabbed);
    m_holding = false;
    if (m_grabbed) {
        // Every key the grab took is here once the server has handled what came before.
        sync();
        letGoOfKeysStillDown();
        XUngrabKeyboard(m_display, CurrentTime);
        m_grabbed = false;
    }
    sync();
    replay(std::exchange(m_held, {}));
    m_postedModifiers.clear();
    sync();
}

void X11KeySynthesizer::letGoOfKeysStillDown()
{
    // A press posted for a key its device still holds is dropped: such a key is let go while the
    // grab takes the release, so that its press goes in once.
    const QList<QList<int>> rows = modifierKeycodes();
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    QList<int> stillDown;
    for (qsizetype i = 0; i < m_held.size(); ++i) {
        const HeldKey &key = m_held.at(i);
        if (key.down && isDown(keys, key.keycode) && !isModifierKey(rows, key.keycode) && !stillDown.contains(key.keycode)
            && !releasedAfter(m_held, i))
            stillDown.append(key.keycode);
    }
    if (stillDown.isEmpty())
        return;
    const unsigned long first = NextRequest(m_display);
    for (int keycode : std::as_const(stillDown))
        XTestFakeKeyEvent(m_display, unsigned(keycode), False, CurrentTime);
    sync();
    // The grab brought those releases here; they are ours, not the user's.
    m_held.erase(std::remove_if(m_held.begin(), m_held.end(),
                                [&](const HeldKey &key) {
                                    return !key.down && key.serial >= first && stillDown.removeOne(key.keycode);
                                }),
                 m_held.end());
}

void X11KeySynthesizer::replay(const QList<HeldKey> &held)
{
    if (held.isEmpty())
        return;
    const QList<QList<int>> rows = modifierKeycodes();
    // The keyboard as the server has it, followed as keys are posted, and as the user left it.
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    std::bitset<256> down;
    for (int keycode = 0; keycode < 256; ++keycode)
        down[keycode] = isDown(keys, keycode);
    const std::bitset<256> left = down;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int locked = 0;
    XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &rootX, &rootY, &x, &y, &locked);
    const unsigned int lockedLeft = locked;

    const auto post = [&](int keycode, bool press) {
        fakeKey(keycode, press);
        down[keycode] = press;
    };
    const auto setLocks = [&](unsigned int state) {
        for (const int row : lockRows) {
            const unsigned int mask = 1u << row;
            if (((state ^ locked) & mask) && !rows.at(row).isEmpty()) {
                post(rows.at(row).first(), true);
                post(rows.at(row).first(), false);
                locked ^= mask;
            }
        }
    };
    const auto setModifiers = [&](unsigned int state) {
        for (const auto &[row, flag] : modifierRows) {
            const QList<int> &codes = rows.at(row);
            const bool wanted = state & (1u << row);
            const bool isHeld = std::any_of(codes.cbegin(), codes.cend(), [&down](int code) { return down[code]; });
            if (wanted && !isHeld && !codes.isEmpty()) {
                post(codes.first(), true);
            } else if (!wanted && isHeld) {
                for (int code : codes) {
                    if (down[code])
                        post(code, false);
                }
            }
        }
        setLocks(state);
    };

    QSet<int> posted;
    for (qsizetype i = 0; i < held.size(); ++i) {
        const HeldKey &key = held.at(i);
        if (!key.down) {
            // A release without its press here belongs to a key pressed before the hold.
            if (posted.remove(key.keycode))
                post(key.keycode, false);
            continue;
        }
        const bool releasedLater = releasedAfter(held, i);
        if (isModifierKey(rows, key.keycode)) {
            // The server has switched a lock already. A modifier still held is down for it, and
            // pressed again and let go here it would be let go under the user's finger.
            const bool isLock = std::any_of(lockRows.cbegin(), lockRows.cend(),
                                            [&](int row) { return rows.at(row).contains(key.keycode); });
            if (releasedLater && !isLock) {
                post(key.keycode, true);
                posted.insert(key.keycode);
            }
            continue;
        }
        // Exactly the user's modifiers and locks of the press, without those we posted.
        unsigned int ours = 0;
        for (const PostedModifiers &modifiers : std::as_const(m_postedModifiers)) {
            if (modifiers.serial <= key.serial)
                ours = modifiers.mask;
        }
        setModifiers(key.state & ~ours);
        post(key.keycode, true);
        if (releasedLater) {
            posted.insert(key.keycode);
        } else {
            // Still under the user's finger: a posted key left down would repeat for ever.
            post(key.keycode, false);
        }
    }
    // What the user holds now is down again, and only that.
    for (const auto &[row, flag] : modifierRows) {
        for (int code : rows.at(row)) {
            if (down[code] != left[code])
                post(code, left[code]);
        }
    }
    setLocks(lockedLeft);
}

void X11KeySynthesizer::releaseModifiers(quint64 flags)
{
    // Lets go of each modifier whichever of its keys holds it; while the keyboard is held, only of
    // the keys we pressed: the user's are let go of around each key of ours only.
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    const QList<QList<int>> rows = modifierKeycodes();
    for (const auto &[row, rowFlag] : modifierRows) {
        if (!(flags & rowFlag))
            continue;
        for (int keycode : rows[row]) {
            if (isDown(keys, keycode) && (!m_holding || m_ownModifierKeys.contains(keycode)))
                fakeKey(keycode, false);
        }
    }
}

QList<int> X11KeySynthesizer::letGoOfUsersModifiers(quint64 kept)
{
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    QList<int> taken;
    for (const auto &[row, flag] : modifierRows) {
        if (kept & flag)
            continue;
        for (int keycode : m_heldModifierRows.at(row)) {
            if (isDown(keys, keycode) && !m_ownModifierKeys.contains(keycode) && !taken.contains(keycode)) {
                fakeKey(keycode, false, false);
                taken.append(keycode);
            }
        }
    }
    if (taken.isEmpty())
        return taken;
    // A fake release lets go only of what XTest holds (the keys of xdotool, of remote desktops): pressed
    // again, a key held on another keyboard would stay down after the user let go of it.
    XQueryKeymap(m_display, keys);
    taken.removeIf([&keys](int keycode) { return isDown(keys, keycode); });
    return taken;
}

void X11KeySynthesizer::pressAgain(const QList<int> &keycodes)
{
    for (int keycode : keycodes)
        fakeKey(keycode, true, false);
}

void X11KeySynthesizer::postKey(quint16 macCode, bool down, quint64 flags, bool byCharacter)
{
    const quint64 modifier = KeyCodes::flagForModifierMacKey(macCode);
    if (modifier && !down) {
        releaseModifiers(modifier);
        return;
    }
    const Keymap keymap = readKeymap();
    const int keycode = keycodeForMacKey(macCode, byCharacter, keymap);
    if (!keycode) {
        warnOnce(QStringLiteral("No X key for key code %1.").arg(macCode));
        return;
    }
    if (!down) {
        fakeKey(keycode, false);
        return;
    }
    // X events carry the server's modifier state, so the flags are keys held around the press.
    const ServerGrab serverGrab(*this, m_holding);
    // A modifier the user presses while the keyboard is held is down for the server though only we
    // saw it; on our key it makes another chord (Shift on a paste's Control+V is the history
    // window's hotkey). It is let go of for our key alone and stays on the keys the user types meanwhile.
    const QList<int> taken = m_holding ? letGoOfUsersModifiers(flags | modifier) : QList<int>();
    QList<int> pressed;
    const quint64 held = heldModifierFlags();
    for (quint64 flag : modifierFlags) {
        if (!(flags & flag) || (held & flag) || flag == modifier)
            continue;
        if (const int modifierKey = keymap.find(KeyCodes::keysymForModifierFlag(flag), keymap.perCode)) {
            fakeKey(modifierKey, true);
            pressed.prepend(modifierKey);
        }
    }
    fakeKey(keycode, true);
    for (int modifierKey : std::as_const(pressed))
        fakeKey(modifierKey, false);
    pressAgain(taken);
    XFlush(m_display);
}

void X11KeySynthesizer::postSystemKey(int systemKey, bool down)
{
    const quint32 keysym = KeyCodes::keysymForSystemKey(systemKey);
    const Keymap keymap = readKeymap();
    const int keycode = keysym ? keymap.find(keysym, keymap.perCode) : 0;
    if (!keycode) {
        warnOnce(QStringLiteral("No X key for system key %1.").arg(systemKey));
        return;
    }
    fakeKey(keycode, down);
    XFlush(m_display);
}

bool X11KeySynthesizer::postCharacter(char32_t codePoint, bool down)
{
    if (!m_hasXTest)
        return false;
    if (!down) {
        const int keycode = m_heldCharacters.take(codePoint);
        fakeKey(keycode, false);
        XFlush(m_display);
        if (m_heldCharacters.isEmpty() && !m_boundKeycodes.isEmpty())
            m_restoreTimer.start();
        return true;
    }
    const quint32 keysym = KeyCodes::keysymForCodePoint(codePoint);
    if (!keysym)
        return false;
    m_restoreTimer.stop();
    const Keymap keymap = readKeymap();
    int column = 0;
    int keycode = keymap.find(keysym, 2, &column);
    if (!keycode) {
        keycode = bindSpareKeycode(keysym, keymap);
        column = 0;
    }
    if (!keycode)
        return false;
    // The characters typed after a keyword come again as typed, not with the modifiers held now.
    const ServerGrab serverGrab(*this, m_holding);
    const QList<int> taken = m_holding ? letGoOfUsersModifiers(0) : QList<int>();
    int shift = 0;
    if (column == 1 && !(heldModifierFlags() & MacFlag::Shift))
        shift = keymap.find(KeyCodes::keysymForModifierFlag(MacFlag::Shift), keymap.perCode);
    fakeKey(shift, true);
    fakeKey(keycode, true);
    fakeKey(shift, false);
    pressAgain(taken);
    XFlush(m_display);
    m_heldCharacters.insert(codePoint, keycode);
    return true;
}

int X11KeySynthesizer::bindSpareKeycode(quint32 keysym, const Keymap &keymap)
{
    if (m_spareKeycodes.isEmpty()) {
        for (int code = keymap.minCode; code <= keymap.maxCode; ++code) {
            if (keymap.isEmpty(code))
                m_spareKeycodes.append(code);
        }
        m_nextReuse = 0;
    }
    if (m_spareKeycodes.isEmpty()) {
        warnOnce(QStringLiteral("Every key code has symbols; characters outside the layout cannot be typed."));
        return 0;
    }
    int keycode = 0;
    for (int code : std::as_const(m_spareKeycodes)) {
        if (!m_boundKeycodes.contains(code)) {
            keycode = code;
            break;
        }
    }
    if (!keycode) {
        // All borrowed: take back the one used longest ago.
        keycode = m_spareKeycodes.at(m_nextReuse);
        m_nextReuse = (m_nextReuse + 1) % m_spareKeycodes.size();
    }
    KeySym symbols[2] = {keysym, keysym};
    XChangeKeyboardMapping(m_display, keycode, 2, symbols, 1);
    XSync(m_display, False);
    m_boundKeycodes.insert(keycode, keysym);
    return keycode;
}

void X11KeySynthesizer::restoreMapping()
{
    if (!m_heldCharacters.isEmpty())
        return; // restarted when the last held character is released
    KeySym none[2] = {NoSymbol, NoSymbol};
    for (auto it = m_boundKeycodes.constBegin(); it != m_boundKeycodes.constEnd(); ++it)
        XChangeKeyboardMapping(m_display, it.key(), 2, none, 1);
    m_boundKeycodes.clear();
    m_spareKeycodes.clear();
    XSync(m_display, False);
}

QString X11KeySynthesizer::characterForKeyCode(quint16 macCode)
{
    const Keymap keymap = readKeymap();
    const int keycode = keycodeForMacKey(macCode, false, keymap);
    return keycode ? KeyCodes::textForKeysym(keymap.symbol(keycode, 0)) : QString();
}

void X11KeySynthesizer::sync()
{
    XSync(m_display, False);
    takeEvents();
}

void X11KeySynthesizer::takeEvents()
{
    // Mapping changes are announced to every client; nobody reads them on this connection. Keys come
    // here only while the keyboard is grabbed.
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == KeyPress || event.type == KeyRelease)
            m_held.append({int(event.xkey.keycode), event.type == KeyPress, event.xkey.state, event.xkey.time,
                           event.xkey.serial});
    }
}

void X11KeySynthesizer::warnOnce(const QString &what)
{
    if (!m_warned.contains(what)) {
        m_warned.insert(what);
        qCWarning(lcPlatform).noquote() << what;
    }
}
