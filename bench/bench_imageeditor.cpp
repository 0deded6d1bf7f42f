// Speed of the image editor on a 4K screenshot: the crop area's frame detection, and exporting an
// annotated picture (the export area plus rendering it onto white at 100 %).
#include "images/editor/graphicsitemarrow.h"
#include "images/editor/graphicsitemcroparea.h"
#include "images/editor/graphicsitemhighlight.h"
#include "images/editor/graphicsitemnumber.h"
#include "images/editor/graphicsitemrectangle.h"
#include "images/editor/graphicsitemtext.h"
#include "images/editor/imageeditgraphicsview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QPainter>
#include <QPixmapCache>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Width = 3840;
constexpr int Height = 2160;
constexpr int Runs = 9;

// Medians of the export rows on the development machine (busy, 8 cores) before the export kept the
// spotlights' blur source cached and searched only the annotations' painted bounds for pixels
// beyond the picture; printed next to today's figures.
struct Before
{
    const char *operation;
    double ms;
};
constexpr Before BeforeFigures[] = {
    {"export, 50 annotations", 42.05},
    {"export, 50 annotations with 3 spotlights", 415.76},
    {"export, 50 frames along the edges", 592.33},
    {"  of which the export area", 111.82},
};

void printExportRow(const char *operation, double ms, QSize size = QSize())
{
    QString before;
    for (const Before &figure : BeforeFigures) {
        if (qstrcmp(figure.operation, operation) == 0)
            before = QString::number(figure.ms, 'f', 2);
    }
    printf("%-44s %8.2f %8s", operation, ms, qPrintable(before));
    if (size.isValid())
        printf("   %dx%d", size.width(), size.height());
    printf("\n");
}

// A desktop with a gradient, a few windows with 1-pixel borders and busy content.
QImage screenshot(bool withFrame)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, Width, Height);
    gradient.setColorAt(0, QColor(40, 70, 120));
    gradient.setColorAt(1, QColor(120, 40, 90));
    painter.fillRect(image.rect(), gradient);
    QRandomGenerator random(7);
    for (int i = 0; i < 3000; ++i) {
        painter.fillRect(random.bounded(Width), random.bounded(Height), random.bounded(2, 200), random.bounded(2, 30),
                         QColor::fromRgb(random.generate() | 0xff000000));
    }
    if (withFrame) {
        painter.setPen(QColor(20, 20, 20));
        painter.setBrush(QColor(236, 236, 236));
        painter.drawRect(200, 150, Width - 420, Height - 330);
    }
    return image;
}

double medianMs(const std::function<void()> &work)
{
    QList<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(Runs / 2);
}

// 50 annotations spread over the picture; highlights of them switch the spotlight on.
void annotate(ImageEditGraphicsView &view, int highlights)
{
    QRandomGenerator random(11);
    const QColor colors[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::white, Qt::black};
    const int widths[] = {4, 8, 16, 24};
    for (int i = 0; i < 50; ++i) {
        const QPointF at(random.bounded(100, Width - 400), random.bounded(100, Height - 300));
        const QPointF to = at + QPointF(random.bounded(40, 300), random.bounded(40, 200));
        GraphicsItemBase *item = nullptr;
        if (i < highlights)
            item = new GraphicsItemHighlight(at, view.image());
        else if (i % 4 == 0)
            item = new GraphicsItemArrow(at);
        else if (i % 4 == 1)
            item = new GraphicsItemRectangle(at);
        else if (i % 4 == 2)
            item = new GraphicsItemNumber(at, i);
        else
            item = new GraphicsItemText(at, QString("Note %1\nsecond line").arg(i));
        item->setColor(colors[i % 6]);
        item->setWidth(i < highlights ? 1 : widths[i % 4]);
        view.scene()->addItem(item->graphicsItem());
        item->setEnd(to);
    }
    view.updateBackground();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    printf("Image editor on a %d x %d picture (median of %d runs, ms)\n\n", Width, Height, Runs);
    printf("%-44s %8s %8s\n", "operation", "ms", "before");
    for (bool withFrame : {true, false}) {
        const QImage image = screenshot(withFrame);
        QRectF imageRect, cropRect;
        const double detect = medianMs([&] { GraphicsItemCropArea::calculateRects(image, imageRect, cropRect); });
        printf("%-44s %8.2f %8s   crop %.0f,%.0f %.0fx%.0f\n",
               withFrame ? "frame detection, window found" : "frame detection, no frame (full scans)", detect, "",
               cropRect.x(), cropRect.y(), cropRect.width(), cropRect.height());
        const double create = medianMs([&] { GraphicsItemCropArea area(image); });
        printf("%-44s %8.2f\n", withFrame ? "crop area created, window found" : "crop area created, no frame", create);
    }

    const QImage image = screenshot(true);
    for (int highlights : {0, 3}) {
        ImageEditGraphicsView view;
        view.setImage(image);
        annotate(view, highlights);
        QImage exported;
        const double time = medianMs([&] { exported = view.renderArea(view.getImageRect(false)); });
        printExportRow(highlights ? "export, 50 annotations with 3 spotlights" : "export, 50 annotations", time,
                       exported.size());
        if (highlights) {
            // The first export of a picture the view has never shown paints the blur source afresh.
            const double first = medianMs([&] {
                QPixmapCache::clear();
                exported = view.renderArea(view.getImageRect(false));
            });
            printExportRow("  the same, blur source painted afresh", first, exported.size());
        }
    }
    {
        // Frames drawn along the edges, whose repaint bounds reach past the picture: the export
        // looks at what they paint out there.
        ImageEditGraphicsView view;
        view.setImage(image);
        for (int i = 0; i < 50; ++i) {
            auto *frame = new GraphicsItemRectangle(QPointF(10 + i, 10 + i));
            frame->setWidth(24);
            view.scene()->addItem(frame);
            frame->setEnd(QPointF(Width - 10 - i, Height - 10 - i));
        }
        QImage exported;
        const double time = medianMs([&] { exported = view.renderArea(view.getImageRect(false)); });
        printExportRow("export, 50 frames along the edges", time, exported.size());
        const double area = medianMs([&] { view.getImageRect(false); });
        printExportRow("  of which the export area", area);
    }
    printf("\nTargets: frame detection < 50 ms; export with 50 annotations < 200 ms.\n");
    return 0;
}
