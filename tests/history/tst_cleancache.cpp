#include "history/cleancache.h"
#include "common/utils.h"

#include <QtTest>

#include <sys/stat.h>
#include <utime.h>

class TestCleanCache : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_images;

    QString makeFolder(const QString &name, bool old = true)
    {
        const QString path = m_images + "/" + name;
        QDir().mkpath(path + "/nested");
        QFile file(path + "/nested/picture.png");
        file.open(QIODevice::WriteOnly);
        file.write("bytes");
        file.close();
        if (old)
            makeOld(path);
        return path;
    }

    // The clean-up spares folders written lately; age the fixtures so they count as abandoned.
    static void makeOld(const QString &path)
    {
        const time_t twoHoursAgo = QDateTime::currentSecsSinceEpoch() - 7200;
        struct utimbuf times = {twoHoursAgo, twoHoursAgo};
        QVERIFY(utime(QFile::encodeName(path).constData(), &times) == 0);
    }

    static void clean(const QStringList &ids)
    {
        CleanCache job(ids);
        job.setAutoDelete(false);
        job.run();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
        m_images = Utils::dataPath() + "/images";
    }

    void init() { QDir(Utils::dataPath()).removeRecursively(); }

    void testLiveFoldersAreKeptAndOthersDeleted()
    {
        const QString live = QUuid::createUuid().toString();
        const QString removed = QUuid::createUuid().toString();
        const QString orphan = QUuid::createUuid().toString();
        makeFolder(live);
        makeFolder(removed);
        makeFolder(orphan);
        makeFolder("not-an-id");

        // The id list carries removed (tombstoned) clippings too: their folders stay.
        clean({live, removed});

        QVERIFY(QFileInfo::exists(m_images + "/" + live + "/nested/picture.png"));
        QVERIFY(QFileInfo::exists(m_images + "/" + removed + "/nested/picture.png"));
        QVERIFY(!QFileInfo::exists(m_images + "/" + orphan));
        QVERIFY(!QFileInfo::exists(m_images + "/not-an-id"));
    }

    void testIdsMatchCaseSensitively()
    {
        const QString id = QUuid::createUuid().toString();
        makeFolder(id.toUpper());
        clean({id});
        QVERIFY(!QFileInfo::exists(m_images + "/" + id.toUpper()));
    }

    // A capture made after the id list was taken must not lose its image.
    void testFolderWrittenAfterTheIdListIsKept()
    {
        const QString older = QUuid::createUuid().toString();
        makeFolder(older);
        CleanCache job({});
        job.setAutoDelete(false);
        const QString newer = QUuid::createUuid().toString();
        makeFolder(newer, false);
        job.run();
        QVERIFY(QFileInfo::exists(m_images + "/" + newer + "/nested/picture.png"));
        QVERIFY(!QFileInfo::exists(m_images + "/" + older));
    }

    void testNothingOutsideTheImagesFolderIsDeleted()
    {
        QTemporaryDir elsewhere;
        QFile precious(elsewhere.filePath("precious.txt"));
        QVERIFY(precious.open(QIODevice::WriteOnly));
        precious.write("keep me");
        precious.close();

        QDir().mkpath(m_images);
        const QString link = m_images + "/" + QUuid::createUuid().toString();
        QVERIFY(QFile::link(elsewhere.path(), link));
        makeOld(elsewhere.path());

        const QString sibling = Utils::dataPath() + "/actions/old";
        QDir().mkpath(sibling);
        makeOld(sibling);

        QFile strayFile(m_images + "/stray.txt");
        QVERIFY(strayFile.open(QIODevice::WriteOnly));
        strayFile.close();

        clean({});

        QVERIFY(QFileInfo::exists(elsewhere.filePath("precious.txt")));
        QVERIFY(!QFileInfo(link).isSymLink());
        QVERIFY(QFileInfo::exists(sibling));
        QVERIFY(QFileInfo::exists(m_images + "/stray.txt"));
    }

    void testMissingImagesFolderIsHarmless()
    {
        clean({QUuid::createUuid().toString()});
        QVERIFY(!QFileInfo::exists(m_images));
    }
};

QTEST_MAIN(TestCleanCache)
#include "tst_cleancache.moc"
