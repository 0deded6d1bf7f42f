#include "common/folderlisting.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <dirent.h>

namespace FolderListing {

bool names(const QString &folder, QStringList *names, QString *error)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    names->clear();
    for (;;) {
        // readdir tells the end from a failure only through errno.
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry)
            break;
        const QString name = QFile::decodeName(entry->d_name);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            names->append(name);
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        *error = QString::fromLocal8Bit(std::strerror(readError));
        return false;
    }
    return true;
}

} // namespace FolderListing
