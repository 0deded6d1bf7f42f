// Application icons of loaded clippings, decoded when shown and kept only for the icons shown last.
#include "historytestsupport.h"

#include "history/clippingitem.h"

#include <QPainter>

using namespace HistoryTest;

class TestEncodedIcon : public QObject
{
    Q_OBJECT

    static QPixmap drawn(const QColor &colour)
    {
        QPixmap pixmap(64, 64);
        pixmap.fill(colour);
        QPainter painter(&pixmap);
        painter.setPen(Qt::black);
        painter.drawLine(0, 0, 63, 40);
        return pixmap;
    }

    static QImage pixels(const QPixmap &pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

private slots:
    void testEvictedIconComesBackIdentical()
    {
        const QPixmap original = drawn(Qt::darkCyan);
        const EncodedIcon icon(Utils::pixmapToString(original));
        const QImage first = pixels(icon.pixmap());
        QCOMPARE(first, pixels(original));

        // More icons shown than are kept: the first one's decoded copy goes.
        QList<std::shared_ptr<EncodedIcon>> others;
        for (int i = 0; i <= EncodedIcon::CachedIcons; ++i) {
            others.append(std::make_shared<EncodedIcon>(Utils::pixmapToString(drawn(QColor::fromRgb(i % 256, i / 256, 7)))));
            QVERIFY(!others.constLast()->pixmap().isNull());
        }
        QCOMPARE(pixels(icon.pixmap()), first);
        // Each instance keeps its own icon, even one made after many others went.
        others.clear();
        const EncodedIcon later(Utils::pixmapToString(drawn(Qt::darkRed)));
        QCOMPARE(pixels(later.pixmap()), pixels(drawn(Qt::darkRed)));
        QCOMPARE(pixels(icon.pixmap()), first);
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestEncodedIcon)

#include "tst_encodedicon.moc"
