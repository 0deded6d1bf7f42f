#pragma once

#include <QGraphicsPixmapItem>

// The picture being edited. Blurred and darkened, it is the backdrop of the spotlights.
class GraphicsItemBackground : public QGraphicsPixmapItem
{
public:
    explicit GraphicsItemBackground(const QPixmap &pixmap, QGraphicsItem *parent = nullptr);

    bool blur() const { return m_blur; }
    void setBlur(bool blur);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    bool m_blur = false;
};
