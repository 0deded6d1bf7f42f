#include "window/searchmodel.h"

#include "common/utils.h"
#include "history/clippingitem.h"
#include "history/itemrole.h"
#include "snippets/snippetmodel.h"

#include <QDebug>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

SearchModel::SearchModel(QObject *parent, QSortFilterProxyModel *proxy)
    : QAbstractListModel(parent)
    , proxy(proxy)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &SearchModel::update);
    watch(proxy);
    if (proxy) {
        watchHistory();
        connect(proxy, &QAbstractProxyModel::sourceModelChanged, this, [this] {
            forgetAllClippings();
            watchHistory();
            scheduleRebuild();
        });
    }
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

void SearchModel::watchHistory()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_historyConnections))
        disconnect(connection);
    m_historyConnections.clear();
    m_history = qobject_cast<QStandardItemModel *>(proxy->sourceModel());
    if (!m_history)
        return;
    // Before the items are deleted: a result must never keep the address of one that is gone.
    m_historyConnections.append(
        connect(m_history, &QAbstractItemModel::rowsAboutToBeRemoved, this, &SearchModel::forgetClippings));
    m_historyConnections.append(
        connect(m_history, &QAbstractItemModel::modelAboutToBeReset, this, &SearchModel::forgetAllClippings));
    m_historyConnections.append(connect(m_history, &QObject::destroyed, this, [this] {
        forgetAllClippings();
        m_history = nullptr;
    }));
}

void SearchModel::forgetClippings(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid() || m_results.empty())
        return;
    QSet<const QStandardItem *> gone;
    for (int row = first; row <= last; ++row)
        gone.insert(m_history->item(row));
    for (Result &result : m_results) {
        if (result.clipping && gone.contains(result.clipping))
            result.clipping = nullptr;
    }
}

void SearchModel::forgetAllClippings()
{
    for (Result &result : m_results)
        result.clipping = nullptr;
}

void SearchModel::scheduleRebuild()
{
    // Nothing shown, nothing to bring up to date; a later setFilter rebuilds anyway.
    if (filter.isEmpty() && rowCount() == 0)
        return;
    if (!timer.isActive())
        timer.start(RebuildDelay);
}

int SearchModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_results.size());
}

QModelIndex SearchModel::sourceOf(const Result &result) const
{
    if (!result.isClipping)
        return result.snippet;
    if (!result.clipping || !m_history || !proxy)
        return QModelIndex();
    return proxy->mapFromSource(m_history->indexFromItem(result.clipping));
}

QVariant SearchModel::data(const QModelIndex &index, int role) const
{
    if (index.model() != this || index.column() != 0 || index.row() < 0 || size_t(index.row()) >= m_results.size())
        return QVariant();
    const Result &result = m_results[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return result.text;
    case Qt::ToolTipRole:
        return sourceOf(result).data(Qt::ToolTipRole);
    case SourceIndexRole:
        return QVariant::fromValue(sourceOf(result));
    default:
        return QVariant();
    }
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

void SearchModel::updateIfPending()
{
    if (timer.isActive())
        update();
}

void SearchModel::update()
{
    timer.stop();
    if (!m_results.empty()) {
        beginRemoveRows(QModelIndex(), 0, int(m_results.size()) - 1);
        m_results.clear();
        endRemoveRows();
    }
    if (filter.isEmpty())
        return;

    std::vector<Result> results;
    if (proxy && m_history) {
        const int rows = proxy->rowCount();
        for (int row = 0; row < rows; ++row) {
            const QStandardItem *item = m_history->itemFromIndex(proxy->mapToSource(proxy->index(row, 0)));
            if (!item || !ClippingItem::briefContains(item, filter))
                continue;
            Result result;
            result.clipping = item;
            result.text = ClippingItem::briefOf(item);
            result.isClipping = true;
            results.push_back(std::move(result));
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
                if (Utils::lowerCasedContains(title, filter)
                    || Utils::lowerCasedContains(snippet.data(TextRole).toString(), filter)) {
                    Result result;
                    result.snippet = snippet;
                    result.text = title;
                    results.push_back(std::move(result));
                }
            }
        }
    }

    qDebug().noquote() << QStringLiteral("Search for \"%1\": %2 results").arg(filter).arg(results.size());
    if (results.empty())
        return;
    beginInsertRows(QModelIndex(), 0, int(results.size()) - 1);
    m_results = std::move(results);
    endInsertRows();
}
