#include "platform/notificationsound.h"

#include "common/ownlibrary.h"

#include <QUrl>

// The sounds live in a static library, so their resource is pulled in by name (outside any namespace).
static void loadSoundResource()
{
    Q_INIT_RESOURCE(sounds);
}

NotificationSound::NotificationSound(QObject *parent)
    : NotificationSound(OwnLibrary::path(QStringLiteral("kestovansound")), parent)
{
}

NotificationSound::NotificationSound(const QString &library, QObject *parent)
    : QObject(parent)
    , m_library(library)
{
}

QString NotificationSound::source()
{
    static const bool loaded = (loadSoundResource(), true);
    Q_UNUSED(loaded);
    return QStringLiteral(":/sounds/notification.wav");
}

void NotificationSound::play()
{
    if (m_unavailable)
        return;
    if (!m_effect) {
        QString error;
        const auto create =
            reinterpret_cast<SoundPlayer::Create>(OwnLibrary::resolve(m_library, "kestovanSoundCreate", error));
        m_play = reinterpret_cast<SoundPlayer::Play>(OwnLibrary::resolve(m_library, "kestovanSoundPlay", error));
        m_isLoaded =
            reinterpret_cast<SoundPlayer::IsLoaded>(OwnLibrary::resolve(m_library, "kestovanSoundIsLoaded", error));
        if (!create || !m_play || !m_isLoaded) {
            m_unavailable = true;
            qWarning("The notification sound cannot be played: %s", qUtf8Printable(error));
            return;
        }
        m_effect = create(QUrl(QStringLiteral("qrc") + source()), 2, this);
    }
    m_play(m_effect);
}

bool NotificationSound::isLoaded() const
{
    return m_effect && m_isLoaded(m_effect);
}
