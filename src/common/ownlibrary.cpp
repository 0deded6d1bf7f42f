#include "common/ownlibrary.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QObject>

namespace OwnLibrary {

namespace {

QString &chosenFolder()
{
    static QString folder;
    return folder;
}

} // namespace

void setFolder(const QString &folder)
{
    chosenFolder() = folder;
}

QString path(const QString &name)
{
    const QString &folder = chosenFolder();
    return (folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder) + QStringLiteral("/lib%1.so").arg(name);
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
