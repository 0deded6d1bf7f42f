#pragma once

#include "isolatedhome.h"

#include "oauth/o0cryptkey.h"
#include "oauth/o0simplecrypt.h"
#include "common/isyncmerge.h"
#include "sync/isynctarget.h"
#include "sync/sync.h"
#include "sync/synclogdialog.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

// Sync tests run with a home, settings and data folder of their own, so they never touch user data,
// and in a time zone with clock changes.
#define KESTOVAN_SYNC_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        if (!home.isValid())                                                                       \
            return 1;                                                                              \
        isolateTestHome(home);                                                                     \
        qputenv("XDG_DOCUMENTS_DIR", (home.path() + "/documents").toLocal8Bit());                  \
        qputenv("TZ", "Europe/Helsinki");                                                          \
        QCoreApplication::setOrganizationName("MorvaTest");                                        \
        QCoreApplication::setApplicationName("KestovanSyncTest");                                  \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

namespace SyncTest {

constexpr qint32 c_historyMagic = -18022398;
constexpr qint32 c_snippetsMagic = -18022399;

// A passphrase as the settings store keeps it.
inline QString storedPassphrase(const QString &passphrase)
{
    O0SimpleCrypt crypt(O0CryptKey::storeKey());
    return crypt.encryptToString(passphrase);
}

inline QMap<QString, QVariant> settingsMap(const QString &folder = QString(), bool encrypt = false,
    const QString &passphrase = QString(), const QString &previous = QString())
{
    QMap<QString, QVariant> map;
    map.insert("SyncHistory", true);
    map.insert("SyncSnippets", true);
    map.insert("SyncActions", false);
    map.insert("EncryptData", encrypt);
    map.insert("Passphrase", passphrase.isEmpty() ? QString() : storedPassphrase(passphrase));
    map.insert("PreviousPassphrase", previous.isEmpty() ? QString() : storedPassphrase(previous));
    map.insert("SyncFolder", folder);
    return map;
}

// The sync log lines without their date, time and thread prefix.
inline QStringList logTexts()
{
    QStringList texts;
    for (const QString &line : std::as_const(SyncLogDialog::c_log))
        texts.append(line.section("] ", 1));
    return texts;
}

inline bool logHas(const QString &text)
{
    return logTexts().contains(text);
}

inline int logCount(const QString &prefix)
{
    int count = 0;
    for (const QString &text : logTexts())
        count += text.startsWith(prefix) ? 1 : 0;
    return count;
}

inline QString sha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes, const QDateTime &modified = QDateTime())
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        return false;
    if (modified.isValid())
        return file.setFileTime(modified, QFileDevice::FileModificationTime);
    return true;
}

// A document partner whose content is a sorted list of texts; merging is their union, and a keep
// limit trims the result the way the history's add rules do.
class FakeDocument : public ISyncMerge
{
public:
    explicit FakeDocument(qint32 magic = c_historyMagic)
        : magic(magic)
    {
    }

    QByteArray serialize() const
    {
        QStringList sorted = items;
        sorted.sort();
        sorted.removeDuplicates();
        QJsonObject object;
        object.insert("items", QJsonArray::fromStringList(sorted));
        object.insert("magic", magic);
        return QJsonDocument(object).toJson(QJsonDocument::Compact);
    }

    QString hash() override { return sha256(serialize()); }

    bool merge(QByteArray online, QByteArray &result, SyncDirection direction) override
    {
        mergedInputs.append(online);
        if (!online.isEmpty()) {
            const QJsonObject object = QJsonDocument::fromJson(online).object();
            if (object.value("magic").toInt() != magic || !object.value("items").isArray())
                return false;
            QStringList remote;
            for (const QJsonValue &value : object.value("items").toArray())
                remote.append(value.toString());
            if (direction == FromServer)
                items = remote;
            else
                items += remote;
        }
        items.sort();
        items.removeDuplicates();
        if (keep > 0 && items.size() > keep)
            items = items.mid(items.size() - keep);
        result.append(serialize());
        return result != online;
    }

    qint32 magic;
    QStringList items;
    int keep = 0;
    QList<QByteArray> mergedInputs;
};

inline QByteArray documentBytes(const QStringList &items, qint32 magic = c_historyMagic)
{
    FakeDocument document(magic);
    document.items = items;
    return document.serialize();
}

// A target that keeps its files in memory and answers when the test says so (or at once from the
// event loop), counting how many requests are outstanding at a time.
class ScriptedTarget : public ISyncTarget
{
public:
    explicit ScriptedTarget(Sync *engine)
        : ISyncTarget(engine)
        , engine(engine)
    {
    }

    void initialize(InitOptions, QMap<QString, QVariant>) override { emit initialized(true); }
    bool isValid() override { return valid; }
    QString title() override { return "Scripted"; }

    void getFiles() override
    {
        request("list", [this] {
            OnlineFiles files;
            if (!listFails) {
                for (auto it = store.cbegin(); it != store.cend(); ++it)
                    files.insert(it.key(), {it.key(), times.value(it.key())});
                files.insert(QString(), {QString(), QString()});
            }
            engine->getFilesFinished(files, listFails);
        });
    }

    void download(DownloadFinishedCallback callback, SyncData data) override
    {
        request("download:" + data.second, [this, callback, data] {
            engine->downloadFinished(callback, data, store.value(data.second), !store.contains(data.second));
        });
    }

    void upload(UploadFinishedCallback callback, SyncData data, QByteArray bytes) override
    {
        request("upload:" + data.file, [this, callback, data, bytes]() mutable {
            put(data.file, bytes);
            data.second = data.file;
            engine->uploadFinished(callback, data, false);
        });
    }

    void remove(SyncData data) override
    {
        request("remove:" + data.second, [this, data] {
            const bool found = store.remove(data.second) > 0;
            engine->deleteFinished(data, !found);
        });
    }

    void put(const QString &name, const QByteArray &bytes)
    {
        store.insert(name, bytes);
        times.insert(name, QDateTime::fromSecsSinceEpoch(1700000000 + ++clock, Qt::UTC).toString(Qt::ISODateWithMs));
    }

    // Answers the oldest outstanding request; false when there is none.
    bool answerNext()
    {
        if (pending.isEmpty())
            return false;
        const std::function<void()> answer = pending.takeFirst();
        answer();
        return true;
    }

    QStringList requestsStartingWith(const QString &prefix) const
    {
        QStringList result;
        for (const QString &request : requests) {
            if (request.startsWith(prefix))
                result.append(request);
        }
        return result;
    }

    Sync *engine;
    bool valid = true;
    bool autoAnswer = true;
    bool listFails = false;
    QMap<QString, QByteArray> store;
    QMap<QString, QString> times;
    qint64 clock = 0;
    QStringList requests;
    QList<std::function<void()>> pending;
    int outstanding = 0;
    int maxOutstanding = 0;

private:
    void request(const QString &what, std::function<void()> answer)
    {
        requests.append(what);
        maxOutstanding = qMax(maxOutstanding, ++outstanding);
        auto wrapped = [this, answer] {
            --outstanding;
            answer();
        };
        if (autoAnswer)
            QTimer::singleShot(0, this, wrapped);
        else
            pending.append(wrapped);
    }
};

// The engine with a target of the test's choosing in place of the real ones.
class TestSync : public Sync
{
public:
    using Sync::Sync;
    ISyncTarget *getSync() override { return target ? target : Sync::getSync(); }
    ISyncTarget *target = nullptr;
};

// Leaves no descriptor to open, so a folder cannot be read, even by root, for as long as it lives.
class NoDescriptorLeft
{
public:
    NoDescriptorLeft()
    {
        getrlimit(RLIMIT_NOFILE, &m_saved);
        // The lowest free descriptor; every one below it is taken. Not dup(0): stdin may be closed.
        const int lowestFree = ::open("/dev/null", O_RDONLY);
        ::close(lowestFree);
        rlimit limit = m_saved;
        limit.rlim_cur = rlim_t(lowestFree);
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    ~NoDescriptorLeft() { setrlimit(RLIMIT_NOFILE, &m_saved); }
    NoDescriptorLeft(const NoDescriptorLeft &) = delete;
    NoDescriptorLeft &operator=(const NoDescriptorLeft &) = delete;

private:
    rlimit m_saved{};
};

// Runs one pass of the queue to its end; the status it ended with, or Busy when it did not end.
inline SyncStatus runPass(Sync &engine, int timeout = 10000)
{
    QList<SyncStatus> statuses;
    const QMetaObject::Connection connection = QObject::connect(&engine, &Sync::syncStatus, &engine,
        [&statuses](SyncStatus status, QString) { statuses.append(status); });
    engine.handleQueue();
    const bool ended = QTest::qWaitFor(
        [&] { return !statuses.isEmpty() && statuses.last() != SyncStatus::Busy && !engine.isOperationInFlight(); }, timeout);
    QObject::disconnect(connection);
    return ended ? statuses.last() : SyncStatus::Busy;
}

} // namespace SyncTest
