#include "history/historyitemmodel.h"

#include "history/cleancache.h"
#include "history/clippingitem.h"
#include "common/globals.h"
#include "history/historyfiltermodel.h"
#include "history/historyindex.h"
#include "history/itemrole.h"
#include "history/thumbnailcache.h"
#include "common/isync.h"
#include "common/utils.h"
#include "logging/synclog.h"

#include <QDebug>
#include <QSettings>
#include <QThreadPool>
#include <QTimer>

HistoryItemModel *HistoryItemModel::s_instance = nullptr;
HistoryFilterModel *HistoryItemModel::s_proxyInstance = nullptr;
HistoryItemModel::ListenerFactory HistoryItemModel::s_listenerFactory = nullptr;

namespace {
// The image cache is tidied once per run, well after start, when nothing else is busy.
const int CleanCacheDelay = 15 * 60 * 1000;
} // namespace

HistoryItemModel::HistoryItemModel(QObject *parent, ISync *sync)
    : QStandardItemModel(parent)
    , m_sync(sync)
    , m_index(new HistoryIndex(this))
    , m_thumbnails(new ThumbnailCache(this))
    , m_saver(new HistorySaver(
          this, [this](HistorySaver::Job &job) { return prepareSave(job, true); },
          [this](const HistorySaver::Job &job) { finishSave(job); }))
{
    connect(m_thumbnails, &ThumbnailCache::ready, this, [this](const QUuid &id) {
        const int row = m_index->firstRowWithId(id);
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, 0), {ThumbnailRole});
    });
    if (m_sync)
        connect(m_sync, &ISync::thumbnail, this, &HistoryItemModel::applyThumbnail);

    if (s_listenerFactory)
        clipboardListener = s_listenerFactory(this);

    const QVariantMap applications = Utils::settings().value("Applications").toMap();
    for (auto it = applications.constBegin(); it != applications.constEnd(); ++it)
        m_knownApplications.insert(it.key());

    updateExcludeList();

    QTimer::singleShot(CleanCacheDelay, this, [this] {
        // After a load that failed the ids are not known: every folder would look unused.
        if (m_loadFailed) {
            qWarning() << "The history file could not be loaded; the image cache is left as it is.";
            return;
        }
        QThreadPool::globalInstance()->start(new CleanCache(imageIds()));
    });

    m_nextIndex = index(0, 0);
}

HistoryItemModel::~HistoryItemModel()
{
    // Nothing asked for is lost; the sync engine may be gone already.
    m_sync = nullptr;
    m_saver->flush();
    SyncLog::writePending();
    // Writers of the clipboard reach the listener through the instance; it must not outlive us.
    if (s_instance == this)
        s_instance = nullptr;
}

void HistoryItemModel::setListenerFactory(ListenerFactory factory)
{
    s_listenerFactory = factory;
}

void HistoryItemModel::initialize(QObject *parent, ISync *sync, HistoryFilterState *carousel)
{
    s_instance = new HistoryItemModel(parent, sync);
    s_proxyInstance = new HistoryFilterModel(parent, carousel);
    s_proxyInstance->setSourceModel(s_instance);
    s_instance->setProxy(s_proxyInstance);
}

HistoryItemModel *HistoryItemModel::instance()
{
    return s_instance;
}

HistoryFilterModel *HistoryItemModel::proxyInstance()
{
    return s_proxyInstance;
}

void HistoryItemModel::setProxy(QSortFilterProxyModel *proxy)
{
    m_proxy = proxy;
}

QString HistoryItemModel::getFileName()
{
    if (perfTestEnabled)
        return "History-perftest.json";
    if (demoEnabled)
        return "History-demo.json";
    return "History.json";
}

QStringList HistoryItemModel::toList()
{
    QStringList texts;
    if (!s_proxyInstance)
        return texts;
    if (s_instance)
        s_instance->finishLoading();
    const int rows = s_proxyInstance->rowCount();
    texts.reserve(rows);
    for (int row = 0; row < rows; ++row)
        texts.append(s_proxyInstance->index(row, 0).data(TextRole).toString());
    return texts;
}

void HistoryItemModel::updateApplications(QString application, QPixmap icon)
{
    if (m_knownApplications.contains(application))
        return;
    QSettings settings = Utils::settings();
    QVariantMap applications = settings.value("Applications").toMap();
    applications.insert(application, QVariant::fromValue(icon));
    settings.setValue("Applications", applications);
    m_knownApplications.insert(application);
}

void HistoryItemModel::applyThumbnail(QImage image, QUuid id)
{
    const int row = m_index->firstRowWithId(id);
    if (row < 0) {
        qDebug() << "Unable to find the item for thumbnail" << id;
        return;
    }
    m_thumbnails->insert(image, id);
}

QImage HistoryItemModel::thumbnail(const QUuid &id, const QString &fileName)
{
    return m_thumbnails->thumbnail(id, fileName);
}

QList<QString> HistoryItemModel::imageIds()
{
    QList<QString> ids;
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        const QStandardItem *clipping = item(row);
        const int type = ClippingItem::typeOf(clipping);
        // An erased tombstone has no folder to keep: one that a copy still under way wrote after the
        // removal goes at the clean-up.
        if ((type == 1 || type == 2) && !(ClippingItem::isRemovedItem(clipping) && !ClippingItem::holdsContent(clipping)))
            ids.append(ClippingItem::idOf(clipping).toString());
    }
    return ids;
}

QModelIndex HistoryItemModel::getNextIndex()
{
    if (m_nextIndex.model() == this && m_nextIndex.row() >= 0 && m_nextIndex.row() < rowCount()
        && m_nextIndex.column() >= 0)
        return m_nextIndex;
    m_nextIndex = index(0, 0);
    return m_nextIndex;
}

void HistoryItemModel::setNextIndex(QModelIndex index)
{
    m_nextIndex = index;
}

QModelIndex HistoryItemModel::toSourceIndex(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() == this)
        return index;
    if (const auto *proxy = qobject_cast<const QAbstractProxyModel *>(index.model()))
        return toSourceIndex(proxy->mapToSource(index));
    return QModelIndex();
}

void HistoryItemModel::resetNextIndexAfterRemoval()
{
    if (m_proxy && m_proxy->sourceModel() == this) {
        m_nextIndex = m_proxy->mapToSource(m_proxy->index(0, 0));
        return;
    }
    // Without a proxy: the first row that is not a tombstone, as the unfiltered proxy shows it.
    for (int row = 0; row < rowCount(); ++row) {
        if (!ClippingItem::isRemovedItem(item(row))) {
            m_nextIndex = index(row, 0);
            return;
        }
    }
    m_nextIndex = QModelIndex();
}

QMap<int, QVariant> HistoryItemModel::itemData(const QModelIndex &index) const
{
    QMap<int, QVariant> roles = QStandardItemModel::itemData(index);
    const QStandardItem *clipping = itemFromIndex(index);
    if (!clipping || clipping->type() != ClippingItem::Type)
        return roles;
    // The clipping fields live in ClippingItem's members, not in the base class's role list.
    static const int fields[] = {Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole, Qt::CheckStateRole, HtmlRole,
        TextRole, IdRole, TimeRole, RemovedRole, ApplicationRole, TypeRole, FileNameRole, LockedRole, ChangedRole, Qt::UserRole - 1};
    for (int role : fields) {
        const QVariant value = clipping->data(role);
        if (value.isValid())
            roles.insert(role, value);
    }
    return roles;
}

bool HistoryItemModel::setItemData(const QModelIndex &index, const QMap<int, QVariant> &roles)
{
    QStandardItem *clipping = itemFromIndex(index);
    if (!clipping || clipping->type() != ClippingItem::Type)
        return QStandardItemModel::setItemData(index, roles);
    // The base class would write its role list directly, past ClippingItem's members.
    for (auto it = roles.constBegin(); it != roles.constEnd(); ++it)
        clipping->setData(it.value(), it.key());
    return true;
}

void HistoryItemModel::catchUpIndex()
{
    finishLoading();
    m_index->catchUp();
    SyncLog::writePending();
}
