#include "common/defaultsettings.h"

#include <QLocale>
#include <QSize>
#include <QStandardPaths>

QList<DefaultSetting> defaultSettings()
{
    return {
        {"StartAutomatically", true},
        {"OpenOnMouse", true},
        {"Shortcut", QString("CTRL+SHIFT+V")},
        {"ShortcutPlainText", QString()},
        // Stored as text first; the settings dialog writes them back as numbers, and readers accept both.
        {"IgnoreSize", QString("4")},
        {"IgnoreLength", QString("3")},
        {"KeepItems", QString("20")},
        {"WindowSize", QSize(400, 500)},
        {"SyncHistory", true},
        {"SyncSnippets", true},
        {"SyncActions", true},
        {"SendDumps", true},
        {"Theme", 2},
        {"IncludeImages", true},
        {"PastePlainText", false},
        {"ClearHistory", false},
        {"RequireSpace", false},
        {"SyncTarget", QString("GoogleDrive")},
        {"SyncFolder", QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Kestovan Sync Folder"},
        {"CompactList", false},
        {"InitialSelection", 1},
    };
}

QString defaultLanguage()
{
    // The C locale names no language; its texts are the English source texts.
    const QLocale::Language language = QLocale().language();
    if (language == QLocale::C || language == QLocale::AnyLanguage)
        return QLocale::languageToString(QLocale::English);
    return QLocale::languageToString(language);
}
