// MainWindow: the status line, synchronisation, release notes, updates and what happens at exit.
#include "window/mainwindow.h"
#include "ui_mainwindow.h"

#include "common/globals.h"
#include "history/historyitemmodel.h"
#include "settings/releasenotesdialog.h"
#include "settings/settingsdialog.h"
#include "sync/sync.h"
#include "updater/updater.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <QUrl>

namespace {
const int NoticeDuration = 5000;
const int SuccessDuration = 15000;
const int FailureDuration = 15000;
const QSize StatusIconSize(24, 24);

QString maintenanceToolPath()
{
    return QCoreApplication::applicationDirPath() + "/maintenancetool";
}
} // namespace

void MainWindow::setStatus(SyncStatus status, QString text)
{
    // What the status line says, for the debug log.
    qDebug().noquote() << "Status:" << text;
    ui->status->show();
    switch (status) {
    case SyncStatus::Success:
    case SyncStatus::Notice:
        ui->statusIcon->setPixmap(Utils::svg2icon(":/icons/images/ic_check.svg", false).pixmap(StatusIconSize));
        ui->statusIcon->show();
        ui->statusProgress->hide();
        statusTimer->start(status == SyncStatus::Notice ? NoticeDuration : SuccessDuration);
        break;
    case SyncStatus::Busy:
        ui->statusIcon->hide();
        ui->statusProgress->show();
        // The line stays until the result arrives.
        statusTimer->stop();
        break;
    case SyncStatus::Failed:
        ui->statusIcon->setPixmap(Utils::svg2icon(":/icons/images/ic_alert.svg", false).pixmap(StatusIconSize));
        ui->statusIcon->show();
        ui->statusProgress->hide();
        statusTimer->start(FailureDuration);
        break;
    }
    ui->statusText->setText(text);
}

void MainWindow::syncAll(SyncDirection direction)
{
    sync->syncAll(direction);
}

void MainWindow::enableReleaseNotesButton()
{
    showNotice(ui->releaseNotes, ":/icons/images/new.svg", true);
}

void MainWindow::showReleaseNotes()
{
    ReleaseNotesDialog dialog(this);
    dialog.exec();
    ui->releaseNotes->hide();
}

void MainWindow::checkForUpdates(QObject *owner)
{
    m_updateCheck = UpdateCheck::Running;
    if (settingsDialog)
        settingsDialog->checkUpdate();
    const QString path = maintenanceToolPath();
    qDebug() << "Maintenance tool path:" << path;
    if (!updater) {
        updater = new QtAutoUpdater::Updater(path, owner);
        connect(updater, &QtAutoUpdater::Updater::checkUpdatesDone, this, &MainWindow::updateCheckDone);
    }
    qInfo() << "Checking for updates...";
    updater->checkForUpdates();
}

void MainWindow::updateCheckDone(bool hasUpdates, bool hasError)
{
    bool reportError = false;
    QString errorOutput;
    if (hasError) {
        errorOutput = QString::fromUtf8(updater->errorLog());
        // The tool says "no updates" through its error output.
        reportError = !errorOutput.startsWith("There are currently no updates available.");
    }
    m_updateCheck = UpdateCheck::Done;
    m_updateAvailable = hasUpdates;
    m_updateCheckFailed = reportError;
    if (settingsDialog)
        settingsDialog->setUpdateInfo(hasUpdates, reportError);

    if (!hasUpdates) {
        if (reportError)
            qDebug().noquote() << "Check for update error: " + errorOutput << updater->errorCode();
        else
            qDebug() << "No updates available";
    } else {
        QString message = tr("Update for Kestovan is available:\n\n");
        QString latestRelease;
        for (const QtAutoUpdater::Updater::UpdateInfo &info : updater->updateInfo()) {
            message += tr("Name: ") + info.name + "\n";
            message += tr("Version: ") + info.version.toString() + "\n";
            if (info.name == "Kestovan")
                latestRelease = info.version.toString();
        }
        message += tr("\nDo you want to upgrade now?");

        QSettings settings = Utils::settings();
        if (latestRelease.isEmpty() || latestRelease != settings.value("IgnoredRelease").toString()) {
            const QMessageBox::StandardButton answer =
                QMessageBox::question(nullptr, "Kestovan", message,
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Ignore, QMessageBox::NoButton);
            if (answer == QMessageBox::Yes) {
                updater->runUpdaterOnExit();
                QCoreApplication::quit();
            } else if (answer == QMessageBox::Ignore) {
                settings.setValue("IgnoredRelease", latestRelease);
            }
        }
    }

    updater->scheduleUpdate(QDateTime::currentDateTime().addDays(1));
}

void MainWindow::updateNow()
{
    if (updater)
        updater->runUpdaterOnExit();
    QCoreApplication::quit();
}

void MainWindow::showSettings()
{
    ui->settings->click();
}

void MainWindow::openDebugLog()
{
    qDebug().noquote() << "file://" + logPath;
    QDesktopServices::openUrl(QUrl::fromLocalFile(logPath));
}

void MainWindow::syncBeforeQuit()
{
    if (sync)
        sync->syncBeforeQuit();
}

void MainWindow::clearHistory()
{
    if (!Utils::settings().value("ClearHistory", false).toBool())
        return;
    if (ui && ui->historyView && HistoryItemModel::instance())
        HistoryItemModel::instance()->markAllAsRemoved();
}
