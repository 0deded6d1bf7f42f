#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <memory>
#include <utility>

// The new pictures whose files are not in the image cache yet. A clipping of one stays out of the
// history file until its file is written, so the file never holds a clipping that points at
// nothing; a picture the disk refused is kept here to be written again.
class PendingPictures
{
public:
    enum State { Writing, Written, Failed };

    // Filled in when the job that writes a picture is done.
    struct Outcome
    {
        QString error;
        // An earlier clipping whose file holds the same bytes.
        QUuid sameAs;
        State state = Writing;
    };

    struct Picture
    {
        QUuid id;
        QImage image;
        QUrl url;
        QString fileName;
    };

    // Waits for a picture whose file is being written; its job fills in the outcome.
    std::shared_ptr<Outcome> add(const Picture &picture);
    // Whether the clipping of id may go into the history file: no picture of it is waited for, or
    // its file is written and copies no earlier one.
    bool maySave(const QUuid &id) const;
    // Stops waiting for id; whether it was waited for.
    bool remove(const QUuid &id);
    // The pictures the disk refused, waited for again with a new outcome each, for the jobs that
    // the caller starts. Those for which hasRow() is false are dropped.
    template<typename HasRow>
    QList<std::pair<Picture, std::shared_ptr<Outcome>>> retry(HasRow hasRow);
    bool isEmpty() const { return m_pictures.isEmpty(); }

private:
    struct Entry
    {
        Picture picture;
        std::shared_ptr<Outcome> outcome;
    };

    QHash<QUuid, Entry> m_pictures;
};

template<typename HasRow>
QList<std::pair<PendingPictures::Picture, std::shared_ptr<PendingPictures::Outcome>>>
PendingPictures::retry(HasRow hasRow)
{
    QList<std::pair<Picture, std::shared_ptr<Outcome>>> again;
    for (auto it = m_pictures.begin(); it != m_pictures.end();) {
        if (it->outcome->state != Failed) {
            ++it;
        } else if (!hasRow(it.key())) {
            it = m_pictures.erase(it);
        } else {
            it->outcome = std::make_shared<Outcome>();
            again.append({it->picture, it->outcome});
            ++it;
        }
    }
    return again;
}
