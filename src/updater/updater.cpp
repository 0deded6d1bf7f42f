#include "updater/updater.h"

#include "updater/simplescheduler.h"
#include "updater/updaterlogging.h"
#include "updater/updaterprivate.h"

#include <limits>

namespace QtAutoUpdater {

namespace {

const char *const defaultToolPath = "maintenancetool";

} // namespace

Updater::UpdateInfo::UpdateInfo()
    : size(0)
{
}

Updater::UpdateInfo::UpdateInfo(const UpdateInfo &other) = default;

Updater::UpdateInfo::UpdateInfo(QString name, QVersionNumber version, quint64 size)
    : name(std::move(name))
    , version(std::move(version))
    , size(size)
{
}

Updater::UpdateInfo &Updater::UpdateInfo::operator=(const UpdateInfo &other) = default;

Updater::Updater(QObject *parent)
    : Updater(QString::fromLatin1(defaultToolPath), parent)
{
}

Updater::Updater(const QString &maintenanceToolPath, QObject *parent)
    : QObject(parent)
    , d(std::make_unique<UpdaterPrivate>(this))
{
    d->toolPath = maintenanceToolPath;
}

Updater::~Updater() = default;

bool Updater::exitedNormally() const
{
    return d->normalExit;
}

int Updater::errorCode() const
{
    return d->lastErrorCode;
}

QByteArray Updater::errorLog() const
{
    return d->lastErrorLog;
}

bool Updater::willRunOnExit() const
{
    return d->runOnExit;
}

QString Updater::maintenanceToolPath() const
{
    return d->toolPath;
}

bool Updater::isRunning() const
{
    return d->running;
}

QList<Updater::UpdateInfo> Updater::updateInfo() const
{
    return d->updateInfos;
}

bool Updater::checkForUpdates()
{
    return d->startUpdateCheck();
}

void Updater::abortUpdateCheck(int maxDelay, bool async)
{
    d->stopUpdateCheck(maxDelay, async);
}

int Updater::scheduleUpdate(int delaySeconds, bool repeated)
{
    const qint64 msecs = qint64(delaySeconds) * 1000;
    if (msecs > std::numeric_limits<int>::max()) {
        qCWarning(logQtAutoUpdater) << "delaySeconds to big to be converted to msecs";
        return 0;
    }
    // A large negative delay must not wrap round into a positive one.
    return d->scheduler->startSchedule(msecs < 0 ? -1 : int(msecs), repeated);
}

int Updater::scheduleUpdate(const QDateTime &when)
{
    return d->scheduler->startSchedule(when);
}

void Updater::cancelScheduledUpdate(int taskId)
{
    d->scheduler->cancelSchedule(taskId);
}

void Updater::runUpdaterOnExit(AdminAuthoriser *authoriser)
{
    runUpdaterOnExit({QStringLiteral("--updater")}, authoriser);
}

void Updater::runUpdaterOnExit(const QStringList &arguments, AdminAuthoriser *authoriser)
{
    d->runOnExit = true;
    d->runArguments = arguments;
    if (authoriser != d->adminAuth.get())
        d->adminAuth.reset(authoriser);
}

void Updater::cancelExitRun()
{
    d->runOnExit = false;
    d->adminAuth.reset();
}

} // namespace QtAutoUpdater

QDebug operator<<(QDebug debug, const QtAutoUpdater::Updater::UpdateInfo &info)
{
    QDebugStateSaver saver(debug);
    debug.noquote().nospace() << QStringLiteral("{Name: \"%1\"; Version: %2; Size: %3}")
                                     .arg(info.name, info.version.toString())
                                     .arg(info.size);
    return debug;
}
