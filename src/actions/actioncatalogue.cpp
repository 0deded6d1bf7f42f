#include "actions/actioncatalogue.h"

#include "actions/actionfile.h"
#include "actions/actionhelpers.h"

#include <algorithm>

namespace {

QMap<QString, QString> readTextMap(QSettings &settings, const QString &key)
{
    const QVariantMap stored = settings.value(key).toMap();
    QMap<QString, QString> texts;
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        texts.insert(it.key(), it.value().toString());
    return texts;
}

QVariantMap toVariantMap(const QMap<QString, QString> &texts)
{
    QVariantMap map;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

} // namespace

QList<ActionCatalogue::Entry> ActionCatalogue::listedActions()
{
    QMap<QString, QJsonObject> files;
    ActionHelpers::scanFiles(ActionFile::builtInFolder(), files, false);
    ActionHelpers::scanFiles(ActionFile::userFolder(), files, false);

    QStringList keys = files.keys();
    std::sort(keys.begin(), keys.end(), actionLessThan);
    QList<Entry> entries;
    for (const QString &key : std::as_const(keys)) {
        const QJsonObject &action = files[key];
        if (!ActionFile::isDeleted(action))
            entries.append({key, action});
    }
    return entries;
}

void ActionCatalogue::writeTitles(QSettings &settings, const QList<Entry> &entries)
{
    QVariantMap titles;
    for (const Entry &entry : entries)
        titles.insert(entry.key, entry.action.value(QStringLiteral("title")).toString());
    settings.setValue(QStringLiteral("Actions"), titles);
}

QMap<QString, QString> ActionCatalogue::titles(QSettings &settings)
{
    return readTextMap(settings, QStringLiteral("Actions"));
}

void ActionCatalogue::writeMenuSettings(QSettings &settings, const QStringList &hidden,
                                        const QMap<QString, QString> &shortcuts)
{
    settings.setValue(QStringLiteral("HiddenActions"), hidden);
    settings.setValue(QStringLiteral("ActionShortcuts"), toVariantMap(shortcuts));
}

QStringList ActionCatalogue::hiddenActions(QSettings &settings)
{
    return settings.value(QStringLiteral("HiddenActions")).toStringList();
}

QMap<QString, QString> ActionCatalogue::shortcuts(QSettings &settings)
{
    return readTextMap(settings, QStringLiteral("ActionShortcuts"));
}
