// SettingsDialog: start at login and showing a file in the file manager.
#include "settings/settingsdialog.h"
#include "ui_settingsdialog.h"

#include "common/userwarning.h"
#include "settings/autostartfile.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

void openFolderOf(const QString &path)
{
    const QUrl folder = QUrl::fromLocalFile(QFileInfo(path).absolutePath());
    if (!QDesktopServices::openUrl(folder))
        qWarning().noquote() << "Could not open the folder " + folder.toLocalFile();
}

} // namespace

void SettingsDialog::setAutoStart()
{
    const bool enabled = ui->startAutomatically->isChecked();
    if (AutoStartFile::apply(enabled, QCoreApplication::applicationFilePath()))
        return;
    if (enabled)
        showUserWarning(tr("Kestovan could not be set to start at login: the file %1 could not be written.")
                            .arg(AutoStartFile::path()));
    else
        showUserWarning(tr("Kestovan could not be kept from starting at login: the file %1 could not be removed.")
                            .arg(AutoStartFile::path()));
}

void SettingsDialog::revealFile(QString path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qDebug() << "No session bus to ask a file manager; opening the folder instead";
        openFolderOf(path);
        return;
    }
    // The path travels as data, never through a shell.
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                                                       "org.freedesktop.FileManager1", "ShowItems");
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [path](QDBusPendingCallWatcher *self) {
        const QDBusPendingReply<> reply = *self;
        if (reply.isError()) {
            qDebug().noquote() << "No file manager answered (" + reply.error().message() + "); opening the folder instead";
            openFolderOf(path);
        }
        self->deleteLater();
    });
}
