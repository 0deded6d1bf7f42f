// SnippetModel: merging groups and snippets into the tree, and the sync engine's merge.
#include "snippets/snippetmodel.h"

#include "history/itemrole.h"
#include "logging/logburst.h"
#include "logging/synclog.h"

#include <QDebug>
#include <QMap>
#include <QJsonObject>

namespace {

bool carriesOrdinal(const QStandardItem *item)
{
    return item->data(OrdinalRole).isValid();
}

QUuid idOf(const QStandardItem *item)
{
    return item->data(IdRole).toUuid();
}

QDateTime timeOf(const QStandardItem *item)
{
    return item->data(TimeRole).toDateTime();
}

} // namespace

void SnippetModel::addItem(QStandardItem *group, QStandardItem *snippet)
{
    addItems(group, snippet ? QList<QStandardItem *>{snippet} : QList<QStandardItem *>{});
}

void SnippetModel::addItems(QStandardItem *group, QList<QStandardItem *> snippets)
{
    // A merge logs a line per snippet.
    const LogBurst burst;
    const QString groupTitle = group->data(Qt::DisplayRole).toString();
    const QUuid groupId = idOf(group);

    if (isRemoved(groupId, timeOf(group))) {
        SyncLog::add(QString("Merge snippets: Parent group '%1' is in removed list -> Ignoring children").arg(groupTitle));
        delete group;
        qDeleteAll(snippets);
        return;
    }
    if (removedItems.remove(groupId))
        SyncLog::add(QString("Merge snippets: Parent group '%1' changed after its removal -> Restored").arg(groupTitle));

    // By id first: a title match could pick another group, which would then take this id and
    // leave two groups with one id, the second of which the reader drops with all its snippets.
    int existingRow = -1;
    for (int row = 0; row < rowCount() && existingRow < 0; ++row) {
        if (idOf(item(row)) == groupId)
            existingRow = row;
    }
    for (int row = 0; row < rowCount() && existingRow < 0; ++row) {
        const QUuid id = idOf(item(row));
        if (item(row)->data(Qt::DisplayRole).toString() == groupTitle && !m_groupsOfDocument.contains(id)
            && !m_documentGroupIds.contains(id))
            existingRow = row;
    }

    QStandardItem *target = nullptr;
    if (existingRow >= 0) {
        target = item(existingRow);
        if (timeOf(target) < timeOf(group)) {
            SyncLog::add(QString("Merge snippets: Updating parent group '%1'").arg(groupTitle));
            target->setData(groupTitle, Qt::DisplayRole);
            target->setData(groupId, IdRole);
            target->setData(timeOf(group), TimeRole);
            if (carriesOrdinal(group)) {
                const int ordinal = group->data(OrdinalRole).toInt();
                if (ordinal != existingRow) {
                    const QList<QStandardItem *> taken = takeRow(existingRow);
                    insertRow(qBound(0, ordinal, rowCount()), taken);
                }
            }
        }
        delete group;
    } else {
        SyncLog::add(QString("Merge snippets: Adding new parent group '%1'").arg(groupTitle));
        appendRow(group);
        target = group;
    }

    if (m_readingDocument)
        m_groupsOfDocument.insert(idOf(target));

    // Maps, not hashes: qHash(QUuid) folds the fields together, and ids that differ only in their
    // first field and last byte (the performance-test data) would all collide.
    QMap<QUuid, QStandardItem *> existing;
    for (int row = 0; row < target->rowCount(); ++row)
        existing.insert(idOf(target->child(row)), target->child(row));

    // Snippets of the other groups, looked up only when a snippet is not in its own group: a snippet
    // moved to another group on one side must not end up in both groups.
    QMap<QUuid, QStandardItem *> elsewhere;
    bool elsewhereBuilt = false;
    const auto findElsewhere = [&](const QUuid &id) -> QStandardItem * {
        if (!elsewhereBuilt) {
            elsewhereBuilt = true;
            for (int g = 0; g < rowCount(); ++g) {
                QStandardItem *other = item(g);
                if (other == target)
                    continue;
                for (int s = 0; s < other->rowCount(); ++s)
                    elsewhere.insert(idOf(other->child(s)), other->child(s));
            }
        }
        return elsewhere.value(id);
    };

    const auto insertAt = [&](QStandardItem *snippet, int fallbackRow) {
        const int row = carriesOrdinal(snippet) ? snippet->data(OrdinalRole).toInt() : fallbackRow;
        target->insertRow(qBound(0, row, target->rowCount()), snippet);
    };

    for (QStandardItem *snippet : std::as_const(snippets)) {
        const QString title = snippet->data(Qt::DisplayRole).toString();
        const QUuid id = idOf(snippet);

        if (isRemoved(id, timeOf(snippet))) {
            SyncLog::add(QString("Merge snippets: Child '%1' is in removed list -> Ignored.").arg(title));
            delete snippet;
            continue;
        }
        if (removedItems.remove(id))
            SyncLog::add(QString("Merge snippets: Child '%1' changed after its removal -> Restored").arg(title));

        QStandardItem *current = existing.value(id);
        if (!current) {
            QStandardItem *moved = findElsewhere(id);
            if (!moved) {
                SyncLog::add(QString("Merge snippets: Added child '%1' under parent '%2'.").arg(title, groupTitle));
                target->appendRow(snippet);
                continue;
            }
            QStandardItem *from = moved->parent();
            if (!(timeOf(moved) < timeOf(snippet))) {
                SyncLog::add(QString("Merge snippets: Child '%1' already exists under parent '%2'.")
                                       .arg(title, from->data(Qt::DisplayRole).toString()));
                delete snippet;
                continue;
            }
            SyncLog::add(QString("Merge snippets: Moving child '%1' from parent '%2' to parent '%3'.")
                                   .arg(title, from->data(Qt::DisplayRole).toString(), groupTitle));
            elsewhere.remove(id);
            // Not through removeRows: the snippet lives on, so its id must not become a removal.
            from->removeRow(moved->row());
            insertAt(snippet, target->rowCount());
            continue;
        }

        if (!(timeOf(current) < timeOf(snippet))) {
            SyncLog::add(QString("Merge snippets: Child '%1' already exists under parent '%2'.").arg(title, groupTitle));
            delete snippet;
            continue;
        }

        SyncLog::add(QString("Merge snippets: Updating child '%1' under parent '%2'.").arg(title, groupTitle));
        const int oldRow = current->row();
        existing.remove(id);
        target->removeRow(oldRow);
        insertAt(snippet, oldRow);
    }
}

bool SnippetModel::merge(QByteArray online, QByteArray &result, SyncDirection direction)
{
    if (!online.isEmpty()) {
        // Checked before anything is cleared: a remote copy that cannot be read must not empty the tree.
        QJsonObject document;
        if (!parseDocument(online, &document)) {
            qWarning() << "Deserializing the snippet data failed.";
            return false;
        }
        if (direction == FromServer) {
            qDebug() << "FromServer sync -> clearing the local content.";
            clear();
            removedItems.clear();
        }
        readDocument(document, false);
    }
    result.append(serialize(true));
    save(false, &result);
    return result != online;
}
