#include "codeeditor/codeeditorresources.h"
#include "codeeditor/qcodeeditor.h"
#include "codeeditor/qjshighlighter.h"
#include "codeeditor/qsyntaxstyle.h"
#include "screenshotsupport.h"
#include "windowtestsupport.h"

#include <QFile>
#include <QTextBlock>

// Shows the script editor on a real X server in its default scheme and in Dracula, keeps pictures
// of both for review by eye under <build>/screenshots/, and reads back from the screen that the
// text, the current line, the gutter, a keyword and an occurrence frame wear the scheme's colours.
namespace {

const QString Script = QStringLiteral("// Quote every line of the clipping\n"
                                      "function quoteLines(clipping) {\n"
                                      "    var text = clipping.plainText;\n"
                                      "    if (text.length === 0)\n"
                                      "        return null;\n"
                                      "    return text.split(\"\\n\").map(line => \"> \" + line).join(\"\\n\");\n"
                                      "}");

QColor colour(QSyntaxStyle *style, const char *name, bool background)
{
    const QTextCharFormat format = style->getFormat(QString::fromLatin1(name));
    return background ? format.background().color() : format.foreground().color();
}

bool near(QRgb pixel, const QColor &expected, int tolerance = 12)
{
    return qAbs(qRed(pixel) - expected.red()) + qAbs(qGreen(pixel) - expected.green())
               + qAbs(qBlue(pixel) - expected.blue())
           <= tolerance;
}

// Pixels of the area that show the colour: a glyph's full-cover pixels wear exactly its colour.
int pixelsNear(const QImage &image, const QRect &area, const QColor &expected)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += near(image.pixel(x, y), expected) ? 1 : 0;
    }
    return count;
}

QString describe(QRgb pixel)
{
    return QColor(pixel).name();
}

} // namespace

class TestCodeEditorScreenshots : public QObject
{
    Q_OBJECT

private:
    // Where the characters at position..position+length lie in the editor's own picture.
    static QRect textRect(QCodeEditor &editor, int position, int length)
    {
        QTextCursor cursor(editor.document());
        cursor.setPosition(position);
        const QRect start = editor.cursorRect(cursor);
        cursor.setPosition(position + length);
        const QRect end = editor.cursorRect(cursor);
        const QRect inViewport(start.topLeft(), QPoint(end.left() - 1, start.bottom()));
        return inViewport.translated(editor.viewport()->mapTo(&editor, QPoint(0, 0)));
    }

private slots:
    void testBothStyles_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::newRow("default") << QString();
        QTest::newRow("dracula") << QString(":/styles/drakula.xml");
    }

    void testBothStyles()
    {
        QFETCH(QString, scheme);
        initCodeEditorResources();
        QSyntaxStyle *style = QSyntaxStyle::defaultStyle();
        QSyntaxStyle dracula;
        if (!scheme.isEmpty()) {
            QFile file(scheme);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(dracula.load(QString::fromUtf8(file.readAll())));
            style = &dracula;
        }
        QVERIFY(style->isLoaded());

        QCodeEditor editor;
        editor.setSyntaxStyle(style);
        editor.setHighlighter(new QJSHighlighter(editor.document()));
        editor.setLineWrapMode(QTextEdit::NoWrap);
        editor.setPlainText(Script);
        editor.resize(640, 200);
        editor.move(30, 30);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));

        // Selecting "text" on the third line frames every other place it occurs.
        const int textAt = editor.document()->findBlockByNumber(2).position() + 8;
        QTextCursor selection(editor.document());
        selection.setPosition(textAt);
        selection.setPosition(textAt + 4, QTextCursor::KeepAnchor);
        editor.setTextCursor(selection);
        QTest::qWait(100);

        const QImage image = editor.grab().toImage();
        QVERIFY(image.save(Screenshots::path(QString("code-editor-%1").arg(QTest::currentDataTag()))));

        const QColor text = colour(style, "Text", true);
        const QColor currentLine = colour(style, "CurrentLine", true);
        const QColor keyword = colour(style, "Keyword", false);
        const QColor frame = colour(style, "Occurrences", true);
        QVERIFY(text != currentLine && text != frame);

        const QTextBlock closing = editor.document()->findBlockByNumber(6);
        const QRect closingLine = textRect(editor, closing.position(), 1);
        const int rightEdge = editor.viewport()->mapTo(&editor, QPoint(editor.viewport()->width() - 6, 0)).x();
        const QRgb background = image.pixel(rightEdge, closingLine.center().y());
        QVERIFY2(near(background, text, 0), qPrintable(describe(background)));

        const QRect selectedLine = textRect(editor, textAt, 4);
        const QRgb current = image.pixel(rightEdge, selectedLine.center().y());
        QVERIFY2(near(current, currentLine, 0), qPrintable(describe(current)));

        const QRgb gutter = image.pixel(editor.contentsRect().left() + 1, closingLine.center().y());
        QVERIFY2(near(gutter, text, 0), qPrintable(describe(gutter)));
        const QRect gutterOfLine(editor.contentsRect().left(), closingLine.top(),
                                 editor.viewport()->geometry().left() - editor.contentsRect().left(), closingLine.height());
        QVERIFY(pixelsNear(image, gutterOfLine, colour(style, "LineNumber", false)) > 0);
        const QRect gutterOfCurrent = gutterOfLine.translated(0, selectedLine.top() - closingLine.top());
        QVERIFY(pixelsNear(image, gutterOfCurrent, colour(style, "CurrentLineNumber", false)) > 0);

        const QTextBlock returnLine = editor.document()->findBlockByNumber(4);
        const QRect returnWord = textRect(editor, returnLine.position() + 8, 6);
        QVERIFY(pixelsNear(image, returnWord, keyword) > 0);
        QCOMPARE(pixelsNear(image, returnWord, colour(style, "Text", false)), 0);

        // The frame's top edge runs along the top of the line, above every glyph.
        const QTextBlock ifLine = editor.document()->findBlockByNumber(3);
        const QRect framed = textRect(editor, ifLine.position() + 8, 4);
        const QRgb edge = image.pixel(framed.center().x(), framed.top());
        QVERIFY2(near(edge, frame), qPrintable(describe(edge)));
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestCodeEditorScreenshots)
#include "tst_codeeditorscreenshots.moc"
