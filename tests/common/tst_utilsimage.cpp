#include "common/theme.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QtTest>

namespace {
const char *BlackSquare =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"24\" height=\"24\" viewBox=\"0 0 24 24\">"
    "<rect x=\"4\" y=\"4\" width=\"16\" height=\"16\" fill=\"#000000\" opacity=\"1.0\"/></svg>";

QImage transparentImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}
} // namespace

class TestUtilsImage : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_square;

    QString writeSvg(const QString &name, const QString &text)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(text.toUtf8());
        return path;
    }

    static void setSystemDark(bool dark) { qputenv("KESTOVAN_DARK_MODE", dark ? "1" : "0"); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_square = writeSvg("square.svg", BlackSquare);
    }

    void cleanup()
    {
        setTheme(THEME_LIGHT);
        qunsetenv("KESTOVAN_DARK_MODE");
    }

    void testRecolouringFollowsThemeOrSystemByFlag_data()
    {
        QTest::addColumn<int>("theme");
        QTest::addColumn<bool>("followSystem");
        QTest::addColumn<bool>("systemDark");
        QTest::addColumn<bool>("white");
        for (int theme : {int(THEME_DARK), int(THEME_LIGHT)}) {
            for (bool followSystem : {false, true}) {
                for (bool systemDark : {false, true}) {
                    const bool white = followSystem ? systemDark : theme == THEME_DARK;
                    const QString name = QString("%1 theme, %2, system %3")
                                             .arg(theme == THEME_DARK ? "dark" : "light")
                                             .arg(followSystem ? "follow system" : "follow theme")
                                             .arg(systemDark ? "dark" : "light");
                    QTest::newRow(qPrintable(name)) << theme << followSystem << systemDark << white;
                }
            }
        }
    }

    void testRecolouringFollowsThemeOrSystemByFlag()
    {
        QFETCH(int, theme);
        QFETCH(bool, followSystem);
        QFETCH(bool, systemDark);
        QFETCH(bool, white);
        setTheme(THEME(theme));
        setSystemDark(systemDark);
        const QByteArray svg = Utils::loadSvg(m_square, followSystem, 1.0);
        QCOMPARE(svg.contains("fill=\"#FFFFFF\""), white);
        QCOMPARE(svg.contains("fill=\"#000000\""), !white);
    }

    void testOnlyTheExactBlackIsRecoloured()
    {
        const QString path = writeSvg("spellings.svg",
                                      "<svg fill=\"#000000\" stroke=\"#000\" color=\"black\" stop-color=\"#000000\"/>");
        setTheme(THEME_DARK);
        QCOMPARE(Utils::loadSvg(path, false, 1.0),
                 QByteArray("<svg fill=\"#FFFFFF\" stroke=\"#000\" color=\"black\" stop-color=\"#FFFFFF\"/>"));
    }

    void testOpacityOneIsRewrittenInShortestForm_data()
    {
        QTest::addColumn<double>("opacity");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("half") << 0.5 << QByteArray("<g opacity=\"0.5\"><g opacity=\"0.5\"/></g>");
        QTest::newRow("one") << 1.0 << QByteArray("<g opacity=\"1\"><g opacity=\"1\"/></g>");
        QTest::newRow("quarter") << 0.25 << QByteArray("<g opacity=\"0.25\"><g opacity=\"0.25\"/></g>");
    }

    void testOpacityOneIsRewrittenInShortestForm()
    {
        QFETCH(double, opacity);
        QFETCH(QByteArray, expected);
        const QString path = writeSvg("opacity.svg", "<g opacity=\"1.0\"><g opacity=\"1.0\"/></g>");
        QCOMPARE(Utils::loadSvg(path, false, opacity), expected);
    }

    // Only a whole attribute named opacity: a name that merely ends in it is another attribute.
    void testOnlyTheOpacityAttributeItselfIsRewritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("others") << "<g opacity=\"0.8\" fill-opacity=\"1.0\" stroke-opacity=\"1.0\" x='opacity=\"1\"'/>"
                                << "<g opacity=\"0.8\" fill-opacity=\"1.0\" stroke-opacity=\"1.0\" x='opacity=\"1\"'/>";
        QTest::newRow("word characters") << "<g _opacity=\"1.0\" a2opacity=\"1.0\" \u00e9opacity=\"1.0\"/>"
                                         << "<g _opacity=\"1.0\" a2opacity=\"1.0\" \u00e9opacity=\"1.0\"/>";
        // A letter outside the basic plane is two UTF-16 units.
        QTest::newRow("astral letter") << QString::fromUtf8("<g \U0001D400opacity=\"1.0\"/>")
                                       << QString::fromUtf8("<g \U0001D400opacity=\"1.0\"/>");
        QTest::newRow("after punctuation") << "opacity=\"1.0\";opacity=\"1.0\"\topacity=\"1.0\""
                                           << "opacity=\"0.5\";opacity=\"0.5\"\topacity=\"0.5\"";
        QTest::newRow("adjacent") << "opacity=\"1.0\"opacity=\"1.0\"" << "opacity=\"0.5\"opacity=\"0.5\"";
    }

    void testOnlyTheOpacityAttributeItselfIsRewritten()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QString path = writeSvg("other-opacity.svg", text);
        QCOMPARE(QString::fromUtf8(Utils::loadSvg(path, false, 0.5)), expected);
    }

    void testMissingSvgGivesEmptyBytesAndABlankIcon()
    {
        const QString missing = m_dir.filePath("missing.svg");
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Could not open file for read: .*missing\\.svg"));
        QVERIFY(Utils::loadSvg(missing, false, 1.0).isEmpty());

        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Could not open file for read:"));
        const QImage image = Utils::svg2icon(missing, false).pixmap(QSize(24, 24)).toImage();
        QCOMPARE(image.size(), QSize(24, 24));
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                QCOMPARE(qAlpha(image.pixel(x, y)), 0);
    }

    void testIconIsDrawnInTheThemeColourAtAnySize()
    {
        for (int size : {24, 96}) {
            setTheme(THEME_LIGHT);
            QImage image = Utils::svg2icon(m_square, false).pixmap(QSize(size, size)).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QCOMPARE(image.pixelColor(size / 2, size / 2), QColor(0, 0, 0));
            QCOMPARE(qAlpha(image.pixel(1, 1)), 0);

            setTheme(THEME_DARK);
            image = Utils::svg2icon(m_square, false).pixmap(QSize(size, size)).toImage();
            QCOMPARE(image.pixelColor(size / 2, size / 2), QColor(255, 255, 255));
            // The SVG's 4-unit margin scales with the size: a cached 24-pixel bitmap would not.
            QCOMPARE(qAlpha(image.pixel(size / 6 - 1, size / 2)), 0);
            QCOMPARE(qAlpha(image.pixel(size / 6 + 1, size / 2)), 255);
        }
    }

    void testReplacementIconRunsAfterSystemRecolouring()
    {
        setTheme(THEME_DARK); // the program theme must not matter here
        setSystemDark(false);
        QImage image = Utils::svg2icon(m_square, "#808080", "#000000").pixmap(QSize(24, 24)).toImage();
        QCOMPARE(image.pixelColor(12, 12), QColor(128, 128, 128));

        setTheme(THEME_LIGHT);
        setSystemDark(true);
        image = Utils::svg2icon(m_square, "#808080", "#000000").pixmap(QSize(24, 24)).toImage();
        QCOMPARE(image.pixelColor(12, 12), QColor(255, 255, 255));
    }

    void testRenderSvgFlagAndOpacityForms()
    {
        QImage image = transparentImage(24);
        setSystemDark(true);
        {
            QPainter painter(&image);
            Utils::renderSvg(m_square, &painter, QRect(0, 0, 24, 24), true);
        }
        QCOMPARE(image.pixelColor(12, 12), QColor(255, 255, 255));

        // The opacity form follows the program theme, whatever the system does.
        image = transparentImage(24);
        {
            QPainter painter(&image);
            Utils::renderSvg(m_square, &painter, QRect(0, 0, 24, 24), 0.5);
        }
        QVERIFY(qAbs(qAlpha(image.pixel(12, 12)) - 128) <= 2);
        QCOMPARE(image.pixelColor(12, 12).toRgb().red(), 0);

        // Drawn into the rectangle only.
        image = transparentImage(48);
        {
            QPainter painter(&image);
            Utils::renderSvg(m_square, &painter, QRect(24, 24, 24, 24), false);
        }
        QCOMPARE(qAlpha(image.pixel(12, 12)), 0);
        QCOMPARE(qAlpha(image.pixel(36, 36)), 255);
    }

    void testPixmapSurvivesTheTextRoundTrip()
    {
        QImage original(37, 21, QImage::Format_ARGB32);
        for (int y = 0; y < original.height(); ++y)
            for (int x = 0; x < original.width(); ++x)
                original.setPixel(x, y, qRgba(x * 7, y * 12, (x * y) % 256, (x + y) % 3 * 127));
        const QPixmap pixmap = QPixmap::fromImage(original);
        const QString text = Utils::pixmapToString(pixmap);
        QVERIFY(QRegularExpression("^[A-Za-z0-9+/]+=*$").match(text).hasMatch());
        QVERIFY(QByteArray::fromBase64(text.toLatin1()).startsWith("\x89PNG\r\n\x1a\n"));

        const QPixmap back = Utils::stringToPixmap(text);
        QCOMPARE(back.size(), original.size());
        QCOMPARE(back.toImage().convertToFormat(QImage::Format_ARGB32),
                 pixmap.toImage().convertToFormat(QImage::Format_ARGB32));
    }

    void testBadTextGivesANullPixmap_data()
    {
        QTest::addColumn<QString>("text");
        const QString good = Utils::pixmapToString(QPixmap::fromImage(transparentImage(64)));
        QTest::newRow("empty") << QString();
        QTest::newRow("not base64") << "this is *not* base64!";
        QTest::newRow("base64 of text") << QString::fromLatin1(QByteArray("hello world").toBase64());
        QTest::newRow("truncated png") << good.left((good.size() / 8) * 4);
        QTest::newRow("garbage after png") << good + "@@@@";
    }

    void testBadTextGivesANullPixmap()
    {
        QFETCH(QString, text);
        QVERIFY(Utils::stringToPixmap(text).isNull());
    }

    void testPlainFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("png") << "Firefox-800x600.png" << true;
        QTest::newRow("spaces and unicode") << "Фото 1.jpg" << true;
        QTest::newRow("leading dot") << ".hidden.png" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("parent") << "../x.png" << false;
        QTest::newRow("dots inside") << "a..b" << false;
        QTest::newRow("slash") << "a/b.png" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("backslash") << "a\\b.png" << false;
        QTest::newRow("nul") << QString("a") + QChar(0) + "b" << false;
    }

    void testPlainFileNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, plain);
        QCOMPARE(Utils::isPlainFileName(name), plain);
    }

    void testWindowPlacementOnTheRealScreen()
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        const QRect available = screen->availableGeometry();
        QMainWindow window;
        window.resize(300, 200);
        const int w = window.width();
        const int h = window.height();

        // Near the bottom-right corner: the visible frame ends at the point, above and left of it.
        const QPoint corner = available.bottomRight() - QPoint(10, 10);
        Utils::moveWindowInsideScreen(&window, corner);
        QCOMPARE(window.pos(), QPoint(corner.x() + 8 - w, corner.y() + 8 - h));

        // With room right and below: the visible frame starts at the point.
        const QPoint topLeft = available.topLeft() + QPoint(40, 30);
        Utils::moveWindowInsideScreen(&window, topLeft);
        QCOMPARE(window.pos(), topLeft - QPoint(8, 8));

        // Less than 16 pixels from the left edge: the visible frame goes to the edge.
        const QPoint nearLeft = available.topLeft() + QPoint(10, 30);
        Utils::moveWindowInsideScreen(&window, nearLeft);
        QCOMPARE(window.pos(), QPoint(available.left() - 8, nearLeft.y() - 8));

        // No screen at the point: the window stays.
        window.move(123, 45);
        Utils::moveWindowInsideScreen(&window, QPoint(-100000, -100000));
        QCOMPARE(window.pos(), QPoint(123, 45));
    }

    void testWindowPlacementAroundMenuBarAndDock_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("position");
        const QSize size(400, 500);
        // Menu bar 25 high, dock 75 high at the bottom.
        const QRect bars(0, 25, 1440, 800);
        QTest::newRow("in the menu bar: centred on the point, frame below the bar")
            << QPoint(700, 10) << bars << QPoint(700 - 200, 25 - 8);
        QTest::newRow("in the dock: centred, frame above the dock")
            << QPoint(700, 860) << bars << QPoint(500, 824 + 8 - 500);
        QTest::newRow("below, no room: frame ends at the point")
            << QPoint(100, 700) << bars << QPoint(92, 700 + 8 - 500);
        QTest::newRow("room below but the dock is in the way")
            << QPoint(100, 350) << bars << QPoint(92, 824 - 500 + 8);
        // Dock at the left, 60 wide; dock at the right, ending at 1379.
        QTest::newRow("left of a side dock: vertically centred, frame at the dock")
            << QPoint(30, 400) << QRect(60, 0, 1380, 900) << QPoint(60 - 8, 400 - 250);
        QTest::newRow("right of a side dock: frame ends at the dock")
            << QPoint(1420, 400) << QRect(0, 0, 1380, 900) << QPoint(1379 + 8 - 400, 150);
        QTest::newRow("room right on screen, not beside a right dock")
            << QPoint(1000, 100) << QRect(0, 0, 1380, 900) << QPoint(1379 + 8 - 400, 92);
    }

    void testWindowPlacementAroundMenuBarAndDock()
    {
        QFETCH(QPoint, point);
        QFETCH(QRect, available);
        QFETCH(QPoint, position);
        const QRect screen(0, 0, 1440, 900);
        QCOMPARE(Utils::windowPositionInsideScreen(point, QSize(400, 500), screen, available), position);
    }
};

QTEST_MAIN(TestUtilsImage)
#include "tst_utilsimage.moc"
