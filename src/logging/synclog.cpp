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

} // namespace

void SyncLog::add(QString text)
{
    // The bare text, without the quoting of a QDebug stream and its cost per line.
    if (QLoggingCategory::defaultCategory()->isDebugEnabled()) {
        const QMessageLogContext context(nullptr, 0, nullptr, "default");
        qt_message_output(QtDebugMsg, context, text);
    }

    thread_local const QString threadText =
        QString::number(qint64(reinterpret_cast<quintptr>(QThread::currentThreadId())));
    const QString time = currentTimeText();
    QString line;
    line.reserve(time.size() + threadText.size() + text.size() + 4);
    line.append(time).append(QLatin1String(" [")).append(threadText).append(QLatin1String("] ")).append(text);
    c_log.append(line);
    if (c_log.size() > c_maxLines)
        c_log.remove(0, c_log.size() - c_maxLines);
}
