#include "snippets/snippetmodel.h"

#include "common/globals.h"
#include "history/itemrole.h"
#include "common/utils.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QSettings>

SnippetModel *SnippetModel::s_instance = nullptr;

SnippetModel::SnippetModel(QObject *parent, ISync *sync)
    : QStandardItemModel(parent)
    , m_sync(sync)
{
}

SnippetModel::~SnippetModel()
{
    if (s_instance == this)
        s_instance = nullptr;
}

void SnippetModel::initialize(QObject *parent, ISync *sync)
{
    s_instance = new SnippetModel(parent, sync);
}

SnippetModel *SnippetModel::instance()
{
    return s_instance;
}

QString SnippetModel::getFileName()
{
    if (perfTestEnabled)
        return "Snippets-perftest.json";
    if (demoEnabled)
        return "Snippets-demo.json";
    return "Snippets.json";
}

QString SnippetModel::filePath()
{
    return Utils::settings().value("SnippetFilePath", Utils::dataPath() + "/" + getFileName()).toString();
}

QString SnippetModel::hash()
{
    return QString::fromLatin1(QCryptographicHash::hash(serialize(true), QCryptographicHash::Sha256).toHex());
}

bool SnippetModel::removeRows(int row, int count, const QModelIndex &parent)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (int r = row; r < row + count; ++r) {
        const QModelIndex removed = index(r, 0, parent);
        if (!removed.isValid())
            continue;
        const QUuid id = removed.data(IdRole).toUuid();
        removedItems[id] = now;
        qDebug() << "Moved item" << removed.data(Qt::DisplayRole).toString() << id << "to the removed items";
    }
    return QStandardItemModel::removeRows(row, count, parent);
}

bool SnippetModel::isRemoved(const QUuid &id, const QDateTime &time) const
{
    const auto removal = removedItems.constFind(id);
    if (removal == removedItems.cend())
        return false;
    // A removal of unknown time holds.
    return !removal.value().isValid() || !(removal.value() < time);
}

QModelIndex SnippetModel::snippetIndex(const QUuid &id) const
{
    for (int g = 0; g < rowCount(); ++g) {
        const QStandardItem *group = item(g);
        for (int s = 0; s < group->rowCount(); ++s) {
            if (group->child(s)->data(IdRole).toUuid() == id)
                return group->child(s)->index();
        }
    }
    return QModelIndex();
}
