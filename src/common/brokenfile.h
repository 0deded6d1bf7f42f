#pragma once

#include <QString>

// A data file that does not load is kept aside under a ".broken" name (SafeFile::keepAside), logged,
// and the user is told problem (what went wrong, with the path) and where the copy is. Returns the
// copy's name, or an empty text when the file could be neither copied nor renamed: the caller must
// then never save over it.
QString keepBrokenFileAside(const QString &path, const QString &problem);
