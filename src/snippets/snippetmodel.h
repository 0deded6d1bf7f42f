#pragma once

#include "common/isyncmerge.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QModelIndex>
#include <QSet>
#include <QStandardItemModel>
#include <QString>
#include <QUuid>

class ISync;
class QHotkey;
class QJsonObject;

// The snippet store: groups of reusable texts. Each top-level item is a group, each child of a group
// a snippet, and every field is an item data role. The model keeps its content in the snippet file,
// is the snippet document's merge partner for the sync engine, and feeds the snippet hotkeys and the
// keyword expander.
class SnippetModel : public QStandardItemModel, public ISyncMerge
{
    Q_OBJECT

public:
    SnippetModel(QObject *parent, ISync *sync);
    ~SnippetModel() override;

    static void initialize(QObject *parent, ISync *sync);
    static SnippetModel *instance();
    static QString getFileName();
    // The snippet file: the setting "SnippetFilePath", by default in the data folder.
    static QString filePath();

    void load();
    // Writes *data, or serialize(true), to the snippet file and makes the day's backup; then, when
    // sync is set, asks the sync engine to synchronise. False when nothing was written.
    bool save(bool sync, QByteArray *data = nullptr);
    // The compact form is the snippet file, with the removal records of the last month; the indented
    // form is the export, without them.
    QByteArray serialize(bool compact);
    // Merges the document's groups and snippets into the tree; the number of snippets read, or -1
    // when the document is not a snippet document. An import counts every item as changed now and
    // reads no removal records.
    int deserialize(QByteArray data, bool import);

    QString hash() override;
    bool merge(QByteArray online, QByteArray &result, SyncDirection direction) override;

    // Merges one group and its snippets into the tree; takes ownership of every item.
    void addItems(QStandardItem *group, QList<QStandardItem *> snippets);
    void addItem(QStandardItem *group, QStandardItem *snippet);
    void addExampleSnippets();
    void generateRandomItems(int groups, int snippets);

    // Records each removed group or snippet in removedItems, so that the removal synchronises.
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

    void updateShortcuts();
    QModelIndex groupForShortcut(QChar letter);
    QModelIndex snippetForShortcut(QModelIndex group, QChar letter);
    void updateHotkeysAndKeywords();

    // The snippet with this id in any group; invalid when there is none.
    QModelIndex snippetIndex(const QUuid &id) const;

    // True after a load that found a snippet file it could not take as it is; the file was kept
    // aside, and the day's backup as it was before that load is not overwritten in this run.
    bool loadFailed() const { return m_loadFailed; }
    // The copy of the last snippet file that could not be loaded, or empty.
    QString keptAsidePath() const { return m_keptAsidePath; }

    // Id of every group or snippet removed here or learned from a document, with the removal time.
    QMap<QUuid, QDateTime> removedItems;
    // Whether a copy of the item last changed at time is outweighed by its removal: one changed
    // after it (an import, an edit elsewhere) is newer and stays.
    bool isRemoved(const QUuid &id, const QDateTime &time) const;
    // The hotkeys registered for snippets by the last updateHotkeysAndKeywords().
    QList<QHotkey *> hotkeys;

signals:
    void modelLoaded();
    void snippetActivated(QModelIndex index);

private:
    // Why a snippet file could not be taken as it is.
    enum class LoadProblem { Unreadable, Unparseable, NewerVersion, TooLarge };

    // Parses a snippet document and checks its magic without touching the model.
    static bool parseDocument(const QByteArray &data, QJsonObject *document);
    int readDocument(const QJsonObject &document, bool import);
    void applyRemovedItems(const QJsonObject &document);
    void keepAside(const QString &path, LoadProblem problem, const QByteArray &bytes);

    ISync *m_sync;
    // Ids of the groups the document being read has merged into so far. Two groups of one document
    // are two groups, even with one title: the title match is for groups made apart on two computers.
    QSet<QUuid> m_groupsOfDocument;
    // Ids of every group of the document being read: a local group named in it is matched by its
    // id only, never taken by another group of its title.
    QSet<QUuid> m_documentGroupIds;
    bool m_readingDocument = false;
    bool m_loadFailed = false;
    QString m_keptAsidePath;
    // Hash of the last file kept aside, so that loading the same broken file again is not reported
    // twice.
    QByteArray m_keptAsideHash;
    // Set while a snippet file could neither be loaded nor kept aside: it must not be overwritten.
    QString m_protectedPath;
    // The day's backup as it was before a failed load; a save of the empty model must not replace it.
    QString m_protectedBackup;
    // In demo mode, the document last saved: what a load brings back.
    QByteArray m_demoDocument;

    static SnippetModel *s_instance;
};
