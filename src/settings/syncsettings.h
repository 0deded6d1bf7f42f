#pragma once

#include "sync/notifier.h"
#include "sync/synctypes.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QStandardItemModel>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <memory>

class Sync;
class SyncLogDialog;

namespace Ui {
class SyncSettings;
}

// The sync page of the settings dialog: where to sync (Google Drive, a shared folder or nowhere),
// what to sync, the encryption passphrase, manual syncs in either direction, the sync status with
// the sync log, and with Google Drive the other computers of the user. It drives the engine
// directly; the settings store is written on OK, and the encryption settings also by a manual sync.
class SyncSettings : public QWidget
{
    Q_OBJECT

public:
    explicit SyncSettings(QWidget *parent = nullptr);
    ~SyncSettings() override;

    void setSync(Sync *sync);
    // Loads the page from the settings store.
    void initialize();
    // The dialog's OK; true when the encryption settings changed, so the stores are enciphered anew.
    bool onAccepted();
    void onRejected();
    // The dialog shows this page.
    void clicked();
    void retranslateUi();

    void setSyncLabel(QString text, QDateTime time);
    // Stores the encryption settings; true when they changed.
    bool applyEncryptSettings();
    // The sync settings as the page shows them, in the form Sync::initialize takes.
    QMap<QString, QVariant> mapUiSettings();

    SyncLogDialog *syncLog() const { return m_syncLog; }
    const QStandardItemModel &clients() const { return m_clientModel; }
    QString target() const { return m_target; }

public slots:
    void notifierStatus(Notifier::CONNECTION_STATUS status);
    void notifierClientList(QList<QMap<QString, QString>> clientList);
    void updateControls();
    void syncNow(SyncDirection direction);
    void syncStatus(SyncStatus status, QString text);
    void updatePage();

private:
    // The target buttons: the page waits while the user signs in or chooses a folder.
    void chooseTarget(const QString &target, const char *waitText);
    void stopSync();
    void browse();
    // A status line of the page's own, which a language change translates again.
    void setOwnSyncLabel(const char *source, QDateTime time);
    void setSyncButtonsVisible(bool visible);
    void showClientsText();
    // True, with the reason in the status line, when encryption is asked for without a passphrase.
    bool refuseEmptyPassphrase();
    QString activeTitle() const;

    std::unique_ptr<Ui::SyncSettings> ui;
    Sync *m_sync = nullptr;
    SyncLogDialog *m_syncLog;
    QStandardItemModel m_clientModel;
    Notifier::CONNECTION_STATUS m_lastNotifierStatus = Notifier::CONNECTING;
    bool m_notifierStatusKnown = false;
    QString m_target;
    // What "SyncFolder" held when the page was loaded: choosing a folder stores it at once, and
    // Cancel must leave the folder the program syncs with as it was.
    QVariant m_storedFolder;
    // The status line, kept untranslated where it is the page's own text, for a language change.
    const char *m_labelSource = nullptr;
    QString m_labelText;
    QDateTime m_labelTime;
    const char *m_waitText = nullptr;
};
