#include "codeeditor/codeeditorresources.h"
#include "codeeditor/qcodeeditor.h"
#include "codeeditor/qframedtextattribute.h"
#include "codeeditor/qjscompleter.h"
#include "codeeditor/qjshighlighter.h"
#include "codeeditor/qlinenumberarea.h"
#include "codeeditor/qsyntaxstyle.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

namespace {

const QChar objectReplacement(QChar::ObjectReplacementCharacter);

// '|' marks the cursor; '«' and '»' the start and end of a selection.
void setMarkedText(QCodeEditor &editor, QString marked)
{
    QTextCursor cursor(editor.document());
    const int bar = int(marked.indexOf(u'|'));
    if (bar >= 0) {
        marked.remove(bar, 1);
        editor.setPlainText(marked);
        cursor.setPosition(bar);
    } else {
        const int start = int(marked.indexOf(u'«'));
        marked.remove(start, 1);
        const int end = int(marked.indexOf(u'»'));
        marked.remove(end, 1);
        editor.setPlainText(marked);
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    }
    editor.setTextCursor(cursor);
}

QString markedText(const QCodeEditor &editor)
{
    QString text = editor.toPlainText();
    const QTextCursor cursor = editor.textCursor();
    if (cursor.hasSelection()) {
        text.insert(cursor.selectionEnd(), u'»');
        text.insert(cursor.selectionStart(), u'«');
    } else {
        text.insert(cursor.position(), u'|');
    }
    return text;
}

// Types as a user does: '⏎' is Return, '⇥' Tab, '⇤' Shift+Tab, anything else its own key.
void type(QWidget *widget, const QString &keys)
{
    for (const QChar key : keys) {
        if (key == u'⏎')
            QTest::keyClick(widget, Qt::Key_Return);
        else if (key == u'⇥')
            QTest::keyClick(widget, Qt::Key_Tab);
        else if (key == u'⇤')
            QTest::keyClick(widget, Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(widget, key.toLatin1());
    }
}

QList<int> bracketPositions(const QCodeEditor &editor)
{
    QList<int> positions;
    const QList<QTextEdit::ExtraSelection> selections = editor.extraSelections();
    for (const QTextEdit::ExtraSelection &selection : selections) {
        if (!selection.format.hasProperty(QTextFormat::FullWidthSelection))
            positions.append(selection.cursor.selectionStart());
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

bool hasCurrentLineBand(const QCodeEditor &editor)
{
    const QList<QTextEdit::ExtraSelection> selections = editor.extraSelections();
    return std::any_of(selections.cbegin(), selections.cend(), [](const QTextEdit::ExtraSelection &selection) {
        return selection.format.hasProperty(QTextFormat::FullWidthSelection);
    });
}

QLineNumberArea *gutter(const QCodeEditor &editor)
{
    return editor.findChild<QLineNumberArea *>();
}

const QList<QFramedTextAttribute::Frame> &frames(const QCodeEditor &editor)
{
    return editor.findChild<QFramedTextAttribute *>()->frames();
}

QPoint pointOf(const QCodeEditor &editor, int position)
{
    QTextCursor cursor(editor.document());
    cursor.setPosition(position);
    return editor.cursorRect(cursor).center() + QPoint(2, 0);
}

QString numbered(int lines)
{
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text.append(QString("line %1").arg(i));
    return text.join('\n');
}

int colourDistance(const QColor &a, const QColor &b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

} // namespace

class TestCodeEditorWidget : public QObject
{
    Q_OBJECT

private:
    QSyntaxStyle m_dracula;

private slots:
    void initTestCase()
    {
        initCodeEditorResources();
        QFile file(":/styles/drakula.xml");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(m_dracula.load(QString::fromUtf8(file.readAll())));
    }

    void testKeys_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("tabSize");
        QTest::addColumn<QString>("options");

        QTest::newRow("bracket closes") << "|" << "(" << "(|)" << 4 << "";
        QTest::newRow("brace closes") << "|" << "{" << "{|}" << 4 << "";
        QTest::newRow("square bracket closes") << "|" << "[" << "[|]" << 4 << "";
        QTest::newRow("quote closes") << "|" << "\"" << "\"|\"" << 4 << "";
        QTest::newRow("closing bracket steps over") << "|" << "()" << "()|" << 4 << "";
        QTest::newRow("closing bracket without partner") << "a|" << ")" << "a)|" << 4 << "";
        QTest::newRow("closing quote steps over") << "|" << "\"ab\"" << "\"ab\"|" << 4 << "";
        QTest::newRow("brackets off") << "|" << "(\"" << "(\"|" << 4 << "noparens";
        QTest::newRow("return keeps indentation") << "  ab|" << "⏎" << "  ab\n  |" << 4 << "";
        QTest::newRow("return keeps tab indentation") << "\tab|" << "⏎" << "\tab\n\t|" << 2 << "notabs";
        QTest::newRow("return between braces") << "    {|}" << "⏎" << "    {\n      |\n    }" << 2 << "";
        QTest::newRow("return between braces with tabs") << "\t{|}" << "⏎" << "\t{\n\t\t|\n\t}" << 2 << "notabs";
        QTest::newRow("return without auto indentation") << "  {|}" << "⏎" << "  {\n|}" << 2 << "noindent";
        QTest::newRow("tab inserts spaces") << "ab|c" << "⇥" << "ab  |c" << 2 << "";
        QTest::newRow("tab inserts a tab when not replaced") << "ab|c" << "⇥" << "ab\t|c" << 2 << "notabs";
        QTest::newRow("tab on lines ending inside the last")
            << "«a\nb\nc»d" << "⇥" << "«  a\n  b\n  »cd" << 2 << "";
        QTest::newRow("tab on lines before another") << "«a\nb\nc»\nd" << "⇥" << "«  a\n  b\n  c\n»d" << 2 << "";
        QTest::newRow("tab leaves the line the selection ends before")
            << "«a\nb\n»c" << "⇥" << "«  a\n  b\n»c" << 2 << "";
        QTest::newRow("shift tab removes one step") << "   a|b" << "⇤" << "« ab»" << 2 << "";
        QTest::newRow("shift tab twice") << "   a|b" << "⇤⇤" << "«ab»" << 2 << "";
        QTest::newRow("shift tab without indentation") << "   a|b" << "⇤⇤⇤" << "«ab»" << 2 << "";
        QTest::newRow("shift tab removes only a leading tab") << "\ta|" << "⇤" << "«a»" << 2 << "";
        QTest::newRow("shift tab on middle lines") << "x\n«  a\n  b»\ny" << "⇤" << "x\n«a\nb\n»y" << 2 << "";
        QTest::newRow("shift tab twice on lines ending with the script")
            << "«    a\n    b\n    c»" << "⇤⇤" << "«a\nb\nc»" << 2 << "";
        QTest::newRow("read-only ignores editing keys") << "  {|}" << "(⏎⇥⇤\"" << "  {|}" << 2 << "readonly";
    }

    void testKeys()
    {
        QFETCH(QString, text);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QFETCH(int, tabSize);
        QFETCH(QString, options);

        QCodeEditor editor;
        editor.setTabReplaceSize(tabSize);
        editor.setTabReplace(!options.contains("notabs"));
        editor.setAutoParentheses(!options.contains("noparens"));
        editor.setAutoIndentation(!options.contains("noindent"));
        editor.setReadOnly(options.contains("readonly"));
        setMarkedText(editor, text);
        type(&editor, keys);
        QCOMPARE(markedText(editor), expected);
    }

    void testTypedScriptIsThePlainText()
    {
        QCodeEditor editor;
        QJSCompleter completer;
        editor.setCompleter(&completer);
        editor.setHighlighter(new QJSHighlighter(editor.document()));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));

        type(&editor, "(c => {⏎return c.split(\",\")[0];");
        const QString script = "(c => {\n    return c.split(\",\")[0];\n})";
        QCOMPARE(editor.toPlainText(), script);

        // Framing the occurrences of a double-clicked word leaves the text and its history alone.
        const int undoSteps = editor.document()->availableUndoSteps();
        QTest::mouseDClick(editor.viewport(), Qt::LeftButton, {}, pointOf(editor, 23));
        QCOMPARE(editor.textCursor().selectedText(), "split");
        QCOMPARE(frames(editor).size(), 1);
        QCOMPARE(editor.toPlainText(), script);
        QCOMPARE(editor.document()->availableUndoSteps(), undoSteps);
    }

    void testGutterWidthFollowsTheLineCount_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("digits");

        QTest::newRow("empty") << 1 << 1;
        QTest::newRow("nine lines") << 9 << 1;
        QTest::newRow("ten lines") << 10 << 2;
        QTest::newRow("hundred lines") << 100 << 3;
    }

    void testGutterWidthFollowsTheLineCount()
    {
        QFETCH(int, lines);
        QFETCH(int, digits);

        QCodeEditor editor;
        editor.setPlainText(QString(lines - 1, u'\n'));
        const int width = 13 + digits * editor.fontMetrics().horizontalAdvance(u'9');
        QCOMPARE(gutter(editor)->sizeHint().width(), width);
        QCOMPARE(editor.viewport()->geometry().left(), editor.frameWidth() + width);
    }

    void testFontAndTabText()
    {
        QCodeEditor editor;
        QVERIFY(editor.font().fixedPitch());
        QCOMPARE(editor.font().pointSize(), 10);
        QCOMPARE(editor.tabReplaceSize(), 4);
        editor.setTabReplaceSize(2);
        QCOMPARE(editor.tabReplaceSize(), 2);
        QCOMPARE(editor.tabStopDistance(), 2.0 * editor.fontMetrics().averageCharWidth());
    }

    void testBracketPartners_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("expected");

        QTest::newRow("before the outer opening") << "f|(a(b))" << QList<int>{1, 6};
        QTest::newRow("after the outer closing") << "f(a(b))|" << QList<int>{1, 6};
        QTest::newRow("before the inner opening") << "f(a|(b))" << QList<int>{3, 5};
        QTest::newRow("after the inner closing") << "f(a(b)|)" << QList<int>{3, 5};
        QTest::newRow("at the start of the script") << "|(x)" << QList<int>{0, 2};
        QTest::newRow("across lines") << "|{\n a\n}" << QList<int>{0, 5};
        QTest::newRow("square brackets") << "a[b]|" << QList<int>{1, 3};
        QTest::newRow("unmatched") << "|((x)" << QList<int>{};
        QTest::newRow("inside") << "f(|a)" << QList<int>{};
        QTest::newRow("quotes have no partner") << "|\"a\"" << QList<int>{};
    }

    void testBracketPartners()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, expected);

        QCodeEditor editor;
        setMarkedText(editor, text);
        QCOMPARE(bracketPositions(editor), expected);
        editor.setReadOnly(true);
        editor.updateExtraSelection();
        QCOMPARE(bracketPositions(editor), expected);
    }

    void testCurrentLineBandOnlyWhenEditable()
    {
        QCodeEditor editor;
        setMarkedText(editor, "a\nb|");
        QVERIFY(hasCurrentLineBand(editor));
        editor.setReadOnly(true);
        editor.updateExtraSelection();
        QVERIFY(!hasCurrentLineBand(editor));
    }

    void testFramesArePaintedNeverInserted()
    {
        QCodeEditor editor;
        editor.resize(500, 300);
        const QString text = "foo bar Foo\nfoobar FOO a";
        editor.setPlainText(text);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const int undoSteps = editor.document()->availableUndoSteps();

        // The frame of "FOO" on the second line, in viewport coordinates.
        QTextCursor start(editor.document());
        start.setPosition(19);
        QTextCursor end(editor.document());
        end.setPosition(22);
        const QRect from = editor.cursorRect(start);
        const QRect frameRect(from.topLeft(), QPoint(editor.cursorRect(end).left(), from.bottom()));
        const auto edgeIsFramed = [&] {
            const QImage image = editor.viewport()->grab().toImage();
            const QColor occurrences = QSyntaxStyle::defaultStyle()->getFormat("Occurrences").background().color();
            int closest = 255;
            for (int x = frameRect.left() - 1; x <= frameRect.left() + 1; ++x)
                closest = std::min(closest, colourDistance(image.pixelColor(x, frameRect.center().y()), occurrences));
            return closest < 30;
        };
        QVERIFY(!edgeIsFramed());

        QTest::mouseDClick(editor.viewport(), Qt::LeftButton, {}, pointOf(editor, 1));
        QCOMPARE(editor.textCursor().selectedText(), "foo");
        // Every occurrence, in any case and inside longer words, the selected one included.
        QList<int> framed;
        for (const QFramedTextAttribute::Frame &frame : frames(editor)) {
            QCOMPARE(frame.length, 3);
            framed.append(frame.position);
        }
        QCOMPARE(framed, QList<int>({0, 8, 12, 19}));
        QVERIFY(edgeIsFramed());
        QCOMPARE(editor.toPlainText(), text);
        QVERIFY(!editor.toPlainText().contains(objectReplacement));
        QCOMPARE(editor.document()->availableUndoSteps(), undoSteps);
        QVERIFY(!editor.document()->isModified());

        QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, pointOf(editor, 5));
        QVERIFY(frames(editor).isEmpty());
        QTRY_VERIFY(!edgeIsFramed());

        // A one-letter word is never framed.
        QTest::mouseDClick(editor.viewport(), Qt::LeftButton, {}, pointOf(editor, 23));
        QCOMPARE(editor.textCursor().selectedText(), "a");
        QVERIFY(frames(editor).isEmpty());

        // An edit that leaves the selection where it was moves the frames after it along.
        QTest::mouseDClick(editor.viewport(), Qt::LeftButton, {}, pointOf(editor, 1));
        QCOMPARE(frames(editor).size(), 4);
        QTextCursor inBar(editor.document());
        inBar.setPosition(5);
        inBar.insertText("zz");
        QCOMPARE(editor.textCursor().selectedText(), "foo");
        framed.clear();
        for (const QFramedTextAttribute::Frame &frame : frames(editor))
            framed.append(frame.position);
        QCOMPARE(framed, QList<int>({0, 10, 14, 21}));
    }

    void testUndoNeverBringsBackAFrame()
    {
        QCodeEditor editor;
        setMarkedText(editor, "ab ab|");
        type(&editor, " cd");
        QTextCursor word(editor.document());
        word.setPosition(0);
        word.setPosition(2, QTextCursor::KeepAnchor);
        editor.setTextCursor(word);
        QCOMPARE(frames(editor).size(), 2);
        word.setPosition(3);
        editor.setTextCursor(word);

        while (editor.document()->isUndoAvailable())
            editor.undo();
        QCOMPARE(editor.toPlainText(), "ab ab");
        editor.redo();
        QVERIFY(!editor.toPlainText().contains(objectReplacement));
    }

    void testFirstVisibleBlock_data()
    {
        QTest::addColumn<double>("scroll");

        QTest::newRow("top") << 0.0;
        QTest::newRow("a third") << 0.33;
        QTest::newRow("middle") << 0.5;
        QTest::newRow("bottom") << 1.0;
    }

    void testFirstVisibleBlock()
    {
        QFETCH(double, scroll);

        QCodeEditor editor;
        editor.resize(300, 200);
        editor.setPlainText(numbered(300));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        // Lay the whole script out, so the scroll range is the real one and not an estimate.
        const QRectF last = editor.document()->documentLayout()->blockBoundingRect(editor.document()->lastBlock());
        QScrollBar *bar = editor.verticalScrollBar();
        QTRY_VERIFY(bar->maximum() < last.bottom());
        bar->setValue(int(bar->maximum() * scroll));

        // The first block whose placed rectangle meets the viewport, walking from the top.
        const QRect viewport = editor.viewport()->geometry();
        int expected = 0;
        for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
            const QRect rect = editor.document()->documentLayout()->blockBoundingRect(block)
                                   .translated(viewport.x(), viewport.y() - bar->sliderPosition())
                                   .toRect();
            if (viewport.intersects(rect)) {
                expected = block.blockNumber();
                break;
            }
        }
        QCOMPARE(editor.getFirstVisibleBlock(), expected);
        if (scroll > 0)
            QVERIFY(expected > 0);
    }

    void testStyleColoursTheEditorGutterAndHighlighter()
    {
        QCodeEditor editor;
        auto *highlighter = new QJSHighlighter(editor.document());
        editor.setHighlighter(highlighter);
        editor.setPlainText("var x = 1;");
        editor.resize(300, 200);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));

        const auto keywordColour = [&] {
            const QList<QTextLayout::FormatRange> ranges = editor.document()->firstBlock().layout()->formats();
            return ranges.isEmpty() ? QColor() : ranges.first().format.foreground().color();
        };
        const auto gutterColour = [&] {
            return gutter(editor)->grab().toImage().pixelColor(2, gutter(editor)->height() - 2);
        };
        QTRY_COMPARE(keywordColour(), QColor("#808000"));
        QTRY_COMPARE(gutterColour(), QColor("#ffffff"));

        editor.setSyntaxStyle(&m_dracula);
        QCOMPARE(editor.palette().color(QPalette::Text), QColor("#f8f8f2"));
        QCOMPARE(editor.palette().color(QPalette::Base), QColor("#282a36"));
        QCOMPARE(editor.palette().color(QPalette::Inactive, QPalette::Highlight), QColor("#44475a"));
        QCOMPARE(highlighter->syntaxStyle(), &m_dracula);
        QCOMPARE(keywordColour(), QColor("#ffb879"));
        QTRY_COMPARE(gutterColour(), QColor("#282a36"));

        editor.setSyntaxStyle(nullptr);
        QCOMPARE(editor.syntaxStyle(), QSyntaxStyle::defaultStyle());
    }

    void testReplacingTheHighlighterDetachesTheOldOne()
    {
        QCodeEditor editor;
        editor.setSyntaxStyle(&m_dracula);
        QJSHighlighter first;
        QJSHighlighter second;
        editor.setHighlighter(&first);
        QCOMPARE(first.document(), editor.document());
        QCOMPARE(first.syntaxStyle(), &m_dracula);
        editor.setHighlighter(&second);
        QCOMPARE(first.document(), nullptr);
        QCOMPARE(second.document(), editor.document());
        editor.setHighlighter(nullptr);
        QCOMPARE(second.document(), nullptr);
    }

    void testCompletionPopup()
    {
        QCodeEditor editor;
        QJSCompleter completer;
        editor.setCompleter(&completer);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QAbstractItemView *popup = completer.popup();

        type(&editor, "g");
        QVERIFY(!popup->isVisible());
        type(&editor, "e");
        QTRY_VERIFY(popup->isVisible());
        type(&editor, ".");
        QVERIFY(!popup->isVisible());

        type(&editor, "getU");
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(completer.completionPrefix(), "getU");
        QTest::keyClick(popup, Qt::Key_Return);
        QVERIFY(!popup->isVisible());
        QCOMPARE(markedText(editor), "ge.getUTCFullYear|");

        // Control+letter carries a control character on X11; it must not open the popup.
        setMarkedText(editor, "getU|");
        QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QString(QChar(3)));
        QApplication::sendEvent(&editor, &copy);
        QVERIFY(!popup->isVisible());

        QTest::keyClick(&editor, Qt::Key_Space, Qt::ControlModifier);
        QTRY_VERIFY(popup->isVisible());
        QTest::keyClick(popup, Qt::Key_Escape);
        QVERIFY(!popup->isVisible());
        QCOMPARE(markedText(editor), "getU|");
    }

    void testCompletionNeverOverwritesWhatFollows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");

        QTest::newRow("before the rest of a word") << "get|xyz" << "U" << "getUTCFullYear|xyz";
        QTest::newRow("after a dot") << "Math.m|(a, b)" << "a" << "Math.max|(a, b)";
        QTest::newRow("before a bracket") << "x = whi|)" << "l" << "x = while|)";
    }

    void testCompletionNeverOverwritesWhatFollows()
    {
        QFETCH(QString, text);
        QFETCH(QString, keys);
        QFETCH(QString, expected);

        QCodeEditor editor;
        QJSCompleter completer;
        editor.setCompleter(&completer);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        setMarkedText(editor, text);
        type(&editor, keys);
        QTRY_VERIFY(completer.popup()->isVisible());
        QTest::keyClick(completer.popup(), Qt::Key_Tab);
        QCOMPARE(markedText(editor), expected);
    }

    void testSharedCompleterServesTheFocusedEditor()
    {
        QWidget window;
        auto *first = new QCodeEditor(&window);
        auto *second = new QCodeEditor(&window);
        QJSCompleter completer;
        first->setCompleter(&completer);
        second->setCompleter(&completer);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        first->setFocus();
        QTRY_COMPARE(completer.widget(), first);
        second->setFocus();
        QTRY_COMPARE(completer.widget(), second);
        first->insertCompletion("ignored");
        QVERIFY(first->toPlainText().isEmpty());
        second->insertCompletion("taken");
        QCOMPARE(second->toPlainText(), "taken");
    }

    void testDeletedCompleterAndHighlighterAreForgotten()
    {
        QCodeEditor editor;
        auto *completer = new QJSCompleter;
        auto *highlighter = new QJSHighlighter;
        editor.setCompleter(completer);
        editor.setHighlighter(highlighter);
        delete completer;
        delete highlighter;
        QCOMPARE(editor.completer(), nullptr);
        type(&editor, "getU");
        editor.setSyntaxStyle(&m_dracula);
        QCOMPARE(editor.toPlainText(), "getU");
    }

    void testPastingRichTextInsertsPlainText()
    {
        QCodeEditor editor;
        auto *mime = new QMimeData;
        mime->setHtml("<b>bold</b> <i>words</i>");
        mime->setText("bold words");
        QApplication::clipboard()->setMimeData(mime);
        editor.paste();
        QCOMPARE(editor.toPlainText(), "bold words");
        QTextCursor cursor(editor.document());
        cursor.setPosition(2);
        QCOMPARE(cursor.charFormat().fontWeight(), QFont::Normal);
        QVERIFY(!cursor.charFormat().fontItalic());
    }
};

QTEST_MAIN(TestCodeEditorWidget)
#include "tst_codeeditorwidget.moc"
