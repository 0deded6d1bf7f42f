#pragma once

#include <QString>
#include <QStringList>

// The names in a folder, telling a folder that cannot be read from an empty one: QDir lists both
// as empty, and a caller that decides what is missing from a listing must never take the one for
// the other.
namespace FolderListing {

// Every name but "." and "..", hidden ones included, in no particular order. False, with the
// reason, when the folder cannot be opened or read to its end.
bool names(const QString &folder, QStringList *names, QString *error);

} // namespace FolderListing
