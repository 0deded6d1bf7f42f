#include "common/privatefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t FolderMode = 0700;
constexpr mode_t FileMode = 0600;
constexpr mode_t OthersBits = 077;

QByteArray encodedPath(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

namespace PrivateFiles {

bool makeFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (QFileInfo(path).isDir())
        return true;
    const QString parent = QFileInfo(path).path();
    if (parent != path && !makeFolder(parent))
        return false;
    const QByteArray name = encodedPath(path);
    if (::mkdir(name.constData(), FolderMode) == 0) {
        // The umask may have taken more than the group and other bits.
        ::chmod(name.constData(), FolderMode);
        return true;
    }
    // Made meanwhile by another thread or process.
    return QFileInfo(path).isDir();
}

void tighten(const QString &path)
{
    const QByteArray name = encodedPath(path);
    struct stat status;
    if (::lstat(name.constData(), &status) != 0 || status.st_uid != ::geteuid())
        return;
    const bool folder = S_ISDIR(status.st_mode);
    if ((!folder && !S_ISREG(status.st_mode)) || (status.st_mode & OthersBits) == 0)
        return;
    if (folder) {
        const QStringList entries =
            QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &entry : entries)
            tighten(path + "/" + entry);
    }
    // Last, so a walk cut short is done again at the next start.
    ::chmod(name.constData(), status.st_mode & 07700);
}

void tightenFolder(const QString &folder, const QStringList &nameFilters)
{
    const QStringList entries =
        QDir(folder).entryList(nameFilters, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries)
        tighten(folder + "/" + entry);
    if (nameFilters.isEmpty())
        tighten(folder);
}

void prepareFile(const QString &file)
{
    const QByteArray name = encodedPath(file);
    const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, FileMode);
    if (descriptor >= 0)
        ::close(descriptor);
    else
        tighten(file);
}

} // namespace PrivateFiles
