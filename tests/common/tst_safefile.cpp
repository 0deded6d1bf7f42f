#include "common/safefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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
        // Writes into /dev/full are buffered and fail with ENOSPC when they reach the device.
        const QString target = path("full.json");
        write(target, "precious");
        QVERIFY(QFile::link("/dev/full", SafeFile::temporaryPath(target)));
        QString error;
        bool openFailed = true;
        QVERIFY(!SafeFile::write(target, QByteArray(64 * 1024, 'x'), &error, &openFailed));
        QVERIFY(!openFailed);
        QVERIFY(!error.isEmpty());
        QCOMPARE(read(target), QByteArray("precious"));
        QVERIFY(!QFileInfo(SafeFile::temporaryPath(target)).isSymLink());
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
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
