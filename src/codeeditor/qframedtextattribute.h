#pragma once

#include <QList>
#include <QObject>
#include <QRectF>

class QPainter;
class QPointF;
class QSyntaxStyle;
class QTextDocument;

// Outlines occurrences of a word in the scheme's "Occurrences" colour. The frames are painted over
// the text, never inserted into it: the document, its plain text and its undo history stay as the
// user left them. Frames hold document positions, so whoever edits the text clears them first.
class QFramedTextAttribute : public QObject
{
    Q_OBJECT

public:
    struct Frame
    {
        int position;
        int length;
    };

    explicit QFramedTextAttribute(QObject *parent = nullptr);

    // Not owned.
    void setSyntaxStyle(QSyntaxStyle *style);
    QSyntaxStyle *syntaxStyle() const;

    // Frames length characters from position; frames are expected in document order.
    void frame(int position, int length);
    // Removes every frame.
    void clear();
    const QList<Frame> &frames() const;

    // Draws the frames that meet the clip rectangle; offset maps document to painter coordinates.
    void paint(QPainter *painter, const QTextDocument *document, const QPointF &offset, const QRectF &clip) const;

private:
    QList<QRectF> frameRects(const QTextDocument *document, const Frame &frame) const;

    QSyntaxStyle *m_syntaxStyle = nullptr;
    QList<Frame> m_frames;
};
