#pragma once

#include "isolatedhome.h"

#include "history/clippingitem.h"
#include "history/historyitemmodel.h"
#include "history/itemrole.h"
#include "common/isync.h"
#include "common/utils.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// History tests run with a home, settings and data folder of their own and a fixed time zone, so
// they never touch the user's data.
#define KESTOVAN_HISTORY_TEST_MAIN(TestClass)                                                      \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        if (!home.isValid())                                                                       \
            return 1;                                                                              \
        isolateTestHome(home);                                                                     \
        qputenv("TZ", "Europe/Helsinki");                                                          \
        QCoreApplication::setOrganizationName("MorvaTest");                                        \
        QCoreApplication::setApplicationName("KestovanHistoryTest");                               \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

// A sync engine that only records what the models ask of it.
// It adds no signals or slots of its own, so it needs no meta-object of its own.
class RecordingSync : public ISync
{
public:
    using ISync::ISync;

    void sync(SyncFile file, ISyncMerge *merge, SyncDirection direction) override
    {
        syncCalls.append({file, merge, direction});
    }
    void syncImages(QList<QString> images, QList<QString> listedOnline) override
    {
        imageCalls.append(images);
        listedOnlineCalls.append(listedOnline);
    }

    struct Call
    {
        SyncFile file;
        ISyncMerge *merge;
        SyncDirection direction;
    };
    QList<Call> syncCalls;
    QList<QList<QString>> imageCalls;
    QList<QList<QString>> listedOnlineCalls;
};

namespace HistoryTest {

inline QString historyPath()
{
    return Utils::dataPath() + "/History.json";
}

// The settings the history reads, as the defaults routine writes them, and an empty data folder.
inline void resetStore()
{
    QSettings settings = Utils::settings();
    settings.clear();
    settings.setValue("KeepItems", "20");
    settings.setValue("IgnoreSize", "4");
    settings.setValue("IgnoreLength", "3");
    settings.setValue("IncludeImages", true);
    settings.setValue("HistoryFilePath", historyPath());
    settings.sync();
    QDir(Utils::dataPath()).removeRecursively();
    QDir().mkpath(Utils::dataPath());
}

inline void setSetting(const QString &key, const QVariant &value)
{
    QSettings settings = Utils::settings();
    settings.setValue(key, value);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

inline QDateTime time(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODate);
}

inline ClippingItem *textItem(const QString &text, const QDateTime &time, const QString &application = "Editor",
    const QUuid &id = QUuid::createUuid())
{
    auto *item = new ClippingItem;
    item->setData(Utils::makeOneLiner(text), Qt::DisplayRole);
    item->setData(0, TypeRole);
    item->setData(text, TextRole);
    item->setData(QString(), HtmlRole);
    item->setData(time, TimeRole);
    item->setData(id, IdRole);
    item->setData(false, RemovedRole);
    item->setData(application, ApplicationRole);
    return item;
}

inline ClippingItem *imageItem(const QString &fileName, const QDateTime &time, const QString &application = "Viewer",
    const QUuid &id = QUuid::createUuid())
{
    auto *item = new ClippingItem;
    item->setData(fileName, Qt::DisplayRole);
    item->setData(1, TypeRole);
    item->setData(fileName, TextRole);
    item->setData(time, TimeRole);
    item->setData(id, IdRole);
    item->setData(false, RemovedRole);
    item->setData(application, ApplicationRole);
    item->setData(fileName, FileNameRole);
    return item;
}

inline QStringList texts(const QStandardItemModel &model)
{
    QStringList result;
    for (int row = 0; row < model.rowCount(); ++row)
        result.append(model.item(row)->data(TextRole).toString());
    return result;
}

// Broken history files kept aside next to the history file.
inline QStringList keptAsideFiles()
{
    return QDir(QFileInfo(historyPath()).absolutePath()).entryList({"History.json.*.broken"}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
}

} // namespace HistoryTest
