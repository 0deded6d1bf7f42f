#pragma once

#include <QObject>

class QSoundEffect;

// The notification chime: our own "notification.wav", played twice per call.
class NotificationSound : public QObject
{
    Q_OBJECT

public:
    explicit NotificationSound(QObject *parent = nullptr);

    void play();
    // Whether the chime has been read and can be heard once an audio device is there.
    bool isLoaded() const;
    // The resource the chime is played from.
    static QString source();

private:
    QSoundEffect *m_effect = nullptr;
};
