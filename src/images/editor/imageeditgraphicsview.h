#pragma once

#include "images/editor/editmode.h"

#include <QColor>
#include <QGraphicsView>
#include <QImage>
#include <QList>
#include <QSet>

class GraphicsItemBackground;
class GraphicsItemBase;
class GraphicsItemCropArea;
class UndoBase;

// The canvas of the image editor: the picture as background with the annotations on top, the
// selection, the current colour and width, and the grouped undo history. Items belong to the scene
// and are never deleted while the view lives: deleting only hides them, so undo can show them again.
class ImageEditGraphicsView : public QGraphicsView
{
    Q_OBJECT

public:
    using UndoGroup = QList<UndoBase *>;

    explicit ImageEditGraphicsView(QWidget *parent = nullptr);
    ~ImageEditGraphicsView() override;

    void setImage(const QImage &image);
    QImage image() const { return m_image; }
    GraphicsItemBackground *background() const { return m_background; }
    GraphicsItemCropArea *cropArea() const { return m_cropArea; }

    EditMode mode() const { return m_mode; }
    QColor currentColor() const { return m_currentColor; }
    int currentWidth() const { return m_currentWidth; }

    // The selection. Hidden items cannot join it; pick shows the item's handles.
    const QSet<GraphicsItemBase *> &selection() const { return m_selection; }
    bool select(GraphicsItemBase *item, bool pick = true);
    void deselect(GraphicsItemBase *item);
    void clearSelection();
    void deleteSelected();

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

public slots:
    void setCurrentColor(const QColor &color);
    void setCurrentWidth(int width);
    void setMode(EditMode mode);
    void setCrop(bool enabled, bool selected);
    void undo();
    void redo();

signals:
    void undoUpdated(int undoSize, int redoSize);

private:
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
    EditMode m_mode = EditMode::Arrow;
    QList<UndoGroup> m_undoStack;
    QList<UndoGroup> m_redoStack;
};
