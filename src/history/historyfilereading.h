#pragma once

#include "common/safefile.h"
#include "history/historydocument.h"
#include "history/loadedclippings.h"

#include <QString>

#include <functional>
#include <future>
#include <optional>

// The history file read and parsed on a thread of its own while the start builds the window.
// Only one reading is under way at a time; the load that takes it gets exactly what reading the
// file itself would have given. Of a long history, the newest clippings are ready first, for the
// window to show while the rest is read.
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

    // Clippings in the first page, and the file size from which it is read ahead of the rest.
    static constexpr qsizetype FirstPageClippings = 100;
    static constexpr qint64 FirstPageFromSize = 4 * 1024 * 1024;

    // Reads and parses path and makes its clippings into items; the outcome waits for take(). Call
    // only once no other copy of the program can still write the file.
    static void start(const QString &path, qint64 firstPageFromSize = FirstPageFromSize);
    // The reading of path as far as its newest clippings and the members after the clippings,
    // ready before the rest and waiting only for them; nothing when the file is smaller than the
    // first page's size, is not a whole document of this program's kind and version as it writes
    // them, or no reading of path was started. Whatever it gives, take() gives the whole outcome
    // afterwards, which alone says whether the file loads.
    static std::optional<Outcome> takeFirstPage(const QString &path);
    // The outcome of the reading of path, waiting for it when it is still under way; nothing when
    // no reading of path was started. A reading of another path is dropped.
    static std::optional<Outcome> take(const QString &path);

    // Reading and parsing as the thread does it; firstPage, when given, gets the first page as
    // soon as it is read (to take from), or null.
    static Outcome readNow(const QString &path, qint64 firstPageFromSize = -1,
                           const std::function<void(Outcome *)> &firstPage = {});

private:
    struct Pending
    {
        QString path;
        std::future<std::optional<Outcome>> firstPage;
        std::future<Outcome> outcome;
    };
    static Pending &pending();
};
