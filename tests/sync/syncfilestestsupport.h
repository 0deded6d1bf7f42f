#pragma once

#include "sync/synctestsupport.h"

#include "actions/actionfile.h"
#include "common/utils.h"
#include "oauth/referencecipher.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QThreadPool>

#include <memory>

// Computers that share one sync folder within one test process. Each has a home of its own, and
// so its own data folder (actions, image cache, history); the process moves to a computer's home
// when that computer takes its turn.
namespace SyncFilesTest {

using namespace SyncTest;

// A queue delay no test lasts.
constexpr int c_noPassOfItsOwn = 24 * 60 * 60 * 1000;

struct Computer
{
    QString home;
    std::unique_ptr<TestSync> engine;
};

inline QMap<QString, QVariant> filesSettings(const QString &folder, bool encrypt = false,
    const QString &passphrase = QString(), const QString &previous = QString())
{
    QMap<QString, QVariant> map = settingsMap(folder, encrypt, passphrase, previous);
    map["SyncActions"] = true;
    return map;
}

inline void use(const Computer &computer)
{
    // Jobs on the pool read the data folder.
    QThreadPool::globalInstance()->waitForDone();
    qputenv("HOME", computer.home.toLocal8Bit());
}

inline Computer makeComputer(const QString &home, const QMap<QString, QVariant> &settings)
{
    Computer computer;
    computer.home = home;
    computer.engine = std::make_unique<TestSync>();
    // Passes run only when the test runs them: one that a computer's own late save asked for
    // would otherwise start by itself, at the home of the computer in turn.
    computer.engine->setQueueDelay(c_noPassOfItsOwn);
    computer.engine->initialize("LocalFolder", ReportState, settings);
    use(computer);
    QDir().mkpath(ActionFile::userFolder());
    return computer;
}

// Runs the computer's queue to its end and waits for the files it wrote in the background.
inline SyncStatus pass(Computer &computer)
{
    use(computer);
    const SyncStatus status = runPass(*computer.engine);
    QThreadPool::globalInstance()->waitForDone();
    return status;
}

inline SyncStatus syncActions(Computer &computer, SyncDirection direction = BothWays)
{
    use(computer);
    computer.engine->syncActions(direction);
    return pass(computer);
}

// "2023-05-04T10:20:30Z" from "20230504T102030", the UTC time of a remote name; a stamp of any
// other form as it stands.
inline QString isoTime(const QString &remoteTime)
{
    QDateTime time = QDateTime::fromString(remoteTime, "yyyyMMdd'T'hhmmss");
    if (!time.isValid())
        return remoteTime;
    time.setTimeSpec(Qt::UTC);
    return time.toString(Qt::ISODate);
}

inline QJsonObject action(const QString &title, const QString &created, bool deleted = false)
{
    QJsonObject object;
    object.insert("title", title);
    object.insert("script", "(c) => [c.plainText]");
    if (!created.isEmpty())
        object.insert("created", created);
    if (deleted)
        object.insert("deleted", true);
    return object;
}

inline QByteArray actionBytes(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

inline QString actionPath(const QString &key)
{
    return ActionFile::userFolder() + "/" + key;
}

inline bool writeAction(const QString &key, const QJsonObject &object)
{
    return ActionFile::write(actionPath(key), object);
}

inline QJsonObject readAction(const QString &key)
{
    QJsonObject object;
    ActionFile::read(actionPath(key), object);
    return object;
}

// A payload enciphered as another computer would, under the given passphrase.
inline QByteArray enciphered(const QByteArray &plain, const QString &passphrase)
{
    return "|ENCRYPTED|" + ReferenceCipher::encrypt(ReferenceCipher::passphraseKey(passphrase), 0x5a, plain);
}

inline QByteArray deciphered(const QByteArray &stored, const QString &passphrase)
{
    QByteArray plain;
    if (!stored.startsWith("|ENCRYPTED|")
        || !ReferenceCipher::decrypt(ReferenceCipher::passphraseKey(passphrase), stored.mid(11), &plain))
        return QByteArray();
    return plain;
}

inline QByteArray pngBytes(const QColor &color, const QSize &size = QSize(320, 240))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace SyncFilesTest
