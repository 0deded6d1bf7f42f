#pragma once

#include <QByteArray>
#include <QIconEngine>

// Draws an icon from SVG text afresh at every requested size, so it stays sharp at any scale.
class SVGIconEngine : public QIconEngine
{
public:
    explicit SVGIconEngine(const QString &svgText);
    ~SVGIconEngine() override = default;

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;

private:
    QByteArray m_data;
};
