#pragma once

#include <QWidget>

class Sync;

// The sync page of the settings dialog. What the dialog calls on it is all here; the page's own
// controls (target, documents, passphrase, client list) come with the sync settings work, and
// until then the dialog keeps the page's button hidden.
class SyncSettings : public QWidget
{
    Q_OBJECT

public:
    explicit SyncSettings(QWidget *parent = nullptr);

    void setSync(Sync *sync);
    // Loads the page from the settings store.
    void initialize();
    void updateControls();
    // The dialog's OK; true when the encryption settings changed, so the stores are enciphered anew.
    bool onAccepted();
    void onRejected();
    // The dialog shows this page.
    void clicked();
    void retranslateUi();

private:
    Sync *m_sync = nullptr;
};
