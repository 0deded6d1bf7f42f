#pragma once

#include <QSyntaxHighlighter>

class QSyntaxStyle;

// A highlighter that takes its formats from a colour scheme. It needs its scheme before it gets
// a document; QCodeEditor::setHighlighter keeps that order.
class QStyleSyntaxHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit QStyleSyntaxHighlighter(QTextDocument *document = nullptr);

    // Not owned.
    void setSyntaxStyle(QSyntaxStyle *style);
    QSyntaxStyle *syntaxStyle() const;

private:
    QSyntaxStyle *m_syntaxStyle = nullptr;
};
