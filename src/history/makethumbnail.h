#pragma once

#include "common/guardedcall.h"

#include <QImage>
#include <QRect>
#include <QRunnable>
#include <QString>
#include <QUuid>

#include <functional>

// Makes the 160 x 120 thumbnail of a cached clipping image off the GUI thread.
class MakeThumbnail : public QRunnable
{
public:
    // made gets the thumbnail on the GUI thread, unless receiver is gone by then; it is not called
    // when the image cannot be read.
    MakeThumbnail(QString fileName, QUuid id, QObject *receiver, std::function<void(const QImage &)> made);

    void run() override;

    // The centred 4:3 part of an image of the given size.
    static QRect cropRect(const QSize &size);
    static QImage makeThumbnail(const QImage &image);

private:
    QUuid m_id;
    QString m_fileName;
    // The image cache of the mode the job was made in.
    QString m_folder;
    GuardedCall m_back;
    std::function<void(const QImage &)> m_made;
};
