#pragma once

#include "isolatedhome.h"
#include "messagelog.h"

#include "historytestsupport.h"
#include "history/itemrole.h"
#include "snippets/snippetmodel.h"

#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Snippet tests run with a home, settings and data folder of their own and a fixed time zone, so
// they never touch the user's data.
#define KESTOVAN_SNIPPET_TEST_MAIN(TestClass)                                                      \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        if (!home.isValid())                                                                       \
            return 1;                                                                              \
        isolateTestHome(home);                                                                     \
        qputenv("TZ", "Europe/Helsinki");                                                          \
        QCoreApplication::setOrganizationName("MorvaTest");                                        \
        QCoreApplication::setApplicationName("KestovanSnippetTest");                               \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

namespace SnippetTest {

inline QString snippetPath()
{
    return Utils::dataPath() + "/Snippets.json";
}

inline QString backupFolder()
{
    return Utils::dataPath() + "/backups";
}

// An empty settings store and an empty data folder.
inline void resetStore()
{
    QSettings settings = Utils::settings();
    settings.clear();
    settings.sync();
    QDir(Utils::dataPath()).removeRecursively();
    QDir().mkpath(Utils::dataPath());
}

inline QDateTime time(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODate);
}

inline QStandardItem *group(const QString &title, const QUuid &id, const QDateTime &time)
{
    auto *item = new QStandardItem;
    item->setData(title, Qt::DisplayRole);
    item->setData(id, IdRole);
    item->setData(time, TimeRole);
    return item;
}

inline QStandardItem *snippet(const QString &title, const QString &text, const QUuid &id, const QDateTime &time)
{
    auto *item = new QStandardItem;
    item->setData(title, Qt::DisplayRole);
    item->setData(text, TextRole);
    item->setData(text, Qt::ToolTipRole);
    item->setData(id, IdRole);
    item->setData(time, TimeRole);
    item->setData(false, HideRole);
    item->setData(QString(), HotkeyRole);
    item->setData(QString(), ExpanderRole);
    return item;
}

// A snippet object as the snippet file holds it.
inline QJsonObject snippetObject(const QString &title, const QUuid &id, const QString &time, const QString &text = "text",
    const QString &expander = QString(), const QString &hotkey = QString())
{
    return QJsonObject{{"expander", expander}, {"hide", false}, {"hotkey", hotkey}, {"id", id.toString()},
        {"text", text}, {"time", time}, {"title", title}};
}

inline QJsonObject groupObject(const QString &title, const QUuid &id, const QString &time, const QJsonArray &snippets = {})
{
    return QJsonObject{{"id", id.toString()}, {"snippets", snippets}, {"time", time}, {"title", title}};
}

inline QByteArray document(const QJsonArray &groups, const QJsonObject &removedItems = {}, int version = 7)
{
    QJsonObject object{{"groups", groups}, {"magic", -18022399}, {"version", version}};
    if (!removedItems.isEmpty())
        object.insert("removedItems", removedItems);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// "Group: snippet, snippet | Group: ..." in row order, for comparing whole trees.
inline QString outline(const QStandardItemModel &model)
{
    QStringList groups;
    for (int g = 0; g < model.rowCount(); ++g) {
        const QStandardItem *group = model.item(g);
        QStringList snippets;
        for (int s = 0; s < group->rowCount(); ++s)
            snippets.append(group->child(s)->data(Qt::DisplayRole).toString());
        groups.append(group->data(Qt::DisplayRole).toString() + ": " + snippets.join(", "));
    }
    return groups.join(" | ");
}

inline QList<QUuid> ids(const QStandardItemModel &model)
{
    QList<QUuid> result;
    for (int g = 0; g < model.rowCount(); ++g) {
        result.append(model.item(g)->data(IdRole).toUuid());
        for (int s = 0; s < model.item(g)->rowCount(); ++s)
            result.append(model.item(g)->child(s)->data(IdRole).toUuid());
    }
    return result;
}

} // namespace SnippetTest
