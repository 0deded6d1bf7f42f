#pragma once

#include <QString>
#include <QStringList>

// A clipboard history holds passwords: the program's own folders are 0700 and its files 0600,
// whatever the umask, so no other local user reads them.
namespace PrivateFiles {

// Creates folder and its missing parents, each 0700; whether folder exists now.
bool makeFolder(const QString &folder);

// Takes the group and other bits off path, and, where path is a folder that had them, off
// everything in it. Links are never followed, and what belongs to another user is left alone.
void tighten(const QString &path);

// tighten() for the entries of folder whose names match one of nameFilters (every entry when the
// list is empty), then for folder itself unless the entries were picked out.
void tightenFolder(const QString &folder, const QStringList &nameFilters = {});

// Creates file empty and 0600 when it is missing (its folder must exist), else tightens it: a
// store that rewrites the file keeps the mode it finds.
void prepareFile(const QString &file);

} // namespace PrivateFiles
