#include "images/editor/imageeditdialog.h"
#include "ui_imageeditdialog.h"

#include "images/editor/graphicsitemcroparea.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

#include <QButtonGroup>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace {

using Button = QToolButton *Ui::ImageEditDialog::*;

struct Tool
{
    Button button;
    EditMode mode;
    const char *icon;
};

const Tool Tools[] = {
    {&Ui::ImageEditDialog::buttonPointer, EditMode::Select, "pointer.svg"},
    {&Ui::ImageEditDialog::buttonArrow, EditMode::Arrow, "arrow.svg"},
    {&Ui::ImageEditDialog::buttonRectangle, EditMode::Rectangle, "rectangle.svg"},
    {&Ui::ImageEditDialog::buttonNumbers, EditMode::Numbers, "number-one.svg"},
    {&Ui::ImageEditDialog::buttonText, EditMode::Text, "tooltip.svg"},
    {&Ui::ImageEditDialog::buttonHighlight, EditMode::Highlight, "highlight.svg"},
};

struct ColorButton
{
    Button button;
    Qt::GlobalColor color;
    const char *components;
};

const ColorButton Colors[] = {
    {&Ui::ImageEditDialog::red, Qt::red, "255, 0, 0"},
    {&Ui::ImageEditDialog::green, Qt::green, "0, 255, 0"},
    {&Ui::ImageEditDialog::blue, Qt::blue, "0, 0, 255"},
    {&Ui::ImageEditDialog::yellow, Qt::yellow, "255, 255, 0"},
    {&Ui::ImageEditDialog::white, Qt::white, "255, 255, 255"},
    {&Ui::ImageEditDialog::black, Qt::black, "0, 0, 0"},
};

struct WidthButton
{
    Button button;
    int width;
};

const WidthButton Widths[] = {
    {&Ui::ImageEditDialog::small, 4},
    {&Ui::ImageEditDialog::medium, 8},
    {&Ui::ImageEditDialog::large, 16},
    {&Ui::ImageEditDialog::huge, 24},
};

// The buttons drawn from the icon set besides the tools.
struct IconButton
{
    Button button;
    const char *icon;
};

const IconButton OtherIcons[] = {
    {&Ui::ImageEditDialog::buttonCrop, "crop.svg"},
    {&Ui::ImageEditDialog::small, "ic_square.svg"},
    {&Ui::ImageEditDialog::medium, "ic_square.svg"},
    {&Ui::ImageEditDialog::large, "ic_square.svg"},
    {&Ui::ImageEditDialog::huge, "ic_square.svg"},
    {&Ui::ImageEditDialog::undo, "undo.svg"},
    {&Ui::ImageEditDialog::redo, "redo.svg"},
};

const struct
{
    const char *text;
    double factor;
} ZoomSteps[] = {
    {"25%", 0.25}, {"50%", 0.5}, {"75%", 0.75}, {"100%", 1.0}, {"125%", 1.25},
    {"150%", 1.5}, {"200%", 2.0}, {"300%", 3.0}, {"400%", 4.0}, {"800%", 8.0},
};
const int FullSizeStep = 3;

QIcon editorIcon(const char *name)
{
    // The dialog keeps the system's colours, so its icons follow the system's appearance.
    return Utils::svg2icon(QStringLiteral(":/icons/images/") + QLatin1String(name), true);
}

// Checks button in its exclusive group, or clears the group when button is null.
void checkOnly(QButtonGroup *group, QAbstractButton *button)
{
    if (button) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    if (QAbstractButton *checked = group->checkedButton())
        checked->setChecked(false);
    group->setExclusive(true);
}

// The form gives each tool 56 pixels; a script with taller glyphs (Chinese) needs more for its name.
void fitToolNames(QWidget *dialog)
{
    for (QToolButton *tool : dialog->findChildren<QToolButton *>()) {
        if (tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon)
            tool->setMinimumHeight(std::max(56, tool->sizeHint().height()));
    }
}

} // namespace

ImageEditDialog::ImageEditDialog(const QImage &image, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ImageEditDialog)
{
    ui->setupUi(this);
    fitToolNames(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->graphicsView->setImage(image);
    m_imageSize = image.size();
    updateTheme();
    ui->buttonArrow->setChecked(true);
    connectTools();
    connectColorsAndWidths();
    connectZoomAndUndo();
}

ImageEditDialog::~ImageEditDialog()
{
    delete ui;
}

void ImageEditDialog::connectTools()
{
    ImageEditGraphicsView *view = ui->graphicsView;
    for (const Tool &tool : Tools) {
        const EditMode mode = tool.mode;
        // The crop frame follows the crop switch under every tool; its handles work under select.
        connect(ui->*tool.button, &QToolButton::clicked, this, [this, view, mode] {
            view->setMode(mode);
            view->setCrop(ui->buttonCrop->isChecked(), mode == EditMode::Select);
        });
    }
    connect(ui->buttonCrop, &QToolButton::clicked, this, [this, view](bool checked) {
        if (checked)
            ui->buttonPointer->click();
        else
            view->setCrop(false, false);
    });
    connect(view, &ImageEditGraphicsView::changeMode, this, &ImageEditDialog::setMode);
}

void ImageEditDialog::connectColorsAndWidths()
{
    ImageEditGraphicsView *view = ui->graphicsView;
    ui->red->setChecked(true);
    view->setCurrentColor(Qt::red);
    for (const ColorButton &entry : Colors) {
        const QColor color = entry.color;
        connect(ui->*entry.button, &QToolButton::clicked, view, [view, color] { view->setCurrentColor(color); });
    }
    ui->medium->setChecked(true);
    view->setCurrentWidth(8);
    for (const WidthButton &entry : Widths) {
        const int width = entry.width;
        connect(ui->*entry.button, &QToolButton::clicked, view, [view, width] { view->setCurrentWidth(width); });
    }
    connect(view, &ImageEditGraphicsView::changeColor, this, &ImageEditDialog::setColor);
    connect(view, &ImageEditGraphicsView::changeWidth, this, &ImageEditDialog::setWidth);
}

void ImageEditDialog::connectZoomAndUndo()
{
    ImageEditGraphicsView *view = ui->graphicsView;
    for (const auto &step : ZoomSteps)
        ui->zoom->addItem(QString::fromLatin1(step.text), step.factor);
    ui->zoom->setCurrentIndex(FullSizeStep);
    ui->zoom->lineEdit()->setReadOnly(true);
    // Any scale shows as text with no entry chosen, so choosing an entry always counts as a change.
    connect(view, &ImageEditGraphicsView::zoom, this, [this](int percent) {
        ui->zoom->setCurrentIndex(-1);
        ui->zoom->setEditText(QStringLiteral("%1%").arg(percent));
    });
    connect(ui->zoom, &QComboBox::currentIndexChanged, view, [this, view](int index) {
        if (index != -1)
            view->setZoom(ui->zoom->itemData(index).toDouble());
    });

    connect(view, &ImageEditGraphicsView::undoUpdated, this, [this](int undoSize, int redoSize) {
        ui->undo->setEnabled(undoSize > 0);
        ui->redo->setEnabled(redoSize > 0);
    });
    connect(ui->undo, &QToolButton::clicked, view, &ImageEditGraphicsView::undo);
    connect(ui->redo, &QToolButton::clicked, view, &ImageEditGraphicsView::redo);
}

QImage ImageEditDialog::getImage()
{
    ImageEditGraphicsView *view = ui->graphicsView;
    // Read before the frame is hidden below: a crop the user switched off does not crop.
    const bool crop = view->cropArea() && view->cropArea()->isVisible();
    view->clearSelection();
    view->setCrop(false, false);
    view->resetTransform();
    return view->renderArea(view->getImageRect(crop));
}

QString ImageEditDialog::createColorStyleSheet(const QString &rgb)
{
    return "QToolButton { border: none; background-color: rgba(" + rgb + ", 128) } "
           + "QToolButton:hover { background-color: rgba(" + rgb + ", 255); } "
           + "QToolButton:checked { background-color: rgba(" + rgb + ", 255); } ";
}

void ImageEditDialog::updateTheme()
{
    for (const ColorButton &entry : Colors)
        (ui->*entry.button)->setStyleSheet(createColorStyleSheet(QLatin1String(entry.components)));
    for (const Tool &tool : Tools)
        (ui->*tool.button)->setIcon(editorIcon(tool.icon));
    for (const IconButton &entry : OtherIcons)
        (ui->*entry.button)->setIcon(editorIcon(entry.icon));
}

void ImageEditDialog::setColor(const QColor &color)
{
    QAbstractButton *match = nullptr;
    for (const ColorButton &entry : Colors) {
        if (QColor(entry.color) == color)
            match = ui->*entry.button;
    }
    checkOnly(ui->colorGroup, match);
    ui->graphicsView->setCurrentColor(color);
}

void ImageEditDialog::setWidth(int width)
{
    QAbstractButton *match = nullptr;
    for (const WidthButton &entry : Widths) {
        if (entry.width == width)
            match = ui->*entry.button;
    }
    checkOnly(ui->widthGroup, match);
    ui->graphicsView->setCurrentWidth(width);
}

void ImageEditDialog::setMode(EditMode mode)
{
    for (const Tool &tool : Tools) {
        if (tool.mode == mode)
            (ui->*tool.button)->setChecked(true);
    }
    ui->graphicsView->setMode(mode);
}

void ImageEditDialog::showEvent(QShowEvent *)
{
    // Sized to the picture on the screen under the pointer, within 80 % of that screen.
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        return;
    const QRect area = screen->geometry();
    // The picture, the margin the canvas keeps around it, and the view's frame.
    const int room = 2 * ImageEditGraphicsView::PictureMargin + 4;
    const QSize canvas(std::max(400, std::min(int(area.width() * 0.8), m_imageSize.width() + room)),
                       std::max(300, std::min(int(area.height() * 0.8), m_imageSize.height() + room)));
    // Bounded by the minimum size before centring: a size the window cannot take would put it
    // off centre once the window grows to its minimum.
    const QSize size = (canvas + this->size() - ui->graphicsView->size()).expandedTo(minimumSize());
    const QRect placed = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area);
    move(placed.topLeft());
    resize(placed.size());
}

void ImageEditDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        fitToolNames(this);
    }
    QDialog::changeEvent(event);
}
