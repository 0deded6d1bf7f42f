#include "platform/notificationsound.h"

#include <QSoundEffect>
#include <QUrl>

// The sounds live in a static library, so their resource is pulled in by name (outside any namespace).
static void loadSoundResource()
{
    Q_INIT_RESOURCE(sounds);
}

NotificationSound::NotificationSound(QObject *parent)
    : QObject(parent)
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
    if (!m_effect) {
        m_effect = new QSoundEffect(this);
        m_effect->setSource(QUrl(QStringLiteral("qrc") + source()));
        m_effect->setLoopCount(2);
    }
    m_effect->play();
}

bool NotificationSound::isLoaded() const
{
    return m_effect && m_effect->isLoaded();
}
