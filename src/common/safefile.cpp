#include "common/safefile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The reasons below end up in the user's save warnings, so they speak the user's language.
class Reason
{
    Q_DECLARE_TR_FUNCTIONS(SafeFile)
};

// As many links as the kernel follows before it gives up with ELOOP.
const int MaxLinkHops = 40;
const qint64 CopyChunk = 1024 * 1024;

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

QString systemError(int code = errno)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// The file a write replaces: a link is followed to its last target, so the link itself stays.
bool resolveLinks(const QString &path, QString *target, QString *error)
{
    QString current = path;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink()) {
            *target = current;
            return true;
        }
        current = info.symLinkTarget();
    }
    return fail(error, Reason::tr("%1 is a chain of too many symbolic links").arg(path));
}

bool writeBytes(int descriptor, const char *data, qint64 size, QString *error)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t written = ::write(descriptor, data + done, size_t(size - done));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(error, Reason::tr("stopped after %1 of %2 bytes: %3").arg(done).arg(size).arg(systemError()));
        }
        done += written;
    }
    return true;
}

// A full disk can show only at the sync, and some file systems report a short file as written.
bool finish(int descriptor, qint64 expected, QString *error)
{
    if (::fsync(descriptor) != 0 && errno != EINVAL)
        return fail(error, Reason::tr("syncing failed: %1").arg(systemError()));
    struct stat status;
    if (::fstat(descriptor, &status) != 0)
        return fail(error, Reason::tr("checking the size failed: %1").arg(systemError()));
    if (S_ISREG(status.st_mode) && qint64(status.st_size) != expected)
        return fail(error, Reason::tr("the file holds %1 of %2 bytes").arg(qint64(status.st_size)).arg(expected));
    return true;
}

// The temporary file is always new: a file or link left at its name is removed, never written
// through, so nothing planted there can redirect the write.
int openTemporary(const QString &tmpPath, QString *error)
{
    const QByteArray name = native(tmpPath);
    struct stat status;
    if (::lstat(name.constData(), &status) == 0 && !S_ISDIR(status.st_mode))
        ::unlink(name.constData());
    // Private whatever the umask: what the program writes is the user's alone.
    const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0)
        fail(error, Reason::tr("%1 cannot be opened for writing: %2").arg(tmpPath, systemError()));
    else
        ::fchmod(descriptor, 0600);
    return descriptor;
}

// Closes the written temporary file and renames it over target; removes it on any failure.
bool commit(int descriptor, const QString &tmpPath, const QString &target, QString *error)
{
    const QByteArray tmpName = native(tmpPath);
    if (::close(descriptor) != 0) {
        const QString reason = systemError();
        ::unlink(tmpName.constData());
        return fail(error, Reason::tr("Closing %1 failed: %2").arg(tmpPath, reason));
    }
    // QFile::rename refuses an existing target; the POSIX rename replaces it atomically.
    if (::rename(tmpName.constData(), native(target).constData()) != 0) {
        const QString reason = systemError();
        ::unlink(tmpName.constData());
        return fail(error, Reason::tr("Renaming %1 to %2 failed: %3").arg(tmpPath, target, reason));
    }
    // Make the rename itself durable; the data is safe either way, so a failure here is not an error.
    const int folder = ::open(native(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

// The size of a regular file (a link followed), or -1 for anything else: a pipe or a device is
// never opened to be copied.
qint64 regularFileSize(const QString &path)
{
    struct stat status;
    if (::stat(native(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return -1;
    return qint64(status.st_size);
}

bool abandon(int descriptor, const QString &tmpPath, QString *error, const QString &text)
{
    ::close(descriptor);
    ::unlink(native(tmpPath).constData());
    return fail(error, text);
}

} // namespace

namespace SafeFile {

QString temporaryPath(const QString &path)
{
    return path + "-tmp";
}

bool writeAll(int descriptor, const QByteArray &bytes, QString *error)
{
    return writeBytes(descriptor, bytes.constData(), bytes.size(), error) && finish(descriptor, bytes.size(), error);
}

bool write(const QString &path, const QByteArray &bytes, QString *error, bool *openFailed, Links links)
{
    if (openFailed)
        *openFailed = false;
    if (bytes.isEmpty())
        return fail(error, Reason::tr("Refusing to replace %1 with empty content.").arg(path));

    QString target = path;
    if (links == Links::WriteThrough && !resolveLinks(path, &target, error))
        return false;
    const QString tmpPath = temporaryPath(target);
    const int descriptor = openTemporary(tmpPath, error);
    if (descriptor < 0) {
        if (openFailed)
            *openFailed = true;
        return false;
    }
    QString reason;
    if (!writeAll(descriptor, bytes, &reason))
        return abandon(descriptor, tmpPath, error, Reason::tr("Writing %1 failed: %2").arg(tmpPath, reason));
    return commit(descriptor, tmpPath, target, error);
}

bool writeDocument(const QString &path, const QByteArray &bytes, QString *error, bool *openFailed, Links links,
                   qint64 limit)
{
    if (qint64(bytes.size()) > limit) {
        if (openFailed)
            *openFailed = false;
        return fail(error, Reason::tr("%1 would have %2 bytes, more than the %3 a data file may have")
                               .arg(path, QString::number(bytes.size()), QString::number(limit)));
    }
    return write(path, bytes, error, openFailed, links);
}

bool copy(const QString &source, const QString &target, QString *error)
{
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return fail(error, Reason::tr("%1 already exists").arg(target));
    QFile in(source);
    if (!openForReading(&in, error))
        return false;

    const QString tmpPath = temporaryPath(target);
    const int descriptor = openTemporary(tmpPath, error);
    if (descriptor < 0)
        return false;
    qint64 total = 0;
    QByteArray chunk;
    while (!(chunk = in.read(CopyChunk)).isEmpty()) {
        QString reason;
        if (!writeBytes(descriptor, chunk.constData(), chunk.size(), &reason))
            return abandon(descriptor, tmpPath, error, Reason::tr("Writing %1 failed: %2").arg(tmpPath, reason));
        total += chunk.size();
    }
    QString reason;
    if (in.error() != QFileDevice::NoError)
        return abandon(descriptor, tmpPath, error, Reason::tr("Reading %1 failed: %2").arg(source, in.errorString()));
    if (!finish(descriptor, total, &reason))
        return abandon(descriptor, tmpPath, error, Reason::tr("Writing %1 failed: %2").arg(tmpPath, reason));
    return commit(descriptor, tmpPath, target, error);
}

bool openForReading(QFile *file, QString *error)
{
    const QString path = file->fileName();
    // Without O_NONBLOCK, open() of a pipe waits for a writer, for ever.
    const int descriptor = ::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return fail(error, Reason::tr("%1 cannot be opened for reading: %2").arg(path, systemError()));
    // A device or pipe in the file's place could be read for ever.
    struct stat status;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return fail(error, Reason::tr("%1 is not a regular file").arg(path));
    }
    // Reading a regular file never waits; the flag was for the open alone.
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return fail(error, Reason::tr("%1 cannot be opened for reading: %2").arg(path, file->errorString()));
    }
    return true;
}

QImage readImage(const QString &path, QString *error)
{
    QFile file(path);
    if (!openForReading(&file, error))
        return QImage();
    QImageReader reader(&file);
    const QImage image = reader.read();
    if (image.isNull())
        fail(error, reader.errorString());
    return image;
}

bool sameContent(const QString &path, const QString &otherPath)
{
    // Files of other sizes, the most of them, are told apart without being opened.
    const qint64 size = regularFileSize(path);
    if (size < 0 || size != regularFileSize(otherPath))
        return false;
    QFile one(path);
    QFile other(otherPath);
    if (!openForReading(&one) || !openForReading(&other))
        return false;
    for (;;) {
        const QByteArray chunk = one.read(CopyChunk);
        if (chunk != other.read(CopyChunk))
            return false;
        if (chunk.isEmpty())
            return one.error() == QFileDevice::NoError && other.error() == QFileDevice::NoError;
    }
}

namespace {

// Opens path for reading a whole data file; size is its size when Read.
ReadResult openDocument(QFile *file, qint64 *size, QString *error, qint64 limit)
{
    const QString path = file->fileName();
    // A link whose target is missing is a missing file too: the first save writes through it.
    if (!QFileInfo::exists(path)) {
        fail(error, Reason::tr("%1 does not exist").arg(path));
        return ReadResult::Missing;
    }
    if (!openForReading(file, error))
        return ReadResult::Unreadable;
    const qint64 fileSize = file->size();
    if (fileSize > limit) {
        fail(error, Reason::tr("%1 has %2 bytes, more than the %3 a data file may have")
                        .arg(path, QString::number(fileSize), QString::number(limit)));
        return ReadResult::TooLarge;
    }
    *size = fileSize;
    return ReadResult::Read;
}

ReadResult readOpened(QFile *file, QByteArray *bytes, QString *error, qint64 limit)
{
    *bytes = file->readAll();
    if (file->error() != QFileDevice::NoError || qint64(bytes->size()) > limit) {
        fail(error, Reason::tr("Reading %1 failed: %2").arg(file->fileName(), file->errorString()));
        bytes->clear();
        return ReadResult::Unreadable;
    }
    return ReadResult::Read;
}

} // namespace

ReadResult read(const QString &path, QByteArray *bytes, QString *error, qint64 limit)
{
    bytes->clear();
    QFile file(path);
    qint64 size = 0;
    const ReadResult opened = openDocument(&file, &size, error, limit);
    if (opened != ReadResult::Read)
        return opened;
    return readOpened(&file, bytes, error, limit);
}

ReadResult readInPlace(const QString &path, const std::function<void(const QByteArray &bytes)> &use, QString *error,
                       qint64 limit)
{
    QFile file(path);
    qint64 size = 0;
    const ReadResult opened = openDocument(&file, &size, error, limit);
    if (opened != ReadResult::Read)
        return opened;
    // A copy costs a fault for every fresh page of its buffer; the mapping shares the pages the
    // system already holds. An empty file cannot be mapped and takes the copy.
    if (uchar *mapped = size > 0 ? file.map(0, size) : nullptr) {
        use(QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), qsizetype(size)));
        file.unmap(mapped);
        return ReadResult::Read;
    }
    QByteArray bytes;
    const ReadResult read = readOpened(&file, &bytes, error, limit);
    if (read == ReadResult::Read)
        use(bytes);
    return read;
}

QString keepAside(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    QString aside = path + "." + stamp + ".broken";
    for (int n = 1; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = path + "." + stamp + "-" + QString::number(n) + ".broken";

    // A copy leaves the file in place until a save replaces it; an unreadable file, or one too
    // large to copy sensibly, can only be renamed.
    const qint64 size = regularFileSize(path);
    const bool copyable = size >= 0 && size <= MaxDocumentSize;
    if ((copyable && QFile::copy(path, aside)) || QFile::rename(path, aside))
        return aside;
    return QString();
}

bool removeFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return QFile::remove(path);
    if (!info.exists())
        return true;
    // Links inside are removed as links by removeRecursively.
    return QDir(path).removeRecursively();
}

} // namespace SafeFile
