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
    QByteArray bytes;
    outcome.read = SafeFile::read(path, &bytes, &outcome.readError);
    if (outcome.read == SafeFile::ReadResult::Read)
        outcome.parsed = HistoryDocumentReader::read(bytes, &outcome.document, &outcome.parseError);
    return outcome;
}

std::future<HistoryFileReading::Outcome> &HistoryFileReading::pending()
{
    static std::future<Outcome> reading;
    return reading;
}
