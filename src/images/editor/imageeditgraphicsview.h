#pragma once

#include "images/editor/editmode.h"

#include <QColor>
#include <QGraphicsView>
#include <QImage>
#include <QList>
#include <QMap>
#include <QSet>

class GraphicsItemBackground;
class GraphicsItemBase;
class GraphicsItemCropArea;
class GraphicsItemSelectArea;
class GraphicsItemText;
class UndoBase;

// The canvas of the image editor: the picture as background with the annotations on top, the
// selection, the current colour and width, and the grouped undo history. Items belong to the scene
// and are never deleted while the view lives: deleting only hides them, so undo can show them again.
// The drawing tools create an item at the press and stretch it to the pointer; the select tool
// picks, moves, bands and deletes.
class ImageEditGraphicsView : public QGraphicsView
{
    Q_OBJECT

public:
    using UndoGroup = QList<UndoBase *>;

    // Room around the picture that the canvas offers to draw in, in scene pixels on each side.
    static constexpr int PictureMargin = 40;

    explicit ImageEditGraphicsView(QWidget *parent = nullptr);
    ~ImageEditGraphicsView() override;

    void setImage(const QImage &image);
    QImage image() const { return m_image; }
    GraphicsItemBackground *background() const { return m_background; }
    GraphicsItemCropArea *cropArea() const { return m_cropArea; }
    GraphicsItemSelectArea *selectArea() const { return m_selectArea; }

    EditMode mode() const { return m_mode; }
    QColor currentColor() const { return m_currentColor; }
    int currentWidth() const { return m_currentWidth; }

    // The selection. Hidden items cannot join it; pick shows the item's handles.
    const QSet<GraphicsItemBase *> &selection() const { return m_selection; }
    bool select(GraphicsItemBase *item, bool pick = true);
    void deselect(GraphicsItemBase *item);
    void clearSelection();
    void deleteSelected();
    // Asks for a new text for a text box; an empty answer keeps the old one.
    void editText(GraphicsItemText *item);

    // The spotlight is on under the highlight tool and while any highlight is shown.
    void updateBackground();

    // The area to export: the crop rectangle in whole pixels when crop is asked for and a crop area
    // exists, else the union of the picture and the shown annotations.
    QRect getImageRect(bool crop) const;
    // The scene's area at 100 % on white, one scene pixel to one image pixel.
    QImage renderArea(const QRect &area);

    // Records one finished user operation; takes the records. Empty groups are ignored.
    void addUndo(UndoGroup group);
    void addUndo(UndoBase *record);
    void clearUndo(bool silent);
    int undoCount() const { return m_undoStack.size(); }
    int redoCount() const { return m_redoStack.size(); }

    // Scales by factor about pos (viewport coordinates), keeping the scale within 25 % to 800 %.
    void gentleZoom(double factor, QPointF pos);

public slots:
    void setCurrentColor(const QColor &color);
    void setCurrentWidth(int width);
    void setMode(EditMode mode);
    void setCrop(bool enabled, bool selected);
    void setZoom(double factor);
    void undo();
    void redo();

signals:
    // The single selected item's colour and width, sent when a selection grows to one item.
    void changeColor(const QColor &color);
    void changeWidth(int width);
    // Asks for another tool: the select tool once a new text box has its text.
    void changeMode(EditMode mode);
    // The scale in percent after every zoom change.
    void zoom(int percent);
    void undoUpdated(int undoSize, int redoSize);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void pressToDraw(QPointF pos);
    void pickAt(GraphicsItemBase *hit, QPointF pos, Qt::KeyboardModifiers modifiers);
    void showContextMenu(QPoint globalPos);
    void updateBand(QPointF pos);
    void finishTextEntry();
    // Adds a picked item to the selection and reports its colour and width when it is the only one.
    void pickAndReport(GraphicsItemBase *item);
    void unpickAll();
    // The topmost shown annotation under pos, or null. The crop and select frames never count.
    GraphicsItemBase *itemAt(QPointF pos) const;
    QList<GraphicsItemBase *> annotations() const;
    int nextNumber() const;
    // Gives the pointer back: no hover cursor of the view or of any handle stays set.
    void releaseCursors();

    void applyGroup(QList<UndoGroup> &from, QList<UndoGroup> &to, bool forward);
    void dropHiddenFromSelection();
    static void deleteGroups(QList<UndoGroup> &stack);

    QImage m_image;
    QGraphicsScene *m_scene;
    QSet<GraphicsItemBase *> m_selection;
    GraphicsItemBackground *m_background = nullptr;
    GraphicsItemCropArea *m_cropArea = nullptr;
    QColor m_currentColor = Qt::red;
    int m_currentWidth = 8;
    GraphicsItemSelectArea *m_selectArea = nullptr;
    // During a select-mode drag: for each selected item, the press point minus the item's start.
    QMap<GraphicsItemBase *, QPointF> m_dragOffsets;
    QPointF m_pressPoint;
    EditMode m_mode = EditMode::Arrow;
    QList<UndoGroup> m_undoStack;
    QList<UndoGroup> m_redoStack;
};
