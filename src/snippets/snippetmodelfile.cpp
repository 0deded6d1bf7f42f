// SnippetModel: the snippet document, its file, and keeping a file aside that cannot be loaded.
#include "snippets/snippetmodel.h"

#include "common/privatefiles.h"
#include "snippets/backup.h"
#include "common/globals.h"
#include "common/jsonstructure.h"
#include "history/itemrole.h"
#include "common/brokenfile.h"
#include "common/safefile.h"
#include "common/isync.h"
#include "common/userwarning.h"
#include "common/utils.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QSettings>

#include <set>

namespace {

const int DocumentVersion = 7;
// 0xFEED0001 read as a signed 32-bit integer.
const int DocumentMagic = -18022399;
// Every failed save of the snippets is one kind of warning.
const QString SaveWarning = QStringLiteral("snippets-save");

QString cannotSaveText(const QString &reason)
{
    return QObject::tr("The snippets cannot be saved; changes are lost when Kestovan quits.") + "\n" + reason;
}

QByteArray contentHash(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// Every group and snippet needs an id of its own: ids join the removal records, merges and
// shortcuts, and the reader would drop a second item with one id.
bool takeId(const QJsonObject &object, std::set<QUuid> *seen, JsonStructure &check)
{
    const QUuid id = QUuid::fromString(object.value("id").toString());
    if (id.isNull())
        return check.wrong(QString("the id \"%1\" is not an id").arg(object.value("id").toVariant().toString()));
    if (!seen->insert(id).second)
        return check.wrong(QString("the id %1 is used twice").arg(id.toString()));
    return true;
}

bool checkStructure(const QJsonObject &document, QString *error)
{
    JsonStructure check(error);
    int version = 0;
    if (!check.integer(document, "version", &version) || !check.has(document, "groups", QJsonValue::Array)
        || !check.has(document, "removedItems", QJsonValue::Object) || !check.has(document, "removed", QJsonValue::Array))
        return false;
    const QJsonObject removed = document.value("removedItems").toObject();
    for (auto it = removed.constBegin(); it != removed.constEnd(); ++it) {
        if (!check.isA(it.value(), QJsonValue::String, "a removal time"))
            return false;
    }
    for (const QJsonValue &id : document.value("removed").toArray()) {
        if (!check.isA(id, QJsonValue::String, "a removed id"))
            return false;
    }

    std::set<QUuid> seen;
    for (const QJsonValue &groupValue : document.value("groups").toArray()) {
        if (!check.isA(groupValue, QJsonValue::Object, "a group"))
            return false;
        const QJsonObject group = groupValue.toObject();
        if (!takeId(group, &seen, check) || !check.has(group, "title", QJsonValue::String)
            || !check.has(group, "time", QJsonValue::String) || !check.has(group, "snippets", QJsonValue::Array))
            return false;
        for (const QJsonValue &snippetValue : group.value("snippets").toArray()) {
            if (!check.isA(snippetValue, QJsonValue::Object, "a snippet"))
                return false;
            const QJsonObject snippet = snippetValue.toObject();
            if (!takeId(snippet, &seen, check) || !check.has(snippet, "hide", QJsonValue::Bool))
                return false;
            for (const char *name : {"expander", "hotkey", "text", "time", "title"}) {
                if (!check.has(snippet, name, QJsonValue::String))
                    return false;
            }
        }
    }
    return true;
}

} // namespace

QByteArray SnippetModel::serialize(bool compact)
{
    QElapsedTimer timer;
    timer.start();

    QJsonArray groups;
    for (int g = 0; g < rowCount(); ++g) {
        const QStandardItem *group = item(g);
        QJsonArray snippets;
        for (int s = 0; s < group->rowCount(); ++s) {
            const QStandardItem *snippet = group->child(s);
            QJsonObject object;
            object.insert("expander", snippet->data(ExpanderRole).toString());
            object.insert("hide", snippet->data(HideRole).toBool());
            object.insert("hotkey", snippet->data(HotkeyRole).toString());
            object.insert("id", snippet->data(IdRole).toUuid().toString());
            object.insert("text", snippet->data(TextRole).toString());
            object.insert("time", Utils::storedTime(snippet->data(TimeRole).toDateTime()));
            object.insert("title", snippet->data(Qt::DisplayRole).toString());
            snippets.append(object);
        }
        QJsonObject object;
        object.insert("id", group->data(IdRole).toUuid().toString());
        object.insert("snippets", snippets);
        object.insert("time", Utils::storedTime(group->data(TimeRole).toDateTime()));
        object.insert("title", group->data(Qt::DisplayRole).toString());
        groups.append(object);
    }

    QJsonObject document;
    document.insert("groups", groups);
    document.insert("magic", DocumentMagic);
    document.insert("version", DocumentVersion);
    if (compact) {
        // Removals older than a month leave the file; they stay in memory until the next load.
        const QDateTime now = QDateTime::currentDateTime();
        QJsonObject removed;
        for (auto it = removedItems.constBegin(); it != removedItems.constEnd(); ++it) {
            if (now < it.value().addMonths(1))
                removed.insert(it.key().toString(), Utils::storedTime(it.value()));
        }
        document.insert("removedItems", removed);
    }
    qDebug().noquote() << "Profile: Serialize snippet create JSON" << timer.elapsed() << "ms";

    const QByteArray bytes = QJsonDocument(document).toJson(compact ? QJsonDocument::Compact : QJsonDocument::Indented);
    qDebug().noquote() << "Profile: Serializing snippet model took " << timer.elapsed() << "ms";
    return bytes;
}

bool SnippetModel::parseDocument(const QByteArray &data, QJsonObject *document)
{
    // Text that does not parse reads as an empty object, which has no magic.
    *document = QJsonDocument::fromJson(data).object();
    const int version = document->value("version").toInt();
    if (version > DocumentVersion)
        qWarning() << "The snippet file has version" << version << "but the application supports only version" << DocumentVersion;
    const int magic = document->value("magic").toInt();
    if (magic != DocumentMagic) {
        qWarning() << "The snippet file has unknown magic number" << magic;
        return false;
    }
    // Reading past a wrong structure would drop groups and snippets, and the next save would lose them.
    QString error;
    if (!checkStructure(*document, &error)) {
        qWarning().noquote() << "Snippets:" << error;
        return false;
    }
    return true;
}

void SnippetModel::applyRemovedItems(const QJsonObject &document)
{
    QMap<QUuid, QDateTime> incoming;
    const QDateTime now = QDateTime::currentDateTime();
    const QJsonArray legacy = document.value("removed").toArray();
    for (const QJsonValue &id : legacy)
        incoming[QUuid::fromString(id.toString())] = now;
    const QJsonObject removed = document.value("removedItems").toObject();
    for (auto it = removed.constBegin(); it != removed.constEnd(); ++it)
        incoming[QUuid::fromString(it.key())] = QDateTime::fromString(it.value().toString(), Qt::ISODate);

    // The later of two removals holds.
    for (auto it = incoming.constBegin(); it != incoming.constEnd(); ++it) {
        const auto known = removedItems.constFind(it.key());
        if (known == removedItems.cend() || (known.value().isValid() && known.value() < it.value()))
            removedItems[it.key()] = it.value();
    }

    // A removal keeps the time it was made at, not that of its arrival here: stamped anew on each
    // computer, it would outweigh an import made after it.
    const auto removeRow = [this](int row, const QModelIndex &parent, const QUuid &id) {
        const QDateTime when = removedItems.value(id);
        removeRows(row, 1, parent);
        removedItems[id] = when;
    };
    // An item changed here after its removal elsewhere (imported again, say) stays.
    for (int g = rowCount() - 1; g >= 0; --g) {
        QStandardItem *group = item(g);
        const QUuid groupId = group->data(IdRole).toUuid();
        if (isRemoved(groupId, group->data(TimeRole).toDateTime())) {
            removeRow(g, QModelIndex(), groupId);
            continue;
        }
        for (int s = group->rowCount() - 1; s >= 0; --s) {
            const QUuid id = group->child(s)->data(IdRole).toUuid();
            if (isRemoved(id, group->child(s)->data(TimeRole).toDateTime()))
                removeRow(s, group->index(), id);
        }
    }
}

int SnippetModel::readDocument(const QJsonObject &document, bool import)
{
    QElapsedTimer timer;
    timer.start();
    if (!import) {
        applyRemovedItems(document);
        qDebug().noquote() << "Profile: Deserialize snippet remove rows" << timer.elapsed() << "ms";
    }

    const QDateTime now = QDateTime::currentDateTime();
    const auto readTime = [&](QStandardItem *item, const QJsonObject &object, const QUuid &id) {
        if (import) {
            item->setData(now, TimeRole);
            removedItems.remove(id);
        } else {
            item->setData(QDateTime::fromString(object.value("time").toString(), Qt::ISODate), TimeRole);
        }
    };

    m_groupsOfDocument.clear();
    m_documentGroupIds.clear();
    const QJsonArray groups = document.value("groups").toArray();
    for (const QJsonValue &group : groups)
        m_documentGroupIds.insert(QUuid::fromString(group.toObject().value("id").toString()));
    m_readingDocument = true;
    // Groups and snippets share one name space of ids. Ordered, for the reason given in addItems.
    std::set<QUuid> seen;
    int count = 0;
    for (int g = 0; g < groups.size(); ++g) {
        const QJsonObject groupObject = groups.at(g).toObject();
        const QUuid groupId = QUuid::fromString(groupObject.value("id").toString());
        if (seen.count(groupId)) {
            qDebug() << "Snippets group ignored as dupe" << groupId;
            continue;
        }
        seen.insert(groupId);

        const QString groupTitle = groupObject.value("title").toString();
        auto *group = new QStandardItem;
        group->setData(groupTitle, Qt::DisplayRole);
        group->setData(groupId, IdRole);
        group->setData(g, OrdinalRole);
        readTime(group, groupObject, groupId);

        const QJsonArray snippetArray = groupObject.value("snippets").toArray();
        qDebug().noquote() << "Snippets: Group = " + groupTitle + " child count = " + QString::number(snippetArray.size());
        QList<QStandardItem *> snippets;
        for (int s = 0; s < snippetArray.size(); ++s) {
            const QJsonObject object = snippetArray.at(s).toObject();
            const QUuid id = QUuid::fromString(object.value("id").toString());
            if (seen.count(id)) {
                qDebug() << "Snippets item ignored as dupe" << id;
                continue;
            }
            seen.insert(id);
            const QString text = object.value("text").toString();
            auto *snippet = new QStandardItem;
            snippet->setData(object.value("title").toString(), Qt::DisplayRole);
            snippet->setData(text, Qt::ToolTipRole);
            snippet->setData(text, TextRole);
            snippet->setData(id, IdRole);
            snippet->setData(s, OrdinalRole);
            snippet->setData(object.value("hide").toBool(), HideRole);
            snippet->setData(object.value("hotkey").toString(), HotkeyRole);
            snippet->setData(object.value("expander").toString(), ExpanderRole);
            readTime(snippet, object, id);
            snippets.append(snippet);
            ++count;
        }
        addItems(group, snippets);
    }
    m_readingDocument = false;
    m_groupsOfDocument.clear();
    m_documentGroupIds.clear();
    qDebug().noquote() << "Profile: Deserialize snippet add items" << timer.elapsed() << "ms";
    emit modelLoaded();
    qDebug().noquote() << "Profile: Deserialize snippet emit loaded" << timer.elapsed() << "ms";
    updateShortcuts();
    qDebug().noquote() << "Profile: Deserializing snippet model took " << timer.elapsed() << "ms";
    return count;
}

int SnippetModel::deserialize(QByteArray data, bool import)
{
    QJsonObject document;
    if (!parseDocument(data, &document)) {
        if (import)
            showUserWarning(tr("The file holds no Kestovan snippets; nothing was imported."));
        return -1;
    }
    return readDocument(document, import);
}

bool SnippetModel::save(bool sync, QByteArray *data)
{
    const QString path = filePath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!PrivateFiles::makeFolder(folder)) {
        qWarning().noquote() << "Failed to create " + folder;
        showUserWarningOnce(SaveWarning, cannotSaveText(tr("The folder %1 cannot be created.").arg(folder)));
        return false;
    }
    const QByteArray bytes = data ? *data : serialize(true);
    if (bytes.isEmpty())
        return false;
    if (!m_protectedPath.isEmpty() && QFileInfo(path) == QFileInfo(m_protectedPath)) {
        qWarning().noquote() << "Not writing" << path << "over the snippet file that could not be loaded nor kept aside.";
        return false;
    }

    QString error;
    bool openFailed = false;
    // A snippet file linked elsewhere on purpose stays linked.
    if (!SafeFile::writeDocument(path, bytes, &error, &openFailed, SafeFile::Links::WriteThrough)) {
        if (openFailed)
            qWarning().noquote() << path + " cannot be opened for writing." << error;
        else
            qWarning().noquote() << "Writing to file" << path << "failed." << error;
        // Once, not once per change: a read-only or full disk fails every save alike.
        showUserWarningOnce(SaveWarning, openFailed ? cannotSaveText(error)
                                                    : tr("Writing the snippets file failed: ") + path + "\n" + error);
        return false;
    }
    clearUserWarning(SaveWarning);
    if (demoEnabled)
        m_demoDocument = bytes;

    if (sync && m_sync)
        m_sync->sync(SyncFile::Snippets, this, BothWays);
    qDebug().noquote() << "Wrote snippets to " + path;

    const QString backupName = Backup::nameOf(path);
    if (!m_protectedBackup.isEmpty() && Backup::filePath(backupName, QDate::currentDate()) == m_protectedBackup)
        qWarning().noquote() << "Keeping the backup" << m_protectedBackup << "of before the snippet file failed to load.";
    else
        Backup::createBackup(bytes, backupName);
    return true;
}

void SnippetModel::load()
{
    if (demoEnabled) {
        // The demo reads no file: it starts from the samples, and comes back to what it last saved
        // as a load in normal use comes back to the file.
        clear();
        removedItems.clear();
        QJsonObject document;
        if (!m_demoDocument.isEmpty() && parseDocument(m_demoDocument, &document))
            readDocument(document, false);
        else
            addExampleSnippets();
        return;
    }

    const QString path = filePath();
    if (!QFileInfo::exists(path) && rowCount() == 0) {
        // The first run: the samples are written with the next save.
        addExampleSnippets();
        return;
    }

    QByteArray bytes;
    QString error;
    switch (SafeFile::read(path, &bytes, &error)) {
    case SafeFile::ReadResult::Missing:
        qWarning().noquote() << path + " cannot be opened for reading.";
        return;
    case SafeFile::ReadResult::Unreadable:
        // A file that is there but cannot be read is not a missing file: it must survive.
        qWarning().noquote() << path + " cannot be opened for reading." << error;
        keepAside(path, LoadProblem::Unreadable, QByteArray());
        return;
    case SafeFile::ReadResult::TooLarge:
        qWarning().noquote() << error;
        keepAside(path, LoadProblem::TooLarge, QByteArray());
        return;
    case SafeFile::ReadResult::Read:
        break;
    }
    clear();
    removedItems.clear();

    QJsonObject document;
    const int count = parseDocument(bytes, &document) ? readDocument(document, false) : -1;
    qDebug().noquote() << "Read " << count << " snippets from " << path;
    if (count == -1) {
        keepAside(path, LoadProblem::Unparseable, bytes);
    } else if (document.value("version").toInt() > DocumentVersion) {
        keepAside(path, LoadProblem::NewerVersion, bytes);
    } else {
        m_loadFailed = false;
        m_protectedPath.clear();
        m_protectedBackup.clear();
    }
}

void SnippetModel::keepAside(const QString &path, LoadProblem problem, const QByteArray &bytes)
{
    m_loadFailed = true;
    // Only a load that leaves the tree empty would make the day's backup worthless.
    if (problem != LoadProblem::NewerVersion) {
        const QString backup = Backup::filePath(Backup::nameOf(path), QDate::currentDate());
        if (QFileInfo::exists(backup))
            m_protectedBackup = backup;
    }

    const QByteArray hash = bytes.isEmpty() ? QByteArray() : contentHash(bytes);
    if (!hash.isEmpty() && hash == m_keptAsideHash && QFileInfo::exists(m_keptAsidePath)) {
        qWarning().noquote() << "The snippet file" << path << "still cannot be loaded; it was kept as" << m_keptAsidePath;
        return;
    }

    QString text;
    switch (problem) {
    case LoadProblem::Unreadable:
        text = tr("Failed to read the snippets file: ") + path;
        break;
    case LoadProblem::NewerVersion:
        text = tr("The snippets file was written by a newer version of Kestovan: ") + path;
        break;
    case LoadProblem::Unparseable:
        text = tr("Failed to parse the snippets file: ") + path;
        break;
    case LoadProblem::TooLarge:
        text = tr("The snippets file is too large to load: ") + path;
        break;
    }
    if (const QString aside = keepBrokenFileAside(path, text); !aside.isEmpty()) {
        m_keptAsidePath = aside;
        m_keptAsideHash = hash;
    } else {
        m_protectedPath = path;
    }
}
