#pragma once

#include <QColor>
#include <QGraphicsEffect>

// The soft drop shadow behind the frameless windows: the source's own shape, grown by the
// distance, blurred and tinted, drawn under the source.
class CustomShadowEffect : public QGraphicsEffect
{
    Q_OBJECT

public:
    explicit CustomShadowEffect(QObject *parent = nullptr);

    void setDistance(double distance);
    double distance() const { return m_distance; }

    void setBlurRadius(double blurRadius);
    double blurRadius() const { return m_blurRadius; }

    void setColor(const QColor &color);
    QColor color() const { return m_color; }

    QRectF boundingRectFor(const QRectF &rect) const override;

protected:
    void draw(QPainter *painter) override;

private:
    double m_distance = 4.0;
    double m_blurRadius = 10.0;
    QColor m_color = QColor(0, 0, 0, 80);
};
