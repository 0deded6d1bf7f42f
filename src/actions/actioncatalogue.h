#pragma once

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QSettings>
#include <QString>
#include <QStringList>

// The listed actions (built-in and the user's, deleted ones left out) in menu order, and the
// settings entries that describe them to the menus, placeholders and hotkeys.
class ActionCatalogue
{
public:
    struct Entry
    {
        QString key;
        QJsonObject action;
    };

    static QList<Entry> listedActions();

    // "Actions": every listed key with its untranslated title.
    static void writeTitles(QSettings &settings, const QList<Entry> &entries);
    static QMap<QString, QString> titles(QSettings &settings);

    // "HiddenActions" and "ActionShortcuts"; keys no longer given drop out of both.
    static void writeMenuSettings(QSettings &settings, const QStringList &hidden,
                                  const QMap<QString, QString> &shortcuts);
    static QStringList hiddenActions(QSettings &settings);
    static QMap<QString, QString> shortcuts(QSettings &settings);
};
