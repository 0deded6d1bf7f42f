#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>

// One action file: a JSON object whose every key is optional. An action is known everywhere by
// its key, the full path of its file; a key starting with ":" is a built-in resource.
class ActionFile
{
public:
    enum class ReadStatus { Ok, OpenFailed, ParseFailed, TooLarge };

    static QString builtInFolder();
    static QString userFolder();
    static QString templatePath();

    static bool isBuiltInKey(const QString &key);
    static bool isDeleted(const QJsonObject &action);

    // An action is a script: a file larger than any script is refused unread, and none is written.
    static constexpr qint64 MaxSize = qint64(4) * 1024 * 1024;

    // Reads a whole file; an array document reads as an empty object. A user file larger than
    // MaxSize is refused unread, with a warning; error then says why.
    static ReadStatus read(const QString &path, QJsonObject &action, QString *error = nullptr);
    // Replaces a file with the compact object through the checked atomic save: a failed write,
    // or one that would pass MaxSize, leaves the old file whole.
    static bool write(const QString &path, const QJsonObject &action, QString *error = nullptr);
    // The "created" stamp: now, with the offset from UTC, so computers in other zones read the
    // same instant.
    static QString timeStamp();

    // The stored extra parameter values, filed under the bare file name of the key.
    static QMap<QString, QString> parameterValues(const QString &key);
    static void storeParameterValues(const QString &key, const QMap<QString, QString> &values);

    // The path for a new action in `folder`, made from the letters and digits of its title.
    static QString newFilePath(const QString &folder, const QString &title);
    // The same name, claimed by creating the file exclusively, so that a file or link that
    // appears under it meanwhile is never written over. The caller writes the action over the
    // empty file.
    static QString claimNewFilePath(const QString &folder, const QString &title);

    // Names from synced or imported documents become file names only when they are plain:
    // no separators, no "..", not hidden, ending in ".json".
    static bool isPlainFileName(const QString &name);
    // The user folder path for such a name, or an empty text when the name is not plain.
    static QString userFilePath(const QString &name);
};
