#pragma once

#include <QSet>
#include <QString>

// The history filters the user sets in the header carousel's filter menu. The carousel holds them
// as its public state; the history filter only reads them.
struct HistoryFilterState
{
    bool showLocked = false;
    bool showRecent = false;
    QSet<QString> showApplications;

    bool isActive() const { return showLocked || showRecent || !showApplications.isEmpty(); }
};
