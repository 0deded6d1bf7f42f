#include "common/slicedwork.h"

#include <QMutex>
#include <QSet>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <vector>

// Every element must be worked on exactly once, whatever the split.
class TestSlicedWork : public QObject
{
    Q_OBJECT

private slots:
    void testEveryElementIsWorkedOnOnce_data()
    {
        QTest::addColumn<qsizetype>("count");
        QTest::addColumn<qsizetype>("minimumSlice");
        QTest::newRow("nothing") << qsizetype(0) << qsizetype(10);
        QTest::newRow("one") << qsizetype(1) << qsizetype(10);
        QTest::newRow("below a slice") << qsizetype(9) << qsizetype(10);
        QTest::newRow("two slices and a bit") << qsizetype(21) << qsizetype(10);
        QTest::newRow("many slices, odd count") << qsizetype(10007) << qsizetype(10);
        QTest::newRow("no minimum") << qsizetype(7) << qsizetype(0);
    }

    void testEveryElementIsWorkedOnOnce()
    {
        QFETCH(qsizetype, count);
        QFETCH(qsizetype, minimumSlice);
        std::vector<int> visits(size_t(count), 0);
        QMutex mutex;
        QSet<Qt::HANDLE> threads;
        QList<qsizetype> sizes;
        SlicedWork::run(count, minimumSlice, [&](qsizetype begin, qsizetype end) {
            for (qsizetype i = begin; i < end; ++i)
                ++visits[size_t(i)];
            QMutexLocker locker(&mutex);
            threads.insert(QThread::currentThreadId());
            sizes.append(end - begin);
        });
        for (qsizetype i = 0; i < count; ++i)
            QCOMPARE(visits[size_t(i)], 1);
        for (qsizetype size : std::as_const(sizes))
            QVERIFY(size >= std::min(count, std::max<qsizetype>(1, minimumSlice)));
        QCOMPARE(threads.size(), SlicedWork::sliceCount(count, minimumSlice));
        QVERIFY(count == 0 || threads.contains(QThread::currentThreadId()));
    }
};

QTEST_GUILESS_MAIN(TestSlicedWork)
#include "tst_slicedwork.moc"
