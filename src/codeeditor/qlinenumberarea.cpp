#include "codeeditor/qlinenumberarea.h"

#include "codeeditor/qsyntaxstyle.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>

QLineNumberArea::QLineNumberArea(QTextEdit *parent, std::function<int()> firstVisibleBlock)
    : QWidget(parent)
    , m_codeEditParent(parent)
    , m_firstVisibleBlock(std::move(firstVisibleBlock))
{
}

void QLineNumberArea::setSyntaxStyle(QSyntaxStyle *style)
{
    m_syntaxStyle = style;
}

QSyntaxStyle *QLineNumberArea::syntaxStyle() const
{
    return m_syntaxStyle;
}

QSize QLineNumberArea::sizeHint() const
{
    if (!m_codeEditParent)
        return QWidget::sizeHint();

    const int digits = QString::number(std::max(1, m_codeEditParent->document()->blockCount())).size();
    const int space = 13 + m_codeEditParent->fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
    return {space, 0};
}

void QLineNumberArea::paintEvent(QPaintEvent *event)
{
    if (!m_codeEditParent || !m_syntaxStyle)
        return;

    QPainter painter(this);
    painter.fillRect(event->rect(), m_syntaxStyle->getFormat(QStringLiteral("Text")).background().color());

    QAbstractTextDocumentLayout *layout = m_codeEditParent->document()->documentLayout();
    int blockNumber = m_firstVisibleBlock();
    QTextBlock block = m_codeEditParent->document()->findBlockByNumber(blockNumber);
    const int scroll = m_codeEditParent->verticalScrollBar()->value();
    int top = int(layout->blockBoundingRect(block).top() - scroll);
    int bottom = top + int(layout->blockBoundingRect(block).height());

    const QColor currentLine = m_syntaxStyle->getFormat(QStringLiteral("CurrentLineNumber")).foreground().color();
    const QColor otherLines = m_syntaxStyle->getFormat(QStringLiteral("LineNumber")).foreground().color();
    const int cursorBlock = m_codeEditParent->textCursor().blockNumber();
    painter.setFont(m_codeEditParent->font());
    const int lineHeight = m_codeEditParent->fontMetrics().height();

    while (block.isValid() && top <= event->rect().bottom()) {
        if (block.isVisible() && bottom >= event->rect().top()) {
            painter.setPen(blockNumber == cursorBlock ? currentLine : otherLines);
            painter.drawText(-5, top, sizeHint().width(), lineHeight, Qt::AlignRight,
                             QString::number(blockNumber + 1));
        }
        block = block.next();
        top = bottom;
        bottom = top + int(layout->blockBoundingRect(block).height());
        ++blockNumber;
    }
}
