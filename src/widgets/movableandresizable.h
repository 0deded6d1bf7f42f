#pragma once

#include <QMainWindow>
#include <QPointer>

// Zones near the window's edges; corners combine two bits.
enum ResizeArea {
    RESIZE_NONE = 0,
    RESIZE_TOP = 1,
    RESIZE_BOTTOM = 2,
    RESIZE_RIGHT = 4,
    RESIZE_LEFT = 8,
};

// Base of the frameless windows: dragging the top strip moves the window, dragging an edge or a
// corner resizes it, and the cursor shows the size arrow of the zone under the pointer.
class MovableAndResizable : public QMainWindow
{
    Q_OBJECT

public:
    explicit MovableAndResizable(QWidget *parent = nullptr);
    ~MovableAndResizable() override;

    ResizeArea checkResizeArea(QPoint const &point) const;
    // Child widgets take the mouse moves near the edges, so the application forwards them here.
    void updateCursor(QPoint const &point);
    static Qt::CursorShape resizeAreaToCursor(ResizeArea area);

    // Whether a compositing manager draws translucent windows. Without one, a transparent margin
    // would show as a black frame.
    static bool compositingActive();
    // Gives the shadow frame its drop shadow inside an 8-pixel transparent margin, or drops both.
    void setComposited(bool composited);

    static constexpr int ShadowMargin = 8;
    static constexpr int MinimumSize = 200;

protected:
    // The central widget keeps the margin and the frame inside it carries the shadow; applied
    // for the compositing given.
    void setShadowFrame(QWidget *central, QWidget *frame, bool composited);

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

    bool moving = false;
    bool resizing = false;
    QPoint dragPoint;
    ResizeArea resizeArea = RESIZE_NONE;

private:
    // Presses in the edge zones reach the window even where a child covers the edge.
    class EdgeGrip;
    bool takeEdgeEvent(QObject *watched, QEvent *event);
    EdgeGrip *m_edgeGrip = nullptr;

    QPointer<QWidget> m_shadowCentral;
    QPointer<QWidget> m_shadowFrame;
};
