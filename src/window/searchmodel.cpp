#include "window/searchmodel.h"

#include "history/itemrole.h"
#include "snippets/snippetmodel.h"

#include <QPersistentModelIndex>
#include <QSortFilterProxyModel>

namespace {

QStandardItem *resultItem(const QString &text, const QModelIndex &source)
{
    auto *item = new QStandardItem;
    item->setData(text, Qt::DisplayRole);
    item->setData(QVariant::fromValue(QPersistentModelIndex(source)), SourceIndexRole);
    item->setData(source.data(Qt::ToolTipRole), Qt::ToolTipRole);
    return item;
}

} // namespace

SearchModel::SearchModel(QObject *parent, QSortFilterProxyModel *proxy)
    : QStandardItemModel(parent)
    , proxy(proxy)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &SearchModel::update);
    watch(proxy);
    m_watchedSnippets = SnippetModel::instance();
    watch(m_watchedSnippets);
}

void SearchModel::watch(QAbstractItemModel *model)
{
    if (!model)
        return;
    connect(model, &QAbstractItemModel::rowsInserted, this, &SearchModel::scheduleRebuild);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &SearchModel::scheduleRebuild);
    connect(model, &QAbstractItemModel::rowsMoved, this, &SearchModel::scheduleRebuild);
    connect(model, &QAbstractItemModel::modelReset, this, &SearchModel::scheduleRebuild);
    connect(model, &QAbstractItemModel::layoutChanged, this, &SearchModel::scheduleRebuild);
}

void SearchModel::scheduleRebuild()
{
    // Nothing shown, nothing to bring up to date; a later setFilter rebuilds anyway.
    if (filter.isEmpty() && rowCount() == 0)
        return;
    if (!timer.isActive())
        timer.start(RebuildDelay);
}

QVariant SearchModel::data(const QModelIndex &index, int role) const
{
    const QVariant value = QStandardItemModel::data(index, role);
    if (role == SourceIndexRole && value.metaType() == QMetaType::fromType<QPersistentModelIndex>())
        return QVariant::fromValue(QModelIndex(value.value<QPersistentModelIndex>()));
    return value;
}

QModelIndex SearchModel::sourceIndex(const QModelIndex &result)
{
    const QVariant value = result.data(SourceIndexRole);
    if (value.metaType() == QMetaType::fromType<QPersistentModelIndex>())
        return value.value<QPersistentModelIndex>();
    return value.value<QModelIndex>();
}

void SearchModel::setFilter(QString text)
{
    filter = text.trimmed().toLower();
    timer.stop();
    timer.start(RebuildDelay);
}

void SearchModel::update()
{
    timer.stop();
    // Rows are removed rather than the model cleared: clear() replaces the root item, which
    // indexes still held by a view would then point into.
    setRowCount(0);
    if (filter.isEmpty())
        return;

    QList<QStandardItem *> results;
    if (proxy) {
        const int rows = proxy->rowCount();
        for (int row = 0; row < rows; ++row) {
            const QModelIndex index = proxy->index(row, 0);
            const QString brief = index.data(Qt::DisplayRole).toString();
            if (brief.toLower().contains(filter))
                results.append(resultItem(brief, index));
        }
    }

    SnippetModel *snippets = SnippetModel::instance();
    if (snippets != m_watchedSnippets) {
        m_watchedSnippets = snippets;
        watch(snippets);
    }
    if (snippets) {
        for (int g = 0; g < snippets->rowCount(); ++g) {
            const QModelIndex group = snippets->index(g, 0);
            for (int s = 0; s < snippets->rowCount(group); ++s) {
                const QModelIndex snippet = snippets->index(s, 0, group);
                const QString title = snippet.data(Qt::DisplayRole).toString();
                if (title.toLower().contains(filter) || snippet.data(TextRole).toString().toLower().contains(filter))
                    results.append(resultItem(title, snippet));
            }
        }
    }

    if (!results.isEmpty())
        invisibleRootItem()->appendRows(results);
}
