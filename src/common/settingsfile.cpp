#include "common/settingsfile.h"

#include "common/globals.h"
#include "common/userwarning.h"

#include <QCoreApplication>
#include <QDir>
#include <QDebug>
#include <QFile>
#include <QMutex>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>

#include <cerrno>
#include <memory>

#include <sys/stat.h>

namespace {

const QString WriteWarning = QStringLiteral("settings-write");
const QString SettingsStandIn = QStringLiteral("settings.conf");
// The sign-in's, in portable mode, where the program's settings lie elsewhere.
const QString NativeStandIn = QStringLiteral("native.conf");

// A name no store has, so that a store opened under it finds no file of its own, nor any file of
// ours, while it tells where the user's stores are.
const QString ProbeName = QStringLiteral("KestovanSettingsPathProbe");

// The folder of the user's native stores, as QSettings finds it (the toolkit's defaults, or
// QSettings::setPath before the first store was opened), without opening any store of ours. Asked
// once: opening a store costs as much as the store itself.
QString nativeFolder()
{
    static const QString folder = [] {
        const QString probe =
            QSettings(QSettings::NativeFormat, QSettings::UserScope, ProbeName, ProbeName).fileName();
        const QString tail = "/" + ProbeName + "/" + ProbeName + ".conf";
        return probe.endsWith(tail) ? probe.chopped(tail.size()) : QString();
    }();
    return folder;
}

// Missing, or a regular file at the end of any links: what the store may open. A link leading
// nowhere is a missing file, as for the data files; a loop of links is refused.
bool usable(const QString &file)
{
    const QByteArray name = QFile::encodeName(file);
    struct stat status;
    if (::lstat(name.constData(), &status) != 0)
        return true;
    if (::stat(name.constData(), &status) != 0)
        return errno == ENOENT;
    return S_ISREG(status.st_mode);
}

QString nativeFile(const QString &folder)
{
    return folder + "/" + QCoreApplication::organizationName() + "/" + QCoreApplication::applicationName() + ".conf";
}

struct StandIn
{
    QMutex mutex;
    QSet<QString> refused;
    std::unique_ptr<QTemporaryDir> folder;
};

StandIn &standInState()
{
    static StandIn state;
    return state;
}

void sayRefused(const QString &file)
{
    const QString text = QObject::tr("The settings file %1 is not a regular file and was not read. Kestovan "
                                     "starts with its default settings, and changes made now are lost when it quits.")
                             .arg(file);
    // The store is opened on any thread; the box belongs to the main one.
    if (QCoreApplication *application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, [text] { showUserWarning(text); }, Qt::QueuedConnection);
    else
        qWarning().noquote() << text;
}

// The native store also reads the file of the whole organisation.
QStringList nativeFiles()
{
    const QString folder = nativeFolder();
    return {nativeFile(folder), folder + "/" + QCoreApplication::organizationName() + ".conf"};
}

// The file of the stand-in store named name while one of files cannot be used, else an empty text.
QString standInFor(const QStringList &files, const QString &name)
{
    StandIn &state = standInState();
    for (const QString &file : files) {
        if (usable(file)) {
            // Said again should it be refused again.
            QMutexLocker locker(&state.mutex);
            state.refused.remove(file);
            continue;
        }
        QMutexLocker locker(&state.mutex);
        if (!state.folder) {
            state.folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/Kestovan-settings-XXXXXX");
            if (!state.folder->isValid())
                qWarning().noquote() << "No folder for the stand-in settings:" << state.folder->errorString();
        }
        if (!state.refused.contains(file)) {
            state.refused.insert(file);
            qWarning().noquote() << "Not opening the settings file" << file
                                 << "as it is not a regular file; the settings stay in a stand-in for this run.";
            sayRefused(file);
        }
        return state.folder->filePath(name);
    }
    return QString();
}

} // namespace

namespace SettingsFile {

QString path()
{
    // In portable mode beside the program, as Utils::settings() opens it.
    return portable ? QCoreApplication::applicationDirPath() + "/settings.ini" : nativeFile(nativeFolder());
}

QString standIn()
{
    return standInFor(portable ? QStringList{path()} : nativeFiles(), SettingsStandIn);
}

std::unique_ptr<QSettings> nativeStore()
{
    // Outside portable mode this is the program's own store, and so its stand-in.
    const QString standIn = portable ? standInFor(nativeFiles(), NativeStandIn) : SettingsFile::standIn();
    if (!standIn.isEmpty())
        return std::make_unique<QSettings>(standIn, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QCoreApplication::organizationName(), QCoreApplication::applicationName());
}

bool commit(QSettings &settings)
{
    settings.sync();
    if (settings.status() == QSettings::NoError) {
        clearUserWarning(WriteWarning);
        return true;
    }
    const QString text =
        QObject::tr("The settings cannot be saved to %1; changes made now are lost when Kestovan quits.");
    showUserWarningOnce(WriteWarning, text.arg(settings.fileName()));
    return false;
}

} // namespace SettingsFile
