#pragma once

#include "common/safefile.h"
#include "history/historydocument.h"
#include "history/loadedclippings.h"

#include <QString>

#include <future>
#include <optional>

// The history file read and parsed on a thread of its own while the start builds the window.
// Only one reading is under way at a time; the load that takes it gets exactly what reading the
// file itself would have given.
class HistoryFileReading
{
public:
    struct Outcome
    {
        QString path;
        SafeFile::ReadResult read = SafeFile::ReadResult::Missing;
        QString readError;
        qint64 size = 0;
        bool parsed = false;
        QString parseError;
        // Without its clippings, which are made into items.
        HistoryDocument document;
        LoadedClippings clippings;
    };

    // Reads and parses path and makes its clippings into items; the outcome waits for take(). Call
    // only once no other copy of the program can still write the file.
    static void start(const QString &path);
    // The outcome of the reading of path, waiting for it when it is still under way; nothing when
    // no reading of path was started. A reading of another path is dropped.
    static std::optional<Outcome> take(const QString &path);

    // Reading and parsing as the thread does it.
    static Outcome readNow(const QString &path);

private:
    static std::future<Outcome> &pending();
};
