#include "actions/actionhelpers.h"

#include "actions/actionfile.h"
#include "history/itemrole.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QListWidgetItem>

namespace ActionHelpers {

bool isBuiltInAction(QListWidgetItem *item)
{
    return item && ActionFile::isBuiltInKey(item->data(FileNameRole).toString());
}

void scanFiles(QString folder, QMap<QString, QJsonObject> &files, bool byFileName)
{
    if (ActionFile::isBuiltInKey(folder))
        ActionFile::builtInFolder(); // registers the resources
    const QString templatePath = ActionFile::templatePath();
    // Without QDir::Hidden, names starting with "." are left out.
    QDirIterator entries(folder, QDir::Files);
    while (entries.hasNext()) {
        const QString path = entries.next();
        if (path == templatePath)
            continue;
        QJsonObject action;
        if (ActionFile::read(path, action) != ActionFile::ReadStatus::Ok)
            continue;
        files.insert(byFileName ? QFileInfo(path).fileName() : path, action);
    }
}

} // namespace ActionHelpers

bool actionLessThan(QString const &a, QString const &b)
{
    const bool aBuiltIn = ActionFile::isBuiltInKey(a);
    const bool bBuiltIn = ActionFile::isBuiltInKey(b);
    if (aBuiltIn != bBuiltIn)
        return aBuiltIn;
    return a < b;
}
