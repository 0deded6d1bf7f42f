#include "common/privatefiles.h"
#include "common/safefile.h"
#include "sync/sync.h"
#include "sync/synclocalfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

int modeOf(const QString &path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

bool makeOpenFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("secret") == 6 && ::chmod(QFile::encodeName(path), 0644) == 0;
}

} // namespace

class TestPrivateFiles : public QObject
{
    Q_OBJECT

    enum Step {
        SaveInNewFolders,
        TightenOldTree,
        TightenOldFileInPrivateFolder,
        CreateSettings,
        TightenSettings,
        KeepLinkTarget,
        UploadToSharedFolder
    };

private slots:
    void initTestCase()
    {
        // The usual umask, which made the history readable by every local user.
        ::umask(022);
    }

    void testOwnFilesAndFoldersArePrivate_data()
    {
        QTest::addColumn<int>("step");
        // path relative to the test folder, and its mode afterwards
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QList<int>>("modes");
        QTest::newRow("a save in folders it made") << int(SaveInNewFolders)
            << QStringList{"data", "data/images", "data/images/id", "data/images/id/picture.png"}
            << QList<int>{0700, 0700, 0700, 0600};
        QTest::newRow("an old open folder, tightened") << int(TightenOldTree)
            << QStringList{"data", "data/History.json", "data/images", "data/images/picture.png"}
            << QList<int>{0700, 0600, 0700, 0600};
        QTest::newRow("an old open file in a private folder") << int(TightenOldFileInPrivateFolder)
            << QStringList{"data", "data/History.json"} << QList<int>{0700, 0600};
        QTest::newRow("a new settings file") << int(CreateSettings) << QStringList{"Kestovan.conf"} << QList<int>{0600};
        QTest::newRow("an old settings file") << int(TightenSettings) << QStringList{"Kestovan.conf"} << QList<int>{0600};
        QTest::newRow("a link is never followed") << int(KeepLinkTarget)
            << QStringList{"data", "elsewhere.txt"} << QList<int>{0700, 0644};
        // With encryption off, a version there is the history in clear; the folder is the user's.
        QTest::newRow("a version stored in a shared sync folder") << int(UploadToSharedFolder)
            << QStringList{"data", "data/History#1.json"} << QList<int>{0755, 0600};
    }

    void testOwnFilesAndFoldersArePrivate()
    {
        QFETCH(int, step);
        QFETCH(QStringList, paths);
        QFETCH(QList<int>, modes);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString data = dir.filePath("data");
        switch (Step(step)) {
        case SaveInNewFolders:
            QVERIFY(PrivateFiles::makeFolder(data + "/images/id"));
            QVERIFY(SafeFile::write(data + "/images/id/picture.png", "png"));
            break;
        case TightenOldTree:
            QVERIFY(QDir().mkpath(data + "/images"));
            QVERIFY(makeOpenFile(data + "/History.json"));
            QVERIFY(makeOpenFile(data + "/images/picture.png"));
            PrivateFiles::tightenFolder(data);
            break;
        case TightenOldFileInPrivateFolder:
            QVERIFY(QDir().mkdir(data));
            QVERIFY(::chmod(QFile::encodeName(data), 0700) == 0);
            QVERIFY(makeOpenFile(data + "/History.json"));
            PrivateFiles::tightenFolder(data);
            break;
        case CreateSettings:
            PrivateFiles::prepareFile(dir.filePath("Kestovan.conf"));
            QVERIFY(QFile::exists(dir.filePath("Kestovan.conf")));
            break;
        case TightenSettings:
            QVERIFY(makeOpenFile(dir.filePath("Kestovan.conf")));
            PrivateFiles::prepareFile(dir.filePath("Kestovan.conf"));
            break;
        case KeepLinkTarget:
            QVERIFY(QDir().mkdir(data));
            QVERIFY(makeOpenFile(dir.filePath("elsewhere.txt")));
            QVERIFY(QFile::link(dir.filePath("elsewhere.txt"), data + "/link.txt"));
            PrivateFiles::tightenFolder(data);
            break;
        case UploadToSharedFolder: {
            QVERIFY(QDir().mkdir(data));
            Sync engine;
            SyncLocalFolder folder(&engine);
            folder.initialize(ReportState, {{"SyncFolder", data}});
            SyncData version;
            version.file = "History#1.json";
            folder.upload(PlainUpload, version, "{}");
            break;
        }
        }
        for (int i = 0; i < paths.size(); ++i)
            QVERIFY2(modeOf(dir.filePath(paths[i])) == modes[i],
                     qPrintable(QString("%1 is %2").arg(paths[i]).arg(modeOf(dir.filePath(paths[i])), 0, 8)));
    }
};

QTEST_GUILESS_MAIN(TestPrivateFiles)
#include "tst_privatefiles.moc"
