#pragma once

#include "updater/adminauthoriser.h"
#include "updater/updater.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <exception>
#include <memory>

class SimpleScheduler;

namespace QtAutoUpdater {

// The work behind Updater: runs the tool, reads its answer and starts it again on quit.
class UpdaterPrivate : public QObject
{
    Q_OBJECT

public:
    class NoUpdatesXmlException : public std::exception
    {
    public:
        const char *what() const noexcept override;
    };

    class InvalidXmlException : public std::exception
    {
    public:
        const char *what() const noexcept override;
    };

    explicit UpdaterPrivate(Updater *q_ptr);
    ~UpdaterPrivate() override;

    // The list in the first "<updates>" part of the tool's output; throws when there is no such
    // part or it is not a valid list.
    static QList<Updater::UpdateInfo> parseResult(const QByteArray &output);

    QString absoluteToolPath() const;
    bool startUpdateCheck();
    void stopUpdateCheck(int delay, bool async);

    Updater *q;
    QString toolPath;
    QList<Updater::UpdateInfo> updateInfos;
    bool normalExit = true;
    int lastErrorCode = 0;
    QByteArray lastErrorLog;
    bool running = false;
    QProcess *mainProcess = nullptr;
    SimpleScheduler *scheduler;
    bool runOnExit = false;
    QStringList runArguments;
    std::unique_ptr<AdminAuthoriser> adminAuth;

public slots:
    void updaterReady(int exitCode, QProcess::ExitStatus exitStatus);
    void updaterError(QProcess::ProcessError error);
    void appAboutToExit();

private:
    void forgetProcess();
};

} // namespace QtAutoUpdater
