// Speed of the script editor on a long script: highlighting it once, one keystroke in it (with the
// re-highlighting, bracket and current-line highlights and completion it sets off), the gutter's
// first-visible-line lookup, and framing the occurrences of a selected word.
#include "codeeditor/codeeditorresources.h"
#include "codeeditor/qcodeeditor.h"
#include "codeeditor/qjscompleter.h"
#include "codeeditor/qjshighlighter.h"
#include "codeeditor/qsyntaxstyle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class CountingHighlighter : public QJSHighlighter
{
public:
    using QJSHighlighter::QJSHighlighter;
    int blocks = 0;
    qint64 nanoseconds = 0;

protected:
    void highlightBlock(const QString &text) override
    {
        QElapsedTimer timer;
        timer.start();
        QJSHighlighter::highlightBlock(text);
        nanoseconds += timer.nsecsElapsed();
        ++blocks;
    }
};

// A script that looks like the ones users write, with every kind of token the highlighter knows.
QString script(int lines)
{
    const QStringList shapes = {
        "function step%1(clipping, count) {",
        "    var total%1 = Math.max(count, %1) + 0x1F * 2.5e3; // keep the larger",
        "    let text = clipping.plainText.split(\"\\n\").map(line => line.trim());",
        "    if (text.length > %1 && typeof clipping.html === \"string\") {",
        "        return text.slice(0, %1).join(\", \") + new Date().getUTCFullYear();",
        "    }",
        "    /* the rest is kept",
        "       as it was */ const limit = Number.MAX_SAFE_INTEGER - %1;",
        "    for (let i = 0; i < total%1; ++i) { result.push(JSON.stringify({ index: i })); }",
        "}",
    };
    QStringList text;
    for (int i = 0; i < lines; ++i) {
        const QString &shape = shapes.at(i % shapes.size());
        text.append(shape.contains(QLatin1String("%1")) ? shape.arg(i) : shape);
    }
    return text.join('\n');
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values.at(std::min(values.size() - 1, size_t(values.size() * fraction)));
}

QSyntaxStyle *dracula(QObject *parent)
{
    initCodeEditorResources();
    auto *style = new QSyntaxStyle(parent);
    QFile file(":/styles/drakula.xml");
    if (file.open(QIODevice::ReadOnly))
        style->load(QString::fromUtf8(file.readAll()));
    return style;
}

void measureHighlightOnce(int lines)
{
    const QString text = script(lines);
    std::vector<double> documentTimes;
    std::vector<double> editorTimes;
    for (int run = 0; run < 7; ++run) {
        QTextDocument document(text);
        QJSHighlighter highlighter;
        highlighter.setSyntaxStyle(QSyntaxStyle::defaultStyle());
        highlighter.setDocument(&document);
        QElapsedTimer timer;
        timer.start();
        highlighter.rehighlight();
        documentTimes.push_back(timer.nsecsElapsed() / 1e6);

        // What the action editor does when it opens a script.
        QCodeEditor editor;
        auto *jsHighlighter = new QJSHighlighter(editor.document());
        editor.setHighlighter(jsHighlighter);
        timer.restart();
        editor.setPlainText(text);
        editorTimes.push_back(timer.nsecsElapsed() / 1e6);
    }
    printf("%8d %14.1f %16.1f\n", lines, median(documentTimes), median(editorTimes));
}

struct KeyFigures
{
    std::vector<double> keys;
    std::vector<double> highlight;
    std::vector<double> paint;
    int blocks = 0;
};

// Types a line with words, brackets (closed automatically) and a string, then Return, four times
// into the middle of the script.
KeyFigures typeInto(QTextEdit &editor, int lines, CountingHighlighter *highlighter)
{
    editor.setLineWrapMode(QTextEdit::NoWrap);
    editor.setPlainText(script(lines));
    editor.resize(900, 700);
    editor.show();
    QCoreApplication::processEvents();
    QTextCursor cursor(editor.document()->findBlockByNumber(lines / 2 + 1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    editor.setTextCursor(cursor);
    editor.ensureCursorVisible();
    QCoreApplication::processEvents();

    const QString typed = "result = Math.floor(total * 2) + getUTCDate(\"x\");";
    KeyFigures figures;
    for (int round = 0; round < 4; ++round) {
        for (int i = 0; i <= typed.size(); ++i) {
            const bool isReturn = i == typed.size();
            const QString text = isReturn ? QStringLiteral("\r") : typed.mid(i, 1);
            QKeyEvent press(QEvent::KeyPress, isReturn ? Qt::Key_Return : int(Qt::Key_unknown), Qt::NoModifier, text);
            QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, text);
            if (highlighter) {
                highlighter->blocks = 0;
                highlighter->nanoseconds = 0;
            }
            QElapsedTimer timer;
            timer.start();
            QApplication::sendEvent(&editor, &press);
            QApplication::sendEvent(&editor, &release);
            figures.keys.push_back(timer.nsecsElapsed() / 1e6);
            if (highlighter) {
                figures.highlight.push_back(highlighter->nanoseconds / 1e6);
                figures.blocks += highlighter->blocks;
            }
            timer.restart();
            editor.viewport()->repaint();
            figures.paint.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    return figures;
}

void measureKeystrokes(int lines)
{
    // What the action editor sets up.
    QWidget owner;
    QCodeEditor editor(&owner);
    auto *highlighter = new CountingHighlighter(editor.document());
    editor.setSyntaxStyle(dracula(&owner));
    editor.setHighlighter(highlighter);
    editor.setCompleter(new QJSCompleter(&owner));
    editor.setTabReplaceSize(2);
    owner.resize(900, 700);
    owner.show();
    const KeyFigures code = typeInto(editor, lines, highlighter);

    QTextEdit plain;
    const KeyFigures base = typeInto(plain, lines, nullptr);

    printf("%8d %6zu %10.2f %8.2f %8.2f %10.3f %10.2f %11.2f %10.2f %10.2f\n", lines, code.keys.size(),
           median(code.keys), percentile(code.keys, 0.95), *std::max_element(code.keys.begin(), code.keys.end()),
           median(code.highlight), double(code.blocks) / code.keys.size(), median(code.paint), median(base.keys),
           percentile(base.keys, 0.95));
}

void measureGutterAndFrames(int lines)
{
    QCodeEditor editor;
    editor.setHighlighter(new QJSHighlighter(editor.document()));
    editor.setLineWrapMode(QTextEdit::NoWrap);
    editor.setPlainText(script(lines));
    editor.resize(900, 700);
    editor.show();
    QCoreApplication::processEvents();
    editor.verticalScrollBar()->setValue(editor.verticalScrollBar()->maximum());
    QCoreApplication::processEvents();

    std::vector<double> firstVisible;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer timer;
        timer.start();
        const int block = editor.getFirstVisibleBlock();
        firstVisible.push_back(timer.nsecsElapsed() / 1e6);
        if (block <= 0)
            fprintf(stderr, "unexpected first visible block %d\n", block);
    }

    // "clipping" occurs three times in every ten lines.
    const QTextCursor word = editor.document()->find("clipping", editor.document()->findBlockByNumber(lines - 10).position());
    QElapsedTimer timer;
    timer.start();
    editor.setTextCursor(word);
    const double frame = timer.nsecsElapsed() / 1e6;
    timer.restart();
    editor.viewport()->repaint();
    const double paint = timer.nsecsElapsed() / 1e6;
    printf("%8d %16.3f %10lld %14.1f %12.2f\n", lines, median(firstVisible),
           qlonglong(editor.document()->toPlainText().count("clipping")), frame, paint);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    printf("Highlighting a whole script once (median of 7, ms): the highlighter alone, and an editor\n"
           "with its highlighter taking the text\n\n");
    printf("%8s %14s %16s\n", "lines", "highlighter", "editor setText");
    for (int lines : {1000, 5000, 20000})
        measureHighlightOnce(lines);
    printf("\nTarget: 5,000 lines highlighted once < 100 ms.\n");

    printf("\nTyping into the middle of the script in a shown editor (Dracula, completer, no wrap; ms)\n\n");
    printf("%8s %6s %10s %8s %8s %10s %10s %11s %10s %10s\n", "lines", "keys", "key median", "key p95", "key max",
           "highlight", "blocks/key", "repaint", "QTextEdit", "QTextEdit");
    printf("%8s %6s %10s %8s %8s %10s %10s %11s %10s %10s\n", "", "", "", "", "", "median", "", "median", "median",
           "p95");
    for (int lines : {1000, 5000})
        measureKeystrokes(lines);
    printf("\nThe last two columns type the same keys into a bare QTextEdit, for comparison.\n"
           "Target at 5,000 lines: a keystroke re-highlights only what changed, < 2 ms.\n");
    // Three runs on the development machine (8 cores, load average 1.2, offscreen).
    printf("\nRecorded at 5,000 lines: highlighting once 22-37 ms (editor 30-50 ms); a keystroke 1.70,\n"
           "2.13 and 2.78 ms (median), a bare QTextEdit 1.20-1.26 ms, re-highlighting 0.013-0.029 ms\n"
           "over 1.04 blocks. Counted instructions per keystroke: 6.8 M for QTextEdit, 8.6 M for the\n"
           "editor without highlighter and completer, 9.3 M with both; nearly all of it is the text\n"
           "layout walking the blocks after the edit, and the editor's extra 1.7 M go with the\n"
           "current-line band (an extra selection), whatever its cursor, format or paint.\n");

    printf("\nGutter and frames with the view at the end of the script (ms)\n\n");
    printf("%8s %16s %10s %14s %12s\n", "lines", "first visible", "frames", "frame a word", "repaint");
    for (int lines : {1000, 5000})
        measureGutterAndFrames(lines);
    return 0;
}
