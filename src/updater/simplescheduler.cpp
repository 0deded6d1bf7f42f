#include "updater/simplescheduler.h"

#include "updater/updaterlogging.h"

#include <QTimerEvent>

#include <limits>

SimpleScheduler::SimpleScheduler(QObject *parent)
    : QObject(parent)
{
}

int SimpleScheduler::startSchedule(int msecs, bool repeated, const QVariant &parameter)
{
    if (msecs < 0) {
        qCWarning(logQtAutoUpdater) << "Cannot schedule update tasks for the past!";
        return 0;
    }
    const int id = startTimer(msecs, Qt::VeryCoarseTimer);
    if (id == 0)
        return 0;
    m_timerHash.insert(id, {repeated, parameter});
    return id;
}

int SimpleScheduler::startSchedule(const QDateTime &when, const QVariant &parameter)
{
    const qint64 delta = QDateTime::currentDateTime().msecsTo(when);
    if (delta > std::numeric_limits<int>::max()) {
        qCWarning(logQtAutoUpdater) << "Time interval to big, timepoint to far in the future.";
        return 0;
    }
    // A point far in the past must not wrap round into a positive interval.
    return startSchedule(delta < 0 ? -1 : int(delta), false, parameter);
}

void SimpleScheduler::cancelSchedule(int id)
{
    // An id that already fired (or never existed) may by now belong to another timer of this object.
    if (m_timerHash.remove(id) > 0)
        killTimer(id);
}

void SimpleScheduler::timerEvent(QTimerEvent *event)
{
    const int id = event->timerId();
    const Task task = m_timerHash.value(id);
    if (!task.repeated) {
        killTimer(id);
        m_timerHash.remove(id);
    }
    emit scheduleTriggered(task.parameter);
    event->accept();
}
