#include "common/translation.h"
#include "common/utils.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

class TestUtilsText : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Translation::selectLanguage("English");
    }

    void testSearchFindsWhatLowerCasingWouldFind_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        // Longer than the exhaustive test below reaches.
        QTest::newRow("mixed case") << "Say HeLLo there" << "hello";
        QTest::newRow("partial match then a real one") << "aaaB" << "aab";
        QTest::newRow("cut off by the end") << "abcXY" << "xyz";
        QTest::newRow("match before a character beyond ASCII") << "Hello İ" << "hello";
        QTest::newRow("dotted capital i grows past the end") << "aBİ" << "abi\u0307";
    }

    void testSearchFindsWhatLowerCasingWouldFind()
    {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        const bool expected = text.toLower().contains(needle);
        QCOMPARE(Utils::lowerCasedContains(text, needle), expected);
        const Utils::LowerCasedMatch quick = Utils::matchLowerCased(text, needle);
        if (quick != Utils::LowerCasedMatch::Undecided)
            QCOMPARE(quick == Utils::LowerCasedMatch::Found, expected);
    }

    void testSearchAgreesWithLowerCasingOnEveryShortText()
    {
        // Every text of up to three of these characters, against every needle of up to two.
        const QString alphabet = QStringLiteral("aAbB@[`{\u0130\u0131\u212A\u017Fk\u00E9\u00C9 ");
        QStringList texts = {QString()};
        for (int length = 1; length <= 3; ++length) {
            const QStringList shorter = texts;
            for (const QString &text : shorter) {
                if (text.size() == length - 1) {
                    for (QChar c : alphabet)
                        texts.append(text + c);
                }
            }
        }
        int undecided = 0;
        for (const QString &needleText : texts) {
            if (needleText.size() > 2)
                continue;
            const QString needle = needleText.toLower();
            for (const QString &text : std::as_const(texts)) {
                const bool expected = text.toLower().contains(needle);
                if (Utils::lowerCasedContains(text, needle) != expected)
                    QFAIL(qPrintable(QString("'%1' in '%2'").arg(needle, text)));
                const Utils::LowerCasedMatch quick = Utils::matchLowerCased(text, needle);
                if (quick == Utils::LowerCasedMatch::Undecided)
                    ++undecided;
                else if ((quick == Utils::LowerCasedMatch::Found) != expected)
                    QFAIL(qPrintable(QString("quick '%1' in '%2'").arg(needle, text)));
            }
        }
        // Both ways of telling were tried.
        QVERIFY(undecided > 0);
    }

    void testOneLinerFoldsLinesAndTabs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("brief");
        QTest::newRow("blank lines between words") << "  \n first \n\n \t\n second  \n" << "first second";
        QTest::newRow("tab inside a line") << "a\tb" << "a b";
        QTest::newRow("runs of spaces stay") << "a   b\nc" << "a   b c";
        QTest::newRow("windows line ends") << "one\r\ntwo\r\n" << "one two";
        QTest::newRow("all blank") << " \n\t\n " << "";
    }

    void testOneLinerFoldsLinesAndTabs()
    {
        QFETCH(QString, text);
        QFETCH(QString, brief);
        QCOMPARE(Utils::makeOneLiner(text), brief);
    }

    void testRelativeTimeAtItsBoundaries_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<qint64>("ageMs");
        QTest::addColumn<QString>("text");
        // Ages sit half a second inside each band, so the test's own run time cannot cross a boundary.
        QTest::newRow("future") << "English" << qint64(-5000) << "A few seconds ago";
        QTest::newRow("59 s") << "English" << qint64(59000) << "A few seconds ago";
        QTest::newRow("60.5 s") << "English" << qint64(60500) << "A minute ago";
        QTest::newRow("61.5 s") << "English" << qint64(61500) << "1 minute ago";
        QTest::newRow("90 s") << "English" << qint64(90000) << "1 minute ago";
        QTest::newRow("59 min") << "English" << qint64(59 * 60000 + 500) << "59 minutes ago";
        QTest::newRow("1 h") << "English" << qint64(3600500) << "An hour ago";
        QTest::newRow("1 h 1 s") << "English" << qint64(3601500) << "1 hour ago";
        QTest::newRow("23 h") << "English" << qint64(23 * 3600000 + 500) << "23 hours ago";
        QTest::newRow("1 day") << "English" << qint64(86400500) << "A day ago";
        QTest::newRow("1 day 1 s") << "English" << qint64(86401500) << "1 day ago";
        QTest::newRow("2.5 days") << "English" << qint64(216000000) << "2 days ago";
        // Each language's own plural forms.
        QTest::newRow("German 90 s") << "German" << qint64(90000) << "Vor 1 Minute";
        QTest::newRow("German 2.5 days") << "German" << qint64(216000000) << "Vor 2 Tagen";
        QTest::newRow("Hindi 1 h 1 s") << "Hindi" << qint64(3601500) << "1 घंटा पहले";
        QTest::newRow("Hindi 23 h") << "Hindi" << qint64(23 * 3600000 + 500) << "23 घंटे पहले";
        QTest::newRow("Finnish 1 day 1 s") << "Finnish" << qint64(86401500) << "1 päivä sitten";
        QTest::newRow("Chinese 59 min") << "Chinese" << qint64(59 * 60000 + 500) << "59 分钟前";
    }

    void testRelativeTimeAtItsBoundaries()
    {
        QFETCH(QString, language);
        QFETCH(qint64, ageMs);
        QFETCH(QString, text);
        Translation::selectLanguage(language);
        const QDateTime time = QDateTime::currentDateTimeUtc().addMSecs(-ageMs);
        QCOMPARE(Utils::dateTimeToDuration(time), text);
        QCOMPARE(Utils::dateTimeToDuration(time.toLocalTime()), text);
    }

    void testStripStyleRules_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("stripped");
        QTest::newRow("margin only stays") << "<p style=\"margin-top:12px;\">x</p>" << "<p style=\"margin-top:12px;\">x</p>";
        QTest::newRow("single quotes, colour and weight")
            << "<span style='color:#ff0000; font-weight:600'>x</span>" << "<span style=\"font-weight:600\">x</span>";
        QTest::newRow("colour only becomes empty") << "<span style=\"color:red\">x</span>" << "<span style=\"\">x</span>";
        QTest::newRow("heading tags go, text stays") << "<h2 class=\"t\">Title</h2><p>b</p>" << "Title<p>b</p>";
        QTest::newRow("ids go") << "<a id=\"one\" href=\"x\">l</a>" << "<a  href=\"x\">l</a>";
        QTest::newRow("quoted entity inside") << "<span style=\"font-family:&quot;Sans&quot;; font-style:italic\">x</span>"
                                             << "<span style=\"font-style:italic\">x</span>";
        QTest::newRow("background family dropped")
            << "<td style=\"background-color:#fff; background:none; padding:2px\">x</td>" << "<td style=\"padding:2px\">x</td>";
        QTest::newRow("look-alike attribute names stay")
            << "<div data-id=\"k\" data-style=\"color:red\">grid='x'</div>" << "<div data-id=\"k\" data-style=\"color:red\">grid='x'</div>";
        QTest::newRow("empty style keeps the next attribute") << "<p style=\"\" class=\"c\">x</p>" << "<p style=\"\" class=\"c\">x</p>";
    }

    void testStripStyleRules()
    {
        QFETCH(QString, html);
        QFETCH(QString, stripped);
        QCOMPARE(Utils::stripStyle(html), stripped);
    }

    void testStripStyleKeepsQtRichTextValid()
    {
        // Qt writes font families in single quotes inside double-quoted styles.
        const QString body = "<body style=\" font-family:'Sans Serif'; font-size:9pt; font-weight:400; font-style:normal;\">";
        QCOMPARE(Utils::stripStyle(body), QString("<body style=\"font-weight:400;font-style:normal;\">"));

        QTextDocument document;
        document.setHtml("<p><span style=\"color:#00ff00; font-family:'DejaVu Serif'; font-weight:700\">Green words</span> "
                         "and <i>more</i></p>");
        const QString stripped = Utils::stripStyle(document.toHtml());
        QVERIFY(!stripped.contains("color:"));
        QVERIFY(!stripped.contains("font-family:"));
        QVERIFY(stripped.contains("font-weight:700"));
        QVERIFY2(stripped.count('"') % 2 == 0, qPrintable(stripped));

        QTextDocument reloaded;
        reloaded.setHtml(stripped);
        QCOMPARE(reloaded.toPlainText(), QString("Green words and more"));
        QVERIFY(reloaded.begin().begin().fragment().charFormat().fontWeight() >= 700);
    }

    void testFixMarkdownSpacing()
    {
        QCOMPARE(Utils::fixMarkdown("<p style=\"margin-top:0px; margin-bottom:0px; font-weight:600\">"),
                 QString("<p style=\"margin-top:10px; margin-bottom:10px; font-weight:100\">"));
    }

    void testRandomStringLengthAndAlphabet()
    {
        QCOMPARE(Utils::generateRandomString(0), QString());
        QCOMPARE(Utils::generateRandomString(-3), QString());
        const QString text = Utils::generateRandomString(5000);
        QCOMPARE(text.size(), 5000);
        static const QRegularExpression allowed("^[A-Za-z0-9 ]+$");
        QVERIFY(allowed.match(text).hasMatch());
        const double spaces = text.count(' ') / 5000.0;
        QVERIFY2(spaces > 0.05 && spaces < 0.13, qPrintable(QString::number(spaces)));
    }
};

QTEST_MAIN(TestUtilsText)
#include "tst_utilstext.moc"
