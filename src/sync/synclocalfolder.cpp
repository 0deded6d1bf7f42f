#include "sync/synclocalfolder.h"

#include "common/folderlisting.h"
#include "common/privatefiles.h"
#include "common/safefile.h"
#include "sync/sync.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"
#include "common/utils.h"

#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

struct Listing
{
    OnlineFiles files;
    // Empty when the folder was read to its end.
    QString error;
};

Listing listFolder(const QString &folder)
{
    Listing listing;
    QStringList names;
    // A folder that cannot be read is no empty store: the engine would take every file for deleted.
    if (!FolderListing::names(folder, &names, &listing.error)) {
        if (listing.error.isEmpty())
            listing.error = QStringLiteral("unknown error");
        return listing;
    }
    for (const QString &name : std::as_const(names)) {
        const QFileInfo entry(folder + "/" + name);
        // Plain files only; hidden ones are parts of uploads under way.
        if (name.startsWith('.') || !entry.isFile())
            continue;
        // UTC with milliseconds: local times without a zone mis-order versions across a clock
        // change or between zones, and whole seconds make ties.
        listing.files.insert(name, {name, entry.lastModified().toUTC().toString(Qt::ISODateWithMs)});
    }
    listing.files.insert(QString(), {QString(), QString()});
    return listing;
}

} // namespace

SyncLocalFolder::SyncLocalFolder(Sync *sync)
    : ISyncTarget(sync)
    , m_sync(sync)
{
    m_listing.setMaxThreadCount(1);
    // Kept once made: a thread made anew each time could fail where a listing would only fail.
    m_listing.setExpiryTimeout(-1);
}

SyncLocalFolder::~SyncLocalFolder()
{
    // A listing under way answers through this object, which must outlive it.
    m_listing.waitForDone();
}

QString SyncLocalFolder::title()
{
    return "Local folder";
}

bool SyncLocalFolder::folderExists() const
{
    // An empty path would name the current folder.
    return !m_folder.isEmpty() && QFileInfo(m_folder).isDir();
}

QString SyncLocalFolder::pathOf(const QString &name) const
{
    return m_folder + "/" + name;
}

void SyncLocalFolder::initialize(InitOptions options, QMap<QString, QVariant> settings)
{
    m_folder = settings.value("SyncFolder").toString();
    if (options == ReportState) {
        emit initialized(folderExists());
        return;
    }
    if (options == InteractiveIfNeeded && folderExists()) {
        emit initialized(true);
        return;
    }

    const QString chosen = QFileDialog::getExistingDirectory(nullptr, tr("Select sync target folder"),
        QStandardPaths::writableLocation(QStandardPaths::HomeLocation),
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    // A cancelled choice keeps the folder there was, which may only be missing for a while (an
    // unmounted network drive).
    if (chosen.isEmpty()) {
        emit initialized(folderExists());
        return;
    }
    m_folder = chosen;
    Utils::settings().setValue("SyncFolder", m_folder);

    if (folderExists()) {
        emit initialized(true);
        return;
    }
    emit initialized(PrivateFiles::makeFolder(m_folder));
}

bool SyncLocalFolder::isValid()
{
    return folderExists();
}

void SyncLocalFolder::getFiles()
{
    if (!folderExists()) {
        qCWarning(lcSync) << "The folder doesn't exist" << m_folder;
        m_sync->getFilesFinished(OnlineFiles(), true);
        return;
    }
    const QString folder = m_folder;
    m_listing.start([this, folder] {
        const Listing listing = listFolder(folder);
        QMetaObject::invokeMethod(this, [this, folder, listing] {
            if (!listing.error.isEmpty()) {
                qCWarning(lcSync) << "Unable to read the folder" << folder << listing.error;
                SyncLogDialog::add("Sync: The sync folder " + folder + " cannot be read: " + listing.error);
                m_sync->getFilesFinished(OnlineFiles(), true);
                return;
            }
            m_sync->getFilesFinished(listing.files, false);
        }, Qt::QueuedConnection);
    });
}

void SyncLocalFolder::download(DownloadFinishedCallback callback, SyncData data)
{
    const QString path = pathOf(data.second);
    QByteArray bytes;
    QString error;
    const SafeFile::ReadResult read = Utils::isPlainFileName(data.second) ? SafeFile::read(path, &bytes, &error)
                                                                           : SafeFile::ReadResult::Unreadable;
    if (read == SafeFile::ReadResult::Missing || read == SafeFile::ReadResult::Unreadable) {
        qCWarning(lcSync) << "Unable to open file for reading" << path << error;
        m_sync->downloadFinished(callback, data, QByteArray(), true);
        return;
    }
    if (read == SafeFile::ReadResult::TooLarge) {
        // Refused unread: to the engine an empty file is a damaged one, which it skips.
        qCWarning(lcSync).noquote() << error;
        SyncLogDialog::add("Sync: Not reading " + data.second + ": " + error);
    }
    QTimer::singleShot(0, this, [sync = m_sync, callback, data, bytes] {
        sync->downloadFinished(callback, data, bytes, false);
    });
}

bool SyncLocalFolder::writeAtomically(const QString &path, const QByteArray &bytes)
{
    const QFileInfo target(path);
    // Hidden, so neither the listing nor the change watcher takes it for a stored file.
    const QString temporaryPath = target.absolutePath() + "/." + target.fileName() + "."
        + QString::number(QRandomGenerator::global()->generate64(), 16) + ".part";
    QFile file(temporaryPath);
    // The folder may be open to other local users; with encryption off this is the history in clear.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        qCWarning(lcSync) << "Unable to open file for writing" << temporaryPath << file.errorString();
        return false;
    }
    const bool written = file.write(bytes) == bytes.size() && file.flush() && ::fsync(file.handle()) == 0;
    file.close();
    // QFile::rename refuses an existing target; rename(2) replaces it in one step.
    if (!written || file.error() != QFileDevice::NoError
        || std::rename(QFile::encodeName(temporaryPath).constData(), QFile::encodeName(path).constData()) != 0) {
        qCWarning(lcSync) << "Unable to write to file" << path;
        QFile::remove(temporaryPath);
        return false;
    }
    return true;
}

void SyncLocalFolder::upload(UploadFinishedCallback callback, SyncData data, QByteArray bytes)
{
    const QString path = pathOf(data.file);
    if (!Utils::isPlainFileName(data.file) || !folderExists() || !writeAtomically(path, bytes)) {
        m_sync->uploadFinished(callback, data, true);
        return;
    }
    data.second = data.file;
    QTimer::singleShot(0, this, [sync = m_sync, callback, data] { sync->uploadFinished(callback, data, false); });
}

void SyncLocalFolder::remove(SyncData data)
{
    const QString path = pathOf(data.file);
    if (!Utils::isPlainFileName(data.file) || !QFile::remove(path)) {
        qCWarning(lcSync) << "Unable to remove file" << path;
        m_sync->deleteFinished(data, true);
        return;
    }
    QTimer::singleShot(0, this, [sync = m_sync, data] { sync->deleteFinished(data, false); });
}
