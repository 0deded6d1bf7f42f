#include "common/safefile.h"
#include "smalldisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

class TestSafeFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.path() + "/" + name; }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void testReplacesTheFileAndLeavesNoTemporaryFile()
    {
        const QString target = path("replace.json");
        write(target, "old content that is longer than the new one");
        QString error;
        QVERIFY2(SafeFile::write(target, "new", &error), qPrintable(error));
        QCOMPARE(read(target), QByteArray("new"));
        QVERIFY(!QFile::exists(SafeFile::temporaryPath(target)));
        QCOMPARE(SafeFile::temporaryPath(target), target + "-tmp");
    }

    void testCreatesAMissingFile()
    {
        const QString target = path("created.json");
        QVERIFY(SafeFile::write(target, "first"));
        QCOMPARE(read(target), QByteArray("first"));
    }

    void testFullDiskKeepsTheOldFile()
    {
        KESTOVAN_SMALL_DISK_OR_SKIP(disk, 64 * 1024, QString());
        const QString target = disk.path() + "/full.json";
        write(target, "precious");
        QVERIFY(disk.fill());

        QString error;
        bool openFailed = true;
        QVERIFY(!SafeFile::write(target, QByteArray(64 * 1024, 'x'), &error, &openFailed));
        QVERIFY(!openFailed);
        QVERIFY2(error.contains("No space left on device"), qPrintable(error));
        QCOMPARE(read(target), QByteArray("precious"));
        QVERIFY(!QFileInfo::exists(SafeFile::temporaryPath(target)));

        QVERIFY(!SafeFile::copy(target, disk.path() + "/copy.json", &error));
        QVERIFY(!QFileInfo::exists(disk.path() + "/copy.json"));
    }

    void testFullDeviceFailsTheCheckedWrite()
    {
        // The same check as on a full disk, where no disk can be mounted.
        const int device = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        QVERIFY(device >= 0);
        QString error;
        QVERIFY(!SafeFile::writeAll(device, QByteArray(64 * 1024, 'x'), &error));
        ::close(device);
        QVERIFY2(error.contains("No space left on device"), qPrintable(error));
    }

    void testReadOnlyFolderFailsAtOpen()
    {
        KESTOVAN_SMALL_DISK_OR_SKIP(disk, 64 * 1024, QString());
        const QString target = disk.path() + "/kept.json";
        write(target, "precious");
        QVERIFY(disk.setReadOnly(true));
        QString error;
        bool openFailed = false;
        QVERIFY(!SafeFile::write(target, "new", &error, &openFailed));
        QVERIFY(openFailed);
        QVERIFY2(error.contains("Read-only file system"), qPrintable(error));
        QCOMPARE(read(target), QByteArray("precious"));
    }

    void testUnopenableTemporaryFileKeepsTheOldFile()
    {
        const QString target = path("unopenable.json");
        write(target, "precious");
        QVERIFY(QDir().mkpath(SafeFile::temporaryPath(target)));
        QString error;
        bool openFailed = false;
        QVERIFY(!SafeFile::write(target, "new", &error, &openFailed));
        QVERIFY(openFailed);
        QVERIFY(error.contains("cannot be opened for writing"));
        QCOMPARE(read(target), QByteArray("precious"));
    }

    void testPlantedTemporaryLinkIsNeverWrittenThrough()
    {
        const QString victim = path("victim.txt");
        write(victim, "not yours");
        const QString target = path("planted.json");
        QVERIFY(QFile::link(victim, SafeFile::temporaryPath(target)));
        QString error;
        QVERIFY2(SafeFile::write(target, "saved", &error), qPrintable(error));
        QCOMPARE(read(victim), QByteArray("not yours"));
        QCOMPARE(read(target), QByteArray("saved"));
        QVERIFY(!QFileInfo(target).isSymLink());
    }

    void testLinkedFileIsWrittenThroughOrReplacedAsAsked()
    {
        const QString elsewhere = path("elsewhere.json");
        write(elsewhere, "old");
        const QString linked = path("linked.json");
        QVERIFY(QFile::link(elsewhere, linked));

        QVERIFY(SafeFile::write(linked, "through the link", nullptr, nullptr, SafeFile::Links::WriteThrough));
        QVERIFY(QFileInfo(linked).isSymLink());
        QCOMPARE(read(elsewhere), QByteArray("through the link"));
        QVERIFY(!QFileInfo::exists(SafeFile::temporaryPath(linked)));

        QVERIFY(SafeFile::write(linked, "replaced", nullptr, nullptr, SafeFile::Links::Replace));
        QVERIFY(!QFileInfo(linked).isSymLink());
        QCOMPARE(read(linked), QByteArray("replaced"));
        QCOMPARE(read(elsewhere), QByteArray("through the link"));
    }

    void testFailedRenameReportsAndCleansUp()
    {
        // A non-empty folder cannot be replaced by a file.
        const QString target = path("folder.json");
        QVERIFY(QDir().mkpath(target + "/inside"));
        QString error;
        QVERIFY(!SafeFile::write(target, "new", &error));
        QVERIFY(error.contains("Renaming"));
        QVERIFY(QFileInfo(target + "/inside").isDir());
        QVERIFY(!QFile::exists(SafeFile::temporaryPath(target)));
    }

    void testEmptyContentNeverReplacesAFile()
    {
        const QString target = path("empty.json");
        write(target, "precious");
        QString error;
        QVERIFY(!SafeFile::write(target, QByteArray(), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(read(target), QByteArray("precious"));
    }

    void testCopyNeverReplacesATarget()
    {
        const QString source = path("source.png");
        write(source, QByteArray(3 * 1024 * 1024 + 5, 's'));
        QString error;
        QVERIFY2(SafeFile::copy(source, path("copied.png"), &error), qPrintable(error));
        QCOMPARE(read(path("copied.png")), read(source));
        QVERIFY(!SafeFile::copy(source, path("copied.png"), &error));
        QVERIFY(error.contains("already exists"));
        QVERIFY(!SafeFile::copy(path("no such file"), path("other.png"), &error));
        QVERIFY(!QFileInfo::exists(path("other.png")));
    }

    void testReadRefusesOversizedAndEndlessFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        QTest::newRow("sparse, over the limit") << "huge.json" << int(SafeFile::ReadResult::TooLarge);
        QTest::newRow("a device that never ends") << "zero.json" << int(SafeFile::ReadResult::Unreadable);
        QTest::newRow("missing") << "missing.json" << int(SafeFile::ReadResult::Missing);
        QTest::newRow("link to nothing") << "dangling.json" << int(SafeFile::ReadResult::Missing);
        QTest::newRow("within the limit") << "small.json" << int(SafeFile::ReadResult::Read);
    }

    void testReadRefusesOversizedAndEndlessFiles()
    {
        QFETCH(QString, name);
        QFETCH(int, result);
        QFile huge(path("huge.json"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(SafeFile::MaxDocumentSize + 1));
        huge.close();
        QFile::link("/dev/zero", path("zero.json"));
        QFile::link(path("nowhere"), path("dangling.json"));
        write(path("small.json"), "{}");

        QByteArray bytes("stale");
        QString error;
        QCOMPARE(int(SafeFile::read(path(name), &bytes, &error, SafeFile::MaxDocumentSize)), result);
        QCOMPARE(bytes, result == int(SafeFile::ReadResult::Read) ? QByteArray("{}") : QByteArray());
    }

    void testReadInPlaceGivesWhatReadGives_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        const QByteArray large = QByteArray("{\"clippings\": [") + QByteArray(4 * 1024 * 1024 + 7, 'x');
        QTest::newRow("empty") << "empty.json" << QByteArray();
        QTest::newRow("truncated JSON") << "truncated.json" << QByteArray("{\"version\": 1, \"clipp");
        QTest::newRow("byte order mark") << "bom.json" << QByteArray("\xEF\xBB\xBF{}");
        QTest::newRow("large") << "large.json" << large;
        QTest::newRow("whole pages") << "pages.json" << QByteArray(2 * 4096, '[');
        QTest::newRow("missing") << "absent.json" << QByteArray();
        QTest::newRow("device") << "zero.json" << QByteArray();
        QTest::newRow("over the limit") << "huge.json" << QByteArray();
    }

    void testReadInPlaceGivesWhatReadGives()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        if (name != "absent.json" && name != "zero.json" && name != "huge.json")
            write(path(name), content);
        QFile::link("/dev/zero", path("zero.json"));
        QFile huge(path("huge.json"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(SafeFile::MaxDocumentSize + 1));
        huge.close();

        QByteArray copied;
        QString copyError;
        const SafeFile::ReadResult copyResult = SafeFile::read(path(name), &copied, &copyError);
        int calls = 0;
        QByteArray seen;
        QString error;
        const SafeFile::ReadResult result = SafeFile::readInPlace(path(name), [&](const QByteArray &bytes) {
            ++calls;
            seen = QByteArray(bytes.constData(), bytes.size());
        }, &error);
        QCOMPARE(int(result), int(copyResult));
        QCOMPARE(error, copyError);
        QCOMPARE(calls, result == SafeFile::ReadResult::Read ? 1 : 0);
        QCOMPARE(seen, copied);
        QCOMPARE(seen, result == SafeFile::ReadResult::Read ? content : QByteArray());
    }

    void testOversizedFileIsKeptAsideByRenaming()
    {
        const QString target = path("oversized.json");
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(SafeFile::MaxDocumentSize + 1));
        file.close();
        const QString aside = SafeFile::keepAside(target);
        QVERIFY(!aside.isEmpty());
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(QFileInfo(aside).size(), SafeFile::MaxDocumentSize + 1);
        QFile::remove(aside);
    }

    void testRemovingAFolderNeverFollowsALink()
    {
        const QString outside = path("outside");
        QVERIFY(QDir().mkpath(outside + "/deep"));
        write(outside + "/keep.png", "keep");
        write(outside + "/deep/keep.png", "keep");

        // The folder itself is a link, and a folder that holds a link.
        const QString linkedFolder = path("{linked}");
        QVERIFY(QFile::link(outside, linkedFolder));
        const QString holder = path("{holder}");
        QVERIFY(QDir().mkpath(holder));
        write(holder + "/own.png", "own");
        QVERIFY(QFile::link(outside, holder + "/link"));

        QVERIFY(SafeFile::removeFolder(linkedFolder));
        QVERIFY(SafeFile::removeFolder(holder));
        QVERIFY(!QFileInfo(linkedFolder).isSymLink());
        QVERIFY(!QFileInfo::exists(holder));
        QCOMPARE(read(outside + "/keep.png"), QByteArray("keep"));
        QCOMPARE(read(outside + "/deep/keep.png"), QByteArray("keep"));
        QVERIFY(SafeFile::removeFolder(path("{never there}")));
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
