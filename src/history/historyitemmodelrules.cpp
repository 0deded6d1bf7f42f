// HistoryItemModel: the add rules, the trim, capture, and the user's edits of clippings.
#include "history/historyitemmodel.h"

#include "history/clippingitem.h"
#include "history/loadedclippings.h"
#include "history/historyindex.h"
#include "history/itemrole.h"
#include "common/compactjson.h"
#include "common/safefile.h"
#include "logging/logburst.h"
#include "logging/synclog.h"
#include "common/utils.h"

#include <QDebug>
#include <QMimeData>
#include <QRegularExpression>
#include <QSettings>
#include <QSortFilterProxyModel>

#include <algorithm>
#include <numeric>

namespace {

const int DefaultIgnoreSize = 4;
// A text clipping's members besides its texts, and the icon of an application first seen with it.
const qint64 StoredRowMargin = 64 * 1024;

void logMerge(const QString &text)
{
    SyncLog::add(QLatin1String("Merge clippings: ") + text);
}

// How the sync log names a clipping by its text.
QString shortName(const QString &text)
{
    QString name = text.left(50);
    name.remove('\n');
    return name;
}

QString shortName(const QStandardItem *item)
{
    return shortName(ClippingItem::textOf(item));
}

void logAdded(const QString &text, int position)
{
    logMerge(QLatin1String("Item '") + shortName(text) + QLatin1String("' added at position ") + QString::number(position));
}

QString timeText(const QStandardItem *item)
{
    if (item->type() == ClippingItem::Type)
        return static_cast<const ClippingItem *>(item)->timeText();
    return Utils::storedTime(item->data(TimeRole).toDateTime());
}

// The brief of a picture that came without a file name: "640 x 400 (Editor)", or "640 x 400" when
// the application is unknown.
QString sizeBrief(const QSize &size, const QString &application)
{
    const QString brief = QString("%1 x %2").arg(size.width()).arg(size.height());
    return application.isEmpty() ? brief : brief + QString(" (%1)").arg(application);
}

// A name for the image cache made from an application's name, which any program can choose.
QString generatedFileName(const QString &application, const QSize &size)
{
    QString name = application + QString("-%1x%2.png").arg(size.width()).arg(size.height());
    name.replace('/', '-').replace('\\', '-').replace(QChar(0), '-');
    while (name.contains(".."))
        name.replace("..", ".");
    return name;
}

// For each element, how many before it have a lower rank: a Fenwick tree over the ranks.
QList<int> lowerRankedBefore(const QList<int> &rank)
{
    QList<int> counts(rank.size(), 0);
    QList<int> tree(rank.size() + 1, 0);
    for (int i = 0; i < rank.size(); ++i) {
        for (int k = rank[i]; k > 0; k -= k & -k)
            counts[i] += tree[k];
        for (int k = rank[i] + 1; k < tree.size(); k += k & -k)
            ++tree[k];
    }
    return counts;
}

} // namespace

HistoryItemModel::AddRules HistoryItemModel::readRules()
{
    QSettings settings = Utils::settings();
    AddRules rules;
    rules.keepItems = settings.value("KeepItems").toInt();
    rules.includeImages = settings.value("IncludeImages").toBool();
    rules.ignoreLength = settings.value("IgnoreLength").toInt();
    rules.ignoreSize = settings.value("IgnoreSize").toInt();
    // 0 is what a missing key or a non-number reads as; taken literally it refuses every text and
    // recording stops without a word.
    if (rules.ignoreSize < 1) {
        if (!m_warnedIgnoreSize)
            qWarning() << "IgnoreSize" << rules.ignoreSize << "is not a size; using" << DefaultIgnoreSize;
        m_warnedIgnoreSize = true;
        rules.ignoreSize = DefaultIgnoreSize;
    }
    return rules;
}

bool HistoryItemModel::addItem(QStandardItem *item)
{
    finishLoading();
    return addItem(item, readRules());
}

QString HistoryItemModel::refusal(const QStandardItem *item, const AddRules &rules) const
{
    if (!m_removals.isEmpty()) {
        const auto removal = m_removals.constFind(ClippingItem::idOf(item));
        if (removal != m_removals.cend() && !(*removal < ClippingItem::changeMsecsOf(item)))
            return QLatin1String("Clipping '") + shortName(item) + QLatin1String("' was removed -> ignored");
    }
    const QString application = ClippingItem::applicationOf(item);
    if (m_excludedApplications.contains(application))
        return QLatin1String("Clipping '") + shortName(item) + QLatin1String("' comes from excluded application: '")
            + application + QLatin1String("' -> ignored");

    const int type = ClippingItem::typeOf(item);
    if (type == 1 || type == 2) {
        if (!rules.includeImages)
            return QLatin1String("Adding images '") + shortName(item) + QLatin1String("' to history is disabled.");
    } else if (type == 0 && !ClippingItem::isRemovedItem(item)) {
        // A removed clipping has no text left to measure, and must still arrive to carry its removal.
        const qsizetype length = ClippingItem::textOf(item).size();
        if (length < rules.ignoreLength)
            return QLatin1String("Text '") + shortName(item) + QLatin1String("' too small (") + QString::number(length)
                + QLatin1String(" vs ") + QString::number(rules.ignoreLength) + QLatin1String("). Ignored.");
        const qint64 limit = qint64(rules.ignoreSize) * 1024;
        if (length > limit)
            return QLatin1String("Text '") + shortName(item) + QLatin1String("' too large (") + QString::number(length)
                + QLatin1String(" vs ") + QString::number(limit) + QLatin1String("). Ignored.");
    }
    return QString();
}

bool HistoryItemModel::addItem(QStandardItem *item, const AddRules &rules)
{
    for (;;) {
        if (const QString refused = refusal(item, rules); !refused.isEmpty()) {
            logMerge(refused);
            return false;
        }

        const int type = ClippingItem::typeOf(item);
        const int duplicate = m_index->findDuplicate(ClippingItem::briefOf(item), ClippingItem::idOf(item),
                                                     type == 0 && ClippingItem::matchesByBrief(item));
        if (duplicate < 0)
            break;

        logMerge(QLatin1String("The item '") + shortName(item) + QLatin1String("' is already in the history (pos ")
            + QString::number(duplicate) + QLatin1String(")"));
        const QStandardItem *row = this->item(duplicate);
        if (!(ClippingItem::changeMsecsOf(row) < ClippingItem::changeMsecsOf(item)))
            return false;

        logMerge(QLatin1String("The added item '") + shortName(item) + QLatin1String("' is newer so adding it again to the model (")
            + timeText(item) + QLatin1String(" vs ") + timeText(row) + QLatin1String(")"));
        // A removed row whose content is erased has no icon or application left to pass on.
        if (ClippingItem::matchesByBrief(row)) {
            const auto *rowClipping = row->type() == ClippingItem::Type ? static_cast<const ClippingItem *>(row) : nullptr;
            if (item->type() == ClippingItem::Type && rowClipping && rowClipping->encodedIcon()) {
                // Share the loaded row's icon as it is, still undecoded.
                static_cast<ClippingItem *>(item)->setEncodedIcon(rowClipping->encodedIcon());
            } else {
                item->setData(row->data(Qt::DecorationRole), Qt::DecorationRole);
            }
            item->setData(row->data(ApplicationRole), ApplicationRole);
        }
        // The old HTML belongs to the old text: a clipping edited elsewhere, or another text with
        // the same brief, keeps its own.
        if (ClippingItem::textOf(item) == ClippingItem::textOf(row))
            item->setData(row->data(HtmlRole), HtmlRole);
        if (rules.keepRowPin && !ClippingItem::isPinnedItem(item))
            item->setData(ClippingItem::isPinnedItem(row), Qt::CheckStateRole);
        // A computer that still holds the older copy would bring the text back once the newer
        // one is removed.
        if (const QUuid replaced = ClippingItem::idOf(row); replaced != ClippingItem::idOf(item) && !replaced.isNull())
            noteRemoval(replaced, ClippingItem::changeMsecsOf(item));
        removeRow(duplicate);
    }

    removeExtraItems(rules);
    const int position = m_index->insertPosition(ClippingItem::isPinnedItem(item), ClippingItem::timeMsecsOf(item));
    logAdded(ClippingItem::textOf(item), position);
    // A removal read from a file or another computer keeps nothing of the clipping either.
    if (ClippingItem::isRemovedItem(item))
        eraseRemovedContent(item);
    // Newer than its removal: the row itself tells now.
    if (!m_removals.isEmpty())
        m_removals.remove(ClippingItem::idOf(item));
    insertRow(position, item);
    return true;
}

void HistoryItemModel::noteRemoval(const QUuid &id, qint64 msecs)
{
    const auto known = m_removals.find(id);
    if (known == m_removals.end())
        m_removals.insert(id, msecs);
    else if (*known < msecs)
        *known = msecs;
}

void HistoryItemModel::applyRemovals(const HistoryDocument &document, bool removeOlderRows)
{
    for (const auto &[idText, timeText] : document.removals) {
        const QUuid id = QUuid::fromString(idText);
        const qint64 msecs = ClippingItem::toMsecs(QDateTime::fromString(timeText, Qt::ISODate));
        if (id.isNull() || msecs == ClippingItem::InvalidTime)
            continue;
        noteRemoval(id, msecs);
        if (!removeOlderRows)
            continue;
        const int row = m_index->firstRowWithId(id);
        if (row >= 0 && ClippingItem::changeMsecsOf(item(row)) < msecs)
            removeItem(row);
    }
}

bool HistoryItemModel::canAddInOrder(const HistoryIndex::Tables &tables)
{
    return !HistoryIndex::repeats(tables) && (rowCount() == 0 || m_index->inOrder());
}

void HistoryItemModel::addInOrder(QList<ClippingItem *> items, const AddRules &rules,
                                  std::shared_ptr<HistoryIndex::Tables> tables, bool holdLog)
{
    // Meeting no earlier clipping, the rules refuse a clipping or put it below every row not older
    // than it, and until the limit is reached no row ever moves or goes: the rows end sorted by
    // pin and time, equals in the order they came.
    const int rows = rowCount();
    const qsizetype room = rules.keepItems < 1 ? items.size() : qMax(qsizetype(0), qsizetype(rules.keepItems) - rows);
    QList<ClippingItem *> taken;
    // The sync log lines, in the order the rules write them: a refusal's line, or a clipping's
    // text and the position it goes to (-1 for a refusal).
    QList<std::pair<QString, int>> lines;
    qsizetype next = 0;
    for (; next < items.size() && taken.size() < room; ++next) {
        ClippingItem *item = items[next];
        if (const QString refused = refusal(item, rules); !refused.isEmpty()) {
            lines.append({refused, -1});
            delete item;
            continue;
        }
        if (item->isRemoved())
            eraseRemovedContent(item);
        if (!m_removals.isEmpty())
            m_removals.remove(item->id());
        lines.append({item->text(), int(taken.size())});
        taken.append(item);
    }

    // The clippings in their final order; a removal or an edit keeps its row in the file and takes
    // the time it was made.
    const auto before = [](const ClippingItem *a, const ClippingItem *b) {
        return HistoryIndex::outOfOrder(b->isPinned(), b->timeMsecs(), a->isPinned(), a->timeMsecs());
    };
    QList<int> order(taken.size());
    std::iota(order.begin(), order.end(), 0);
    if (!std::is_sorted(taken.cbegin(), taken.cend(), before))
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return before(taken[a], taken[b]); });
    // Where each goes among the rows there are, which are in order too.
    QList<int> at(taken.size());
    for (int k = 0, row = 0; k < order.size(); ++k) {
        const ClippingItem *clipping = taken[order[k]];
        const auto goesBelow = [clipping](const QStandardItem *above) {
            return !HistoryIndex::outOfOrder(ClippingItem::isPinnedItem(above), ClippingItem::timeMsecsOf(above),
                                             clipping->isPinned(), clipping->timeMsecs());
        };
        while (row < rows && goesBelow(item(row)))
            ++row;
        at[order[k]] = row;
    }
    // The position each took when it went in: its place among the rows there were and the
    // clippings before it.
    QList<int> rank(taken.size());
    for (int k = 0; k < order.size(); ++k)
        rank[order[k]] = k;
    const QList<int> ahead = lowerRankedBefore(rank);
    for (auto &[text, position] : lines) {
        if (position >= 0)
            position = at[position] + ahead[position];
    }
    const auto writeLines = [](const QList<std::pair<QString, int>> &lines) {
        const LogBurst burst;
        for (const auto &[text, position] : lines) {
            if (position < 0)
                logMerge(text);
            else
                logAdded(text, position);
        }
    };
    if (holdLog) {
        // A line per clipping is more than the first window can wait for.
        SyncLog::addLater([lines = std::move(lines), writeLines] { writeLines(lines); });
    } else {
        writeLines(lines);
    }

    // As the first addItem() would: the column before the rows.
    if (!taken.isEmpty() && columnCount() < 1)
        setColumnCount(1);
    // From the bottom up, each run of clippings that goes to one place in one insert.
    for (qsizetype end = order.size(); end > 0;) {
        const int place = at[order[end - 1]];
        qsizetype begin = end - 1;
        while (begin > 0 && at[order[begin - 1]] == place)
            --begin;
        QList<QStandardItem *> run;
        run.reserve(end - begin);
        for (qsizetype k = begin; k < end; ++k)
            run.append(taken[order[k]]);
        invisibleRootItem()->insertRows(place, run);
        end = begin;
    }
    // The lookups stand for the rows only when the rows are the clippings as they came.
    if (rows == 0 && next == items.size() && tables)
        m_index->adopt(std::move(tables));
    // Past the limit each new clipping trims the rows below it first.
    for (; next < items.size(); ++next) {
        if (!addItem(items[next], rules))
            delete items[next];
    }
}

bool HistoryItemModel::addRestOfFirstPage(HistoryFileReading::Outcome &reading)
{
    LoadedClippings &clippings = reading.clippings;
    const std::shared_ptr<HistoryIndex::Tables> tables = clippings.indexTables();
    AddRules rules = readRules();
    rules.keepRowPin = false;
    if (!tables || !canAddInOrder(*tables))
        return false;
    const qsizetype shown = qMin(m_firstPageClippings, clippings.size());
    m_restPending = false;
    m_documentBase = reading.size;
    m_documentBaseAdded = m_addedBytes;
    for (const auto &[name, id] : clippings.unsafeFileNames())
        qWarning() << "Ignoring the unsafe image file name" << name << "of clipping" << id;
    QList<ClippingItem *> items = clippings.take();
    // The rows shown are those clippings, as the rules took them.
    qDeleteAll(items.begin(), items.begin() + shown);
    items.erase(items.begin(), items.begin() + shown);
    addInOrder(std::move(items), rules, nullptr, true);
    removeExtraItems(rules);
    qDebug().noquote() << "Read " << rowCount() << " history items from " << filePath();
    return true;
}

void HistoryItemModel::removeExtraItems()
{
    finishLoading();
    removeExtraItems(readRules());
}

void HistoryItemModel::removeExtraItems(const AddRules &rules)
{
    // Below 1 the trim would never end; trimming to 1 after a typo would wipe the history.
    if (rules.keepItems < 1) {
        if (!m_warnedKeepItems)
            qWarning() << "KeepItems" << rules.keepItems << "is below 1; the history is not trimmed.";
        m_warnedKeepItems = true;
        return;
    }
    int keep = rules.keepItems;
    while (rowCount() >= keep) {
        if (ClippingItem::isLockedItem(item(keep - 1)))
            ++keep;
        else
            removeItem(keep - 1);
    }
}

void HistoryItemModel::removeImageFolder(const QStandardItem *clipping)
{
    const int type = ClippingItem::typeOf(clipping);
    if (type == 1 || type == 2)
        removeImageFolder(ClippingItem::idOf(clipping));
}

void HistoryItemModel::removeImageFolder(const QUuid &id)
{
    // A picture the disk refused is not written again for a clipping that is gone.
    m_pictures.remove(id);
    const QString folder = Utils::imagesPath() + "/" + id.toString();
    // A link in the folder's place goes, not what it points to.
    if (!SafeFile::removeFolder(folder))
        qWarning() << "Unable to remove the image folder" << folder;
}

bool HistoryItemModel::eraseRemovedContent(QStandardItem *clipping)
{
    if (!ClippingItem::holdsContent(clipping))
        return false;
    removeImageFolder(clipping);
    ClippingItem::eraseContent(clipping);
    return true;
}

void HistoryItemModel::removeItem(int row)
{
    const QStandardItem *clipping = item(row);
    if (!clipping)
        return;
    // The removal outlives its tombstone.
    if (ClippingItem::isRemovedItem(clipping) && !ClippingItem::idOf(clipping).isNull())
        noteRemoval(ClippingItem::idOf(clipping), ClippingItem::changeMsecsOf(clipping));
    removeImageFolder(clipping);
    logMerge(QLatin1String("Removing '") + shortName(clipping) + QLatin1String("' from the history"));
    removeRow(row);
}

void HistoryItemModel::addText(const QString &text, const QString &html, QPixmap icon, QString application)
{
    const QString brief = Utils::makeOneLiner(text);
    // What a load would refuse is never written: a text that would take the history file past that
    // is not recorded. Its brief is stored beside it.
    const qint64 stored = CompactJson::encodedSize(text) + CompactJson::encodedSize(brief) + CompactJson::encodedSize(html)
        + CompactJson::encodedSize(application) + StoredRowMargin;
    if (!m_excludedApplications.contains(application) && documentSizeEstimate() + stored > SafeFile::MaxDocumentSize) {
        logMerge(QLatin1String("Text '") + brief.left(50) + QLatin1String("' too large for the history file (")
            + QString::number(stored) + QLatin1String(" bytes). Ignored."));
        emit clippingNotRecorded(tr("The copied text was not recorded: it would make the clippings file larger than "
                                    "the %1 MB Kestovan can read.").arg(SafeFile::MaxDocumentSize / (1024 * 1024)));
        return;
    }

    auto *clipping = new ClippingItem;
    clipping->setData(brief, Qt::DisplayRole);
    clipping->setData(0, TypeRole);
    clipping->setData(html, HtmlRole);
    clipping->setData(text, TextRole);
    clipping->setData(QDateTime::currentDateTime(), TimeRole);
    clipping->setData(QUuid::createUuid(), IdRole);
    clipping->setData(html.isEmpty() ? text : html, Qt::ToolTipRole);
    clipping->setData(icon, Qt::DecorationRole);
    clipping->setData(false, RemovedRole);
    clipping->setData(application, ApplicationRole);
    if (addItem(clipping))
        m_addedBytes += stored;
    else
        delete clipping;
}

void HistoryItemModel::addImage(const QUrl &url, const QImage &image, QPixmap icon, QString application, QDateTime time)
{
    QString fileName;
    if (!url.isEmpty() && !url.toString().startsWith("data:")) {
        fileName = url.fileName();
        if (fileName.isEmpty())
            fileName = url.path().split('/').last();
    }
    QString brief = fileName;
    if (fileName.isEmpty()) {
        brief = sizeBrief(image.size(), application);
        fileName = generatedFileName(application, image.size());
    }

    auto *clipping = new ClippingItem;
    clipping->setData(brief, Qt::DisplayRole);
    clipping->setData(brief, TextRole);
    clipping->setData(1, TypeRole);
    clipping->setData(time, TimeRole);
    const QUuid id = QUuid::createUuid();
    clipping->setData(id, IdRole);
    clipping->setData(icon, Qt::DecorationRole);
    clipping->setData(false, RemovedRole);
    clipping->setData(application, ApplicationRole);
    clipping->setData(fileName, FileNameRole);

    // Its clipping goes into the history file once the picture is in the cache, as the only copy
    // of it there.
    const auto outcome = m_pictures.add({id, image, url, fileName});
    startImageJobs(image, url, id, fileName, outcome, cachedPictures());
    if (!addItem(clipping))
        delete clipping;
}

void HistoryItemModel::clipboardChanged(std::shared_ptr<const QMimeData> data, QPixmap icon, QString application)
{
    finishLoading();
    updateApplications(application, icon);

    bool handled = false;
    if (data->hasUrls()) {
        const QList<QUrl> urls = data->urls();
        if (urls.size() != 1) {
            qDebug() << "Too many files copied to clipboard" << urls;
            handled = true;
        } else if (urls.first().isLocalFile()) {
            const QString name = urls.first().fileName().toLower();
            if (name.endsWith(".png") || name.endsWith(".jpg") || name.endsWith(".webp") || name.endsWith(".gif"))
                addImage(urls.first(), QImage(), icon, application, QDateTime::currentDateTime());
            else
                qDebug() << "The copied file is not supported image file" << urls.first();
            handled = true;
        } else {
            qDebug() << "There's an url but it's not a local file" << urls.first().path();
        }
    }

    if (!handled) {
        if (data->hasImage()) {
            const QVariant imageData = data->imageData();
            QImage image = qvariant_cast<QImage>(imageData);
            if (image.isNull())
                image = qvariant_cast<QPixmap>(imageData).toImage();
            const QUrl url = data->hasUrls() ? data->urls().first() : QUrl();
            addImage(url, image, icon, application, QDateTime::currentDateTime());
        } else if (data->hasText()) {
            addText(data->text(), data->html(), icon, application);
        } else {
            qDebug() << "Unknown clipboard content:" << data->formats();
            return;
        }
    }

    requestSave(true);
    emit clippingAdded();
    m_nextIndex = index(0, 0);
}

void HistoryItemModel::touchItem(QModelIndex index)
{
    if (!index.isValid())
        return;
    QStandardItem *clone = itemFromIndex(index)->clone();
    clone->setData(QDateTime::currentDateTime(), TimeRole);
    if (!addItem(clone))
        delete clone;
    requestSave(true);
}

QModelIndex HistoryItemModel::togglePin(QModelIndex index)
{
    index = afterLoading({index}).constFirst();
    if (!index.isValid())
        return index;
    QStandardItem *clipping = itemFromIndex(index);
    const bool pinned = !ClippingItem::isPinnedItem(clipping);
    clipping->setData(pinned, Qt::CheckStateRole);
    clipping->setData(QDateTime::currentDateTime(), TimeRole);

    const QList<QStandardItem *> taken = takeRow(index.row());
    int row = 0;
    if (!pinned) {
        while (row < rowCount() && ClippingItem::isPinnedItem(item(row)))
            ++row;
    }
    insertRow(row, taken);
    requestSave(true);
    return this->index(row, 0);
}

void HistoryItemModel::lockItem(QModelIndex index, bool locked)
{
    index = afterLoading({index}).constFirst();
    if (!index.isValid())
        return;
    QStandardItem *clipping = itemFromIndex(index);
    clipping->setData(locked, LockedRole);
    // Not the time: that would move the clipping to the top on the other computers, and their
    // trim would make room for it.
    clipping->setData(QDateTime::currentDateTime(), ChangedRole);
    requestSave(true);
}

void HistoryItemModel::updateItem(QModelIndex index, QString text)
{
    index = afterLoading({index}).constFirst();
    if (!index.isValid())
        return;
    QStandardItem *clipping = itemFromIndex(index);
    clipping->setData(Utils::makeOneLiner(text), Qt::DisplayRole);
    clipping->setData(text, TextRole);
    // The old HTML no longer matches the text, and plain text is no HTML: offer none.
    clipping->setData(QString(""), HtmlRole);
    clipping->setData(text, Qt::ToolTipRole);
    clipping->setData(QDateTime::currentDateTime(), TimeRole);
    requestSave(true);
    emit dataChanged(index, index);
}

void HistoryItemModel::updateItem(QModelIndex index, QImage image)
{
    index = afterLoading({index}).constFirst();
    if (!index.isValid())
        return;
    QStandardItem *clipping = itemFromIndex(index);
    clipping->setData(QDateTime::currentDateTime(), TimeRole);
    const QString fileName = clipping->data(FileNameRole).toString();
    // A brief that gives the size follows the picture (a crop changes it); a file name stays.
    static const QRegularExpression sized(QStringLiteral("^\\d+ x \\d+(?: \\((.*)\\))?$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QString brief = ClippingItem::briefOf(clipping);
    if (const QRegularExpressionMatch match = sized.match(brief); match.hasMatch() && brief != fileName) {
        const QString resized = sizeBrief(image.size(), match.captured(1));
        clipping->setData(resized, Qt::DisplayRole);
        clipping->setData(resized, TextRole);
    }
    if (Utils::isPlainFileName(fileName))
        startImageJobs(image, QUrl(), ClippingItem::idOf(clipping), fileName);
    else
        qWarning() << "The image clipping has no usable file name:" << fileName;
    requestSave(true);
    emit dataChanged(index, index);
}

void HistoryItemModel::reverseItems(QList<QModelIndex> indexes)
{
    const QList<QPersistentModelIndex> sources = afterLoading(indexes);
    QList<int> rows;
    for (const QPersistentModelIndex &source : std::as_const(sources)) {
        if (source.isValid() && !rows.contains(source.row()))
            rows.append(source.row());
    }
    std::sort(rows.begin(), rows.end());

    QList<QList<QStandardItem *>> taken;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        taken.append(takeRow(*it));
    for (int i = 0; i < rows.size(); ++i)
        insertRow(rows.at(i), taken.at(i));
    requestSave(true);
}

void HistoryItemModel::markItemAsRemoved(QModelIndex index)
{
    markItemsAsRemoved({index});
}

void HistoryItemModel::markItemsAsRemoved(QList<QModelIndex> indices)
{
    // Map every index first: each tombstone leaves the proxy and shifts its rows.
    const QList<QPersistentModelIndex> sources = afterLoading(indices);
    const QDateTime now = QDateTime::currentDateTime();
    for (const QPersistentModelIndex &source : std::as_const(sources)) {
        QStandardItem *clipping = itemFromIndex(source);
        if (!clipping)
            continue;
        clipping->setData(true, RemovedRole);
        clipping->setData(now, TimeRole);
        clipping->setData(false, LockedRole);
        clipping->setData(false, Qt::CheckStateRole);
        if (eraseRemovedContent(clipping))
            emit dataChanged(source, source);
    }
    resetNextIndexAfterRemoval();
    requestSave(true);
}

void HistoryItemModel::markAllAsRemoved()
{
    finishLoading();
    const QDateTime now = QDateTime::currentDateTime();
    const int rows = rowCount();
    int first = -1;
    int last = -1;
    for (int row = 0; row < rows; ++row) {
        QStandardItem *clipping = item(row);
        if (ClippingItem::isLockedItem(clipping))
            continue;
        if (clipping->type() == ClippingItem::Type) {
            // One change report for the whole range instead of one per row.
            auto *fast = static_cast<ClippingItem *>(clipping);
            fast->setDataQuietly(true, RemovedRole);
            fast->setDataQuietly(now, TimeRole);
            fast->setDataQuietly(false, Qt::CheckStateRole);
            eraseRemovedContent(fast);
            if (first < 0)
                first = row;
            last = row;
        } else {
            clipping->setData(true, RemovedRole);
            clipping->setData(now, TimeRole);
            clipping->setData(false, Qt::CheckStateRole);
            eraseRemovedContent(clipping);
        }
    }
    if (first >= 0)
        emit dataChanged(index(first, 0), index(last, 0));
    resetNextIndexAfterRemoval();
    requestSave(true);
}

void HistoryItemModel::updateExcludeList()
{
    finishLoading();
    const QStringList excluded = Utils::settings().value("ExcludedApplications").toStringList();
    m_excludedApplications = QSet<QString>(excluded.cbegin(), excluded.cend());

    bool marked = false;
    for (int row = 0; row < rowCount(); ++row) {
        QStandardItem *clipping = item(row);
        if (m_excludedApplications.contains(ClippingItem::applicationOf(clipping)) && !ClippingItem::isRemovedItem(clipping)) {
            clipping->setData(true, RemovedRole);
            if (eraseRemovedContent(clipping))
                emit dataChanged(index(row, 0), index(row, 0));
            marked = true;
        }
    }
    if (marked)
        requestSave(true);

    // With the size rule, so the listener need not copy a text only for it to be refused here.
    emit captureRulesChanged(qint64(readRules().ignoreSize) * 1024);
}
