#include "codeeditor/qcodeeditor.h"

#include "codeeditor/qframedtextattribute.h"
#include "codeeditor/qlinenumberarea.h"
#include "codeeditor/qstylesyntaxhighlighter.h"
#include "codeeditor/qsyntaxstyle.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QCompleter>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace {

struct Parenthesis
{
    QChar opening;
    QChar closing;
};

// Read by bracket matching and by automatic closing, in this order.
const Parenthesis parentheses[] = {
    {u'(', u')'},
    {u'{', u'}'},
    {u'[', u']'},
    {u'"', u'"'},
    {u'\'', u'\''},
};

// Typing one of these ends a word, so the completion popup closes.
const QString endOfWord = QStringLiteral(R"(~!@#$%^&*()_+{}|:"<>?,./;'[]\-=)");

bool isReturn(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

bool isParenthesis(const QString &text)
{
    return std::any_of(std::cbegin(parentheses), std::cend(parentheses), [&](const Parenthesis &pair) {
        return text == pair.opening || text == pair.closing;
    });
}

bool isCompletionShortcut(const QKeyEvent *e)
{
    return e->modifiers().testFlag(Qt::ControlModifier) && e->key() == Qt::Key_Space;
}

} // namespace

QCodeEditor::QCodeEditor(QWidget *widget)
    : QTextEdit(widget)
    , m_lineNumberArea(new QLineNumberArea(this, [this] { return getFirstVisibleBlock(); }))
    , m_framedAttribute(new QFramedTextAttribute(this))
    , m_tabReplace(4, u' ')
{
    initFont();
    performConnections();
    setSyntaxStyle(QSyntaxStyle::defaultStyle());
    updateLineNumberAreaWidth(0);
}

void QCodeEditor::initFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFixedPitch(true);
    font.setPointSize(10);
    setFont(font);
    updateTabStop();
}

void QCodeEditor::performConnections()
{
    connect(document(), &QTextDocument::blockCountChanged, this, &QCodeEditor::updateLineNumberAreaWidth);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_lineNumberArea, [this] { m_lineNumberArea->update(); });
    connect(this, &QTextEdit::cursorPositionChanged, this, &QCodeEditor::updateExtraSelection);
    connect(this, &QTextEdit::selectionChanged, this, &QCodeEditor::onSelectionChanged);
    // Frames hold positions, so an edit that leaves the selection alone finds them afresh.
    connect(document(), &QTextDocument::contentsChange, this, &QCodeEditor::onSelectionChanged);
}

void QCodeEditor::setHighlighter(QStyleSyntaxHighlighter *highlighter)
{
    if (m_highlighter)
        m_highlighter->setDocument(nullptr);

    m_highlighter = highlighter;
    if (m_highlighter) {
        m_highlighter->setSyntaxStyle(m_syntaxStyle);
        m_highlighter->setDocument(document());
    }
}

void QCodeEditor::setSyntaxStyle(QSyntaxStyle *style)
{
    m_syntaxStyle = style ? style : QSyntaxStyle::defaultStyle();
    m_framedAttribute->setSyntaxStyle(m_syntaxStyle);
    m_lineNumberArea->setSyntaxStyle(m_syntaxStyle);
    if (m_highlighter)
        m_highlighter->setSyntaxStyle(m_syntaxStyle);
    updateStyle();
}

QSyntaxStyle *QCodeEditor::syntaxStyle() const
{
    return m_syntaxStyle;
}

void QCodeEditor::updateStyle()
{
    if (m_highlighter)
        m_highlighter->rehighlight();

    QPalette currentPalette = palette();
    currentPalette.setColor(QPalette::Text, m_syntaxStyle->getFormat(QStringLiteral("Text")).foreground().color());
    currentPalette.setColor(QPalette::Base, m_syntaxStyle->getFormat(QStringLiteral("Text")).background().color());
    currentPalette.setColor(QPalette::Highlight,
                            m_syntaxStyle->getFormat(QStringLiteral("Selection")).background().color());
    setPalette(currentPalette);

    updateExtraSelection();
}

void QCodeEditor::setAutoParentheses(bool enabled)
{
    m_autoParentheses = enabled;
}

bool QCodeEditor::autoParentheses() const
{
    return m_autoParentheses;
}

void QCodeEditor::setTabReplace(bool enabled)
{
    m_replaceTab = enabled;
}

bool QCodeEditor::tabReplace() const
{
    return m_replaceTab;
}

void QCodeEditor::setTabReplaceSize(int spaces)
{
    m_tabReplace = QString(std::max(0, spaces), u' ');
    updateTabStop();
}

int QCodeEditor::tabReplaceSize() const
{
    return int(m_tabReplace.size());
}

void QCodeEditor::setAutoIndentation(bool enabled)
{
    m_autoIndentation = enabled;
}

bool QCodeEditor::autoIndentation() const
{
    return m_autoIndentation;
}

// A tab character is as wide as one indentation step, so Return between braces indents the new
// line by the same step that Tab inserts.
void QCodeEditor::updateTabStop()
{
    if (!m_tabReplace.isEmpty())
        setTabStopDistance(m_tabReplace.size() * averageCharWidth());
}

qreal QCodeEditor::averageCharWidth() const
{
    return std::max(1, fontMetrics().averageCharWidth());
}

// ---- Gutter ---------------------------------------------------------------------------------

void QCodeEditor::updateLineNumberAreaWidth(int)
{
    setViewportMargins(m_lineNumberArea->sizeHint().width(), 0, 0, 0);
}

void QCodeEditor::updateLineNumberArea(const QRect &rect)
{
    m_lineNumberArea->update(0, rect.y(), m_lineNumberArea->sizeHint().width(), rect.height());
    updateLineGeometry();
    if (rect.contains(viewport()->rect()))
        updateLineNumberAreaWidth(0);
}

void QCodeEditor::updateLineGeometry()
{
    const QRect cr = contentsRect();
    m_lineNumberArea->setGeometry(QRect(cr.left(), cr.top(), m_lineNumberArea->sizeHint().width(), cr.height()));
}

int QCodeEditor::getFirstVisibleBlock()
{
    const QRect viewportGeometry = viewport()->geometry();
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    const int scroll = verticalScrollBar()->sliderPosition();
    const auto placed = [&](const QTextBlock &block) {
        return layout->blockBoundingRect(block)
            .translated(viewportGeometry.x(), viewportGeometry.y() - scroll)
            .toRect();
    };

    // Blocks are stacked from the top, so those ending above the viewport are found by halving
    // instead of laying out the walk from the first line on every repaint.
    int low = 0;
    int high = document()->blockCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (placed(document()->findBlockByNumber(middle)).bottom() < viewportGeometry.top())
            low = middle + 1;
        else
            high = middle;
    }
    for (QTextBlock block = document()->findBlockByNumber(low); block.isValid(); block = block.next()) {
        const QRect rect = placed(block);
        if (viewportGeometry.intersects(rect))
            return block.blockNumber();
        if (rect.top() > viewportGeometry.bottom())
            break;
    }
    return 0;
}

void QCodeEditor::paintEvent(QPaintEvent *e)
{
    updateLineNumberArea(e->rect());
    QTextEdit::paintEvent(e);

    if (!m_framedAttribute->frames().isEmpty()) {
        QPainter painter(viewport());
        m_framedAttribute->paint(&painter, document(),
                                 QPointF(-horizontalScrollBar()->value(), -verticalScrollBar()->value()), e->rect());
    }
}

void QCodeEditor::resizeEvent(QResizeEvent *e)
{
    QTextEdit::resizeEvent(e);
    updateLineGeometry();
}

// ---- Highlights -----------------------------------------------------------------------------

void QCodeEditor::updateExtraSelection()
{
    QList<QTextEdit::ExtraSelection> extra;
    highlightCurrentLine(extra);
    highlightParenthesis(extra);
    setExtraSelections(extra);
}

void QCodeEditor::highlightCurrentLine(QList<QTextEdit::ExtraSelection> &extraSelection)
{
    if (isReadOnly())
        return;

    QTextEdit::ExtraSelection selection;
    selection.format = m_syntaxStyle->getFormat(QStringLiteral("CurrentLine"));
    selection.format.clearForeground();
    selection.format.setProperty(QTextFormat::FullWidthSelection, true);
    selection.cursor = textCursor();
    selection.cursor.clearSelection();
    extraSelection.append(selection);
}

void QCodeEditor::highlightParenthesis(QList<QTextEdit::ExtraSelection> &extraSelection)
{
    const QChar current = charUnderCursor();
    const QChar previous = charUnderCursor(-1);
    const int cursorPosition = textCursor().position();

    for (const Parenthesis &pair : parentheses) {
        int direction;
        QChar counterSymbol;
        QChar activeSymbol;
        int position = cursorPosition;
        if (pair.opening == current) {
            direction = 1;
            counterSymbol = pair.closing;
            activeSymbol = current;
        } else if (pair.closing == previous) {
            direction = -1;
            counterSymbol = pair.opening;
            activeSymbol = previous;
            position--;
        } else {
            continue;
        }

        // A quote is its own partner: every further quote counts as one more opening, so a quote
        // never gets a partner and the scan through the rest of the script can be skipped.
        if (activeSymbol == counterSymbol)
            return;

        QTextBlock block = document()->findBlock(position);
        QString blockText = block.text();
        const int characterCount = document()->characterCount();
        int counter = 1;
        while (counter != 0 && position + direction >= 0 && position + direction < characterCount) {
            position += direction;
            if (position < block.position() || position >= block.position() + block.length()) {
                block = document()->findBlock(position);
                blockText = block.text();
            }
            const int column = position - block.position();
            const QChar character = column < blockText.size() ? blockText.at(column) : QChar(QChar::ParagraphSeparator);
            if (character == activeSymbol)
                ++counter;
            else if (character == counterSymbol)
                --counter;
        }

        if (counter == 0) {
            const QTextCharFormat format = m_syntaxStyle->getFormat(QStringLiteral("Parentheses"));

            QTextEdit::ExtraSelection partner;
            partner.format = format;
            partner.cursor = textCursor();
            partner.cursor.clearSelection();
            partner.cursor.setPosition(position);
            partner.cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
            extraSelection.append(partner);

            QTextEdit::ExtraSelection bracket;
            bracket.format = format;
            bracket.cursor = textCursor();
            bracket.cursor.clearSelection();
            bracket.cursor.movePosition(direction == 1 ? QTextCursor::Right : QTextCursor::Left,
                                        QTextCursor::KeepAnchor);
            extraSelection.append(bracket);
        }
        return;
    }
}

void QCodeEditor::onSelectionChanged()
{
    const QString selected = textCursor().selectedText();
    QTextCursor cursor = textCursor();

    if (!m_framedAttribute->frames().isEmpty()) {
        m_framedAttribute->clear();
        viewport()->update();
    }
    if (cursor.isNull() || selected.size() < 2)
        return;

    cursor.movePosition(QTextCursor::Left);
    cursor.select(QTextCursor::WordUnderCursor);
    if (cursor.selectedText() == selected) {
        handleSelectionQuery(cursor);
        viewport()->update();
    }
}

// The hits of QTextDocument::find without flags (any case, inside longer words too), found in one
// pass over the blocks instead of one search per hit.
void QCodeEditor::handleSelectionQuery(QTextCursor cursor)
{
    const QString word = cursor.selectedText();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        QString text = block.text();
        text.replace(QChar::Nbsp, u' ');
        for (qsizetype at = text.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
             at = text.indexOf(word, at + word.size(), Qt::CaseInsensitive)) {
            m_framedAttribute->frame(block.position() + int(at), int(word.size()));
        }
    }
}

// ---- Keys -----------------------------------------------------------------------------------

QChar QCodeEditor::charUnderCursor(int offset) const
{
    const QTextCursor cursor = textCursor();
    const QString text = cursor.block().text();
    const int column = cursor.positionInBlock() + offset;
    if (column < 0 || column >= text.size())
        return {};
    return text.at(column);
}

int QCodeEditor::getIndentationSpaces()
{
    const QString blockText = textCursor().block().text();
    int indentationLevel = 0;
    for (const QChar c : blockText) {
        if (c == u' ')
            ++indentationLevel;
        else if (c == u'\t')
            indentationLevel = int(indentationLevel + tabStopDistance() / averageCharWidth());
        else
            break;
    }
    return indentationLevel;
}

void QCodeEditor::keyPressEvent(QKeyEvent *e)
{
    // A read-only script (a built-in action) is only looked at: no key may change it.
    if (isReadOnly()) {
        QTextEdit::keyPressEvent(e);
        return;
    }

    if (!proceedCompleterBegin(e)) {
        if (m_replaceTab && e->key() == Qt::Key_Tab && e->modifiers() == Qt::NoModifier) {
            indentSelection();
            return;
        }

        const int indentationLevel = getIndentationSpaces();
        const int tabCounts = int(indentationLevel * averageCharWidth() / tabStopDistance());

        if (m_autoIndentation && isReturn(e) && charUnderCursor() == u'}' && charUnderCursor(-1) == u'{') {
            const int defaultIndent = int(tabStopDistance() / averageCharWidth());
            QTextCursor cursor = textCursor();
            cursor.beginEditBlock();
            cursor.insertText(QStringLiteral("\n"));
            cursor.insertText(m_replaceTab ? QString(indentationLevel + defaultIndent, u' ')
                                           : QString(tabCounts + 1, u'\t'));
            cursor.insertText(QStringLiteral("\n"));
            cursor.insertText(m_replaceTab ? QString(indentationLevel, u' ') : QString(tabCounts, u'\t'));
            cursor.endEditBlock();
            cursor.movePosition(QTextCursor::Left, QTextCursor::MoveAnchor,
                                1 + (m_replaceTab ? indentationLevel : tabCounts));
            setTextCursor(cursor);
            return;
        }

        if (m_replaceTab && e->key() == Qt::Key_Backtab) {
            unindentSelection();
            return;
        }

        // A key and what it brings along (indentation, a closing partner) make one edit, so the
        // script is laid out and highlighted once for the keystroke.
        const bool bringsAlong = (m_autoIndentation && isReturn(e)) || (m_autoParentheses && isParenthesis(e->text()));
        QTextCursor edit = textCursor();
        if (bringsAlong)
            edit.beginEditBlock();

        QTextEdit::keyPressEvent(e);

        if (m_autoIndentation && isReturn(e))
            insertPlainText(m_replaceTab ? QString(indentationLevel, u' ') : QString(tabCounts, u'\t'));
        if (m_autoParentheses)
            completeParenthesis(e->text());

        if (bringsAlong) {
            edit.endEditBlock();
            ensureCursorVisible();
        }
    }

    proceedCompleterEnd(e);
}

void QCodeEditor::completeParenthesis(const QString &typed)
{
    for (const Parenthesis &pair : parentheses) {
        // A quote typed before the same quote closes the string, like a closing bracket.
        if (pair.opening == pair.closing && typed == pair.closing && charUnderCursor() == pair.closing) {
            textCursor().deletePreviousChar();
            moveCursor(QTextCursor::Right);
            return;
        }
        if (typed == pair.opening) {
            insertPlainText(pair.closing);
            moveCursor(QTextCursor::Left);
            return;
        }
        if (typed == pair.closing) {
            // Typed before the same closing character: step over it instead of doubling it.
            if (charUnderCursor() == pair.closing) {
                textCursor().deletePreviousChar();
                moveCursor(QTextCursor::Right);
            }
            return;
        }
    }
}

void QCodeEditor::indentSelection()
{
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        cursor.insertText(m_tabReplace);
        setTextCursor(cursor);
        return;
    }

    int end = cursor.selectionEnd();
    QTextBlock block = document()->findBlock(cursor.selectionStart());
    const int first = block.position();
    int stop = first;

    cursor.beginEditBlock();
    while (block.isValid() && block.position() < end) {
        QTextCursor lineStart(block);
        lineStart.insertText(m_tabReplace);
        end += int(m_tabReplace.size());
        stop = block.next().isValid() ? block.next().position() : block.position() + int(m_tabReplace.size());
        block = block.next();
    }
    cursor.endEditBlock();

    cursor.setPosition(first);
    cursor.setPosition(stop, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void QCodeEditor::unindentSelection()
{
    QTextCursor cursor = textCursor();
    int end = cursor.hasSelection() ? cursor.selectionEnd() : cursor.position();
    QTextBlock block = document()->findBlock(cursor.selectionStart());
    const int first = block.position();
    int stop = first;

    cursor.beginEditBlock();
    do {
        const QString text = block.text();
        int run = 0;
        while (run < text.size() && (text.at(run) == u' ' || text.at(run) == u'\t'))
            ++run;
        const int remove = std::min(int(m_tabReplace.size()), run);
        if (remove > 0) {
            QTextCursor lineStart(block);
            lineStart.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, remove);
            lineStart.removeSelectedText();
            end -= remove;
        }
        // The last line ends the selection at its end, so a second Shift+Tab treats it again.
        stop = block.next().isValid() ? block.next().position() : block.position() + block.length() - 1;
        block = block.next();
    } while (block.isValid() && block.position() < end);
    cursor.endEditBlock();

    cursor.setPosition(first);
    cursor.setPosition(stop, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

// ---- Completion -----------------------------------------------------------------------------

void QCodeEditor::setCompleter(QCompleter *completer)
{
    if (m_completer)
        disconnect(m_completer, nullptr, this, nullptr);

    m_completer = completer;
    if (!m_completer)
        return;

    m_completer->setWidget(this);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this, &QCodeEditor::insertCompletion);
}

QCompleter *QCodeEditor::completer() const
{
    return m_completer;
}

QTextCursor QCodeEditor::completionPrefixCursor() const
{
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    const QString text = cursor.block().text();
    int start = cursor.positionInBlock();
    while (start > 0 && (text.at(start - 1).isLetterOrNumber() || text.at(start - 1) == u'_'))
        --start;
    cursor.setPosition(cursor.block().position() + start, QTextCursor::KeepAnchor);
    return cursor;
}

// Only the word up to the cursor is replaced: text after the cursor is never overwritten.
void QCodeEditor::insertCompletion(QString s)
{
    if (!m_completer || m_completer->widget() != this)
        return;

    QTextCursor cursor = completionPrefixCursor();
    cursor.insertText(s);
    setTextCursor(cursor);
}

bool QCodeEditor::proceedCompleterBegin(QKeyEvent *e)
{
    if (m_completer && m_completer->popup()->isVisible()) {
        switch (e->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            // The completer acts on these once the editor leaves them.
            e->ignore();
            return true;
        default:
            break;
        }
    }
    return m_completer && isCompletionShortcut(e);
}

void QCodeEditor::proceedCompleterEnd(QKeyEvent *e)
{
    if (!m_completer)
        return;

    // On X11 Control+letter carries a control character as its text; it types nothing.
    QString text = e->text();
    if (e->modifiers().testFlag(Qt::ControlModifier) && !text.isEmpty() && !text.back().isPrint())
        text.clear();

    const bool controlOrShift = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    if ((controlOrShift && text.isEmpty()) || e->key() == Qt::Key_Delete)
        return;

    const bool isShortcut = isCompletionShortcut(e);
    const QString completionPrefix = completionPrefixCursor().selectedText();
    if ((!isShortcut && text.isEmpty()) || completionPrefix.size() < 2
        || (!text.isEmpty() && endOfWord.contains(text.back()))) {
        m_completer->popup()->hide();
        return;
    }

    if (completionPrefix != m_completer->completionPrefix()) {
        m_completer->setCompletionPrefix(completionPrefix);
        m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    }

    QRect cursRect = cursorRect();
    cursRect.setWidth(m_completer->popup()->sizeHintForColumn(0)
                      + m_completer->popup()->verticalScrollBar()->sizeHint().width());
    m_completer->complete(cursRect);
}

void QCodeEditor::focusInEvent(QFocusEvent *e)
{
    if (m_completer)
        m_completer->setWidget(this);
    QTextEdit::focusInEvent(e);
}

void QCodeEditor::changeEvent(QEvent *e)
{
    // The band follows the cursor only; one made while editable would stay after setReadOnly.
    if (e->type() == QEvent::ReadOnlyChange)
        updateExtraSelection();
    QTextEdit::changeEvent(e);
}

void QCodeEditor::insertFromMimeData(const QMimeData *source)
{
    insertPlainText(source->text());
}
