#include "history/historyfilereading.h"

#include "history/historysnapshot.h"

#include <memory>

void HistoryFileReading::start(const QString &path, qint64 firstPageFromSize)
{
    auto page = std::make_shared<std::promise<std::optional<Outcome>>>();
    Pending &reading = pending();
    reading.path = path;
    reading.firstPage = page->get_future();
    reading.outcome = std::async(std::launch::async, [path, firstPageFromSize, page] {
        return readNow(path, firstPageFromSize, [page](Outcome *firstPage) {
            if (firstPage)
                page->set_value(std::move(*firstPage));
            else
                page->set_value(std::nullopt);
        });
    });
}

std::optional<HistoryFileReading::Outcome> HistoryFileReading::takeFirstPage(const QString &path)
{
    Pending &reading = pending();
    if (!reading.firstPage.valid() || reading.path != path)
        return std::nullopt;
    return reading.firstPage.get();
}

std::optional<HistoryFileReading::Outcome> HistoryFileReading::take(const QString &path)
{
    Pending &reading = pending();
    if (!reading.outcome.valid())
        return std::nullopt;
    // Not asked for: its clippings are deleted here, on this thread.
    if (reading.firstPage.valid())
        reading.firstPage.get();
    Outcome outcome = reading.outcome.get();
    if (outcome.path != path)
        return std::nullopt;
    return outcome;
}

HistoryFileReading::Outcome HistoryFileReading::readNow(const QString &path, qint64 firstPageFromSize,
                                                        const std::function<void(Outcome *)> &firstPage)
{
    Outcome outcome;
    outcome.path = path;
    bool pageGiven = false;
    const auto give = [&](Outcome *page) {
        if (firstPage && !std::exchange(pageGiven, true))
            firstPage(page);
    };
    // The program replaces the file only by renaming a new one over it, so a mapping keeps the
    // whole old file for as long as the parse takes.
    outcome.read = SafeFile::readInPlace(path, [&](const QByteArray &bytes) {
        outcome.size = bytes.size();
        Outcome page;
        if (firstPage && firstPageFromSize >= 0 && bytes.size() >= firstPageFromSize
            && HistoryDocumentReader::readFirstPage(bytes, FirstPageClippings, &page.document)
            && page.document.magic == HistorySnapshot::Magic && page.document.version <= HistorySnapshot::Version) {
            page.path = path;
            page.read = SafeFile::ReadResult::Read;
            page.size = outcome.size;
            page.parsed = true;
            page.clippings = LoadedClippings(page.document);
            give(&page);
        } else {
            give(nullptr);
        }
        outcome.parsed = HistoryDocumentReader::read(bytes, &outcome.document, &outcome.parseError);
    }, &outcome.readError);
    give(nullptr);
    if (outcome.parsed) {
        outcome.clippings = LoadedClippings(outcome.document);
        outcome.clippings.buildIndex();
    }
    return outcome;
}

HistoryFileReading::Pending &HistoryFileReading::pending()
{
    static Pending reading;
    return reading;
}
