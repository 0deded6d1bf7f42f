#include "history/pendingpictures.h"

std::shared_ptr<PendingPictures::Outcome> PendingPictures::add(const Picture &picture)
{
    auto outcome = std::make_shared<Outcome>();
    m_pictures.insert(picture.id, {picture, outcome});
    return outcome;
}

bool PendingPictures::maySave(const QUuid &id) const
{
    const auto it = m_pictures.constFind(id);
    if (it == m_pictures.constEnd())
        return true;
    const Outcome &outcome = *it->outcome;
    return outcome.state == Written && outcome.sameAs.isNull();
}

bool PendingPictures::remove(const QUuid &id)
{
    return m_pictures.remove(id);
}
