#pragma once

#include <QString>
#include <QtGlobal>

// The program's own shared libraries, loaded when first needed instead of by the dynamic loader at
// start.
namespace OwnLibrary {

// The file of library `name` (libNAME.so): next to the program, and nowhere else, so a copy of the
// program never runs code from a folder another user may write to.
QString path(const QString &name);
// For programs that are not built beside the libraries (tests, benchmarks): the folder they are in.
void setFolder(const QString &folder);
// Loads the library at `path`, which then stays loaded, and returns its function `symbol`; nullptr
// with `error` set when either is missing.
QFunctionPointer resolve(const QString &path, const char *symbol, QString &error);

} // namespace OwnLibrary
