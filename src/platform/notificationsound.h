#pragma once

#include "platform/sound/soundplayer.h"

#include <QObject>
#include <QString>

// The notification chime: our own "notification.wav", played twice per call. The player comes
// from the sound library, loaded at the first play; without it the chime stays silent.
class NotificationSound : public QObject
{
    Q_OBJECT

public:
    explicit NotificationSound(QObject *parent = nullptr);
    // Plays through the sound library at `library` instead of the program's own.
    NotificationSound(const QString &library, QObject *parent);

    void play();
    // Whether the chime has been read and can be heard once an audio device is there.
    bool isLoaded() const;
    // The resource the chime is played from.
    static QString source();

private:
    QString m_library;
    bool m_unavailable = false;
    QObject *m_effect = nullptr;
    SoundPlayer::Play m_play = nullptr;
    SoundPlayer::IsLoaded m_isLoaded = nullptr;
};
