#include "common/brokenfile.h"

#include "common/safefile.h"
#include "common/userwarning.h"

#include <QCoreApplication>
#include <QDebug>

QString keepBrokenFileAside(const QString &path, const QString &problem)
{
    const QString aside = SafeFile::keepAside(path);
    if (aside.isEmpty()) {
        qWarning().noquote() << "The file" << path << "does not load and could not be kept aside; it will not be overwritten.";
        showUserWarning(problem);
        return aside;
    }
    qWarning().noquote() << "The file" << path << "does not load; it was kept as" << aside;
    showUserWarning(problem + "\n" + QCoreApplication::translate("QObject", "A copy of it was kept as ") + aside);
    return aside;
}
