#include "codeeditor/qframedtextattribute.h"

#include "codeeditor/qsyntaxstyle.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

QFramedTextAttribute::QFramedTextAttribute(QObject *parent)
    : QObject(parent)
{
}

void QFramedTextAttribute::setSyntaxStyle(QSyntaxStyle *style)
{
    m_syntaxStyle = style;
}

QSyntaxStyle *QFramedTextAttribute::syntaxStyle() const
{
    return m_syntaxStyle;
}

void QFramedTextAttribute::frame(int position, int length)
{
    if (length > 0)
        m_frames.append({position, length});
}

void QFramedTextAttribute::clear()
{
    m_frames.clear();
}

const QList<QFramedTextAttribute::Frame> &QFramedTextAttribute::frames() const
{
    return m_frames;
}

// One rectangle per laid-out line the occurrence spans, in document coordinates.
QList<QRectF> QFramedTextAttribute::frameRects(const QTextDocument *document, const Frame &frame) const
{
    QList<QRectF> rects;
    const int start = frame.position;
    const int end = std::min(frame.position + frame.length, document->characterCount() - 1);
    if (start >= end)
        return rects;

    const QTextBlock block = document->findBlock(start);
    const QTextLayout *layout = block.layout();
    if (!layout)
        return rects;
    const QPointF blockTopLeft = document->documentLayout()->blockBoundingRect(block).topLeft();
    const int from = start - block.position();
    const int to = std::min(end - block.position(), block.length() - 1);
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        const int lineStart = std::max(from, line.textStart());
        const int lineEnd = std::min(to, line.textStart() + line.textLength());
        if (lineStart >= lineEnd)
            continue;
        const qreal left = line.cursorToX(lineStart);
        const qreal right = line.cursorToX(lineEnd);
        rects.append(QRectF(left, line.y(), right - left, line.height()).translated(blockTopLeft));
    }
    return rects;
}

void QFramedTextAttribute::paint(QPainter *painter, const QTextDocument *document, const QPointF &offset,
                                 const QRectF &clip) const
{
    if (m_frames.isEmpty() || !m_syntaxStyle)
        return;

    const QRectF area = clip.translated(-offset);
    // Frames lie in document order, so the first one that can show is found by halving.
    const auto first = std::partition_point(m_frames.cbegin(), m_frames.cend(), [&](const Frame &frame) {
        const QList<QRectF> rects = frameRects(document, frame);
        return !rects.isEmpty() && rects.last().bottom() < area.top();
    });

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(m_syntaxStyle->getFormat(QStringLiteral("Occurrences")).background().color());
    painter->setBrush(Qt::NoBrush);
    for (auto it = first; it != m_frames.cend(); ++it) {
        const QList<QRectF> rects = frameRects(document, *it);
        if (!rects.isEmpty() && rects.first().top() > area.bottom())
            break;
        for (const QRectF &rect : rects)
            painter->drawRoundedRect(rect.translated(offset).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    painter->restore();
}
