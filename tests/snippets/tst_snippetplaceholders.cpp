#include "snippettestsupport.h"
#include "snippets/utilskeywords.h"

using namespace SnippetTest;

class TestSnippetPlaceholders : public QObject
{
    Q_OBJECT

    // An action file whose script is the given function of the clipping; registered under title.
    static QString addAction(const QString &fileName, const QString &title, const QString &script)
    {
        const QString folder = Utils::dataPath() + "/actions";
        QDir().mkpath(folder);
        const QString path = folder + "/" + fileName;
        HistoryTest::writeFile(path, QJsonDocument(QJsonObject{{"title", title}, {"script", script}}).toJson());
        QSettings settings = Utils::settings();
        QVariantMap actions = settings.value("Actions").toMap();
        actions.insert(path, title);
        settings.setValue("Actions", actions);
        return path;
    }

private slots:
    void init() { resetStore(); }

    void testHistoryPlaceholders_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<QString>("expected");

        const QStringList abc{"A", "B", "C"};
        QTest::newRow("no braces") << "plain text" << abc << "plain text";
        QTest::newRow("newest and second") << "{CLIP} and {CLIP:2}" << abc << "A and B";
        QTest::newRow("first by number") << "{CLIP:1}" << abc << "A";
        QTest::newRow("last by number") << "{CLIP:3}" << abc << "C";
        QTest::newRow("number past the end") << "{CLIP:5}" << abc << "{CLIP:5}";
        QTest::newRow("empty history") << "x{CLIP}y" << QStringList() << "x{CLIP}y";
        QTest::newRow("zero is an expression") << "{CLIP:0}" << QStringList{"a0", "0b", "00"} << "0b";
        QTest::newRow("too large for 32 bits is an expression") << "{CLIP:99999999999}" << abc << "{CLIP:99999999999}";
        QTest::newRow("expression at the start") << "{CLIP:ab}" << QStringList{"xab", "abc", "ab"} << "abc";
        QTest::newRow("expression matching nothing") << "[{CLIP:z+}]" << abc << "[{CLIP:z+}]";
        QTest::newRow("invalid expression") << "{CLIP:[}" << abc << "{CLIP:[}";
        QTest::newRow("empty argument") << "{CLIP:}" << abc << "{CLIP:}";
        QTest::newRow("separator without argument") << "{CLIPx}" << abc << "{CLIPx}";
        QTest::newRow("any sixth character separates") << "{CLIPBOARD}" << QStringList{"x", "OARDS"} << "OARDS";
        QTest::newRow("across a line break") << "{CLIP\n}" << abc << "{CLIP\n}";
        QTest::newRow("results are not searched again") << "{CLIP}" << QStringList{"{CLIP:2}", "B"} << "{CLIP:2}";
        QTest::newRow("empty braces") << "{}" << abc << "{}";
        QTest::newRow("case matters") << "{clip}" << abc << "{clip}";
        QTest::newRow("several in a row") << "{CLIP:3}{CLIP:2}{CLIP}" << abc << "CBA";
    }

    void testHistoryPlaceholders()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, history);
        QFETCH(QString, expected);
        QCOMPARE(Utils::replaceKeywords(text, "Editor", history), expected);
    }

    void testActionResultsFillThePlaceholderLineByLine()
    {
        addAction("twice.json", "Twice", "(clipping => [clipping.plainText + '1', clipping.plainText + '2'])");
        QCOMPARE(Utils::replaceKeywords("<{Twice}>", "Editor", {"new", "old"}), QString("<new1\nnew2>"));
    }

    void testActionGetsTheApplicationAndEmptyHistoryAsEmptyText()
    {
        addAction("show.json", "Show", "(clipping => '[' + clipping.plainText + '|' + clipping.application + ']')");
        QCOMPARE(Utils::replaceKeywords("{Show}", "Editor", {}), QString("[|Editor]"));
    }

    void testActionWithoutResultsLeavesNothing()
    {
        addAction("none.json", "None", "(clipping => [])");
        QCOMPARE(Utils::replaceKeywords("a{None}b", "Editor", {"x"}), QString("ab"));
    }

    void testFailingActionKeepsThePlaceholderAndTellsTheUser()
    {
        addAction("fail.json", "Fail", "(clipping => { throw new Error('broken'); })");
        MessageLog log;
        QCOMPARE(Utils::replaceKeywords("{Fail} {Unknown}", "Editor", {"x"}), QString("{Fail} {Unknown}"));
        QCOMPARE(log.count(QtWarningMsg, "Failed to run action 'Fail'\n"), 1);
        QCOMPARE(log.count(QtWarningMsg, "broken"), 1);
    }

    void testActionsAreLookedUpInOrderOfTheirPaths()
    {
        addAction("b.json", "Same", "(clipping => 'second')");
        addAction("a.json", "Same", "(clipping => 'first')");
        QCOMPARE(Utils::replaceKeywords("{Same}", "Editor", {"x"}), QString("first"));
    }
};

KESTOVAN_SNIPPET_TEST_MAIN(TestSnippetPlaceholders)
#include "tst_snippetplaceholders.moc"
