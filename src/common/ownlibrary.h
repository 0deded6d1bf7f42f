#pragma once

#include <QString>
#include <QtGlobal>

// The program's own shared libraries, loaded when first needed instead of by the dynamic loader at
// start.
namespace OwnLibrary {

// The file of library `name` (libNAME.so): next to the program, else in the build tree, where the
// tests and benchmarks, which run from its sub folders, find it.
QString path(const QString &name);
// Loads the library at `path`, which then stays loaded, and returns its function `symbol`; nullptr
// with `error` set when either is missing.
QFunctionPointer resolve(const QString &path, const char *symbol, QString &error);

} // namespace OwnLibrary
