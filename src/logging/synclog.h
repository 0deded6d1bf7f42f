#pragma once

#include <QString>
#include <QStringList>

// The process-wide log of what synchronisation and merging did. The document models write to it
// from below the sync engine; the sync log dialog shows and exports it.
class SyncLog
{
public:
    // Writes the text to the debug output and appends it, with date, time and thread id, to c_log.
    static void add(QString text);

    // The log, oldest line first. Only the newest c_maxLines lines are kept: a merge writes a line
    // per clipping, and a program that runs for weeks must not grow without bound.
    static QStringList c_log;
    static constexpr int c_maxLines = 20000;
};
