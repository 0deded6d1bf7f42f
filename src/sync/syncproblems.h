#pragma once

#include "sync/synctypes.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// What of the remote store could not be used: the files of the pass under way, and the document
// versions that stay unread from pass to pass. A version that does not read is reported on every
// pass while it is listed and no newer version from another computer has been read: a newer
// version of this computer's own does not bring the other computer's content.
class SyncProblems
{
public:
    // In the order the status line names them.
    enum class Kind {
        // Does not decipher: most likely another passphrase.
        Undeciphered,
        // Plain, while encryption is on.
        NotEnciphered,
        Damaged,
    };
    // The names of what could not be used, by kind.
    using Report = QMap<Kind, QStringList>;

    // A file of this pass that could not be used.
    void addFile(Kind kind, const QString &name);
    // A version of `document` that could not be read. It is named `name` in reports and never
    // chosen again while it stays as it is (same id and time).
    void addVersion(Kind kind, const QString &id, const QString &time, const QString &document, const QString &name);
    bool isUnreadable(const QString &id, const QString &time) const;
    // Whether a version of the document that does not read is listed, of the kind or of any.
    bool hasListed(const OnlineFiles &online, const QString &document, std::optional<Kind> kind = {}) const;

    // A version this computer stored.
    void addOwn(const QString &id);
    // A version of the document that was read, or whose content the local one equals.
    void markRead(const QString &document, const QString &id, const QString &time);

    // The problems of the pass now ending and the versions that still stand; the pass's are
    // forgotten. Without a list (null) the versions stand as the last list left them.
    Report takeReport(const OnlineFiles *online);
    // Forgets the problems of the pass, for a pass that ends otherwise.
    void clearPass() { m_pass.clear(); }
    // Forgets every unreadable version: other settings may read them.
    void clear();

private:
    struct Version
    {
        QString id;
        QString time;
        QString document;
        QString name;
        Kind kind;

        // Still in the store as it was when it did not read.
        bool isListedIn(const OnlineFiles &online) const
        {
            const auto listed = online.constFind(id);
            return listed != online.cend() && listed->second == time;
        }
    };

    static QString key(const QString &id, const QString &time) { return id + QLatin1Char('\n') + time; }
    static void add(Report &report, Kind kind, const QString &name);

    // By id and time: the same file rewritten (another program finished writing it) is read again.
    QHash<QString, Version> m_versions;
    QSet<QString> m_own;
    // Document -> time of the newest version of another computer that was read.
    QHash<QString, QString> m_newestRead;
    Report m_pass;
    Report m_standing;
};
