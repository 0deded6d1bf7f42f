#include "actions/actionfile.h"
#include "actions/actionhelpers.h"
#include "actiontestenvironment.h"
#include "common/utils.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>

using Texts = QList<QString>;

namespace {

QString builtIn(const QString &name)
{
    return ActionFile::builtInFolder() + "/" + name;
}

QJsonObject readBuiltIn(const QString &name)
{
    QJsonObject action;
    ActionFile::read(builtIn(name), action);
    return action;
}

// Runs a built-in action and expects exactly one text and no error.
QString runOne(const QString &name, const QString &text)
{
    QString error;
    const Texts texts = ActionHelpers::execute(builtIn(name), text, QString(), error);
    if (!error.isEmpty() || texts.size() != 1)
        return QStringLiteral("<error: %1, %2 texts>").arg(error).arg(texts.size());
    return texts.first();
}

QString sampleInput(const QString &name)
{
    return readBuiltIn(name).value("input").toString();
}

} // namespace

class TestBuiltInActions : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Utils::settings().clear();
    }

    void testFilesCarryTheirTitlesAndSamples_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QVariant>("params"); // null: no "params" key
        QTest::addColumn<QString>("input");   // "-": no "input" key, "*": one of our own
        const QVariant none;
        const QVariant empty = QStringList();
        QTest::newRow("01") << "01-tolower.json" << "To lowercase" << "Converts the text to lowercase." << none << "-";
        QTest::newRow("02") << "02-toupper.json" << "To uppercase" << "Converts the text to uppercase." << none << "-";
        QTest::newRow("03") << "03-jsonprettyprint.json" << "JSON Pretty Print" << "Formats JSON to be more human readable"
                            << empty << "*";
        QTest::newRow("04") << "04-stripthtml.json" << "Stript HTML tags" << "Removes HTML tags from the text" << empty
                            << "<html><body><h1>Hello World</h1></body></html>";
        QTest::newRow("05") << "05-currenttime.json" << "Current time" << "Writes the current date and time" << none << "-";
        QTest::newRow("06") << "06-generatepassword.json" << "Generate password" << "Creates a random password" << none
                            << "-";
        QTest::newRow("07") << "07-hexdump.json" << "Hex dump" << "Creates hex dump of UTF-8 encoded string" << none << "-";
        QTest::newRow("08") << "08-datetovalue.json" << "Date to Value" << "Converts the date and time to value" << none
                            << "Sun Feb 16 2020 11:23:44 GMT+0200";
        QTest::newRow("09") << "09-valuetodate.json" << "Value to Date" << "Converts the value to date and time" << none
                            << "1581845028633";
        QTest::newRow("10") << "10-createguid.json" << "Create GUID" << "Creates a globally uniqued identifier" << none
                            << "-";
        QTest::newRow("11") << "11-wordwrap.json" << "Word wrap" << "Wraps long lines to be less than given length"
                            << QVariant(QStringList{"length"}) << "*";
        QTest::newRow("12") << "12-splitlines.json" << "Split lines"
                            << "Splits the clipping from the separator that is most times in the text"
                            << QVariant(QStringList{"separator"}) << "The quick/brown fox/jumps over/the lazy dog.";
    }

    void testFilesCarryTheirTitlesAndSamples()
    {
        QFETCH(QString, file);
        QFETCH(QString, title);
        QFETCH(QString, description);
        QFETCH(QVariant, params);
        QFETCH(QString, input);
        const QJsonObject action = readBuiltIn(file);
        QCOMPARE(action.value("title").toString(), title);
        QCOMPARE(action.value("description").toString(), description);
        QCOMPARE(action.contains("params"), params.isValid());
        QCOMPARE(action.value("params").toVariant().toStringList(), params.toStringList());
        if (input == "-")
            QVERIFY(!action.contains("input"));
        else if (input == "*")
            QVERIFY(!action.value("input").toString().isEmpty());
        else
            QCOMPARE(action.value("input").toString(), input);
        // Built-in files are never saved, so they carry no editor state.
        for (const char *key : {"failed", "created", "deleted"})
            QVERIFY(!action.contains(key));

        // The action editor finds extra parameters on the script's first line only.
        static const QRegularExpression signature("^\\(.*?\\((.+?)\\)\\s*[={]");
        const QRegularExpressionMatch match = signature.match(action.value("script").toString());
        const QStringList found = match.hasMatch() ? match.captured(1).split(',').mid(1) : QStringList();
        QStringList trimmed;
        for (const QString &name : found)
            trimmed.append(name.trimmed());
        QCOMPARE(trimmed, params.toStringList());
    }

    void testCaseActions()
    {
        QCOMPARE(runOne("01-tolower.json", "Hello World ÄÖ"), QString("hello world äö"));
        QCOMPARE(runOne("02-toupper.json", "abc"), QString("ABC"));
        QCOMPARE(runOne("02-toupper.json", "straße ä"), QString("STRASSE Ä"));
    }

    void testJsonPrettyPrint()
    {
        QCOMPARE(runOne("03-jsonprettyprint.json", sampleInput("03-jsonprettyprint.json")),
                 QString("{\n"
                         "  \"name\": \"Kestovan\",\n"
                         "  \"tags\": [\n"
                         "    \"clipboard\",\n"
                         "    \"snippets\"\n"
                         "  ],\n"
                         "  \"window\": {\n"
                         "    \"width\": 400,\n"
                         "    \"height\": 500,\n"
                         "    \"position\": [\n"
                         "      10,\n"
                         "      20\n"
                         "    ]\n"
                         "  }\n"
                         "}"));
    }

    void testJsonPrettyPrintFallsBackOnInvalidJson()
    {
        QTest::ignoreMessage(QtWarningMsg, "The JSON is invalid. Trying an alternative way to format it...");
        QCOMPARE(runOne("03-jsonprettyprint.json", "{a:1,\t\"b\" : [1,2,{\"c\":\"x, {y} \\\" z\"}]}"),
                 QString("{\n"
                         "  a: 1,\n"
                         "  \"b\": [\n"
                         "    1,\n"
                         "    2,\n"
                         "    {\n"
                         "      \"c\": \"x, {y} \\\" z\"\n"
                         "    }\n"
                         "  ]\n"
                         "}"));
    }

    void testStripHtml()
    {
        QCOMPARE(runOne("04-stripthtml.json", sampleInput("04-stripthtml.json")), QString("Hello World"));
        QCOMPARE(runOne("04-stripthtml.json",
                        "<p>One<br>Two</p><!-- note --><script>alert(1)</script><style>p {}</style>"
                        "<ul><li>A</li><li class=\"x\">B</li></ul><a href=\"https://example.org/?a=1&amp;b=2\">Example</a>"
                        "&nbsp;&lt;tag&gt; &quot;q&quot;   end &amp;lt;"),
                 QString("\nOne\nTwo\nA\nB Example (https://example.org/?a=1&b=2) <tag> \"q\" end &lt;"));
        QCOMPARE(runOne("04-stripthtml.json", "a<br><br/><br /><BR>b<pre>c</pre>"), QString("a\n\nbc"));
    }

    void testCurrentTime()
    {
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        const QString text = runOne("05-currenttime.json", "ignored");
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);
        // Local date and local time in the engine's short forms, here the C locale's.
        const QDateTime shown = QLocale::c().toDateTime(text, "d MMM yyyy HH:mm:ss");
        QVERIFY2(shown.isValid(), qPrintable(text));
        QVERIFY2(shown >= before && shown <= after, qPrintable(text));
    }

    void testGeneratePassword()
    {
        const QString alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                                 "!@#$%^&*()+_-={}[]|:;/?.><,~";
        QCOMPARE(alphabet.size(), 90);
        QSet<QChar> seen;
        QSet<QString> passwords;
        for (int run = 0; run < 200; ++run) {
            const QString password = runOne("06-generatepassword.json", "ignored");
            QCOMPARE(password.size(), 16);
            for (QChar c : password) {
                QVERIFY2(alphabet.contains(c), qPrintable(password));
                seen.insert(c);
            }
            passwords.insert(password);
        }
        QCOMPARE(passwords.size(), 200);
        // 3,200 draws leave a given character out with a chance of about 1e-15.
        QCOMPARE(seen.size(), 90);
    }

    void testHexDump()
    {
        const QString header = "  Offset  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n";
        QCOMPARE(runOne("07-hexdump.json", ""), header);
        QCOMPARE(runOne("07-hexdump.json", "Hello"),
                 header + "00000000  48 65 6C 6C 6F " + QString(33, ' ') + " Hello" + QString(11, ' ') + "\n");
        QCOMPARE(runOne("07-hexdump.json", "0123456789abcdef"),
                 header + "00000000  30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66  0123456789abcdef\n");
        QCOMPARE(runOne("07-hexdump.json", QString::fromUtf8("Hello, world! äö€😀\t")),
                 header + "00000000  48 65 6C 6C 6F 2C 20 77 6F 72 6C 64 21 20 C3 A4  "
                     + QString::fromLatin1("Hello, world! \xC3\xA4") + "\n"
                     + "00000010  C3 B6 E2 82 AC F0 9F 98 80 09 " + QString(18, ' ') + " "
                     + QString::fromLatin1("\xC3\xB6\xE2\x82\xAC\xF0\x9F\x98\x80") + "." + QString(6, ' ') + "\n");
        // A lone surrogate has no UTF-8 form and shows as the replacement character.
        QCOMPARE(runOne("07-hexdump.json", QString(QChar(0xD800)) + "\n"),
                 header + "00000000  EF BF BD 0A " + QString(36, ' ') + " " + QString::fromLatin1("\xEF\xBF\xBD")
                     + "." + QString(12, ' ') + "\n");
    }

    void testDateAndValue()
    {
        QCOMPARE(runOne("08-datetovalue.json", sampleInput("08-datetovalue.json")), QString("1581845024000"));
        // Local time of the test's zone, Europe/Helsinki.
        QCOMPARE(runOne("09-valuetodate.json", sampleInput("09-valuetodate.json")), QString("16 Feb 2020 11:23:48"));
    }

    void testCreateGuid()
    {
        static const QRegularExpression pattern(
            "^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$");
        QSet<QString> guids;
        QSet<QChar> variants;
        for (int run = 0; run < 64; ++run) {
            const QString guid = runOne("10-createguid.json", "ignored");
            QVERIFY2(pattern.match(guid).hasMatch(), qPrintable(guid));
            guids.insert(guid);
            variants.insert(guid.at(19));
        }
        QCOMPARE(guids.size(), 64);
        QCOMPARE(variants.size(), 4);
    }

    void testWordWrapDefaultsToEighty()
    {
        QCOMPARE(runOne("11-wordwrap.json", sampleInput("11-wordwrap.json")),
                 QString("Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor \n"
                         "incididunt ut labore et dolore magna aliqua. Ut enim ad minim veniam, quis \n"
                         "nostrud exercitation ullamco laboris nisi ut aliquip ex ea commodo consequat. \n"
                         "Duis aute irure dolor in reprehenderit in voluptate velit esse cillum dolore eu \n"
                         "fugiat nulla pariatur. Excepteur sint occaecat cupidatat non proident, sunt in \n"
                         "culpa qui officia deserunt mollit anim id est laborum."));
    }

    void testWordWrapUsesTheStoredLength()
    {
        QSettings settings = Utils::settings();
        settings.setValue("Parameters/11-wordwrap.json", QVariantMap{{"length", "10"}});
        settings.sync();
        // Line breaks and blank lines stay; a word longer than the limit keeps a line of its own.
        QCOMPARE(runOne("11-wordwrap.json", "one two three four\n\nextraordinarily long words\r\nend"),
                 QString("one two \nthree four\n\nextraordinarily \nlong words\r\nend"));
    }

    void testSplitLines()
    {
        QString error;
        QCOMPARE(ActionHelpers::execute(builtIn("12-splitlines.json"), sampleInput("12-splitlines.json"), QString(), error),
                 Texts({"The quick", "brown fox", "jumps over", "the lazy dog."}));
        // A tie goes to the earlier separator; tab is a default separator.
        QCOMPARE(ActionHelpers::execute(builtIn("12-splitlines.json"), "a/b.c", QString(), error), Texts({"a", "b.c"}));
        QCOMPARE(ActionHelpers::execute(builtIn("12-splitlines.json"), "a\tb\tc.d", QString(), error),
                 Texts({"a", "b", "c.d"}));
        QCOMPARE(ActionHelpers::execute(builtIn("12-splitlines.json"), "no separator", QString(), error),
                 Texts{"no separator"});

        QSettings settings = Utils::settings();
        settings.setValue("Parameters/12-splitlines.json", QVariantMap{{"separator", "- "}});
        settings.sync();
        QCOMPARE(ActionHelpers::execute(builtIn("12-splitlines.json"), "a-b c d/e/f/g", QString(), error),
                 Texts({"a-b", "c", "d/e/f/g"}));
        QVERIFY(error.isEmpty());
    }

    void testTemplateReturnsTheTextUnchanged()
    {
        QFile file(ActionFile::templatePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString script = QString::fromUtf8(file.readAll());
        QVERIFY(script.contains("plainText"));
        QVERIFY(script.contains("application"));
        QString error;
        QCOMPARE(ActionHelpers::evaluate(script, "Some text\n", "App", {}, error), Texts{"Some text\n"});
        QVERIFY(error.isEmpty());
    }
};

KESTOVAN_ACTION_TEST_MAIN(TestBuiltInActions)
#include "tst_builtinactions.moc"
