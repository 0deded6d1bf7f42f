#pragma once

#include <QIODevice>

class QFile;

// Opens a log file the way QFile::open would, except that a symbolic link, a file of another user,
// a file with other hard links or anything but a plain file is refused with a warning on stderr.
// Log files live in the shared temporary folder, where anyone can plant such a name first.
bool openLogFileSafely(QFile* file, QIODevice::OpenMode mode);
