#include "platform/keysynthesis.h"

#include "platform/keycodes.h"
#include "platform/pastetiming.h"
#include "platform/platformbackend.h"
#include "platform/platformlog.h"

#include <QChar>
#include <QHash>

namespace {

// Waits until the user holds no modifier, so Control+V does not become Control+Shift+V.
void waitForModifierRelease(PlatformBackend *backend)
{
    for (int waited = 0; backend->heldModifierFlags() & MacFlag::Modifiers;
         waited += PasteTiming::ModifierPollInterval) {
        if (waited >= PasteTiming::ModifierReleaseTimeout) {
            qCWarning(lcPlatform) << "Modifier keys are still held after" << PasteTiming::ModifierReleaseTimeout
                                  << "ms; pasting anyway.";
            return;
        }
        backend->pause(PasteTiming::ModifierPollInterval);
    }
}

void postCharacterKey(PlatformBackend *backend, char32_t codePoint, bool down)
{
    if (!backend->postCharacter(codePoint, down))
        qCWarning(lcPlatform) << "Could not create keyboard event.";
}

const QHash<QString, quint16> &characterTable()
{
    // Built from the layout current at first use, as the codes it hands out are used right away.
    static const QHash<QString, quint16> table = [] {
        QHash<QString, quint16> result;
        PlatformBackend *backend = PlatformBackend::instance();
        for (quint16 code = 0; code < 128; ++code) {
            const QString text = backend->characterForKeyCode(code);
            if (!text.isEmpty() && !result.contains(text.left(1)))
                result.insert(text.left(1), code);
        }
        return result;
    }();
    return table;
}

char16_t pendingHighSurrogate = 0;

} // namespace

void sendCommandV()
{
    PlatformBackend *backend = PlatformBackend::instance();
    waitForModifierRelease(backend);
    using Lookup = PlatformBackend::KeyLookup;
    backend->postKey(MacKey::Control, true, 0);
    backend->postKey(MacKey::V, true, MacFlag::Control, Lookup::Character);
    backend->postKey(MacKey::V, false, MacFlag::Control, Lookup::Character);
    backend->postKey(MacKey::Control, false, 0);
    backend->finishSynthesis();
}

void releaseModifiers()
{
    PlatformBackend *backend = PlatformBackend::instance();
    for (quint16 code : {MacKey::Command, MacKey::Shift, MacKey::Option, MacKey::Control})
        backend->postKey(code, false, 0);
    backend->finishSynthesis();
}

void toggleKeyCode(quint16 code, bool down, quint64 flags)
{
    PlatformBackend *backend = PlatformBackend::instance();
    if (code == MacKey::NoKey) {
        qCWarning(lcPlatform) << "No key to post: the character has no key on this layout.";
        return;
    }
    if (code >= MacKey::SystemKeyBase) {
        backend->postSystemKey(code - MacKey::SystemKeyBase, down);
    } else if (down && KeyCodes::isModifierMacKey(code)) {
        qCDebug(lcPlatform) << "Not pressing modifier key" << code << "on its own; it would stay held.";
        return;
    } else {
        backend->postKey(code, down, flags);
    }
    backend->finishSynthesis();
}

void tapKeyCode(quint16 code, quint64 flags)
{
    toggleKeyCode(code, true, flags);
    toggleKeyCode(code, false, flags);
}

bool holdKeys()
{
    return PlatformBackend::instance()->holdKeys();
}

void releaseKeys()
{
    PlatformBackend::instance()->releaseKeys();
}

void typeString(const char *text)
{
    if (!text || !*text)
        return;
    PlatformBackend *backend = PlatformBackend::instance();
    const QString decoded = QString::fromUtf8(text);
    for (char32_t codePoint : decoded.toUcs4()) {
        if (!backend->postCharacter(codePoint, true)) {
            qCWarning(lcPlatform) << "Could not create keyboard event.";
            continue;
        }
        backend->postCharacter(codePoint, false);
        backend->pause(PasteTiming::UnicodeKeyInterval);
    }
    backend->finishSynthesis();
}

void toggleUniKey(char16_t ch, bool down)
{
    PlatformBackend *backend = PlatformBackend::instance();
    char32_t codePoint = ch;
    if (QChar::isHighSurrogate(ch)) {
        // Callers hand over one UTF-16 unit at a time; the character is typed with its low half.
        if (down)
            pendingHighSurrogate = ch;
        return;
    }
    if (QChar::isLowSurrogate(ch)) {
        if (!pendingHighSurrogate) {
            qCWarning(lcPlatform) << "Could not create keyboard event.";
            return;
        }
        codePoint = QChar::surrogateToUcs4(pendingHighSurrogate, ch);
        if (!down)
            pendingHighSurrogate = 0;
    }
    postCharacterKey(backend, codePoint, down);
    if (!down)
        backend->pause(PasteTiming::UnicodeKeyInterval);
    backend->finishSynthesis();
}

quint16 keyCodeForChar(char c)
{
    return characterTable().value(QString(QChar(uchar(c))), MacKey::NoKey);
}

QString createStringForKey(quint16 code)
{
    return PlatformBackend::instance()->characterForKeyCode(code);
}

void toggleKey(char c, bool down, quint64 flags)
{
    quint16 code = keyCodeForChar(c);
    const auto character = QChar(uchar(c));
    if (character.isUpper()) {
        flags |= MacFlag::Shift;
        // The table holds what keys type without modifiers: an upper-case letter is its lower-case key.
        if (code == MacKey::NoKey)
            code = keyCodeForChar(char(character.toLower().unicode()));
    }
    if (code == MacKey::NoKey) {
        qCWarning(lcPlatform) << "No key types" << character << "on this keyboard layout.";
        return;
    }
    toggleKeyCode(code, down, flags);
}

void tapKey(char c, quint64 flags)
{
    toggleKey(c, true, flags);
    toggleKey(c, false, flags);
}
