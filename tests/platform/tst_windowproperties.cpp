#include "platform/windowproperties.h"

#include <QtTest>

#include <limits>

namespace {

void appendIcon(QList<quint32> &data, quint32 width, quint32 height, quint32 argb)
{
    data << width << height;
    for (quint32 i = 0; i < width * height; ++i)
        data << argb;
}

QImage iconOf(const QList<quint32> &data)
{
    return WindowProperties::iconImage(data.constData(), data.size(), 64);
}

} // namespace

class WindowPropertiesTest : public QObject
{
    Q_OBJECT

private slots:
    void testWmClassNameIsTheClassPart_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("name");
        QTest::newRow("instance and class") << QByteArray("kestovan_probe\0KestovanProbe\0", 29) << "KestovanProbe";
        QTest::newRow("empty class") << QByteArray("xterm\0\0", 7) << "xterm";
        QTest::newRow("no terminator") << QByteArray("navigator\0Firefox", 17) << "Firefox";
        QTest::newRow("instance only") << QByteArray("lonely") << "lonely";
        QTest::newRow("nothing") << QByteArray() << QString();
        QTest::newRow("utf-8") << QByteArray("a\0Gr\xC3\xBC\xC3\x9F" "e\0", 10) << QString::fromUtf8("Grüße");
        QTest::newRow("latin-1") << QByteArray("a\0Gr\xFC\xDF" "e\0", 8) << QString::fromUtf8("Grüße");
    }

    void testWmClassNameIsTheClassPart()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, name);
        QCOMPARE(WindowProperties::wmClassName(value), name);
    }

    void testIconPicksSmallestAtLeastRequestedSize()
    {
        QList<quint32> data;
        appendIcon(data, 32, 32, 0xFF0000FF);
        appendIcon(data, 128, 128, 0xFF00FF00);
        appendIcon(data, 96, 96, 0xFFFF0000);
        const QImage image = iconOf(data);
        QCOMPARE(image.size(), QSize(64, 64));
        QCOMPARE(image.pixel(10, 10), 0xFFFF0000u);
    }

    void testIconScalesUpLargestWhenAllAreSmall()
    {
        QList<quint32> data;
        appendIcon(data, 16, 16, 0xFF0000FF);
        appendIcon(data, 48, 48, 0x80FF0000);
        const QImage image = iconOf(data);
        QCOMPARE(image.size(), QSize(64, 64));
        QCOMPARE(qRed(image.pixel(32, 32)), 255);
        QCOMPARE(qAlpha(image.pixel(32, 32)), 0x80);
    }

    void testIconOfExactSizeKeepsItsPixels()
    {
        QList<quint32> data{64, 64};
        for (quint32 i = 0; i < 64 * 64; ++i)
            data << (0xFF000000u | i);
        const QImage image = iconOf(data);
        QCOMPARE(image.pixel(0, 0), 0xFF000000u);
        QCOMPARE(image.pixel(5, 2), 0xFF000000u | (2 * 64 + 5));
    }

    void testTruncatedIconDataIsNotReadPastItsEnd()
    {
        // Another client can set any _NET_WM_ICON: a size that claims more pixels than it carries.
        QList<quint32> data;
        appendIcon(data, 32, 32, 0xFF00FF00);
        data << 256 << 256 << 1 << 2 << 3;
        const QImage image = iconOf(data);
        QCOMPARE(image.size(), QSize(64, 64));
        QCOMPARE(image.pixel(1, 1), 0xFF00FF00u);

        QVERIFY(iconOf(QList<quint32>{1000, 1000, 5}).isNull());
    }

    void testHostileIconSizesAreRejected()
    {
        const quint32 huge = std::numeric_limits<quint32>::max();
        QVERIFY(iconOf(QList<quint32>{huge, huge}).isNull());
        QVERIFY(iconOf(QList<quint32>{huge, 2, 1, 2}).isNull());
        QVERIFY(iconOf(QList<quint32>{0, 5}).isNull());
        QVERIFY(iconOf(QList<quint32>{16}).isNull());
        QVERIFY(iconOf(QList<quint32>{}).isNull());
    }
};

QTEST_MAIN(WindowPropertiesTest)
#include "tst_windowproperties.moc"
