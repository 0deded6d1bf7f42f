#include "snippets/backup.h"

#include "common/privatefiles.h"
#include "common/safefile.h"
#include "common/utils.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString Backup::folder()
{
    return Utils::dataPath() + "/backups";
}

QString Backup::nameOf(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

QString Backup::filePath(const QString &name, QDate date)
{
    return folder() + "/" + name + "-" + date.toString("yyyy-MM-dd") + ".json";
}

void Backup::prune(const QString &folder)
{
    // Newest first; ties keep the order the folder lists them in.
    QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Time);
    while (files.size() > MaxFiles) {
        const QFileInfo oldest = files.takeLast();
        QFile::remove(oldest.absoluteFilePath());
        qDebug().noquote() << "Deleted backup file " + oldest.fileName();
    }
}

void Backup::createBackup(QByteArray data, QString name)
{
    const QString backups = folder();
    PrivateFiles::makeFolder(backups);
    prune(backups);

    const QString path = filePath(name, QDate::currentDate());
    QString error;
    bool openFailed = false;
    if (!SafeFile::write(path, data, &error, &openFailed)) {
        if (openFailed)
            qWarning().noquote() << path + " cannot be opened for writing.";
        else
            qWarning().noquote() << "Writing the backup file" << path << "failed:" << error;
        return;
    }
    qDebug().noquote() << "Wrote backup file " + path;
}
