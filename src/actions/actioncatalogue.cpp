#include "actions/actioncatalogue.h"

#include "actions/actionfile.h"
#include "actions/actionhelpers.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The built-in actions' titles and descriptions live in their files under resources, where lupdate
// does not look; they are shown through the "ActionList" context, so the catalogues carry them.
[[maybe_unused]] const char *const BuiltInActionTexts[] = {
    QT_TRANSLATE_NOOP("ActionList", "To lowercase"),
    QT_TRANSLATE_NOOP("ActionList", "Converts the text to lowercase."),
    QT_TRANSLATE_NOOP("ActionList", "To uppercase"),
    QT_TRANSLATE_NOOP("ActionList", "Converts the text to uppercase."),
    QT_TRANSLATE_NOOP("ActionList", "JSON Pretty Print"),
    QT_TRANSLATE_NOOP("ActionList", "Formats JSON to be more human readable"),
    QT_TRANSLATE_NOOP("ActionList", "Stript HTML tags"),
    QT_TRANSLATE_NOOP("ActionList", "Removes HTML tags from the text"),
    QT_TRANSLATE_NOOP("ActionList", "Current time"),
    QT_TRANSLATE_NOOP("ActionList", "Writes the current date and time"),
    QT_TRANSLATE_NOOP("ActionList", "Generate password"),
    QT_TRANSLATE_NOOP("ActionList", "Creates a random password"),
    QT_TRANSLATE_NOOP("ActionList", "Hex dump"),
    QT_TRANSLATE_NOOP("ActionList", "Creates hex dump of UTF-8 encoded string"),
    QT_TRANSLATE_NOOP("ActionList", "Date to Value"),
    QT_TRANSLATE_NOOP("ActionList", "Converts the date and time to value"),
    QT_TRANSLATE_NOOP("ActionList", "Value to Date"),
    QT_TRANSLATE_NOOP("ActionList", "Converts the value to date and time"),
    QT_TRANSLATE_NOOP("ActionList", "Create GUID"),
    QT_TRANSLATE_NOOP("ActionList", "Creates a globally uniqued identifier"),
    QT_TRANSLATE_NOOP("ActionList", "Word wrap"),
    QT_TRANSLATE_NOOP("ActionList", "Wraps long lines to be less than given length"),
    QT_TRANSLATE_NOOP("ActionList", "Split lines"),
    QT_TRANSLATE_NOOP("ActionList", "Splits the clipping from the separator that is most times in the text"),
};

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
    // Written at every start: an unchanged list must not make the store rewrite its file.
    const QVariant value(titles);
    if (settings.value(QStringLiteral("Actions")) != value)
        settings.setValue(QStringLiteral("Actions"), value);
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
