#pragma once

#include "images/editor/graphicsitembase.h"

#include <QGraphicsRectItem>

class QImage;

// The crop frame over the whole picture: darkens what lies outside cropRect and offers eight
// handles to resize it. It starts on the frame it finds in the picture (a window's or a panel's
// border in a screenshot), else on the middle two thirds. It cannot be moved as a whole.
class GraphicsItemCropArea : public QGraphicsRectItem, public GraphicsItemBase
{
public:
    enum { Type = CropAreaType };

    explicit GraphicsItemCropArea(const QImage &image, QGraphicsItem *parent = nullptr);

    QRectF imageRect() const { return m_imageRect; }
    QRectF cropRect() const { return m_cropRect; }

    // Finds the frame: from each edge inwards, the first straight line of strong contrast.
    static void calculateRects(const QImage &image, QRectF &imageRect, QRectF &cropRect);
    // Whether (x, y) has the reference grey and sits on a contrast step across the scan axis (along
    // y when vertical, else along x). Points whose probe would leave the image never match.
    static bool testPixel(const QImage &image, int x, int y, int reference, bool vertical);

    void positionFromHandle(GraphicsItemHandle *handle) override;
    void updatePosition() override;
    void setEnd(QPointF point) override;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QRectF m_imageRect;
    QRectF m_cropRect;
};
