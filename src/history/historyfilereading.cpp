#include "history/historyfilereading.h"

void HistoryFileReading::start(const QString &path)
{
    pending() = std::async(std::launch::async, [path] { return readNow(path); });
}

std::optional<HistoryFileReading::Outcome> HistoryFileReading::take(const QString &path)
{
    std::future<Outcome> &reading = pending();
    if (!reading.valid())
        return std::nullopt;
    Outcome outcome = reading.get();
    if (outcome.path != path)
        return std::nullopt;
    return outcome;
}

HistoryFileReading::Outcome HistoryFileReading::readNow(const QString &path)
{
    Outcome outcome;
    outcome.path = path;
    // The program replaces the file only by renaming a new one over it, so a mapping keeps the
    // whole old file for as long as the parse takes.
    outcome.read = SafeFile::readInPlace(path, [&outcome](const QByteArray &bytes) {
        outcome.size = bytes.size();
        outcome.parsed = HistoryDocumentReader::read(bytes, &outcome.document, &outcome.parseError);
    }, &outcome.readError);
    if (outcome.parsed) {
        outcome.clippings = LoadedClippings(outcome.document);
        outcome.clippings.buildIndex();
    }
    return outcome;
}

std::future<HistoryFileReading::Outcome> &HistoryFileReading::pending()
{
    static std::future<Outcome> reading;
    return reading;
}
