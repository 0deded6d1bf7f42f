#pragma once

#include <QByteArray>
#include <QString>

// Checked, atomic replacement of a data file: the bytes go to path + "-tmp", every byte is checked,
// flushed and synced, and only then is the temporary file renamed over the old one. A failure at any
// step leaves the old file exactly as it was and reports the step in error.
namespace SafeFile {

// openFailed tells apart the one failure that leaves nothing behind: the temporary file could not
// even be opened.
bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr, bool *openFailed = nullptr);

// The name of the temporary file write() goes through.
QString temporaryPath(const QString &path);

// Keeps a data file that does not load under a dated ".broken" name beside it, so a later save
// cannot destroy it. Returns that name, or an empty text when the file could be neither copied
// nor renamed (the caller must then never save over it).
QString keepAside(const QString &path);

} // namespace SafeFile
