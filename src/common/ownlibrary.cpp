#include "common/ownlibrary.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QObject>

namespace OwnLibrary {

QString path(const QString &name)
{
    const QString file = QStringLiteral("/lib%1.so").arg(name);
    const QString besideProgram = QCoreApplication::applicationDirPath() + file;
    if (QFileInfo::exists(besideProgram))
        return besideProgram;
    const QString inBuildTree = QStringLiteral(KESTOVAN_LIBRARY_DIR) + file;
    // Neither there: a failure then names the place the program looks first.
    return QFileInfo::exists(inBuildTree) ? inBuildTree : besideProgram;
}

QFunctionPointer resolve(const QString &path, const char *symbol, QString &error)
{
    // Destroying a QLibrary does not unload it.
    QLibrary library(path);
    if (!library.load()) {
        error = library.errorString();
        return nullptr;
    }
    const QFunctionPointer function = library.resolve(symbol);
    if (!function)
        error = QObject::tr("The function %1 is missing from %2").arg(QLatin1String(symbol), path);
    return function;
}

} // namespace OwnLibrary
