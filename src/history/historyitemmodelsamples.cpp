// HistoryItemModel: sample clippings for the demo mode and generated ones for the performance test.
#include "history/historyitemmodel.h"

#include "history/clippingitem.h"
#include "history/itemrole.h"
#include "common/utils.h"

#include <QColor>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

// Resources of a static library are only linked in when something asks for them by name.
static void registerHistorySampleResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(samples);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {
// Sample clippings are spread over the two hours before now.
const int SampleTimeSpan = 7200;
} // namespace

QString HistoryItemModel::sampleFolder()
{
    // Built in, so the demo has its history wherever the program is installed.
    return QStringLiteral(":/data/samples");
}

void HistoryItemModel::addExampleClippings()
{
    finishLoading();
    registerHistorySampleResources();
    const QString folder = sampleFolder();
    const QString path = folder + "/history-samples.json";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "Failed to open" << path;
        return;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError) {
        qWarning() << error.errorString();
        return;
    }

    const QJsonObject iconTexts = document.object().value("icons").toObject();
    QList<QPixmap> icons;
    for (auto it = iconTexts.constBegin(); it != iconTexts.constEnd(); ++it)
        icons.append(Utils::stringToPixmap(it.value().toString()));
    QRandomGenerator *random = QRandomGenerator::global();
    const auto randomIcon = [&] { return icons.isEmpty() ? QPixmap() : icons.at(random->bounded(int(icons.size()))); };
    const auto randomTime = [&] { return QDateTime::currentDateTime().addSecs(-random->bounded(SampleTimeSpan + 1)); };

    const QJsonArray clippings = document.object().value("clippings").toArray();
    for (const QJsonValue &value : clippings) {
        const QString text = value.toString();
        auto *clipping = new ClippingItem;
        clipping->setData(text, Qt::DisplayRole);
        clipping->setData(text, TextRole);
        clipping->setData(text, Qt::ToolTipRole);
        clipping->setData(0, TypeRole);
        clipping->setData(QUuid::createUuid(), IdRole);
        clipping->setData(QString("Application"), ApplicationRole);
        clipping->setData(randomIcon(), Qt::DecorationRole);
        clipping->setData(randomTime(), TimeRole);
        clipping->setData(false, RemovedRole);
        if (!addItem(clipping))
            delete clipping;
    }

    const QStringList images = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString &name : images) {
        if (!name.endsWith(".jpg"))
            continue;
        // A resource is no file that the cache could copy: the cache gets the picture itself.
        const QString path = folder + "/" + name;
        const QImage image(path);
        if (image.isNull()) {
            qWarning() << "Failed to open" << path;
            continue;
        }
        addImage(QUrl("qrc" + path), image, randomIcon(), "Application", randomTime());
    }
}

void HistoryItemModel::generateRandomItems(int n)
{
    finishLoading();
    QRandomGenerator *random = QRandomGenerator::global();
    for (int i = 0; i < n; ++i) {
        const int d = int(random->generate() % 100);
        const QColor colour(random->bounded(256), random->bounded(256), random->bounded(256));
        QPixmap icon(64, 64);
        icon.fill(colour);
        const QString application = QString("PerfTest-%1").arg(i);
        if (d < 76) {
            addText(Utils::generateRandomString(100), QString(), icon, application);
        } else {
            QImage image(256, 256, QImage::Format_ARGB32);
            image.fill(QColor(colour.blue(), colour.green(), colour.red()));
            addImage(QUrl(), image, icon, application, QDateTime::currentDateTime());
        }
    }
}
