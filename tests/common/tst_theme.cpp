#include "common/theme.h"

#include <QtTest>

class TestTheme : public QObject
{
    Q_OBJECT

private slots:
    void testLightIsTheInitialTheme()
    {
        QCOMPARE(getTheme(), THEME_LIGHT);
        QCOMPARE(getColor(COLOR_BACKGROUND), QColor(248, 248, 248));
    }

    void testBothPalettes_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("dark");
        QTest::addColumn<QString>("light");
        QTest::newRow("background") << int(COLOR_BACKGROUND) << "31, 32, 35" << "248, 248, 248";
        QTest::newRow("text") << int(COLOR_TEXT) << "248, 248, 248" << "41, 46, 50";
        QTest::newRow("secondary") << int(COLOR_TEXT_SECONDARY) << "165, 171, 183" << "92, 93, 97";
        QTest::newRow("tertiary") << int(COLOR_TEXT_TERTIARY) << "117, 121, 132" << "152, 146, 144";
        QTest::newRow("selected") << int(COLOR_SELECTED) << "81, 82, 87" << "220, 220, 220";
        QTest::newRow("hover") << int(COLOR_HOVER) << "55, 56, 57" << "240, 240, 240";
        QTest::newRow("gradient top") << int(COLOR_GRADIENT_TOP) << "57, 57, 59" << "247, 245, 246";
        QTest::newRow("panel") << int(COLOR_PANEL) << "53, 53, 54" << "241, 240, 239";
        QTest::newRow("gradient bottom") << int(COLOR_GRADIENT_BOTTOM) << "48, 47, 52" << "234, 234, 234";
        QTest::newRow("border") << int(COLOR_BORDER) << "80, 81, 82" << "197, 197, 197";
    }

    void testBothPalettes()
    {
        QFETCH(int, index);
        QFETCH(QString, dark);
        QFETCH(QString, light);
        setTheme(THEME_DARK);
        QCOMPARE(getColorString(COLOR(index)), dark);
        QCOMPARE(getColor(COLOR(index)).alpha(), 255);
        setTheme(THEME_LIGHT);
        QCOMPARE(getColorString(COLOR(index)), light);
    }

    void testIndexPastThePaletteIsInvalid()
    {
        for (THEME theme : {THEME_DARK, THEME_LIGHT}) {
            setTheme(theme);
            QVERIFY(!getColor(COLOR(10)).isValid());
            QCOMPARE(getColorString(COLOR(10)), QString("0, 0, 0"));
        }
    }
};

QTEST_GUILESS_MAIN(TestTheme)
#include "tst_theme.moc"
