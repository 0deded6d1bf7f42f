#include "sync/syncproblems.h"

#include <algorithm>

void SyncProblems::add(Report &report, Kind kind, const QString &name)
{
    QStringList &names = report[kind];
    if (!names.contains(name))
        names.append(name);
}

void SyncProblems::addFile(Kind kind, const QString &name)
{
    add(m_pass, kind, name);
}

void SyncProblems::addVersion(Kind kind, const QString &id, const QString &time, const QString &document,
    const QString &name)
{
    m_versions.insert(key(id, time), {id, time, document, name, kind});
    add(m_pass, kind, name);
}

bool SyncProblems::isUnreadable(const QString &id, const QString &time) const
{
    return m_versions.contains(key(id, time));
}

bool SyncProblems::hasListed(const OnlineFiles &online, const QString &document, std::optional<Kind> kind) const
{
    return std::any_of(m_versions.cbegin(), m_versions.cend(), [&](const Version &version) {
        return version.document == document && (!kind || version.kind == *kind) && version.isListedIn(online);
    });
}

void SyncProblems::addOwn(const QString &id)
{
    m_own.insert(id);
}

void SyncProblems::markRead(const QString &document, const QString &id, const QString &time)
{
    if (!m_own.contains(id) && m_newestRead.value(document) < time)
        m_newestRead.insert(document, time);
}

SyncProblems::Report SyncProblems::takeReport(const OnlineFiles *online)
{
    if (online) {
        m_standing.clear();
        for (const Version &version : std::as_const(m_versions)) {
            if (version.isListedIn(*online) && m_newestRead.value(version.document) < version.time)
                add(m_standing, version.kind, version.name);
        }
    }
    Report report = m_standing;
    for (auto it = m_pass.cbegin(); it != m_pass.cend(); ++it) {
        for (const QString &name : *it)
            add(report, it.key(), name);
    }
    m_pass.clear();
    return report;
}

void SyncProblems::clear()
{
    m_versions.clear();
    m_newestRead.clear();
    m_pass.clear();
    m_standing.clear();
}
