#include "platform/sound/soundplayer.h"

#include <QSoundEffect>
#include <QUrl>

QObject *kestovanSoundCreate(const QUrl &source, int loops, QObject *parent)
{
    auto *effect = new QSoundEffect(parent);
    effect->setSource(source);
    effect->setLoopCount(loops);
    return effect;
}

void kestovanSoundPlay(QObject *player)
{
    static_cast<QSoundEffect *>(player)->play();
}

bool kestovanSoundIsLoaded(const QObject *player)
{
    return static_cast<const QSoundEffect *>(player)->isLoaded();
}
