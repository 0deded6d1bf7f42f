#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

// Dated copies of a document in the "backups" folder of the data folder, one per calendar day, for
// the user to restore by hand. The program never reads them.
class Backup
{
public:
    Backup() = delete;

    // The folder keeps at most MaxFiles files before a new one is written.
    static constexpr int MaxFiles = 20;

    static QString folder();
    // The name under which the document saved at `path` is backed up: the file's base name, so the
    // demo's and the performance test's saves never replace the backup of the user's own file.
    static QString nameOf(const QString &path);
    // name + "-yyyy-MM-dd.json" in the backups folder.
    static QString filePath(const QString &name, QDate date);

    // Deletes the oldest files of the folder until MaxFiles remain, then writes data as the day's
    // backup of the document name. Failures are logged only.
    static void createBackup(QByteArray data, QString name);

private:
    static void prune(const QString &folder);
};
