#pragma once

#include <QtGlobal>

class QObject;
class QUrl;

// The player of the notification chime. It lives in a library of its own (libkestovansound.so),
// which the program loads the first time a chime plays, so that Qt Multimedia and the audio
// libraries it pulls in are not read at every start. Found by name.
extern "C" {

// A player of `source` that plays it `loops` times per play, owned by `parent`.
Q_DECL_EXPORT QObject *kestovanSoundCreate(const QUrl &source, int loops, QObject *parent);
Q_DECL_EXPORT void kestovanSoundPlay(QObject *player);
Q_DECL_EXPORT bool kestovanSoundIsLoaded(const QObject *player);
}

namespace SoundPlayer {
using Create = decltype(&kestovanSoundCreate);
using Play = decltype(&kestovanSoundPlay);
using IsLoaded = decltype(&kestovanSoundIsLoaded);
} // namespace SoundPlayer
