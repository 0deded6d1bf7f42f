#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QList>
#include <QPointF>
#include <QRectF>

#include <functional>

class GraphicsItemHandle;
class QPainter;
class QPen;

// What the image editor's view knows of every annotation. Each annotation class derives first from
// a standard scene item and second from this; all annotations sit at scene position (0, 0), so
// their item and scene coordinates coincide.
class GraphicsItemBase
{
public:
    // Type numbers of the editor's scene items, as type() reports them.
    enum ItemType {
        HandleType = QGraphicsItem::UserType + 1,
        RectangleType = QGraphicsItem::UserType + 2,
        NumberType = QGraphicsItem::UserType + 3,
        ArrowType = QGraphicsItem::UserType + 4,
        CropAreaType = QGraphicsItem::UserType + 5,
        TextType = QGraphicsItem::UserType + 6,
        SelectAreaType = QGraphicsItem::UserType + 7,
        HighlightType = QGraphicsItem::UserType + 8,
    };

    // Stacking order.
    static constexpr qreal BackgroundZ = 0;
    static constexpr qreal HighlightZ = 10;
    static constexpr qreal AnnotationZ = 50;
    static constexpr qreal HandleZ = 60;
    static constexpr qreal CropAreaZ = 100;
    static constexpr qreal SelectAreaZ = 200;

    GraphicsItemBase() = default;
    GraphicsItemBase(const GraphicsItemBase &) = delete;
    GraphicsItemBase &operator=(const GraphicsItemBase &) = delete;
    virtual ~GraphicsItemBase();

    QColor color() const { return m_color; }
    int width() const { return m_width; }
    bool picked() const { return m_picked; }

    virtual void setColor(QColor color);
    virtual void setWidth(int width);
    virtual void positionFromHandle(GraphicsItemHandle *handle);
    virtual void updatePosition() = 0;
    virtual QPointF start() const;
    virtual void setEnd(QPointF point) = 0;
    virtual void move(QPointF offset, QPointF pos);
    virtual void setPicked(bool picked);
    virtual bool mousePress(QPointF pos);
    virtual bool mouseRelease(QPointF pos);
    virtual bool mouseMove(QPointF pos);
    virtual bool hit(QPointF pos) const;
    virtual bool hit(QRectF rect) const;
    // Holds every pixel the item paints, without its graphics effect. The repaint bounds leave
    // generous room; the export searches this tighter rectangle for what lies beyond the picture.
    virtual QRectF paintedBounds() const;

    // The scene item this annotation is, or null.
    QGraphicsItem *graphicsItem();
    const QGraphicsItem *graphicsItem() const;
    // Deleted items and items whose creation was undone stay in the scene hidden; they take no
    // clicks, bands or handle drags.
    bool isShown() const;

    const QList<GraphicsItemHandle *> &handles() const { return m_handles; }

protected:
    // The square of side `width` centred on pos, which a click must touch.
    QRectF probe(QPointF pos) const;
    // Adds count hidden handles at pos as children of item, in handle order.
    void addHandles(QGraphicsItem *item, int count, QPointF pos, bool undoable);
    // Puts start at pos - offset and carries end along, for annotations defined by two points.
    static void moveTogether(QPointF offset, QPointF pos, QPointF &start, QPointF &end);
    // Whether the handles take the mouse; items picked and shown only.
    virtual bool handlesActive() const;

    // Shadow offset of the drawn annotations: 3 for thin strokes, else 4.
    static int shadowOffset(int width);
    // The layered look of arrows and rectangles: shadow or halo, black outline, white inner line
    // for wide strokes, the colour on top. figure draws the shape, moved by the given offset, with
    // the painter's current pen.
    void paintLayers(QPainter *painter, QPen pen, const std::function<void(QPointF)> &figure) const;
    // What paintLayers can paint of a figure whose outline lies within figureBounds.
    QRectF layersBounds(const QRectF &figureBounds) const;

    QColor m_color = Qt::red;
    int m_width = 8;
    bool m_picked = false;
    QList<GraphicsItemHandle *> m_handles;
};
