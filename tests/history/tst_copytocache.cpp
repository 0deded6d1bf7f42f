#include "history/copytocache.h"
#include "common/translation.h"
#include "common/utils.h"
#include "smalldisk.h"

#include <QImageReader>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// Receives the job's result in the GUI thread, as the history model does.
class JobWatcher : public QObject
{
    Q_OBJECT

public:
    int doneCount = 0;
    int failedCount = 0;
    QString reason;

    void onDone(const CopyToCache::Result &result)
    {
        ++doneCount;
        if (!result.written) {
            ++failedCount;
            reason = result.error;
        }
    }
};

class TestCopyToCache : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_data;

    // Runs the job on the global pool and waits for its result.
    void runOnPool(CopyToCache *job, JobWatcher *watcher)
    {
        job->whenDone(watcher, [watcher](const CopyToCache::Result &result) { watcher->onDone(result); });
        QThreadPool::globalInstance()->start(job);
        QTRY_COMPARE(watcher->doneCount, 1);
    }

    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QImage sampleImage()
    {
        QImage image(40, 30, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        for (int x = 0; x < 40; ++x)
            image.setPixel(x, x % 30, qRgba(x * 6, 255 - x * 6, 100, 200));
        return image;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
        m_data = Utils::dataPath();
        QVERIFY(m_data.startsWith(m_home.path()));
    }

    void init() { QDir(m_data).removeRecursively(); }

    void testBytesAreWrittenIntoTheClippingFolder()
    {
        const QUuid id = QUuid::createUuid();
        const QByteArray bytes("\x89PNG raw bytes\0with a zero", 26);
        JobWatcher watcher;
        runOnPool(new CopyToCache(bytes, id, "a.png", "images"), &watcher);
        QCOMPARE(watcher.failedCount, 0);
        const QString target = m_data + "/images/" + id.toString() + "/a.png";
        QCOMPARE(readAll(target), bytes);
    }

    void testNullIdWritesStraightIntoTheFolder()
    {
        JobWatcher watcher;
        runOnPool(new CopyToCache(QByteArray("function run() {}"), QUuid(), "Actions.json", "actions"),
                  &watcher);
        QCOMPARE(watcher.failedCount, 0);
        QCOMPARE(readAll(m_data + "/actions/Actions.json"), QByteArray("function run() {}"));
        const QStringList entries = QDir(m_data + "/actions").entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(entries, QStringList{"Actions.json"});
    }

    void testRewritingBytesReplacesTheOldFile()
    {
        const QUuid id = QUuid::createUuid();
        JobWatcher first, second;
        runOnPool(new CopyToCache(QByteArray("a much longer first version"), id, "x.bin", "images"), &first);
        runOnPool(new CopyToCache(QByteArray("short"), id, "x.bin", "images"), &second);
        QCOMPARE(second.failedCount, 0);
        QCOMPARE(readAll(m_data + "/images/" + id.toString() + "/x.bin"), QByteArray("short"));
    }

    void testImageIsSavedInTheFormatOfItsSuffix()
    {
        const QUuid id = QUuid::createUuid();
        const QImage image = sampleImage();
        JobWatcher png, bmp;
        runOnPool(new CopyToCache(image, id, "App-40x30.png", "images"), &png);
        runOnPool(new CopyToCache(image, id, "copy.bmp", "images"), &bmp);
        QCOMPARE(png.failedCount + bmp.failedCount, 0);

        const QString folder = m_data + "/images/" + id.toString() + "/";
        QImageReader pngReader(folder + "App-40x30.png");
        QCOMPARE(pngReader.format(), QByteArray("png"));
        QCOMPARE(pngReader.read().convertToFormat(QImage::Format_ARGB32), image);
        QCOMPARE(QImageReader(folder + "copy.bmp").format(), QByteArray("bmp"));
    }

    void testLocalFileIsCopied()
    {
        QTemporaryDir sources;
        const QString source = sources.filePath("picture.jpg");
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("jpeg bytes");
        file.close();

        const QUuid id = QUuid::createUuid();
        JobWatcher watcher;
        runOnPool(new CopyToCache(QUrl::fromLocalFile(source), id, "picture.jpg", "images"), &watcher);
        QCOMPARE(watcher.failedCount, 0);
        QCOMPARE(readAll(m_data + "/images/" + id.toString() + "/picture.jpg"), QByteArray("jpeg bytes"));
        QCOMPARE(readAll(source), QByteArray("jpeg bytes"));
    }

    void testCopyOntoAnExistingTargetFailsAndStillFinishes()
    {
        QTemporaryDir sources;
        const QString source = sources.filePath("new.png");
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("new");
        file.close();

        const QUuid id = QUuid::createUuid();
        JobWatcher first;
        runOnPool(new CopyToCache(QByteArray("old"), id, "new.png", "images"), &first);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to copy .*new\\.png.* to .*new\\.png"));
        JobWatcher watcher;
        runOnPool(new CopyToCache(QUrl::fromLocalFile(source), id, "new.png", "images"), &watcher);
        QCOMPARE(watcher.failedCount, 1);
        QCOMPARE(readAll(m_data + "/images/" + id.toString() + "/new.png"), QByteArray("old"));
    }

    // Every way the write can fail must say so: the caller must never take a missing file for a
    // cached one.
    void testFailedWritesReportFailure()
    {
        const QUuid id = QUuid::createUuid();
        const QString folder = m_data + "/images/" + id.toString();
        QVERIFY(QDir().mkpath(folder + "/taken.png"));

        {
            // A folder in the file's place: the checked write cannot put the file there.
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to (create|write) .*taken\\.png"));
            JobWatcher watcher;
            runOnPool(new CopyToCache(QByteArray("bytes"), id, "taken.png", "images"), &watcher);
            QCOMPARE(watcher.failedCount, 1);
        }
        {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to save the file .*x\\.nosuchformat"));
            JobWatcher watcher;
            runOnPool(new CopyToCache(sampleImage(), id, "x.nosuchformat", "images"), &watcher);
            QCOMPARE(watcher.failedCount, 1);
            QVERIFY(!QFileInfo::exists(folder + "/x.nosuchformat"));
        }
        {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to save the file .*null\\.png"));
            JobWatcher watcher;
            runOnPool(new CopyToCache(QImage(), id, "null.png", "images"), &watcher);
            QCOMPARE(watcher.failedCount, 1);
            QVERIFY(!QFileInfo::exists(folder + "/null.png"));
        }
        {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to copy .*missing\\.png"));
            JobWatcher watcher;
            runOnPool(new CopyToCache(QUrl::fromLocalFile(m_home.filePath("missing.png")), id, "missing.png",
                                      "images"),
                      &watcher);
            QCOMPARE(watcher.failedCount, 1);
        }
        {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to copy"));
            JobWatcher watcher;
            runOnPool(new CopyToCache(QUrl("https://example.com/remote.png"), id, "remote.png", "images"),
                      &watcher);
            QCOMPARE(watcher.failedCount, 1);
            QVERIFY(!QFileInfo::exists(folder + "/remote.png"));
        }
    }

    // The reason reaches the user's warning, so it speaks the user's language.
    void testFailureReasonSpeaksTheChosenLanguage_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unsafe name") << "../escaped.png" << "images" << "Unsicherer Dateiname images/../escaped.png";
        QTest::newRow("unknown format") << "x.nosuchformat" << "images"
                                        << "Das Bild kann nicht als nosuchformat geschrieben werden";
    }

    void testFailureReasonSpeaksTheChosenLanguage()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, folder);
        QFETCH(QString, reason);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^(Refusing to cache|Failed to save the file)"));
        Translation::selectLanguage("German");
        JobWatcher watcher;
        runOnPool(new CopyToCache(sampleImage(), QUuid::createUuid(), fileName, folder), &watcher);
        Translation::selectLanguage("English");
        QCOMPARE(watcher.failedCount, 1);
        QCOMPARE(watcher.reason, reason);
    }

    // A full disk must not leave a truncated file behind that passes for the cached one.
    void testShortWriteIsAFailureAndKeepsTheOldFile()
    {
        const QUuid id = QUuid::createUuid();
        JobWatcher first;
        runOnPool(new CopyToCache(QByteArray("old"), id, "big.bin", "images"), &first);

        // The file-size limit stands in for a full disk: writes past it fail with EFBIG.
        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to write .*big\\.bin"));
        QImage large(400, 400, QImage::Format_ARGB32);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 400; ++x)
                large.setPixel(x, y, qRgba(x * y % 251, x % 253, y % 241, 255));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to save the file .*large\\.png"));
        JobWatcher bytes, image;
        runOnPool(new CopyToCache(QByteArray(64 * 1024, 'x'), id, "big.bin", "images"), &bytes);
        runOnPool(new CopyToCache(large, id, "large.png", "images"), &image);

        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(bytes.failedCount, 1);
        QCOMPARE(image.failedCount, 1);
        const QString folder = m_data + "/images/" + id.toString();
        QCOMPARE(readAll(folder + "/big.bin"), QByteArray("old"));
        QVERIFY(!QFileInfo::exists(folder + "/large.png"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"big.bin"});
    }

    void testFullDiskLeavesNoEmptyImageAndReportsTheFailure()
    {
        KESTOVAN_SMALL_DISK_OR_SKIP(disk, 64 * 1024, m_data);
        const QUuid id = QUuid::createUuid();
        QVERIFY(QDir().mkpath(m_data + "/images/" + id.toString()));
        QTemporaryDir sources;
        const QString source = sources.filePath("photo.png");
        QVERIFY(sampleImage().save(source));
        QVERIFY(disk.fill());

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to save the file .*shot\\.png.*No space left on device"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to write .*raw\\.png.*No space left on device"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to copy .*photo\\.png.*No space left on device"));
        JobWatcher image, bytes, copied;
        runOnPool(new CopyToCache(sampleImage(), id, "shot.png", "images"), &image);
        runOnPool(new CopyToCache(QByteArray(32 * 1024, 'r'), id, "raw.png", "images"), &bytes);
        runOnPool(new CopyToCache(QUrl::fromLocalFile(source), id, "photo.png", "images"), &copied);
        QCOMPARE(image.failedCount + bytes.failedCount + copied.failedCount, 3);
        QVERIFY2(image.reason.contains("No space left on device"), qPrintable(image.reason));
        // Nothing that could pass for a saved image, not even an empty file.
        QCOMPARE(QDir(m_data + "/images/" + id.toString()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void testNamesThatLeaveTheCacheAreRefused_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("folder");
        QTest::newRow("parent in file name") << "../escaped.png" << "images";
        QTest::newRow("two levels up") << "../../escaped.png" << "images";
        QTest::newRow("sub-folder") << "sub/escaped.png" << "images";
        QTest::newRow("absolute") << m_home.filePath("escaped.png") << "images";
        QTest::newRow("backslash") << "..\\escaped.png" << "images";
        QTest::newRow("dot dot") << ".." << "images";
        QTest::newRow("dot") << "." << "images";
        QTest::newRow("empty") << "" << "images";
        QTest::newRow("parent folder") << "escaped.png" << "..";
        QTest::newRow("folder outside") << "escaped.png" << "../outside";
    }

    void testNamesThatLeaveTheCacheAreRefused()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, folder);
        const QUuid id = QUuid::createUuid();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Refusing to cache"));
        JobWatcher watcher;
        runOnPool(new CopyToCache(QByteArray("hostile"), id, fileName, folder), &watcher);
        QCOMPARE(watcher.failedCount, 1);

        // Nothing at all was written anywhere under the temporary home.
        QDirIterator it(m_home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        QStringList written;
        while (it.hasNext())
            written << it.next();
        QCOMPARE(written, QStringList());
    }
};

QTEST_MAIN(TestCopyToCache)
#include "tst_copytocache.moc"
