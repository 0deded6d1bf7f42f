#pragma once

#include <QWidget>

#include <functional>

class QSyntaxStyle;
class QTextEdit;

// The gutter at the left of a QCodeEditor with the number of every visible line.
class QLineNumberArea : public QWidget
{
    Q_OBJECT

public:
    // The editor tells which block is the first it shows.
    QLineNumberArea(QTextEdit *parent, std::function<int()> firstVisibleBlock);

    // Not owned; the editor hands over its own.
    void setSyntaxStyle(QSyntaxStyle *style);
    QSyntaxStyle *syntaxStyle() const;

    // Wide enough for the number of the last line.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSyntaxStyle *m_syntaxStyle = nullptr;
    QTextEdit *m_codeEditParent;
    std::function<int()> m_firstVisibleBlock;
};
