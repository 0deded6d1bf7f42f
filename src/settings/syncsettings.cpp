#include "settings/syncsettings.h"
#include "ui_syncsettings.h"

#include "common/translation.h"
#include "common/utils.h"
#include "history/itemrole.h"
#include "settings/clientitemdelegate.h"
#include "sync/isynctarget.h"
#include "sync/sync.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"
#include "widgets/svgicons.h"

#include <QMessageBox>
#include <QSettings>

#include <array>

namespace {

const char *const c_googleDrive = "GoogleDrive";
const char *const c_localFolder = "LocalFolder";

const char *const LastSuccess = QT_TRANSLATE_NOOP("SyncSettings", "Last success");
const char *const NotSynchronized = QT_TRANSLATE_NOOP("SyncSettings", "Not synchronized");
const char *const NeedsPassphrase = QT_TRANSLATE_NOOP("SyncSettings", "Encryption needs a passphrase.");

enum StackPage { SelectPage = 0, WaitPage = 1, SettingsPage = 2 };

// Local time to the second, as the language in use writes it: its long time format without the
// time zone.
QString timeText(const QDateTime &time)
{
    const QLocale locale = Translation::locale();
    const QDateTime local = time.toLocalTime();
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(local.date(), QLocale::ShortFormat) + ' ' + locale.toString(local.time(), format.trimmed());
}

} // namespace

SyncSettings::SyncSettings(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::SyncSettings>())
    , m_syncLog(new SyncLogDialog(this))
{
    ui->setupUi(this);

    connect(ui->syncBothWays, &QAbstractButton::clicked, this, [this] { syncNow(BothWays); });
    connect(ui->syncDownload, &QAbstractButton::clicked, this, [this] { syncNow(FromServer); });
    connect(ui->syncUpload, &QAbstractButton::clicked, this, [this] { syncNow(ToServer); });
    connect(ui->encryptData, &QAbstractButton::clicked, this, &SyncSettings::updateControls);
    connect(ui->syncHistory, &QAbstractButton::clicked, this, &SyncSettings::updateControls);
    connect(ui->labelSyncStatus, &QLabel::linkActivated, this, [this] { m_syncLog->exec(); });

    ui->listClients->setAttribute(Qt::WA_MacShowFocusRect, false);
    ui->listClients->viewport()->setAttribute(Qt::WA_Hover, true);
    ui->listClients->setModel(&m_clientModel);
    ui->listClients->setItemDelegate(new ClientItemDelegate(ui->listClients));

    ui->progressSync->init(true);
}

SyncSettings::~SyncSettings() = default;

void SyncSettings::setSync(Sync *sync)
{
    m_sync = sync;
    const std::array<std::pair<QAbstractButton *, const char *>, 4> icons{{
        {ui->stopSync, ":/icons/images/ic_close.svg"},
        {ui->syncUpload, ":/icons/images/ic_up.svg"},
        {ui->syncDownload, ":/icons/images/ic_down.svg"},
        {ui->syncBothWays, ":/icons/images/ic_sync.svg"},
    }};
    for (const auto &[button, path] : icons)
        button->setIcon(Utils::svg2icon(path, true));
    if (!sync)
        return;

    connect(sync, &Sync::syncStatus, this, &SyncSettings::syncStatus);
    connect(sync, &Sync::initialized, this, &SyncSettings::updatePage);
    connect(ui->googleSync, &QAbstractButton::clicked, this, [this] {
        chooseTarget(c_googleDrive, QT_TRANSLATE_NOOP("SyncSettings", "Please authorize Kestovan to access your Google Drive on the browser."));
    });
    connect(ui->folderSync, &QAbstractButton::clicked, this, [this] {
        chooseTarget(c_localFolder, QT_TRANSLATE_NOOP("SyncSettings", "Please choose the sync folder."));
    });
    connect(ui->stopSync, &QAbstractButton::clicked, this, &SyncSettings::stopSync);
    // The dialog is made when first opened, maybe long after the notifier connected.
    if (sync->notifier()->isConnected())
        m_lastNotifierStatus = Notifier::CONNECTED;
    connect(sync->notifier(), &Notifier::status, this, &SyncSettings::notifierStatus);
    connect(sync->notifier(), &Notifier::clientList, this, &SyncSettings::notifierClientList);
    connect(ui->browseButton, &QAbstractButton::clicked, this, &SyncSettings::browse);
}

QString SyncSettings::activeTitle() const
{
    return m_sync ? m_sync->getSync()->title() : QString();
}

void SyncSettings::initialize()
{
    const QSettings settings = Utils::settings();
    m_target = settings.value("SyncTarget").toString();
    m_storedFolder = settings.value("SyncFolder");
    ui->syncHistory->setChecked(settings.value("SyncHistory").toBool());
    ui->syncSnippets->setChecked(settings.value("SyncSnippets").toBool());
    ui->syncActions->setChecked(settings.value("SyncActions").toBool());
    ui->encryptData->setChecked(settings.value("EncryptData").toBool());
    ui->passphrase->setText(Sync::decipherPassphrase(settings.value("Passphrase")));

    const QDateTime lastSync = settings.value("LastSync").toDateTime();
    // The status line may say for hours why nothing is synchronized; the page says the same.
    if (m_sync && m_sync->lastOutcome() == SyncStatus::Failed)
        setSyncLabel(m_sync->lastOutcomeText(), QDateTime());
    else if (lastSync.isValid())
        setOwnSyncLabel(LastSuccess, lastSync);
    else
        setOwnSyncLabel(NotSynchronized, QDateTime());

    ui->labelSyncTitle->setText(activeTitle());
    ui->progressClients->init(true);
    ui->labelSyncProgress->init(true);
}

void SyncSettings::retranslateUi()
{
    ui->retranslateUi(this);
    if (m_sync)
        ui->labelSyncTitle->setText(activeTitle());
    if (m_labelSource)
        setOwnSyncLabel(m_labelSource, m_labelTime);
    else
        setSyncLabel(m_labelText, m_labelTime);
    if (m_waitText)
        ui->labelSyncInfo->setText(tr(m_waitText));
    if (m_notifierStatusKnown)
        showClientsText();
}

void SyncSettings::setSyncLabel(QString text, QDateTime time)
{
    m_labelSource = nullptr;
    m_labelText = text;
    m_labelTime = time;
    QString line = "<p>" + text;
    if (time.isValid())
        line += ": " + timeText(time);
    line += " (<a href=\"foo\">" + tr("Show log") + "</a>)</p>";
    ui->labelSyncStatus->setText(line);
}

void SyncSettings::setOwnSyncLabel(const char *source, QDateTime time)
{
    setSyncLabel(tr(source), time);
    m_labelSource = source;
}

void SyncSettings::updatePage()
{
    if (!m_sync || !m_sync->isValid()) {
        ui->stackedWidgetSync->setCurrentIndex(SelectPage);
        return;
    }
    ui->stackedWidgetSync->setCurrentIndex(SettingsPage);
    ui->groupBoxClients->setVisible(m_target == c_googleDrive);
    ui->groupBoxFolder->setVisible(m_target == c_localFolder);
    ui->syncFolder->setText(Utils::settings().value("SyncFolder").toString());
}

void SyncSettings::updateControls()
{
    ui->labelSyncProgress->setVisible(ui->syncBothWays->isHidden());
    ui->passphrase->setEnabled(ui->encryptData->isChecked());

    switch (m_lastNotifierStatus) {
    case Notifier::CONNECTING:
        ui->listClients->hide();
        ui->labelClients->hide();
        ui->progressClients->show();
        break;
    case Notifier::CONNECTED:
        ui->listClients->show();
        ui->labelClients->hide();
        ui->progressClients->hide();
        break;
    case Notifier::ERROR:
    case Notifier::DISCONNECTED:
        ui->labelClients->show();
        ui->listClients->hide();
        ui->progressClients->hide();
        break;
    }
}

void SyncSettings::clicked()
{
    if (m_sync)
        m_sync->notifier()->update();
    updatePage();
}

void SyncSettings::chooseTarget(const QString &target, const char *waitText)
{
    ui->stackedWidgetSync->setCurrentIndex(WaitPage);
    m_waitText = waitText;
    ui->labelSyncInfo->setText(tr(waitText));
    m_target = target;
    m_sync->queue().clear();
    m_sync->initialize(m_target, InteractiveIfNeeded, mapUiSettings());
    ui->labelSyncTitle->setText(activeTitle());
    // The choice that led here is hidden now: the keyboard goes on from the page's first control,
    // not from wherever the toolkit put the focus when the folder chooser closed.
    if (ui->stackedWidgetSync->currentIndex() == SettingsPage)
        ui->stopSync->setFocus(Qt::OtherFocusReason);
}

void SyncSettings::stopSync()
{
    m_target.clear();
    m_sync->revoke();
    m_sync->initialize("None", InteractiveIfNeeded, mapUiSettings());
    m_sync->queue().clear();
    ui->labelSyncTitle->setText(activeTitle());
    updatePage();
}

void SyncSettings::browse()
{
    m_sync->initialize(m_target, Interactive, mapUiSettings());
}

bool SyncSettings::refuseEmptyPassphrase()
{
    if (!ui->encryptData->isChecked() || !ui->passphrase->text().isEmpty())
        return false;
    setOwnSyncLabel(NeedsPassphrase, QDateTime());
    return true;
}

void SyncSettings::syncNow(SyncDirection direction)
{
    if (!m_sync || refuseEmptyPassphrase())
        return;

    const char *question = nullptr;
    if (direction == ToServer)
        question = QT_TRANSLATE_NOOP("SyncSettings", "The remote data will be overwritten with your local content. Are you sure you want to continue?");
    else if (direction == FromServer)
        question = QT_TRANSLATE_NOOP("SyncSettings", "All your local content will be overwritten with the remote data. Are you sure you want to continue?");
    if (question && QMessageBox::question(this, "Kestovan", tr(question), QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;

    const bool encryptionChanged = applyEncryptSettings();
    m_sync->initialize(m_target, ReportState, mapUiSettings());
    setSyncButtonsVisible(false);
    updateControls();
    // The remote files are enciphered anew before the pass stores anything under the new settings;
    // accepting the dialog later finds nothing changed and would not do it.
    if (encryptionChanged)
        m_sync->resyncAll();
    m_sync->syncAll(direction);
}

void SyncSettings::setSyncButtonsVisible(bool visible)
{
    ui->syncBothWays->setVisible(visible);
    ui->syncDownload->setVisible(visible);
    ui->syncUpload->setVisible(visible);
}

void SyncSettings::syncStatus(SyncStatus status, QString text)
{
    setSyncLabel(text, QDateTime());
    if (status == SyncStatus::Success || status == SyncStatus::Failed) {
        setSyncButtonsVisible(true);
        updateControls();
        if (status == SyncStatus::Success) {
            const QDateTime now = QDateTime::currentDateTime();
            Utils::settings().setValue("LastSync", now);
            setOwnSyncLabel(LastSuccess, now);
        }
    } else if (status == SyncStatus::Busy) {
        setSyncButtonsVisible(false);
        updateControls();
    }
}

void SyncSettings::notifierStatus(Notifier::CONNECTION_STATUS status)
{
    m_lastNotifierStatus = status;
    m_notifierStatusKnown = true;
    showClientsText();
    if (status == Notifier::DISCONNECTED)
        m_clientModel.clear();
    updateControls();
}

void SyncSettings::showClientsText()
{
    if (m_lastNotifierStatus == Notifier::ERROR)
        ui->labelClients->setText(tr("Failed to connect to the notification server."));
    else
        ui->labelClients->setText(tr("No connection to the notification server."));
}

void SyncSettings::notifierClientList(QList<QMap<QString, QString>> clientList)
{
    m_clientModel.clear();
    for (const QMap<QString, QString> &client : clientList) {
        auto *item = new QStandardItem(client.value("name"));
        item->setData(client.value("type"), ApplicationRole);
        // The service sends UTC times without a zone.
        item->setData(QDateTime::fromString(client.value("time") + "Z", Qt::ISODate), TimeRole);
        m_clientModel.appendRow(item);
    }
}

bool SyncSettings::applyEncryptSettings()
{
    QSettings settings = Utils::settings();
    const QVariant storedCipher = settings.value("Passphrase");
    const QString stored = Sync::decipherPassphrase(storedCipher);
    const QString typed = ui->passphrase->text();
    const bool before = settings.value("EncryptData").toBool();

    // Anyone can derive the key of the empty passphrase: the stored settings stay as they were,
    // and the page shows them again.
    if (ui->encryptData->isChecked() && typed.isEmpty()) {
        SyncLogDialog::add("Sync: Encryption needs a passphrase; the encryption settings were not changed");
        ui->encryptData->setChecked(before && !stored.isEmpty());
        ui->passphrase->setText(stored);
        updateControls();
        return false;
    }

    const bool now = ui->encryptData->isChecked();
    settings.setValue("EncryptData", now);
    bool changed = before != now;
    if (typed != stored) {
        settings.setValue("PreviousPassphrase", storedCipher);
        changed = true;
    }
    settings.setValue("Passphrase", Sync::encipherPassphrase(typed));
    return changed;
}

QMap<QString, QVariant> SyncSettings::mapUiSettings()
{
    const QSettings settings = Utils::settings();
    const QString passphrase = ui->passphrase->text();
    return {
        {"SyncHistory", ui->syncHistory->isChecked()},
        {"SyncSnippets", ui->syncSnippets->isChecked()},
        {"SyncActions", ui->syncActions->isChecked()},
        {"EncryptData", ui->encryptData->isChecked() && !passphrase.isEmpty()},
        {"Passphrase", Sync::encipherPassphrase(passphrase)},
        {"PreviousPassphrase", settings.value("PreviousPassphrase")},
        {"SyncFolder", ui->syncFolder->text()},
    };
}

bool SyncSettings::onAccepted()
{
    {
        QSettings settings = Utils::settings();
        settings.setValue("SyncHistory", ui->syncHistory->isChecked());
        settings.setValue("SyncSnippets", ui->syncSnippets->isChecked());
        settings.setValue("SyncActions", ui->syncActions->isChecked());
        settings.setValue("SyncTarget", m_target);
    }
    const bool changed = applyEncryptSettings();
    m_storedFolder = Utils::settings().value("SyncFolder");
    if (!m_sync)
        return changed;

    m_sync->initialize(m_target, ReportState, Sync::mapSettings());
    if (m_sync->isValid())
        m_sync->notifier()->initialize(m_target);
    else
        m_sync->notifier()->close();
    return changed;
}

void SyncSettings::onRejected()
{
    QSettings settings = Utils::settings();
    if (m_storedFolder.isValid())
        settings.setValue("SyncFolder", m_storedFolder);
    else
        settings.remove("SyncFolder");
    if (m_sync)
        m_sync->initialize(settings.value("SyncTarget").toString(), ReportState, Sync::mapSettings());
}
