#include "snippettestsupport.h"

#include "common/utils.h"
#include "settings/snippeteditor.h"

#include <QClipboard>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

// The snippet editor: every placeholder form shown as a chip and turned back into the same text,
// the cursor mark, typing, copying and pasting next to chips, and the chips' colours.
namespace {

const QString Mark = QString(QChar(SnippetEditor::CursorMark));

// The names of the chips in document order, one per chip character.
QStringList chipNames(const SnippetEditor &editor)
{
    QStringList names;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (int i = 0; format.isImageFormat() && i < it.fragment().length(); ++i)
                names.append(format.toImageFormat().name());
        }
    }
    return names;
}

void placeCursor(SnippetEditor &editor, int anchor, int position)
{
    QTextCursor cursor(editor.document());
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

} // namespace

class TestSnippetEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QSettings settings = Utils::settings();
        settings.setValue("Actions", QVariantMap{{":/data/actions/11-wordwrap.json", "Word wrap"},
                                                 {"/home/user/actions/Shout.json", "Shout"}});
    }

    void init()
    {
        qputenv("KESTOVAN_DARK_MODE", "0");
    }

    void testEveryPlaceholderFormComesBackAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("chips");
        QTest::addColumn<QString>("shownText");

        const QString chip(QChar::ObjectReplacementCharacter);
        QTest::newRow("clipping after text") << "Hello {CLIP}" << QStringList{"{CLIP}"} << "Hello " + chip;
        QTest::newRow("two equal chips side by side") << "{CLIP}{CLIP}" << QStringList{"{CLIP}", "{CLIP}"} << chip + chip;
        QTest::newRow("three equal chips and text") << "{CLIP:2}{CLIP:2}{CLIP:2}!"
                                                    << QStringList{"{CLIP:2}", "{CLIP:2}", "{CLIP:2}"} << chip + chip + chip + "!";
        QTest::newRow("position") << "{CLIP:3}" << QStringList{"{CLIP:3}"} << chip;
        QTest::newRow("expression") << "a {CLIP:^ab+c$} b" << QStringList{"{CLIP:^ab+c$}"} << "a " + chip + " b";
        QTest::newRow("built-in action title") << "{Word wrap}" << QStringList{"{Word wrap}"} << chip;
        QTest::newRow("own action title") << "{Shout}{Shout}" << QStringList{"{Shout}", "{Shout}"} << chip + chip;
        QTest::newRow("title is case-sensitive") << "{shout}" << QStringList{} << "{shout}";
        QTest::newRow("no title nor clipping") << "{notatitle}" << QStringList{} << "{notatitle}";
        QTest::newRow("clip is case-sensitive") << "{clip}" << QStringList{} << "{clip}";
        QTest::newRow("across a line break") << "{CL\nIP}" << QStringList{} << "{CL\nIP}";
        QTest::newRow("cursor mark") << "Dear " + Mark + "," << QStringList{Mark} << "Dear " + chip + ",";
        QTest::newRow("second mark stays a character")
            << "a" + Mark + "b" + Mark << QStringList{Mark} << "a" + chip + "b" + Mark;
        QTest::newRow("every form on lines")
            << "To: {CLIP:1}\n{Word wrap}{CLIP}" + Mark + "\n\n{x} end"
            << QStringList{"{CLIP:1}", "{Word wrap}", "{CLIP}", Mark} << "To: " + chip + "\n" + chip + chip + chip + "\n\n{x} end";
        QTest::newRow("empty") << "" << QStringList{} << "";
        QTest::newRow("two lines") << "a\nb" << QStringList{} << "a\nb";
        QTest::newRow("line break at the end") << "a\n" << QStringList{} << "a\n";
    }

    void testEveryPlaceholderFormComesBackAsTyped()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, chips);
        QFETCH(QString, shownText);

        SnippetEditor editor;
        editor.setAndFormatText(text);
        QCOMPARE(chipNames(editor), chips);
        QCOMPARE(editor.toPlainText(), shownText);
        QCOMPARE(editor.convertToPlainText(), text);
        QCOMPARE(editor.convertToPlainText(editor.document()->firstBlock(), editor.document()->lastBlock()), text);
    }

    void testPartOfTheBlocksConverts()
    {
        SnippetEditor editor;
        editor.setAndFormatText("one {CLIP}\ntwo {CLIP}{CLIP}\nthree");
        const QTextBlock second = editor.document()->findBlockByNumber(1);
        QCOMPARE(editor.convertToPlainText(second, second), "two {CLIP}{CLIP}");
        QCOMPARE(editor.convertToPlainText(second, editor.document()->lastBlock()), "two {CLIP}{CLIP}\nthree");
    }

    void testTypingBetweenEqualChipsKeepsBoth()
    {
        SnippetEditor editor;
        editor.setAndFormatText("{CLIP}{CLIP}");
        placeCursor(editor, 1, 1);
        QTest::keyClicks(&editor, "-");
        QCOMPARE(editor.convertToPlainText(), "{CLIP}-{CLIP}");
        editor.moveCursor(QTextCursor::End);
        QTest::keyClicks(&editor, "x");
        QCOMPARE(editor.convertToPlainText(), "{CLIP}-{CLIP}x");
        QCOMPARE(chipNames(editor), (QStringList{"{CLIP}", "{CLIP}"}));

        // Deleting one of two equal chips leaves the other.
        editor.setAndFormatText("{CLIP}{CLIP}");
        placeCursor(editor, 2, 2);
        QTest::keyClick(&editor, Qt::Key_Backspace);
        QCOMPARE(editor.convertToPlainText(), "{CLIP}");
    }

    void testUndoDoesNotTakeTheLoadedTextAway()
    {
        SnippetEditor editor;
        editor.setAndFormatText("kept {CLIP}");
        editor.undo();
        QCOMPARE(editor.convertToPlainText(), "kept {CLIP}");
        editor.moveCursor(QTextCursor::End);
        QTest::keyClicks(&editor, "!");
        editor.undo();
        QCOMPARE(editor.convertToPlainText(), "kept {CLIP}");
    }

    void testInsertedChipReplacesTheSelection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("result");
        QTest::newRow("at the end") << "Hi " << 3 << 3 << "{CLIP}" << "Hi {CLIP}";
        QTest::newRow("over a word") << "Hi you" << 3 << 6 << "{CLIP:2}" << "Hi {CLIP:2}";
        QTest::newRow("action beside an equal one") << "{Shout}" << 1 << 1 << "{Shout}" << "{Shout}{Shout}";
    }

    void testInsertedChipReplacesTheSelection()
    {
        QFETCH(QString, text);
        QFETCH(int, anchor);
        QFETCH(int, position);
        QFETCH(QString, inserted);
        QFETCH(QString, result);

        SnippetEditor editor;
        editor.setAndFormatText(text);
        placeCursor(editor, anchor, position);
        editor.insertImage(inserted);
        QCOMPARE(editor.convertToPlainText(), result);
        QCOMPARE(editor.textCursor().position(), anchor + 1);
    }

    void testCursorMarkMovesWithoutShiftingText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("result");
        // Document positions: the mark chip is one character.
        QTest::newRow("no mark yet") << "abc" << 3 << 3 << "abc" + Mark;
        QTest::newRow("mark before the cursor") << "ab" + Mark + "cd" << 4 << 4 << "abc" + Mark + "d";
        QTest::newRow("mark after the cursor") << "ab" + Mark + "cd" << 1 << 1 << "a" + Mark + "bcd";
        QTest::newRow("mark inside the selection") << "ab" + Mark + "cd" << 1 << 4 << "a" + Mark + "d";
        QTest::newRow("selection made backwards") << Mark + "abcd" << 5 << 3 << "ab" + Mark;
        QTest::newRow("again at its own place") << "ab" + Mark + "cd" << 3 << 3 << "ab" + Mark + "cd";
        QTest::newRow("on another line") << "x" + Mark + "\ny" << 4 << 4 << "x\ny" + Mark;
        QTest::newRow("second mark character is text") << Mark + "a" + Mark << 2 << 2 << "a" + Mark + Mark;
    }

    void testCursorMarkMovesWithoutShiftingText()
    {
        QFETCH(QString, text);
        QFETCH(int, anchor);
        QFETCH(int, position);
        QFETCH(QString, result);

        SnippetEditor editor;
        editor.setAndFormatText(text);
        placeCursor(editor, anchor, position);
        editor.setSnippetCursor();
        QCOMPARE(editor.convertToPlainText(), result);
        QCOMPARE(chipNames(editor).count(Mark), 1);
    }

    void testCopiedChipsPasteAsChips()
    {
        SnippetEditor editor;
        editor.setAndFormatText("a{CLIP}{CLIP}" + Mark + "b");
        editor.selectAll();
        editor.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), "a{CLIP}{CLIP}" + Mark + "b");

        editor.moveCursor(QTextCursor::End);
        editor.paste();
        QCOMPARE(editor.convertToPlainText(), "a{CLIP}{CLIP}" + Mark + "ba{CLIP}{CLIP}" + Mark + "b");
        // Pasted placeholders are chips again; the pasted mark is the second one, so a character.
        QCOMPARE(chipNames(editor), (QStringList{"{CLIP}", "{CLIP}", Mark, "{CLIP}", "{CLIP}"}));

        placeCursor(editor, 1, 3);
        editor.cut();
        QCOMPARE(QGuiApplication::clipboard()->text(), "{CLIP}{CLIP}");
        QCOMPARE(editor.convertToPlainText(), "a" + Mark + "ba{CLIP}{CLIP}" + Mark + "b");
    }

    void testChipColoursFollowTheSystemAppearance_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }

    void testChipColoursFollowTheSystemAppearance()
    {
        QFETCH(bool, dark);
        qputenv("KESTOVAN_DARK_MODE", dark ? "1" : "0");
        SnippetEditor editor;
        editor.setAndFormatText("{CLIP}");
        const QImage chip = editor.document()->resource(QTextDocument::ImageResource, QUrl("{CLIP}")).value<QImage>();
        QVERIFY(!chip.isNull());
        const QTextImageFormat format = editor.document()->begin().begin().fragment().charFormat().toImageFormat();
        QCOMPARE(QSize(int(format.width()), int(format.height())), chip.size());

        // The chip is filled in one colour and its label written in the other; the corners outside
        // the rounded frame keep the background, which is the label's colour.
        const int fill = dark ? 255 : 0;
        const int label = 255 - fill;
        const auto near = [](QRgb pixel, int grey) { return std::abs(qGray(pixel) - grey) < 40; };
        int filled = 0;
        int written = 0;
        for (int y = 0; y < chip.height(); ++y) {
            for (int x = 0; x < chip.width(); ++x) {
                filled += near(chip.pixel(x, y), fill);
                written += near(chip.pixel(x, y), label);
            }
        }
        const int pixels = chip.width() * chip.height();
        QVERIFY2(filled > pixels / 2, qPrintable(QString("%1 of %2 pixels filled").arg(filled).arg(pixels)));
        QVERIFY2(written > 4, "no label drawn");
        QVERIFY(near(chip.pixel(0, 0), label));
    }
};

KESTOVAN_SNIPPET_TEST_MAIN(TestSnippetEditor)
#include "tst_snippeteditor.moc"
