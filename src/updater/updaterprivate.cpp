#include "updater/updaterprivate.h"

#include "updater/simplescheduler.h"
#include "updater/updaterlogging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QXmlStreamReader>

namespace QtAutoUpdater {

const char *UpdaterPrivate::NoUpdatesXmlException::what() const noexcept
{
    return "The <updates> node could not be found";
}

const char *UpdaterPrivate::InvalidXmlException::what() const noexcept
{
    return "The found XML-part is not of a valid updates-XML-format";
}

UpdaterPrivate::UpdaterPrivate(Updater *q_ptr)
    : q(q_ptr)
    , scheduler(new SimpleScheduler(this))
{
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &UpdaterPrivate::appAboutToExit, Qt::DirectConnection);
    connect(scheduler, &SimpleScheduler::scheduleTriggered, this, [this] { startUpdateCheck(); });
}

UpdaterPrivate::~UpdaterPrivate()
{
    if (runOnExit)
        qCWarning(logQtAutoUpdater) << "Updater destroyed with run on exit active before the application quit";
    if (mainProcess && mainProcess->state() != QProcess::NotRunning) {
        mainProcess->kill();
        mainProcess->waitForFinished(1000);
    }
}

QString UpdaterPrivate::absoluteToolPath() const
{
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(toolPath));
}

bool UpdaterPrivate::startUpdateCheck()
{
    if (running)
        return false;

    updateInfos.clear();
    normalExit = true;
    lastErrorCode = 0;
    lastErrorLog.clear();

    mainProcess = new QProcess(this);
    mainProcess->setProgram(absoluteToolPath());
    mainProcess->setArguments({QStringLiteral("--checkupdates")});
    connect(mainProcess, &QProcess::finished, this, &UpdaterPrivate::updaterReady, Qt::QueuedConnection);
    connect(mainProcess, &QProcess::errorOccurred, this, &UpdaterPrivate::updaterError, Qt::QueuedConnection);
    mainProcess->start(QIODevice::ReadOnly);
    running = true;
    emit q->runningChanged(true);
    return true;
}

void UpdaterPrivate::stopUpdateCheck(int delay, bool async)
{
    if (!mainProcess || mainProcess->state() == QProcess::NotRunning)
        return;
    if (delay <= 0) {
        mainProcess->kill();
        return;
    }
    mainProcess->terminate();
    if (async) {
        // The process may have been reported and deleted by the time the delay is over.
        const QPointer<QProcess> process = mainProcess;
        QTimer::singleShot(delay, this, [process] {
            if (process && process->state() != QProcess::NotRunning)
                process->kill();
        });
    } else if (!mainProcess->waitForFinished(delay)) {
        mainProcess->kill();
    }
}

void UpdaterPrivate::forgetProcess()
{
    mainProcess->deleteLater();
    mainProcess = nullptr;
    running = false;
}

void UpdaterPrivate::updaterReady(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (!mainProcess)
        return;
    if (exitStatus == QProcess::CrashExit) {
        updaterError(QProcess::Crashed);
        return;
    }

    normalExit = true;
    lastErrorCode = exitCode;
    lastErrorLog = mainProcess->readAllStandardError();
    const QByteArray output = mainProcess->readAllStandardOutput();
    forgetProcess();

    emit q->runningChanged(false);
    if (exitCode != 0) {
        emit q->checkUpdatesDone(false, true);
        return;
    }
    try {
        updateInfos = parseResult(output);
        emit q->checkUpdatesDone(!updateInfos.isEmpty(), false);
    } catch (const NoUpdatesXmlException &) {
        emit q->checkUpdatesDone(false, false);
    } catch (const InvalidXmlException &exception) {
        lastErrorLog = exception.what();
        emit q->checkUpdatesDone(false, true);
    }
}

void UpdaterPrivate::updaterError(QProcess::ProcessError error)
{
    if (!mainProcess)
        return;
    normalExit = false;
    lastErrorCode = error;
    lastErrorLog = mainProcess->errorString().toUtf8();
    forgetProcess();
    emit q->runningChanged(false);
    emit q->checkUpdatesDone(false, true);
}

void UpdaterPrivate::appAboutToExit()
{
    if (!runOnExit)
        return;
    const QString program = absoluteToolPath();
    bool started;
    if (adminAuth && !adminAuth->isElevated())
        started = adminAuth->runElevated(program, runArguments);
    else
        started = QProcess::startDetached(program, runArguments, QFileInfo(program).absolutePath());
    if (!started) {
        qCWarning(logQtAutoUpdater) << "Unable to start" << program << "with arguments" << runArguments << "as"
                                    << (adminAuth ? "admin/root" : "current user");
    }
    runOnExit = false;
}

QList<Updater::UpdateInfo> UpdaterPrivate::parseResult(const QByteArray &output)
{
    const QString text = QString::fromUtf8(output);
    const qsizetype start = text.indexOf(QStringLiteral("<updates>"));
    if (start < 0)
        throw NoUpdatesXmlException();
    const qsizetype end = text.indexOf(QStringLiteral("</updates>"), start);
    if (end < 0)
        throw NoUpdatesXmlException();

    QXmlStreamReader reader(text.mid(start, end - start + 10));
    reader.readNextStartElement();

    QList<Updater::UpdateInfo> updates;
    while (reader.readNextStartElement()) {
        if (reader.name() != QLatin1String("update"))
            throw InvalidXmlException();

        const QXmlStreamAttributes attributes = reader.attributes();
        bool sizeOk = false;
        Updater::UpdateInfo info(attributes.value(QLatin1String("name")).toString(),
                                 QVersionNumber::fromString(attributes.value(QLatin1String("version"))),
                                 attributes.value(QLatin1String("size")).toULongLong(&sizeOk));
        if (info.name.isEmpty() || info.version.isNull() || !sizeOk)
            throw InvalidXmlException();
        if (reader.readNextStartElement())
            throw InvalidXmlException();
        updates.append(info);
    }

    if (reader.hasError()) {
        qCWarning(logQtAutoUpdater) << "XML-reader-error:" << reader.errorString();
        throw InvalidXmlException();
    }
    return updates;
}

} // namespace QtAutoUpdater
