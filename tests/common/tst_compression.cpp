#include "common/compression.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QByteArray withClaim(QByteArray compressed, quint32 claimed)
{
    compressed[0] = char(claimed >> 24);
    compressed[1] = char(claimed >> 16);
    compressed[2] = char(claimed >> 8);
    compressed[3] = char(claimed);
    return compressed;
}

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(17);
    for (char &c : bytes)
        c = char(generator.bounded(256));
    return bytes;
}

} // namespace

// Sync documents arrive from other computers; qUncompress trusts their length header and keeps
// doubling its buffer, so a small payload could take gigabytes.
class TestCompression : public QObject
{
    Q_OBJECT

private slots:
    void testWhatQCompressWroteReadsBack_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one byte") << QByteArray("x");
        QTest::newRow("just under the first buffer") << QByteArray(256 * 1024 - 1, 'a');
        QTest::newRow("exactly the first buffer") << QByteArray(256 * 1024, 'b');
        QTest::newRow("just over the first buffer") << QByteArray(256 * 1024 + 1, 'c');
        QTest::newRow("three megabytes of noise") << randomBytes(3 * 1024 * 1024 + 7);
    }

    void testWhatQCompressWroteReadsBack()
    {
        QFETCH(QByteArray, plain);
        QString error;
        const QByteArray read = Compression::uncompress(qCompress(plain), plain.size(), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(read, plain);
    }

    void testHostilePayloadsAreRefusedBeforeTheyGrow_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("reason");
        const QByteArray document = qCompress(QByteArray(2000, 'd'));
        QTest::newRow("claims more than allowed") << document << "claims 2000 bytes, more than the 1000";
        // A megabyte of zeros that says it is sixteen bytes: the bomb stops at byte seventeen.
        QTest::newRow("yields more than it claims") << withClaim(qCompress(QByteArray(1024 * 1024, '\0')), 16)
                                                    << "yields more than the 16 bytes";
        QTest::newRow("truncated") << qCompress(randomBytes(900)).left(200) << "truncated";
        QTest::newRow("damaged stream") << QByteArray("\x00\x00\x00\x10garbage!", 12) << "damaged";
        QTest::newRow("no length") << QByteArray("\x00\x01", 2) << "too short";
    }

    void testHostilePayloadsAreRefusedBeforeTheyGrow()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QString, reason);
        QString error;
        QVERIFY(Compression::uncompress(payload, 1000, &error).isEmpty());
        QVERIFY2(error.contains(reason), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestCompression)
#include "tst_compression.moc"
