#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QRunnable>
#include <QString>
#include <QUuid>

// Makes the 160 x 120 thumbnail of a cached clipping image off the GUI thread.
class MakeThumbnail : public QObject, public QRunnable
{
    Q_OBJECT

public:
    MakeThumbnail(QString fileName, QUuid id);

    void run() override;

    // The centred 4:3 part of an image of the given size.
    static QRect cropRect(const QSize &size);
    static QImage makeThumbnail(const QImage &image);

signals:
    void thumbnail(QImage image, QUuid id);

private:
    QUuid m_id;
    QString m_fileName;
    // The image cache of the mode the job was made in.
    QString m_folder;
};
