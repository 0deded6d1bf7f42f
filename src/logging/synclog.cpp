#include "logging/synclog.h"

#include <QDateTime>
#include <QLoggingCategory>
#include <QThread>

QStringList SyncLog::c_log;

namespace {

// Formatting the local time is the dearest part of a line; a merge writes thousands of lines within
// the same second.
QString currentTimeText()
{
    static qint64 cachedSecond = -1;
    static QString cachedText;
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != cachedSecond) {
        cachedSecond = second;
        cachedText = QDateTime::fromSecsSinceEpoch(second).toString("yyyy-MM-dd hh:mm:ss");
    }
    return cachedText;
}

// Lines held back while the first window waits, in the order they were added, each with the time
// it was added at; a writer adds many lines of that time.
struct HeldLine
{
    QString time;
    QString text;
    std::function<void()> writer;
};

QList<HeldLine> &heldLines()
{
    static QList<HeldLine> lines;
    return lines;
}

// Set while held lines are written: their lines go out at once, with the time they were held at.
bool writingHeld = false;
QString heldTime;

void write(const QString &time, const QString &text)
{
    // The bare text, without the quoting of a QDebug stream and its cost per line.
    if (QLoggingCategory::defaultCategory()->isDebugEnabled()) {
        const QMessageLogContext context(nullptr, 0, nullptr, "default");
        qt_message_output(QtDebugMsg, context, text);
    }

    thread_local const QString threadText =
        QString::number(qint64(reinterpret_cast<quintptr>(QThread::currentThreadId())));
    QString line;
    line.reserve(time.size() + threadText.size() + text.size() + 4);
    line.append(time).append(QLatin1String(" [")).append(threadText).append(QLatin1String("] ")).append(text);
    SyncLog::c_log.append(line);
    if (SyncLog::c_log.size() > SyncLog::c_maxLines)
        SyncLog::c_log.remove(0, SyncLog::c_log.size() - SyncLog::c_maxLines);
}

} // namespace

void SyncLog::addLater(std::function<void()> writer)
{
    heldLines().append({currentTimeText(), QString(), std::move(writer)});
}

void SyncLog::writePending()
{
    if (writingHeld)
        return;
    writingHeld = true;
    while (!heldLines().isEmpty()) {
        const HeldLine held = heldLines().takeFirst();
        heldTime = held.time;
        if (held.writer)
            held.writer();
        else
            write(held.time, held.text);
    }
    writingHeld = false;
}

void SyncLog::add(QString text)
{
    if (writingHeld) {
        write(heldTime, text);
        return;
    }
    // Behind lines held back, in order.
    if (!heldLines().isEmpty()) {
        heldLines().append({currentTimeText(), std::move(text), nullptr});
        return;
    }
    write(currentTimeText(), text);
}
