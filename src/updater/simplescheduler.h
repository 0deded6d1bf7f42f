#pragma once

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QVariant>

// Runs delayed or repeated update checks on coarse (one-second) timers. Task ids are timer ids;
// 0 means the task could not be scheduled.
class SimpleScheduler : public QObject
{
    Q_OBJECT

public:
    explicit SimpleScheduler(QObject *parent = nullptr);

public slots:
    int startSchedule(int msecs, bool repeated = false, const QVariant &parameter = QVariant());
    int startSchedule(const QDateTime &when, const QVariant &parameter = QVariant());
    void cancelSchedule(int id);

signals:
    void scheduleTriggered(const QVariant &parameter);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    struct Task
    {
        bool repeated = false;
        QVariant parameter;
    };
    QHash<int, Task> m_timerHash;
};
