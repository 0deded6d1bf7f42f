#include "codeeditor/codeeditorresources.h"
#include "codeeditor/qjscompleter.h"
#include "codeeditor/qjshighlighter.h"
#include "codeeditor/qlanguage.h"
#include "codeeditor/qsyntaxstyle.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QStringListModel>
#include <QTextBlock>
#include <QTextDocument>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

QString readResource(const QString &path)
{
    initCodeEditorResources();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList styleNames(const QString &xml)
{
    QStringList names;
    QXmlStreamReader reader(xml);
    while (reader.readNextStartElement() || !reader.atEnd()) {
        if (reader.isStartElement() && reader.name() == QLatin1StringView("style"))
            names.append(reader.attributes().value("name").toString());
    }
    return names;
}

// One letter per style, so a line's formats read as a string: K keyword, F function, T type,
// N number, S string, C comment, '.' nothing.
const QList<QPair<QChar, QString>> styleLetters = {
    {u'K', "Keyword"}, {u'F', "Function"}, {u'T', "Type"}, {u'N', "Number"}, {u'S', "String"}, {u'C', "Comment"}};

const char distinctScheme[] = R"(<style-scheme version="1.0" name="Letters">
    <style name="Keyword" foreground="#000001"/>
    <style name="Function" foreground="#000002"/>
    <style name="Type" foreground="#000003"/>
    <style name="Number" foreground="#000004"/>
    <style name="String" foreground="#000005"/>
    <style name="Comment" foreground="#000006"/>
</style-scheme>)";

QString formatLetters(const QTextBlock &block, const QSyntaxStyle &style)
{
    QString letters(block.text().size(), u'.');
    const QList<QTextLayout::FormatRange> ranges = block.layout()->formats();
    for (const QTextLayout::FormatRange &range : ranges) {
        for (const auto &[letter, name] : styleLetters) {
            if (range.format == style.getFormat(name)) {
                for (int i = range.start; i < range.start + range.length; ++i)
                    letters[i] = letter;
            }
        }
    }
    return letters;
}

class CountingHighlighter : public QJSHighlighter
{
public:
    using QJSHighlighter::QJSHighlighter;
    int blocks = 0;

protected:
    void highlightBlock(const QString &text) override
    {
        ++blocks;
        QJSHighlighter::highlightBlock(text);
    }
};

QStringList completions(QCompleter &completer, const QString &prefix)
{
    completer.setCompletionPrefix(prefix);
    QStringList found;
    for (int i = 0; completer.setCurrentRow(i); ++i)
        found.append(completer.currentCompletion());
    return found;
}

} // namespace

class TestCodeEditorSyntax : public QObject
{
    Q_OBJECT

private slots:
    void testShippedSchemesCarryTheReadStyles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("foreground");
        QTest::addColumn<QString>("background");
        QTest::addColumn<bool>("bold");

        const struct
        {
            const char *style;
            const char *defaultForeground, *defaultBackground;
            bool defaultBold;
            const char *draculaForeground, *draculaBackground;
            bool draculaBold;
        } table[] = {
            {"Text", "#000000", "#ffffff", false, "#f8f8f2", "#282a36", false},
            {"Selection", "#eff0f1", "#3daee9", false, "", "#44475a", false},
            {"LineNumber", "#6272a4", "", false, "#6272a4", "", false},
            {"CurrentLineNumber", "#808080", "", true, "#f8f8f2", "", false},
            {"CurrentLine", "", "#eeeeee", false, "#000000", "#383b4c", false},
            {"Parentheses", "#ff0000", "#b4eeb4", false, "#f8f8f2", "", true},
            {"Occurrences", "", "#b4b4b4", false, "#000000", "#f8f8f2", false},
            {"Type", "#800080", "", false, "#7ce4fb", "", false},
            {"Function", "#00677c", "#ffffff", false, "#50fa7b", "", false},
            {"Keyword", "#808000", "", false, "#ffb879", "", true},
            {"Number", "#000080", "", false, "#bd93f9", "", false},
            {"String", "#008000", "", false, "#f1fa8c", "", false},
            {"Comment", "#008000", "", false, "#6272a4", "", true},
        };
        for (const auto &row : table) {
            QTest::addRow("Default %s", row.style) << ":/default_style.xml" << "Default" << row.style
                                                   << row.defaultForeground << row.defaultBackground << row.defaultBold;
            QTest::addRow("Dracula %s", row.style) << ":/styles/drakula.xml" << "Dracula" << row.style
                                                   << row.draculaForeground << row.draculaBackground << row.draculaBold;
        }
    }

    void testShippedSchemesCarryTheReadStyles()
    {
        QFETCH(QString, path);
        QFETCH(QString, scheme);
        QFETCH(QString, style);
        QFETCH(QString, foreground);
        QFETCH(QString, background);
        QFETCH(bool, bold);

        QSyntaxStyle syntaxStyle;
        QVERIFY(syntaxStyle.load(readResource(path)));
        QVERIFY(syntaxStyle.isLoaded());
        QCOMPARE(syntaxStyle.name(), scheme);

        const QTextCharFormat format = syntaxStyle.getFormat(style);
        QCOMPARE(format.hasProperty(QTextFormat::ForegroundBrush), !foreground.isEmpty());
        if (!foreground.isEmpty())
            QCOMPARE(format.foreground().color().name(), foreground);
        QCOMPARE(format.hasProperty(QTextFormat::BackgroundBrush), !background.isEmpty());
        if (!background.isEmpty())
            QCOMPARE(format.background().color().name(), background);
        QCOMPARE(format.fontWeight() == QFont::Bold, bold);
    }

    void testBothSchemesDefineTheSameSixtyThreeStyles()
    {
        const QStringList defaultNames = styleNames(readResource(":/default_style.xml"));
        const QStringList draculaNames = styleNames(readResource(":/styles/drakula.xml"));
        QCOMPARE(defaultNames.size(), 63);
        QCOMPARE(QSet<QString>(defaultNames.cbegin(), defaultNames.cend()).size(), 63);
        QCOMPARE(draculaNames, defaultNames);
    }

    void testFormatAttributes_data()
    {
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<int>("underline");

        const int unset = QFont::Normal;
        QTest::newRow("bold") << R"(bold="true")" << int(QFont::Bold) << false << int(QTextCharFormat::NoUnderline);
        QTest::newRow("capital True is not bold") << R"(bold="True")" << unset << false << int(QTextCharFormat::NoUnderline);
        QTest::newRow("italic") << R"(italic="true")" << unset << true << int(QTextCharFormat::NoUnderline);
        QTest::newRow("italic yes is not italic") << R"(italic="yes")" << unset << false << int(QTextCharFormat::NoUnderline);
        const QPair<const char *, QTextCharFormat::UnderlineStyle> underlines[] = {
            {"SingleUnderline", QTextCharFormat::SingleUnderline},
            {"DashUnderline", QTextCharFormat::DashUnderline},
            {"DotLine", QTextCharFormat::DotLine},
            {"DashDotLine", QTextCharFormat::DashDotLine},
            {"DashDotDotLine", QTextCharFormat::DashDotDotLine},
            {"WaveUnderline", QTextCharFormat::WaveUnderline},
            {"SpellCheckUnderline", QTextCharFormat::SpellCheckUnderline},
        };
        for (const auto &[name, style] : underlines)
            QTest::addRow("%s", name) << QString(R"(underlineStyle="%1")").arg(name) << unset << false << int(style);
    }

    void testFormatAttributes()
    {
        QFETCH(QString, attributes);
        QFETCH(int, weight);
        QFETCH(bool, italic);
        QFETCH(int, underline);

        QSyntaxStyle style;
        QVERIFY(style.load(QString(R"(<style-scheme><style name="S" %1/></style-scheme>)").arg(attributes)));
        const QTextCharFormat format = style.getFormat("S");
        QCOMPARE(format.fontWeight(), weight);
        QCOMPARE(format.fontItalic(), italic);
        QCOMPARE(int(format.underlineStyle()), underline);
    }

    void testUnknownUnderlineIsLoggedAndNotUnderlined()
    {
        QSyntaxStyle style;
        QTest::ignoreMessage(QtDebugMsg, "Unknown underline value Squiggle");
        QVERIFY(style.load(R"(<style-scheme><style name="S" underlineStyle="Squiggle"/></style-scheme>)"));
        QVERIFY(!style.getFormat("S").hasProperty(QTextFormat::TextUnderlineStyle));
    }

    void testAbsentStyleGivesAnEmptyFormat()
    {
        QSyntaxStyle style;
        QVERIFY(style.load(readResource(":/styles/drakula.xml")));
        QVERIFY(style.getFormat("Value").properties().isEmpty());
        QVERIFY(QSyntaxStyle().getFormat("Text").properties().isEmpty());
    }

    void testLoadsAddAndReplace()
    {
        QSyntaxStyle style;
        QVERIFY(style.load(R"(<style-scheme name="One"><style name="A" foreground="#111111"/>
                              <style name="B" foreground="#222222"/></style-scheme>)"));
        QVERIFY(style.load(R"(<style-scheme><style name="B" foreground="#333333"/></style-scheme>)"));
        QCOMPARE(style.name(), "One");
        QCOMPARE(style.getFormat("A").foreground().color().name(), "#111111");
        QCOMPARE(style.getFormat("B").foreground().color().name(), "#333333");
    }

    void testBrokenSchemeIsNotLoadedButKeepsWhatWasRead()
    {
        QSyntaxStyle style;
        QVERIFY(!style.load(R"(<style-scheme name="Cut"><style name="A" foreground="#111111"/><style name=)"));
        QVERIFY(!style.isLoaded());
        QCOMPARE(style.getFormat("A").foreground().color().name(), "#111111");
    }

    void testDefaultStyleIsOneLoadedScheme()
    {
        QSyntaxStyle *style = QSyntaxStyle::defaultStyle();
        QVERIFY(style->isLoaded());
        QCOMPARE(style->name(), "Default");
        QCOMPARE(QSyntaxStyle::defaultStyle(), style);
    }

    void testKeywordListSections()
    {
        initCodeEditorResources();
        QFile file(":/languages/js.xml");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QLanguage language(&file);
        QVERIFY(language.isLoaded());
        QCOMPARE(language.keys(), QStringList({"Function", "Keyword", "Value"}));
        QCOMPARE(language.names("Function").size(), 95);
        QCOMPARE(language.names("Keyword").size(), 64);
        QCOMPARE(language.names("Value").size(), 18);
        QCOMPARE(language.names("Function").count("valueOf"), 2);
        QCOMPARE(language.names("Keyword").first(), "abstract");
        QCOMPARE(language.names("Keyword").last(), "yield");
        QCOMPARE(language.names("Value").last(), "MIN_SAFE_INTEGER");
        QVERIFY(language.names("Absent").isEmpty());
    }

    void testKeywordListReading_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QStringList>("keys");

        QTest::newRow("empty section stores nothing")
            << QByteArray("<root><section name='B'><name>x</name></section><section name='A'></section></root>")
            << true << QStringList{"B"};
        QTest::newRow("keys sorted")
            << QByteArray("<root><section name='b'><name>x</name></section><section name='B'><name>y</name></section>"
                          "<section name='a'><name>z</name></section></root>")
            << true << QStringList{"B", "a", "b"};
        QTest::newRow("broken keeps what was read")
            << QByteArray("<root><section name='A'><name>x</name><name>y</na") << false << QStringList{"A"};
    }

    void testKeywordListReading()
    {
        QFETCH(QByteArray, xml);
        QFETCH(bool, loaded);
        QFETCH(QStringList, keys);

        QBuffer buffer(&xml);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QLanguage language(&buffer);
        QCOMPARE(language.isLoaded(), loaded);
        QCOMPARE(language.keys(), keys);
        QVERIFY(!language.load(nullptr));
    }

    void testHighlighterRules()
    {
        QJSHighlighter highlighter;
        const QList<QHighlightRule> &rules = highlighter.rules();
        QCOMPARE(rules.size(), 180);
        QStringList styles;
        for (const QHighlightRule &rule : rules) {
            QVERIFY2(rule.pattern.isValid(), qPrintable(rule.pattern.errorString()));
            styles.append(rule.formatName);
        }
        QCOMPARE(styles.count("Function"), 95);
        QCOMPARE(styles.mid(0, 95), QStringList(95, "Function"));
        QCOMPARE(styles.mid(95, 64), QStringList(64, "Keyword"));
        QCOMPARE(styles.mid(159, 18), QStringList(18, "Value"));
        QCOMPARE(styles.mid(177), QStringList({"Number", "String", "Comment"}));
        QCOMPARE(rules.at(95).pattern.pattern(), R"(\babstract\b)");
    }

    void testLineFormats_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("letters");

        QTest::newRow("numbers and comment") << "x = 0x1F + 2.5e3; // sum"
                                             << "....NNNN...NNNNN..CCCCCC";
        QTest::newRow("declaration then keyword")
            << "var count = Math.max(a, b);"
            << "KKK..............FFF.......";
        QTest::newRow("values clear earlier formats")
            << "function name(x) { return Math.PI; }"
            << "KKKKKKKKT..........KKKKKK...........";
        QTest::newRow("string") << R"(print("it is 42");)"
                                << "FFFFF.SSSSSSSSSS..";
        QTest::newRow("names inside words are not keywords") << "newline = ifx + 10ul;"
                                                             << "................NNNN.";
        QTest::newRow("numbers") << "a(0b101, 017, 1'000, .5f, 3.)"
                                 << "F.NNNNN..NNN..NNNNN..NNN..N..";
        QTest::newRow("comment block on one line") << "a /* b */ c /* d"
                                                   << "..CCCCCCC...CCCC";
    }

    void testLineFormats()
    {
        QFETCH(QString, line);
        QFETCH(QString, letters);

        QSyntaxStyle style;
        QVERIFY(style.load(distinctScheme));
        QTextDocument document(line);
        QJSHighlighter highlighter;
        highlighter.setSyntaxStyle(&style);
        highlighter.setDocument(&document);
        highlighter.rehighlight();
        QCOMPARE(formatLetters(document.firstBlock(), style), letters);
    }

    void testOpenCommentCarriesIntoTheNextBlocks()
    {
        QSyntaxStyle style;
        QVERIFY(style.load(distinctScheme));
        QTextDocument document("a /* b\nc d\ne */ f\ng");
        QJSHighlighter highlighter;
        highlighter.setSyntaxStyle(&style);
        highlighter.setDocument(&document);
        highlighter.rehighlight();

        const QStringList expected = {"..CCCC", "CCC", "CCCC..", "."};
        const QList<int> states = {1, 1, 0, 0};
        QTextBlock block = document.firstBlock();
        for (int i = 0; i < expected.size(); ++i, block = block.next()) {
            QCOMPARE(formatLetters(block, style), expected.at(i));
            QCOMPARE(block.userState(), states.at(i));
        }
    }

    void testKeystrokeRehighlightsOnlyWhatChanged()
    {
        QStringList lines;
        for (int i = 0; i < 400; ++i)
            lines.append(QString("var value%1 = Math.max(%1, 2); // line").arg(i));
        QTextDocument document(lines.join('\n'));
        // Edits are only announced to a document that has a layout, as every shown one has.
        document.documentLayout();
        CountingHighlighter highlighter;
        highlighter.setSyntaxStyle(QSyntaxStyle::defaultStyle());
        highlighter.setDocument(&document);
        // A new document is highlighted once, from the event loop.
        QTRY_COMPARE(highlighter.blocks, 400);

        QTextCursor cursor(document.findBlockByNumber(200));
        highlighter.blocks = 0;
        cursor.insertText("x");
        QCOMPARE(highlighter.blocks, 1);

        // Opening a comment changes every block after it; closing it again restores them.
        highlighter.blocks = 0;
        cursor.insertText("/*");
        QCOMPARE(highlighter.blocks, 200);
        QCOMPARE(document.lastBlock().userState(), 1);
        highlighter.blocks = 0;
        cursor.deletePreviousChar();
        QCOMPARE(highlighter.blocks, 200);
        QCOMPARE(document.lastBlock().userState(), 0);
    }

    void testHighlighterWithoutStyleLeavesTextAlone()
    {
        QTextDocument document("var x = 1;");
        QJSHighlighter highlighter(&document);
        highlighter.rehighlight();
        QVERIFY(document.firstBlock().layout()->formats().isEmpty());
    }

    void testCompleterWords()
    {
        QJSCompleter completer;
        auto *model = qobject_cast<QStringListModel *>(completer.model());
        QVERIFY(model);
        QCOMPARE(model->parent(), &completer);
        const QStringList words = model->stringList();
        QCOMPARE(words.size(), 177);
        QCOMPARE(words.first(), "toString");
        QCOMPARE(words.at(95), "abstract");
        QCOMPARE(words.last(), "MIN_SAFE_INTEGER");
        QCOMPARE(completer.caseSensitivity(), Qt::CaseSensitive);
        QCOMPARE(completer.modelSorting(), QCompleter::CaseInsensitivelySortedModel);
        QVERIFY(completer.wrapAround());
    }

    void testCompletionIsCaseSensitive_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("getU") << "getU"
                              << QStringList{"getUTCFullYear", "getUTCMonth", "getUTCDate", "getUTCDay",
                                             "getUTCHours", "getUTCMinutes", "getUTCSeconds", "getUTCMilliseconds"};
        QTest::newRow("getu") << "getu" << QStringList{};
        QTest::newRow("MAX") << "MAX" << QStringList{"MAX_VALUE", "MAX_SAFE_INTEGER"};
        QTest::newRow("whi") << "whi" << QStringList{"while"};
    }

    void testCompletionIsCaseSensitive()
    {
        QFETCH(QString, prefix);
        QFETCH(QStringList, expected);

        QJSCompleter completer;
        QCOMPARE(completions(completer, prefix), expected);
    }
};

QTEST_MAIN(TestCodeEditorSyntax)
#include "tst_codeeditorsyntax.moc"
