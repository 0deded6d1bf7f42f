#include "common/safefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

namespace SafeFile {

QString temporaryPath(const QString &path)
{
    return path + "-tmp";
}

bool write(const QString &path, const QByteArray &bytes, QString *error, bool *openFailed)
{
    if (openFailed)
        *openFailed = false;
    if (bytes.isEmpty())
        return fail(error, QString("Refusing to replace %1 with empty content.").arg(path));

    const QString tmpPath = temporaryPath(path);
    QFile file(tmpPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (openFailed)
            *openFailed = true;
        return fail(error, QString("%1 cannot be opened for writing: %2").arg(tmpPath, file.errorString()));
    }

    const auto abandon = [&](const QString &text) {
        file.close();
        QFile::remove(tmpPath);
        return fail(error, text);
    };

    const qint64 written = file.write(bytes);
    if (written != bytes.size())
        return abandon(QString("Writing %1 stopped after %2 of %3 bytes: %4")
                           .arg(tmpPath).arg(written).arg(bytes.size()).arg(file.errorString()));
    // A full disk often shows only when the buffer reaches the file.
    if (!file.flush())
        return abandon(QString("Flushing %1 failed: %2").arg(tmpPath, file.errorString()));
    if (::fsync(file.handle()) != 0)
        return abandon(QString("Syncing %1 failed: %2").arg(tmpPath, systemError()));
    file.close();
    if (file.error() != QFileDevice::NoError)
        return abandon(QString("Closing %1 failed: %2").arg(tmpPath, file.errorString()));

    // QFile::rename refuses an existing target; the POSIX rename replaces it atomically.
    if (::rename(QFile::encodeName(tmpPath).constData(), QFile::encodeName(path).constData()) != 0) {
        const QString reason = systemError();
        QFile::remove(tmpPath);
        return fail(error, QString("Renaming %1 to %2 failed: %3").arg(tmpPath, path, reason));
    }

    // Make the rename itself durable; the data is safe either way, so a failure here is not an error.
    const int dir = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

QString keepAside(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    QString aside = path + "." + stamp + ".broken";
    for (int n = 1; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = path + "." + stamp + "-" + QString::number(n) + ".broken";

    // A copy leaves the file in place until a save replaces it; an unreadable file can only be
    // renamed.
    if (QFile::copy(path, aside) || QFile::rename(path, aside))
        return aside;
    return QString();
}

} // namespace SafeFile
