#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDebug>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVersionNumber>

#include <memory>

namespace QtAutoUpdater {

class AdminAuthoriser;
class UpdaterPrivate;

// Drives the installer's maintenance tool: "--checkupdates" lists the available updates, and
// "--updater", started detached as the program quits, installs them.
class Updater : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString maintenanceToolPath READ maintenanceToolPath CONSTANT)
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)

public:
    // One available update.
    struct UpdateInfo
    {
        UpdateInfo();
        UpdateInfo(const UpdateInfo &other);
        UpdateInfo(QString name, QVersionNumber version, quint64 size);
        UpdateInfo &operator=(const UpdateInfo &other);

        QString name;
        QVersionNumber version;
        quint64 size;
    };

    // The tool's default place beside the program.
    explicit Updater(QObject *parent = nullptr);
    // A relative path is taken from the program's folder.
    Updater(const QString &maintenanceToolPath, QObject *parent = nullptr);
    ~Updater() override;

    bool exitedNormally() const;
    int errorCode() const;
    QByteArray errorLog() const;
    bool willRunOnExit() const;
    QString maintenanceToolPath() const;
    bool isRunning() const;
    QList<UpdateInfo> updateInfo() const;

public slots:
    // False when a check is already running.
    bool checkForUpdates();
    void abortUpdateCheck(int maxDelay = 5000, bool async = false);
    int scheduleUpdate(int delaySeconds, bool repeated = false);
    int scheduleUpdate(const QDateTime &when);
    void cancelScheduledUpdate(int taskId);
    // Takes ownership of the authoriser.
    void runUpdaterOnExit(QtAutoUpdater::AdminAuthoriser *authoriser = nullptr);
    void runUpdaterOnExit(const QStringList &arguments, QtAutoUpdater::AdminAuthoriser *authoriser = nullptr);
    void cancelExitRun();

signals:
    void checkUpdatesDone(bool hasUpdates, bool hasError);
    void runningChanged(bool running);

private:
    friend class UpdaterPrivate;
    std::unique_ptr<UpdaterPrivate> d;
};

} // namespace QtAutoUpdater

QDebug operator<<(QDebug debug, const QtAutoUpdater::Updater::UpdateInfo &info);

Q_DECLARE_METATYPE(QtAutoUpdater::Updater::UpdateInfo)
