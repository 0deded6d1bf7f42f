#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>

// One action file: a JSON object whose every key is optional. An action is known everywhere by
// its key, the full path of its file; a key starting with ":" is a built-in resource.
class ActionFile
{
public:
    enum class ReadStatus { Ok, OpenFailed, ParseFailed };

    static QString builtInFolder();
    static QString userFolder();
    static QString templatePath();

    static bool isBuiltInKey(const QString &key);
    static bool isDeleted(const QJsonObject &action);

    // Reads a whole file; an array document reads as an empty object.
    static ReadStatus read(const QString &path, QJsonObject &action);

    // The stored extra parameter values, filed under the bare file name of the key.
    static QMap<QString, QString> parameterValues(const QString &key);

    // The path for a new action in `folder`, made from the letters and digits of its title.
    static QString newFilePath(const QString &folder, const QString &title);

    // Names from synced or imported documents become file names only when they are plain:
    // no separators, no "..", not hidden, ending in ".json".
    static bool isPlainFileName(const QString &name);
    // The user folder path for such a name, or an empty text when the name is not plain.
    static QString userFilePath(const QString &name);
};
