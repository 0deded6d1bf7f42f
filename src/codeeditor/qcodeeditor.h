#pragma once

#include <QPointer>
#include <QTextEdit>

class QCompleter;
class QFramedTextAttribute;
class QLineNumberArea;
class QStyleSyntaxHighlighter;
class QSyntaxStyle;

// A plain-text source editor: line numbers, current-line and bracket-partner highlights, frames
// around the occurrences of a selected word, automatic indentation and closing brackets, Tab and
// Shift+Tab on selected lines, a completion popup, and colours from a QSyntaxStyle.
//
// Highlighter, completer and style are not owned. A completer may serve several editors.
class QCodeEditor : public QTextEdit
{
    Q_OBJECT

public:
    explicit QCodeEditor(QWidget *widget = nullptr);

    // Number of the first block that is at least partly inside the viewport.
    int getFirstVisibleBlock();

    // Detaches the previous highlighter; the new one gets the editor's style, then its document.
    void setHighlighter(QStyleSyntaxHighlighter *highlighter);
    // Null stands for QSyntaxStyle::defaultStyle().
    void setSyntaxStyle(QSyntaxStyle *style);
    QSyntaxStyle *syntaxStyle() const;

    void setAutoParentheses(bool enabled);
    bool autoParentheses() const;
    void setTabReplace(bool enabled);
    bool tabReplace() const;
    // One indentation step becomes this many spaces.
    void setTabReplaceSize(int spaces);
    int tabReplaceSize() const;
    void setAutoIndentation(bool enabled);
    bool autoIndentation() const;

    void setCompleter(QCompleter *completer);
    QCompleter *completer() const;

public slots:
    void insertCompletion(QString s);
    void updateLineNumberAreaWidth(int);
    void updateLineNumberArea(const QRect &rect);
    void updateExtraSelection();
    void updateStyle();
    void onSelectionChanged();

protected:
    void insertFromMimeData(const QMimeData *source) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void initFont();
    void performConnections();
    void updateTabStop();
    void handleSelectionQuery(QTextCursor cursor);
    void updateLineGeometry();

    bool proceedCompleterBegin(QKeyEvent *e);
    void proceedCompleterEnd(QKeyEvent *e);
    // The part of the word under the cursor that lies before it: what completion completes.
    QTextCursor completionPrefixCursor() const;

    QChar charUnderCursor(int offset = 0) const;

    void highlightCurrentLine(QList<QTextEdit::ExtraSelection> &extraSelection);
    void highlightParenthesis(QList<QTextEdit::ExtraSelection> &extraSelection);

    int getIndentationSpaces();
    void completeParenthesis(const QString &typed);
    qreal averageCharWidth() const;
    void indentSelection();
    void unindentSelection();

    QPointer<QStyleSyntaxHighlighter> m_highlighter;
    QSyntaxStyle *m_syntaxStyle = nullptr;
    QLineNumberArea *m_lineNumberArea = nullptr;
    QPointer<QCompleter> m_completer;
    QFramedTextAttribute *m_framedAttribute = nullptr;

    bool m_autoIndentation = true;
    bool m_autoParentheses = true;
    bool m_replaceTab = true;
    QString m_tabReplace;
};
