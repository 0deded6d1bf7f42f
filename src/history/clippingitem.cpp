#include "history/clippingitem.h"

#include "history/historyitemmodel.h"
#include "history/itemrole.h"
#include "common/utils.h"

#include <QCache>
#include <QHash>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <limits>

namespace {

// Where QStandardItem keeps an item's flags.
const int FlagsRole = Qt::UserRole - 1;

QCache<quint64, QPixmap> &decodedIcons()
{
    static QCache<quint64, QPixmap> cache(EncodedIcon::CachedIcons);
    return cache;
}

} // namespace

EncodedIcon::EncodedIcon(QString text)
    : m_text(std::move(text))
{
    static std::atomic<quint64> lastSerial{0};
    m_serial = ++lastSerial;
}

QPixmap EncodedIcon::pixmap() const
{
    QCache<quint64, QPixmap> &cache = decodedIcons();
    if (const QPixmap *decoded = cache.object(m_serial))
        return *decoded;
    const QPixmap decoded = Utils::stringToPixmap(m_text);
    cache.insert(m_serial, new QPixmap(decoded));
    return decoded;
}

ClippingItem::ClippingItem()
{
    setEditable(false);
}

QStandardItem *ClippingItem::clone() const
{
    return new ClippingItem(*this);
}

qint64 ClippingItem::toMsecs(const QDateTime &time)
{
    return time.isValid() ? time.toMSecsSinceEpoch() : InvalidTime;
}

void ClippingItem::setTime(const QDateTime &time)
{
    forgetSaved();
    m_time = time;
    m_timeBuilt = true;
    m_timeMsecs = toMsecs(time);
    m_timeTextValid = false;
}

const QDateTime &ClippingItem::time() const
{
    if (!m_timeBuilt) {
        // Shown in this computer's zone, whichever zone wrote it.
        m_time = QDateTime::fromString(m_timeText, Qt::ISODate).toLocalTime();
        m_timeBuilt = true;
    }
    return m_time;
}

namespace {

const qint64 MsecsPerDay = 86400000;
// The Julian day of 1970-01-01.
const qint64 EpochJulianDay = 2440588;
const int Unsteady = std::numeric_limits<int>::min();

int number(const QChar *text, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int offsetAt(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::LocalTime).offsetFromUtc();
}

// The local offset from UTC, in seconds, that holds for every wall time of this hour, or Unsteady
// when an offset change lies within or next to the hour. Asked once per hour of the history, from
// the threads that read a history file side by side.
int steadyOffset(const QDate &date, int hour)
{
    static std::mutex lock;
    static QHash<qint64, int> cache;
    // Clippings come in order of time: most ask for the hour the one before asked for.
    thread_local qint64 lastKey = -1;
    thread_local int lastOffset = Unsteady;
    const qint64 key = date.toJulianDay() * 24 + hour;
    if (key == lastKey)
        return lastOffset;
    const std::lock_guard<std::mutex> guard(lock);
    const auto found = cache.constFind(key);
    if (found != cache.constEnd()) {
        lastKey = key;
        lastOffset = *found;
        return *found;
    }

    int result = Unsteady;
    const QDateTime start(date, QTime(hour, 0, 0), Qt::LocalTime);
    const QDateTime end(date, QTime(hour, 59, 59), Qt::LocalTime);
    if (start.isValid() && end.isValid() && start.time() == QTime(hour, 0, 0) && end.time() == QTime(hour, 59, 59)) {
        const int offset = start.offsetFromUtc();
        const qint64 first = start.toMSecsSinceEpoch();
        const qint64 last = end.toMSecsSinceEpoch();
        if (end.offsetFromUtc() == offset && offsetAt(first - 3600 * 1000) == offset
            && offsetAt(last + 3600 * 1000) == offset && last - first == 3599 * 1000)
            result = offset;
    }
    cache.insert(key, result);
    lastKey = key;
    lastOffset = result;
    return result;
}

// The offset of a time written with one ("Z", "+hh:mm", "-hh:mm" after the seconds), in seconds;
// Unsteady when the text has none of these forms.
int writtenOffset(const QChar *c, qsizetype size)
{
    if (size == 20 && c[19] == u'Z')
        return 0;
    if (size != 25 || (c[19] != u'+' && c[19] != u'-') || c[22] != u':')
        return Unsteady;
    const int hours = number(c + 20, 2);
    const int minutes = number(c + 23, 2);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        return Unsteady;
    const int offset = hours * 3600 + minutes * 60;
    return c[19] == u'-' ? -offset : offset;
}

QString offsetSuffix(int offset)
{
    if (offset == 0)
        return QStringLiteral("Z");
    const int minutes = qAbs(offset) / 60;
    return QString::asprintf("%c%02d:%02d", offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
}

} // namespace

void ClippingItem::setTimeText(const QString &text)
{
    // "yyyy-MM-ddThh:mm:ss", with an offset or, as earlier versions wrote it, in local time without
    // one; anything else goes the long way.
    const QChar *c = text.constData();
    if (text.size() >= 19 && c[4] == u'-' && c[7] == u'-' && c[10] == u'T' && c[13] == u':' && c[16] == u':') {
        const int year = number(c, 4);
        const int month = number(c + 5, 2);
        const int day = number(c + 8, 2);
        const int hour = number(c + 11, 2);
        const int minute = number(c + 14, 2);
        const int second = number(c + 17, 2);
        if (year > 0 && QDate::isValid(year, month, day) && hour >= 0 && hour < 24 && minute >= 0 && minute < 60
            && second >= 0 && second < 60) {
            const QDate date(year, month, day);
            const bool local = text.size() == 19;
            const int offset = local ? steadyOffset(date, hour) : writtenOffset(c, text.size());
            if (offset != Unsteady && offset % 60 == 0) {
                m_timeMsecs = (date.toJulianDay() - EpochJulianDay) * MsecsPerDay
                    + (hour * 3600 + minute * 60 + second - offset) * qint64(1000);
                // Written again with the offset it was read with, so that no zone reads it otherwise.
                m_timeText = local ? text + offsetSuffix(offset) : text;
                m_timeTextValid = true;
                m_time = QDateTime();
                m_timeBuilt = false;
                forgetSaved();
                return;
            }
        }
    }
    setTime(QDateTime::fromString(text, Qt::ISODate));
}

QString ClippingItem::timeText() const
{
    if (!m_timeTextValid) {
        m_timeText = Utils::storedTime(time());
        m_timeTextValid = true;
    }
    return m_timeText;
}

QString ClippingItem::changedText() const
{
    return Utils::storedTime(m_changed);
}

bool ClippingItem::briefContains(const QString &needle) const
{
    const Utils::LowerCasedMatch match = Utils::matchLowerCased(m_brief, needle);
    if (match != Utils::LowerCasedMatch::Undecided)
        return match == Utils::LowerCasedMatch::Found;
    if (!m_loweredBriefValid) {
        m_loweredBrief = m_brief.toLower();
        m_loweredBriefValid = true;
    }
    return m_loweredBrief.contains(needle);
}

void ClippingItem::setEncodedIcon(std::shared_ptr<const EncodedIcon> icon)
{
    m_encodedIcon = std::move(icon);
    m_icon = QVariant();
    m_iconTextValid = false;
    forgetSaved();
}

namespace {

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" in lower-case hex, which QUuid::toString() gives.
bool isWrittenForm(const QString &text)
{
    if (text.size() != 38 || text.at(0) != u'{' || text.at(37) != u'}')
        return false;
    for (int i = 1; i < 37; ++i) {
        const char16_t c = text.at(i).unicode();
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? c != u'-' : !((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')))
            return false;
    }
    return true;
}

} // namespace

QString ClippingItem::idText() const
{
    if (m_idText.isNull())
        m_idText = m_id.toString();
    return m_idText;
}

void ClippingItem::setIdText(const QString &text)
{
    forgetSaved();
    m_id = QUuid::fromString(text);
    m_idText = isWrittenForm(text) ? text : QString();
}

QString ClippingItem::iconText() const
{
    if (m_encodedIcon)
        return m_encodedIcon->text();
    if (!m_iconTextValid) {
        m_iconText = HistorySnapshot::iconText(m_icon.value<QPixmap>());
        m_iconTextValid = true;
    }
    return m_iconText;
}

const std::shared_ptr<const SavedClipping> &ClippingItem::saved() const
{
    if (!m_saved)
        m_saved = HistorySnapshot::readRow(this);
    return m_saved;
}

void ClippingItem::forgetSaved()
{
    // A write under way keeps its own reference to the old record.
    m_saved.reset();
}

QVariant ClippingItem::data(int role) const
{
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_brief;
    case Qt::DecorationRole:
        if (m_encodedIcon)
            return m_encodedIcon->pixmap();
        return m_icon;
    case Qt::CheckStateRole:
        return m_pinned;
    case HtmlRole:
        return m_html;
    case TextRole:
        return m_text;
    case IdRole:
        return m_id;
    case TimeRole:
        return time();
    case RemovedRole:
        return m_removed;
    case ApplicationRole:
        return m_application;
    case TypeRole:
        return m_type;
    case FileNameRole:
        return m_fileName;
    case LockedRole:
        return m_locked;
    case Qt::ToolTipRole:
        return m_toolTip;
    case FlagsRole:
        return m_flags;
    case ChangedRole:
        return m_changed.isValid() ? QVariant(m_changed) : QVariant();
    case ThumbnailRole:
        if (HistoryItemModel *history = historyModel()) {
            const QImage thumbnail = history->thumbnail(m_id, m_fileName);
            return thumbnail.isNull() ? QVariant() : QVariant::fromValue(thumbnail);
        }
        return QStandardItem::data(role);
    default:
        return QStandardItem::data(role);
    }
}

HistoryItemModel *ClippingItem::historyModel() const
{
    if (m_type != 1 && m_type != 2)
        return nullptr;
    return qobject_cast<HistoryItemModel *>(model());
}

void ClippingItem::multiData(QModelRoleDataSpan roleDataSpan) const
{
    for (QModelRoleData &roleData : roleDataSpan)
        roleData.setData(data(roleData.role()));
}

template<typename T>
static bool assignValue(T &member, const T &value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

bool ClippingItem::assign(const QVariant &value, int role, bool *changed)
{
    // Kept as QStandardItem keeps them: an invalid value clears the role.
    if (role == Qt::ToolTipRole || role == FlagsRole) {
        QVariant &member = role == Qt::ToolTipRole ? m_toolTip : m_flags;
        *changed = member.isValid() != value.isValid() || member != value;
        member = value;
        return true;
    }
    // Every field is in the saved record: whatever is assigned, the record is built again.
    if (role != ThumbnailRole)
        forgetSaved();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        *changed = assignValue(m_brief, value.toString());
        if (*changed) {
            m_loweredBrief.clear();
            m_loweredBriefValid = false;
        }
        return true;
    case Qt::DecorationRole:
        *changed = true;
        m_encodedIcon.reset();
        m_icon = value;
        m_iconTextValid = false;
        return true;
    case Qt::CheckStateRole:
        *changed = assignValue(m_pinned, value.toBool());
        return true;
    case HtmlRole:
        *changed = assignValue(m_html, value.toString());
        return true;
    case TextRole:
        *changed = assignValue(m_text, value.toString());
        return true;
    case IdRole:
        *changed = assignValue(m_id, value.toUuid());
        m_idText.clear();
        return true;
    case TimeRole: {
        const QDateTime time = value.toDateTime();
        const QDateTime &current = this->time();
        *changed = time != current || time.timeSpec() != current.timeSpec() || time.isValid() != current.isValid();
        if (*changed)
            setTime(time);
        return true;
    }
    case RemovedRole:
        *changed = assignValue(m_removed, value.toBool());
        return true;
    case ApplicationRole:
        *changed = assignValue(m_application, value.toString());
        return true;
    case TypeRole:
        *changed = assignValue(m_type, value.toInt());
        return true;
    case FileNameRole:
        *changed = assignValue(m_fileName, value.toString());
        return true;
    case LockedRole:
        *changed = assignValue(m_locked, value.toBool());
        return true;
    case ChangedRole:
        *changed = assignValue(m_changed, value.toDateTime());
        return true;
    case ThumbnailRole:
        // The history keeps the thumbnails of its images and reports their arrival itself.
        if (HistoryItemModel *history = historyModel()) {
            history->applyThumbnail(value.value<QImage>(), m_id);
            *changed = false;
            return true;
        }
        return false;
    default:
        return false;
    }
}

void ClippingItem::setData(const QVariant &value, int role)
{
    bool changed = false;
    if (!assign(value, role, &changed)) {
        QStandardItem::setData(value, role);
        return;
    }
    if (changed)
        emitDataChanged();
}

bool ClippingItem::setDataQuietly(const QVariant &value, int role)
{
    bool changed = false;
    if (assign(value, role, &changed))
        return changed;
    // Roles kept by the base class always notify; there is no quiet way to set them.
    QStandardItem::setData(value, role);
    return false;
}

namespace {
const ClippingItem *asClipping(const QStandardItem *item)
{
    return item && item->type() == ClippingItem::Type ? static_cast<const ClippingItem *>(item) : nullptr;
}
} // namespace

QString ClippingItem::briefOf(const QStandardItem *item)
{
    if (const ClippingItem *clipping = asClipping(item))
        return clipping->m_brief;
    return item->data(Qt::DisplayRole).toString();
}

bool ClippingItem::briefContains(const QStandardItem *item, const QString &needle)
{
    if (const ClippingItem *clipping = asClipping(item))
        return clipping->briefContains(needle);
    return Utils::lowerCasedContains(item->data(Qt::DisplayRole).toString(), needle);
}

QString ClippingItem::textOf(const QStandardItem *item)
{
    if (const ClippingItem *clipping = asClipping(item))
        return clipping->m_text;
    return item->data(TextRole).toString();
}

QString ClippingItem::applicationOf(const QStandardItem *item)
{
    if (const ClippingItem *clipping = asClipping(item))
        return clipping->m_application;
    return item->data(ApplicationRole).toString();
}

QUuid ClippingItem::idOf(const QStandardItem *item)
{
    if (const ClippingItem *clipping = asClipping(item))
        return clipping->m_id;
    return item->data(IdRole).toUuid();
}

qint64 ClippingItem::timeMsecsOf(const QStandardItem *item)
{
    if (const ClippingItem *clipping = asClipping(item))
        return clipping->m_timeMsecs;
    return toMsecs(item->data(TimeRole).toDateTime());
}

qint64 ClippingItem::changeMsecsOf(const QStandardItem *item)
{
    const QDateTime changed = asClipping(item) ? asClipping(item)->m_changed : item->data(ChangedRole).toDateTime();
    return std::max(timeMsecsOf(item), toMsecs(changed));
}

int ClippingItem::typeOf(const QStandardItem *item)
{
    if (const ClippingItem *clipping = asClipping(item))
        return clipping->m_type;
    return item->data(TypeRole).toInt();
}

bool ClippingItem::isPinnedItem(const QStandardItem *item)
{
    if (const ClippingItem *clipping = asClipping(item))
        return clipping->m_pinned;
    return item->data(Qt::CheckStateRole).toBool();
}

bool ClippingItem::isLockedItem(const QStandardItem *item)
{
    if (const ClippingItem *clipping = asClipping(item))
        return clipping->m_locked;
    return item->data(LockedRole).toBool();
}

bool ClippingItem::isRemovedItem(const QStandardItem *item)
{
    if (const ClippingItem *clipping = asClipping(item))
        return clipping->m_removed;
    return item->data(RemovedRole).toBool();
}

bool ClippingItem::holdsContent(const QStandardItem *item)
{
    // Empty texts and icons are nothing: a tombstone read back from the file has those.
    if (!item->data(Qt::ToolTipRole).toString().isEmpty())
        return true;
    if (const ClippingItem *clipping = asClipping(item))
        return !clipping->m_brief.isEmpty() || !clipping->m_text.isEmpty() || !clipping->m_html.isEmpty()
            || !clipping->m_application.isEmpty() || !clipping->m_fileName.isEmpty()
            || (clipping->m_encodedIcon && !clipping->m_encodedIcon->text().isEmpty())
            || !clipping->m_icon.value<QPixmap>().isNull();
    for (int role : {int(Qt::DisplayRole), int(TextRole), int(HtmlRole), int(ApplicationRole), int(FileNameRole)}) {
        if (!item->data(role).toString().isEmpty())
            return true;
    }
    return !item->data(Qt::DecorationRole).value<QPixmap>().isNull();
}

void ClippingItem::eraseContent(QStandardItem *item)
{
    if (item->data(Qt::ToolTipRole).isValid())
        item->setData(QVariant(), Qt::ToolTipRole);
    auto *clipping = item->type() == Type ? static_cast<ClippingItem *>(item) : nullptr;
    for (int role : {int(Qt::DisplayRole), int(TextRole), int(HtmlRole), int(ApplicationRole), int(FileNameRole)}) {
        if (clipping)
            clipping->setDataQuietly(QString(""), role);
        else
            item->setData(QString(""), role);
    }
    if (clipping)
        clipping->setDataQuietly(QVariant(), Qt::DecorationRole);
    else
        item->setData(QVariant(), Qt::DecorationRole);
}

bool ClippingItem::matchesByBrief(const QStandardItem *item)
{
    return !(isRemovedItem(item) && briefOf(item).isEmpty());
}
