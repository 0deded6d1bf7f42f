#pragma once

#include "images/editor/graphicsitembase.h"

#include <QGraphicsRectItem>
#include <QPolygonF>
#include <QString>

// A text box centred on start with a pointer whose tip is end.
class GraphicsItemText : public QGraphicsRectItem, public GraphicsItemBase
{
public:
    enum { Type = TextType };
    enum Handle { Tip, Box };

    GraphicsItemText(QPointF pos, const QString &text, QGraphicsItem *parent = nullptr);

    QPointF end() const { return m_end; }
    QString text() const { return m_text; }
    // Call updatePosition() afterwards to resize the box.
    void setText(const QString &text) { m_text = text; }
    QPolygonF pointer() const { return m_pointer; }

    void positionFromHandle(GraphicsItemHandle *handle) override;
    void updatePosition() override;
    QPointF start() const override { return m_start; }
    void setEnd(QPointF point) override;
    void move(QPointF offset, QPointF pos) override;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // The font of the text at stroke width w.
    static QFont textFont(int width);

private:
    QPointF m_start;
    QPointF m_end;
    QString m_text;
    QPolygonF m_pointer;
};
