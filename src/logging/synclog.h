#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The process-wide log of what synchronisation and merging did. The document models write to it
// from below the sync engine; the sync log dialog shows and exports it.
class SyncLog
{
public:
    // Writes the text to the debug output and appends it, with date, time and thread id, to c_log.
    static void add(QString text);

    // Lines too many to write while the first window waits: writer adds them when writePending()
    // is called, with the time of this call. Lines added meanwhile wait behind them, in order.
    static void addLater(std::function<void()> writer);
    // Writes what waits, in order. Readers of c_log call it first.
    static void writePending();

    // The log, oldest line first. Only the newest c_maxLines lines are kept: a merge writes a line
    // per clipping, and a program that runs for weeks must not grow without bound.
    static QStringList c_log;
    static constexpr int c_maxLines = 20000;
};
