#include "history/historyfilereading.h"

#include <memory>

void HistoryFileReading::start(const QString &path, qint64 firstPageFromSize)
{
    auto page = std::make_shared<std::promise<std::optional<LoadedClippings>>>();
    Pending &reading = pending();
    reading.path = path;
    reading.firstPage = page->get_future();
    reading.outcome = std::async(std::launch::async, [path, firstPageFromSize, page] {
        return readNow(path, firstPageFromSize, [page](std::optional<LoadedClippings> clippings) {
            page->set_value(std::move(clippings));
        });
    });
}

std::optional<LoadedClippings> HistoryFileReading::takeFirstPage(const QString &path)
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
                                                        const std::function<void(std::optional<LoadedClippings>)> &firstPage)
{
    Outcome outcome;
    outcome.path = path;
    bool pageGiven = false;
    const auto give = [&](std::optional<LoadedClippings> clippings) {
        if (firstPage && !std::exchange(pageGiven, true))
            firstPage(std::move(clippings));
    };
    // The program replaces the file only by renaming a new one over it, so a mapping keeps the
    // whole old file for as long as the parse takes.
    outcome.read = SafeFile::readInPlace(path, [&](const QByteArray &bytes) {
        outcome.size = bytes.size();
        HistoryDocument page;
        if (firstPage && firstPageFromSize >= 0 && bytes.size() >= firstPageFromSize
            && HistoryDocumentReader::readFirstPage(bytes, FirstPageClippings, &page))
            give(LoadedClippings(page));
        else
            give(std::nullopt);
        outcome.parsed = HistoryDocumentReader::read(bytes, &outcome.document, &outcome.parseError);
    }, &outcome.readError);
    give(std::nullopt);
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
