#pragma once

#include "images/editor/editmode.h"

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QSize>

namespace Ui {
class ImageEditDialog;
}

class QToolButton;

// The modal image annotation editor: the tools, colours and widths beside the canvas, undo and
// redo, zoom, OK and Cancel. It works on its own copy of the image; after OK, getImage() gives the
// annotated (and, when crop is on, cropped) picture.
class ImageEditDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ImageEditDialog(const QImage &image, QWidget *parent = nullptr);
    ~ImageEditDialog() override;

    // The picture with its annotations on white, at 100 %, cut to the crop frame when crop is on.
    QImage getImage();

    // The style of a colour button for the components rgb, such as "255, 0, 0".
    static QString createColorStyleSheet(const QString &rgb);
    void updateTheme();

public slots:
    // Show what the canvas reports without acting on the buttons' own handlers.
    void setColor(const QColor &color);
    void setWidth(int width);
    void setMode(EditMode mode);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void connectTools();
    void connectColorsAndWidths();
    void connectZoomAndUndo();

    Ui::ImageEditDialog *ui;
    QSize m_imageSize;
};
