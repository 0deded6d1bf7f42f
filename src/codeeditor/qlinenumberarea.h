#pragma once

#include <QWidget>

class QCodeEditor;
class QSyntaxStyle;

// The gutter at the left of a QCodeEditor with the number of every visible line.
class QLineNumberArea : public QWidget
{
    Q_OBJECT

public:
    explicit QLineNumberArea(QCodeEditor *parent = nullptr);

    // Not owned; the editor hands over its own.
    void setSyntaxStyle(QSyntaxStyle *style);
    QSyntaxStyle *syntaxStyle() const;

    // Wide enough for the number of the last line.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSyntaxStyle *m_syntaxStyle = nullptr;
    QCodeEditor *m_codeEditParent;
};
