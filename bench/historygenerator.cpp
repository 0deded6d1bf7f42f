#include "historygenerator.h"

#include "common/safefile.h"
#include "common/utils.h"
#include "history/historydocument.h"
#include "history/historysnapshot.h"

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRandomGenerator>
#include <QUuid>

#include <algorithm>
#include <cstdio>

namespace HistoryGenerator {

namespace {

QImage picture(QRandomGenerator &random, int size)
{
    if (size > 0) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(QColor::fromHsv(int(random.bounded(360)), 160, 200));
        return image;
    }
    QImage image(400 + int(random.bounded(800)), 300 + int(random.bounded(500)), QImage::Format_RGB32);
    image.fill(QColor::fromHsv(int(random.bounded(360)), 160, 200));
    QPainter painter(&image);
    painter.setPen(Qt::black);
    for (int line = 0; line < 30; ++line)
        painter.drawLine(int(random.bounded(image.width())), int(random.bounded(image.height())),
            int(random.bounded(image.width())), int(random.bounded(image.height())));
    return image;
}

} // namespace

int write(const QString &path, const Options &options)
{
    const int clippings = std::max(0, options.clippings);
    const int removals = std::min(clippings, std::max(0, options.removals));
    const int kept = clippings - removals;
    const int images = std::min(kept, std::max(0, options.images));
    const int applications = std::max(1, options.applications);

    QList<QString> icons;
    icons.reserve(std::min(applications, clippings));
    for (int i = 0; i < std::min(applications, std::max(1, clippings)); ++i) {
        QPixmap icon(64, 64);
        icon.fill(QColor::fromHsv((i * 9) % 360, 200, 220));
        icons.append(HistorySnapshot::iconText(icon));
    }

    QRandomGenerator random(29);
    const QDateTime newest = QDateTime::currentDateTime();
    HistorySnapshot snapshot;
    snapshot.rows.reserve(size_t(clippings));
    int imagesLeft = images;
    int removalsLeft = removals;
    int keptBefore = 0;
    for (int i = 0; i < clippings; ++i) {
        auto row = std::make_shared<SavedClipping>();
        ClippingRecord &record = row->record;
        record.id = QUuid::createUuid().toString();
        // Spread evenly: row i is a removal when the removals left are at least their share.
        if (removalsLeft > 0 && qint64(removalsLeft) * clippings >= qint64(clippings - i) * removals) {
            record.removed = true;
            record.time = newest.addSecs(removals - --removalsLeft).toString(Qt::ISODate);
            snapshot.rows.push_back(std::move(row));
            continue;
        }
        const int app = applications == clippings ? i : int(random.bounded(applications));
        record.application = QString("Application %1").arg(app);
        record.time = newest.addSecs(-7 * qint64(i)).toString(Qt::ISODate);
        row->icon = icons.at(app % icons.size());
        // Likewise among the clippings kept for the pictures.
        const bool image = imagesLeft > 0 && qint64(imagesLeft) * kept >= qint64(kept - keptBefore++) * images;
        if (image) {
            --imagesLeft;
            const QImage shot = picture(random, options.imageSize);
            record.type = 1;
            record.brief = QString("%1 x %2 (%3)").arg(shot.width()).arg(shot.height()).arg(record.application);
            record.text = record.brief;
            record.fileName = record.application + QString("-%1x%2.png").arg(shot.width()).arg(shot.height());
            const QString folder = Utils::imagesPath() + "/" + record.id;
            if (!QDir().mkpath(folder) || !shot.save(folder + "/" + record.fileName, "PNG")) {
                std::fprintf(stderr, "historygenerator: cannot write a picture into %s\n", qPrintable(folder));
                return -1;
            }
        } else {
            const int length = options.textLength > 0 ? options.textLength : 20 + int(random.bounded(160));
            record.text = QString("%1 ").arg(i) + Utils::generateRandomString(length);
            record.brief = Utils::makeOneLiner(record.text);
        }
        snapshot.rows.push_back(std::move(row));
    }

    QString error;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !SafeFile::writeDocument(path, snapshot.toJson(), &error)) {
        std::fprintf(stderr, "historygenerator: cannot write %s: %s\n", qPrintable(path), qPrintable(error));
        return -1;
    }
    return countClippings(path);
}

int countClippings(const QString &path)
{
    QByteArray bytes;
    if (SafeFile::read(path, &bytes) != SafeFile::ReadResult::Read)
        return -1;
    HistoryDocument document;
    QString error;
    if (!HistoryDocumentReader::read(bytes, &document, &error))
        return -1;
    return int(document.clippings.size());
}

} // namespace HistoryGenerator
