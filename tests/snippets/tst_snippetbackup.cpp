#include "snippettestsupport.h"

#include "snippets/backup.h"

using namespace SnippetTest;

class TestSnippetBackup : public QObject
{
    Q_OBJECT

    // A file in the backups folder last modified the given number of hours ago.
    static QString oldFile(const QString &name, int hoursAgo)
    {
        const QString path = backupFolder() + "/" + name;
        HistoryTest::writeFile(path, name.toUtf8());
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTime().addSecs(-3600 * hoursAgo), QFileDevice::FileModificationTime);
        return path;
    }

    static QStringList backups()
    {
        return QDir(backupFolder()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    }

    static QString today() { return Backup::filePath("Snippets", QDate::currentDate()); }

private slots:
    void init() { resetStore(); }

    void testOldestBackupsArePrunedBeforeTheDaysFile()
    {
        QDir().mkpath(backupFolder());
        QStringList oldest;
        for (int i = 1; i <= 25; ++i) {
            // Foreign names count too and go when they are the oldest.
            const QString name = i % 5 == 0 ? QString("notes-%1.txt").arg(i) : QString("Snippets-old-%1.json").arg(i);
            oldFile(name, 24 * i);
            if (i > 20)
                oldest.append(name);
        }
        MessageLog log;
        Backup::createBackup("today's bytes", "Snippets");

        const QStringList left = backups();
        QCOMPARE(left.size(), 21);
        for (const QString &name : std::as_const(oldest))
            QVERIFY2(!left.contains(name), qPrintable(name));
        QCOMPARE(HistoryTest::readFile(today()), QByteArray("today's bytes"));
        QCOMPARE(log.count(QtDebugMsg, "Deleted backup file "), 5);
        QCOMPARE(log.count(QtDebugMsg, "Wrote backup file " + today()), 1);
    }

    void testSecondSaveOfTheDayReplacesItsFile()
    {
        QDir().mkpath(backupFolder());
        for (int i = 1; i <= 19; ++i)
            oldFile(QString("Snippets-old-%1.json").arg(i), 24 * i);
        oldFile("Snippets-yesterday.json", 1);
        Backup::createBackup("first", "Snippets");
        QCOMPARE(backups().size(), 21);
        Backup::createBackup("second", "Snippets");
        QCOMPARE(backups().size(), 20);
        QCOMPARE(HistoryTest::readFile(today()), QByteArray("second"));
        // The previous day's file is not the oldest and stays.
        QVERIFY(backups().contains("Snippets-yesterday.json"));
    }

    void testBackupsFolderIsCreated()
    {
        QVERIFY(!QFileInfo::exists(backupFolder()));
        Backup::createBackup("bytes", "Snippets");
        QCOMPARE(HistoryTest::readFile(today()), QByteArray("bytes"));
        QCOMPARE(QFileInfo(today()).fileName(), "Snippets-" + QDate::currentDate().toString("yyyy-MM-dd") + ".json");
    }

    void testHiddenFilesAreNeitherCountedNorDeleted()
    {
        QDir().mkpath(backupFolder());
        const QString hidden = oldFile(".keep", 24 * 100);
        for (int i = 1; i <= 20; ++i)
            oldFile(QString("Snippets-old-%1.json").arg(i), 24 * i);
        Backup::createBackup("bytes", "Snippets");
        QVERIFY(QFileInfo::exists(hidden));
        QCOMPARE(backups().size(), 21);
    }

    void testEverySnippetSaveMakesTheDaysBackup()
    {
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("First", QUuid::createUuid(), time("2024-01-01T00:00:00")), {});
        QVERIFY(model.save(false));
        model.addItems(group("Second", QUuid::createUuid(), time("2024-01-01T00:00:00")), {});
        QVERIFY(model.save(false));
        QCOMPARE(backups(), QStringList{QFileInfo(today()).fileName()});
        QCOMPARE(HistoryTest::readFile(today()), HistoryTest::readFile(snippetPath()));
        QVERIFY(HistoryTest::readFile(today()).contains("Second"));
    }
};

KESTOVAN_SNIPPET_TEST_MAIN(TestSnippetBackup)
#include "tst_snippetbackup.moc"
