#pragma once

#include <QByteArray>
#include <QString>

class QFile;
class QImage;

#include <functional>

// Checked, atomic replacement of a data file: the bytes go to path + "-tmp", every byte is checked,
// flushed and synced, and only then is the temporary file renamed over the old one. A failure at any
// step leaves the old file exactly as it was and reports the step in error.
namespace SafeFile {

// No data document is read or written beyond this size; a larger one is refused before any memory
// is taken for it, and one that would be larger is never written, so what is written reads back.
constexpr qint64 MaxDocumentSize = qint64(256) * 1024 * 1024;

// What write() does when the path is a symbolic link: replace the link by the new file (for files
// the program alone names, such as the image cache), or replace the file the link leads to and keep
// the link (for the data files a user may have linked elsewhere on purpose).
enum class Links { Replace, WriteThrough };

// openFailed tells apart the one failure that leaves nothing behind: the temporary file could not
// even be opened (a read-only or missing folder). A file or link already at the temporary name is
// removed, never written through.
bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr, bool *openFailed = nullptr,
           Links links = Links::Replace);

// write() for a data document: refuses bytes a load would refuse as too large.
bool writeDocument(const QString &path, const QByteArray &bytes, QString *error = nullptr, bool *openFailed = nullptr,
                   Links links = Links::Replace, qint64 limit = MaxDocumentSize);

// Copies a file by the same checked steps; fails when target already exists. Only a regular file
// is copied: a pipe or device in its place is refused without waiting on it.
bool copy(const QString &source, const QString &target, QString *error = nullptr);

// Writes every byte to an open descriptor, syncs it and, for a regular file, checks that the file
// holds exactly that many bytes. The checked step under write() and copy().
bool writeAll(int descriptor, const QByteArray &bytes, QString *error = nullptr);

// Opens an existing regular file for reading, without waiting: a pipe in its place would block
// open() until a writer came, and a device could be read for ever. A link is followed.
bool openForReading(QFile *file, QString *error = nullptr);

// Reads a picture from a regular file only (see openForReading); null when it cannot be read.
QImage readImage(const QString &path, QString *error = nullptr);

// Whether two regular files hold the same bytes.
bool sameContent(const QString &path, const QString &otherPath);

// The name of the temporary file write() goes through.
QString temporaryPath(const QString &path);

enum class ReadResult { Read, Missing, Unreadable, TooLarge };

// Reads a whole data file. One larger than limit is refused before it is read (TooLarge).
ReadResult read(const QString &path, QByteArray *bytes, QString *error = nullptr, qint64 limit = MaxDocumentSize);

// Reads a whole data file as read() does and hands its bytes to use, mapped rather than copied
// where the system allows. The bytes are valid only during the call; use is not called unless
// the result is Read.
ReadResult readInPlace(const QString &path, const std::function<void(const QByteArray &bytes)> &use,
                       QString *error = nullptr, qint64 limit = MaxDocumentSize);

// Keeps a data file that does not load under a dated ".broken" name beside it, so a later save
// cannot destroy it. Returns that name, or an empty text when the file could be neither copied
// nor renamed (the caller must then never save over it). A file too large to read is renamed,
// not copied.
QString keepAside(const QString &path);

// Deletes a folder and everything in it without following a symbolic link anywhere: a link in its
// place, or inside it, is removed as a link and whatever it points to stays.
bool removeFolder(const QString &path);

} // namespace SafeFile
