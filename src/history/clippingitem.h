#pragma once

#include "history/historysnapshot.h"

#include <QDateTime>
#include <QPixmap>
#include <QStandardItem>
#include <QString>
#include <QUuid>
#include <QVariant>

#include <limits>
#include <memory>

class HistoryItemModel;

// An application icon as the history file stores it (Base64 PNG), decoded when a row shows it.
// Clippings read from one document share one instance per application. Decoded icons are kept in
// a bounded cache, not in the instance: a history with an application per clipping would
// otherwise hold every icon it ever painted.
class EncodedIcon
{
public:
    explicit EncodedIcon(QString text);

    const QString &text() const { return m_text; }
    // Only on the GUI thread, as any QPixmap.
    QPixmap pixmap() const;

    // How many decoded icons are kept.
    static constexpr int CachedIcons = 500;

private:
    QString m_text;
    // The cache's key: never reused, so an entry of an instance gone is never mistaken for another.
    quint64 m_serial;
};

// A clipping of the history: every field is an item data role, as for any QStandardItem, but the
// clipping roles are kept as plain members so the add rules, the index and the file writer read
// them without variant look-ups. Roles that are not clipping fields are stored as usual.
class ClippingItem : public QStandardItem
{
public:
    static constexpr int Type = QStandardItem::UserType + 1;
    static constexpr qint64 InvalidTime = std::numeric_limits<qint64>::min();

    ClippingItem();

    int type() const override { return Type; }
    QVariant data(int role = Qt::UserRole + 1) const override;
    void setData(const QVariant &value, int role = Qt::UserRole + 1) override;
    void multiData(QModelRoleDataSpan roleDataSpan) const override;
    QStandardItem *clone() const override;

    // Sets a role without notifying the model; the caller reports the change itself (for changes
    // of many rows at once). Returns whether the value changed.
    bool setDataQuietly(const QVariant &value, int role);

    const QString &brief() const { return m_brief; }
    // Whether the brief lower-cased contains needle (lower-cased already), as the search asks. A brief
    // beyond ASCII is lower-cased on the first search and kept until it changes.
    bool briefContains(const QString &needle) const;
    const QString &text() const { return m_text; }
    const QString &html() const { return m_html; }
    const QString &application() const { return m_application; }
    const QString &fileName() const { return m_fileName; }
    const QUuid &id() const { return m_id; }
    // The id as the history file writes it (QUuid::toString()).
    QString idText() const;
    // Sets the id from the history file's text, as QUuid::fromString(text) reads it; the text is
    // kept to be written again when it is already in the form idText() gives.
    void setIdText(const QString &text);
    const QDateTime &time() const;
    qint64 timeMsecs() const { return m_timeMsecs; }
    // The time as the history file writes it.
    QString timeText() const;
    // The time of the last change in place, as the history file writes it; empty when none.
    QString changedText() const;
    // Sets the time from the history file's text, as QDateTime::fromString(text, Qt::ISODate)
    // reads it. The usual forms (to the second, with an offset or in local time) are read without
    // building a QDateTime, which costs a time zone look-up; the QDateTime is built when someone
    // asks for it. A local time is written again with its offset.
    void setTimeText(const QString &text);
    int clippingType() const { return m_type; }
    bool isRemoved() const { return m_removed; }
    bool isPinned() const { return m_pinned; }
    bool isLocked() const { return m_locked; }

    const std::shared_ptr<const EncodedIcon> &encodedIcon() const { return m_encodedIcon; }
    void setEncodedIcon(std::shared_ptr<const EncodedIcon> icon);
    // The icon as the history file stores it, encoded once.
    QString iconText() const;
    // The row as the history file stores it, built when first asked for and kept until a field
    // changes, so that a save does not rebuild every row for each copy.
    const std::shared_ptr<const SavedClipping> &saved() const;

    // Readers that accept any item, so rows that are plain QStandardItems obey the same rules.
    static QString briefOf(const QStandardItem *item);
    static bool briefContains(const QStandardItem *item, const QString &needle);
    static QString textOf(const QStandardItem *item);
    static QString applicationOf(const QStandardItem *item);
    static QUuid idOf(const QStandardItem *item);
    static qint64 timeMsecsOf(const QStandardItem *item);
    // The later of the time and the last change in place: which of two copies is newer.
    static qint64 changeMsecsOf(const QStandardItem *item);
    static int typeOf(const QStandardItem *item);
    static bool isPinnedItem(const QStandardItem *item);
    static bool isLockedItem(const QStandardItem *item);
    static bool isRemovedItem(const QStandardItem *item);
    static qint64 toMsecs(const QDateTime &time);

    // A removed clipping keeps only what carries its removal to other computers: its id, time,
    // type and marks. Whether it still holds anything else of the user's.
    static bool holdsContent(const QStandardItem *item);
    // Clears the brief, text, HTML, application, icon, file name and tooltip; a clipping's own
    // fields quietly, so the caller reports the change.
    static void eraseContent(QStandardItem *item);
    // Whether the brief stands for the clipping in the duplicate rule: not once a removed
    // clipping's content is erased, when only its id does.
    static bool matchesByBrief(const QStandardItem *item);

protected:
    ClippingItem(const ClippingItem &other) = default;

private:
    // Returns true when role is a clipping field (handled here), with changed set accordingly.
    bool assign(const QVariant &value, int role, bool *changed);
    void forgetSaved();
    // The history holding this image clipping, which keeps its thumbnail; null for other rows.
    HistoryItemModel *historyModel() const;
    void setTime(const QDateTime &time);

    QString m_brief;
    mutable QString m_loweredBrief;
    QString m_text;
    QString m_html;
    QString m_application;
    QString m_fileName;
    QUuid m_id;
    mutable QString m_idText;
    mutable QDateTime m_time;
    mutable bool m_timeBuilt = true;
    qint64 m_timeMsecs = InvalidTime;
    mutable QString m_timeText;
    mutable bool m_timeTextValid = false;
    QDateTime m_changed;
    QVariant m_icon;
    // The tooltip and the item flags, which QStandardItem would keep in a list of its own: one
    // allocation less per clipping, and a history loads 100,000 of them.
    QVariant m_toolTip;
    QVariant m_flags;
    std::shared_ptr<const EncodedIcon> m_encodedIcon;
    mutable QString m_iconText;
    mutable bool m_iconTextValid = false;
    mutable std::shared_ptr<const SavedClipping> m_saved;
    int m_type = 0;
    bool m_removed = false;
    bool m_pinned = false;
    bool m_locked = false;
    mutable bool m_loweredBriefValid = false;
};
