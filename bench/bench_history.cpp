// Speed and size of the clipboard history: load, save, one capture into a full history, one filter
// change, and the start of a process up to a loaded history, for growing numbers of clippings.
#include "historygenerator.h"

#include "history/historyfiltermodel.h"
#include "history/historyfilterstate.h"
#include "window/historyitemdelegate.h"
#include "history/historyitemmodel.h"
#include "window/historyitemview.h"
#include "window/searchmodel.h"
#include "common/iconresources.h"
#include "settings/settingsdialog.h"
#include "common/utils.h"

#include <QApplication>
#include <QDir>
#include <QCursor>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QMimeData>
#include <QScrollBar>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>

namespace {

// The program logs every add decision at debug level; a run without debug logging drops those.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

double residentMegabytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void setLimits(int clippings)
{
    QSettings settings = Utils::settings();
    // Room for every generated clipping, so the history is full after the load.
    settings.setValue("KeepItems", QString::number(clippings + 1));
    settings.setValue("HistoryFilePath", Utils::dataPath() + "/History.json");
}

// A history of clippings as the performance test makes them: texts of 100 characters and about a
// quarter 256 x 256 pictures, each from an application of its own.
void writeHistory(int clippings)
{
    QDir(Utils::imagesPath()).removeRecursively();
    HistoryGenerator::Options options;
    options.clippings = clippings;
    options.images = clippings * 24 / 100;
    options.applications = clippings;
    options.textLength = 100;
    options.imageSize = 256;
    if (HistoryGenerator::write(HistoryItemModel::filePath(), options) != clippings) {
        fprintf(stderr, "bench_history: the history of %d clippings could not be written\n", clippings);
        exit(1);
    }
}

// The child: a process that starts like the program, up to a loaded history.
int runChild(int argc, char *argv[])
{
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    SettingsDialog::updateDefaultSettings();
    HistoryItemModel::initialize(&app, nullptr, nullptr);
    const double base = residentMegabytes();
    HistoryItemModel::instance()->load();
    printf("loaded %d %.1f %.1f\n", HistoryItemModel::instance()->rowCount(), residentMegabytes(), base);
    fflush(stdout);
    // The list scrolled from top to bottom once, page by page, as a user reads it: each image row
    // asks for its thumbnail when it is first painted.
    registerIconResources();
    HistoryItemView view;
    view.setItemDelegate(new HistoryItemDelegate(&view));
    view.setModel(HistoryItemModel::proxyInstance());
    view.resize(400, 500);
    view.show();
    QCoreApplication::processEvents();
    QImage page(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    view.viewport()->render(&page);
    // A page never painted before: every thumbnail on it is cold.
    QScrollBar *bar = view.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    QElapsedTimer timer;
    timer.start();
    view.viewport()->render(&page);
    const double coldPaint = timer.nsecsElapsed() / 1e6;
    for (int value = 0; value <= bar->maximum(); value += qMax(1, bar->pageStep())) {
        bar->setValue(value);
        view.viewport()->render(&page);
        QCoreApplication::processEvents();
    }
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    printf("%.1f %.2f\n", residentMegabytes(), coldPaint);
    fflush(stdout);
    return 0;
}

struct Figures
{
    int clippings = 0;
    double fileMegabytes = 0;
    double fromJson = 0;
    double load = 0;
    double save = 0;
    double add = 0;
    double filter = 0;
    double start = 0;
    double resident = 0;
    double baseResident = 0;
    double thumbnailResident = 0;
    double coldPaint = 0;
    double copy = 0;
    double search = 0;
};

double milliseconds(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

Figures measure(int clippings)
{
    Figures figures;
    figures.clippings = clippings;
    setLimits(clippings);
    const QString path = HistoryItemModel::filePath();

    writeHistory(clippings);

    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    file.close();
    figures.fileMegabytes = bytes.size() / 1048576.0;

    QElapsedTimer timer;
    timer.start();
    const QJsonDocument bare = QJsonDocument::fromJson(bytes);
    figures.fromJson = milliseconds(timer);
    Q_UNUSED(bare);

    HistoryFilterState state;
    HistoryItemModel model(nullptr, nullptr);
    HistoryFilterModel proxy(nullptr, &state);
    proxy.setSourceModel(&model);
    model.setProxy(&proxy);
    proxy.rowCount();

    timer.restart();
    model.load();
    figures.load = milliseconds(timer);
    figures.clippings = model.rowCount();
    QThreadPool::globalInstance()->waitForDone();

    timer.restart();
    model.save(false);
    figures.save = milliseconds(timer);

    // The history is full: each capture trims one clipping to make room.
    const int adds = 20;
    model.addText("warm-up text that fills the history", QString(), QPixmap(), "Bench");
    double total = 0;
    for (int i = 0; i < adds; ++i) {
        const QString text = QString("one more text %1 for a full history").arg(i);
        timer.restart();
        model.addText(text, QString(), QPixmap(), "Bench");
        total += milliseconds(timer);
    }
    figures.add = total / adds;

    // A copy as the GUI thread spends it: the rules, the index and the start of the file's write.
    // Each starts a write of its own (the worst case: no write under way to join).
    double copies = 0;
    for (int i = 0; i < adds; ++i) {
        model.flushSaves();
        auto data = std::make_shared<QMimeData>();
        data->setText(QString("one more copy %1 for a full history").arg(i));
        timer.restart();
        model.clipboardChanged(data, QPixmap(), "Bench");
        copies += milliseconds(timer);
    }
    model.flushSaves();
    figures.copy = copies / adds;

    // The results for one typed letter, once the search text settled.
    SearchModel search(nullptr, &proxy);
    search.setFilter("a");
    timer.restart();
    search.update();
    figures.search = milliseconds(timer);

    state.showRecent = true;
    timer.restart();
    proxy.invalidate();
    proxy.rowCount();
    figures.filter = milliseconds(timer);

    // A fresh process up to the loaded history of the same size.
    model.save(false);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    timer.restart();
    child.start(QCoreApplication::applicationFilePath(), {"--child"});
    child.waitForReadyRead(60000);
    figures.start = milliseconds(timer);
    const QList<QByteArray> reply = child.readLine().trimmed().split(' ');
    const bool finished = child.waitForFinished(60000);
    if (reply.size() == 4 && reply.at(1).toInt() != figures.clippings)
        fprintf(stderr, "bench_history: the child loaded %s clippings, not %d\n", reply.at(1).constData(), figures.clippings);
    figures.resident = reply.size() == 4 ? reply.at(2).toDouble() : -1;
    figures.baseResident = reply.size() == 4 ? reply.at(3).toDouble() : -1;
    // A child that ran out of time has no figures, not figures of zero.
    const QList<QByteArray> scrolled = child.readAll().trimmed().split(' ');
    figures.thumbnailResident = finished && scrolled.size() == 2 ? scrolled.at(0).toDouble() : -1;
    figures.coldPaint = finished && scrolled.size() == 2 ? scrolled.at(1).toDouble() : -1;
    return figures;
}

// ---- Painting the history list ----
// A full viewport of the history view drawn into an image, as every repaint on scrolling or
// hovering draws it, with a selected row (its more button) under the mouse. Median of 15 renders.
std::pair<int, double> measurePaint(int clippings)
{
    setLimits(clippings);
    writeHistory(clippings);
    HistoryFilterState state;
    HistoryItemModel model(nullptr, nullptr);
    HistoryFilterModel proxy(nullptr, &state);
    proxy.setSourceModel(&model);
    model.setProxy(&proxy);
    model.load();
    clippings = proxy.rowCount();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();

    HistoryItemView view;
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setItemDelegate(new HistoryItemDelegate(&view));
    view.setMouseTracking(true);
    view.viewport()->setAttribute(Qt::WA_Hover);
    view.setModel(&proxy);
    view.resize(470, 386);
    view.show();
    QCoreApplication::processEvents();
    view.scrollTo(proxy.index(clippings / 2, 0), QAbstractItemView::PositionAtTop);
    view.setCurrentIndex(proxy.index(clippings / 2 + 2, 0));
    QCursor::setPos(view.viewport()->mapToGlobal(view.visualRect(view.currentIndex()).center()));

    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QList<double> runs;
    QElapsedTimer timer;
    for (int i = 0; i < 16; ++i) {
        timer.restart();
        view.viewport()->render(&image);
        // The first render lays the list out and fills the caches: not a repaint.
        if (i > 0)
            runs.append(milliseconds(timer));
    }
    std::sort(runs.begin(), runs.end());
    return {clippings, runs.at(runs.size() / 2)};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName("MorvaBench");
    QCoreApplication::setApplicationName("KestovanBench");
    if (argc > 1 && QByteArray(argv[1]) == "--child")
        return runChild(argc, argv);

    // Settings and data in a folder of their own; the child inherits it.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    SettingsDialog::updateDefaultSettings();

    QList<int> sizes = {1000, 10000, 50000};
    if (argc > 1)
        sizes = {QByteArray(argv[1]).toInt()};

    printf("History (clippings = those the model held once loaded; times in ms; add = rules and index of one capture into a full history, without the save;\n"
           "copy = GUI-thread time of one copy into a full history, its save included; search = results for one\n"
           "typed letter; start = spawn of a process to its loaded history; RSS in MB of that process: before the\n"
           "load, right after it, and after its list was scrolled from top to bottom once; cold = paint of a page of\n"
           "the list whose thumbnails were never made)\n\n");
    printf("%10s %8s %9s %8s %9s %8s %8s %8s %8s %8s %8s %8s %8s %8s %8s\n", "clippings", "file MB", "fromJson", "load",
        "load/json", "save", "add", "copy", "search", "filter", "start", "RSS base", "RSS", "scrolled", "cold");
    for (int clippings : std::as_const(sizes)) {
        const Figures f = measure(clippings);
        printf("%10d %8.1f %9.1f %8.1f %9.2f %8.1f %8.3f %8.2f %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %8.2f\n", f.clippings,
            f.fileMegabytes, f.fromJson, f.load, f.load / f.fromJson, f.save, f.add, f.copy, f.search, f.filter, f.start,
            f.baseResident, f.resident, f.thumbnailResident, f.coldPaint);
        fflush(stdout);
    }
    printf("\nTargets at 10,000: start < 280 ms, RSS < 80 MB, load < 150 ms and < 2 x fromJson, save < 100 ms, add < 1 ms.\n");

    registerIconResources();
    printf("\nPainting a full viewport of the history list (470 x 386, median of 15 renders, ms)\n\n");
    printf("%10s %8s\n", "clippings", "paint");
    for (int clippings : std::as_const(sizes)) {
        const auto [shown, paint] = measurePaint(clippings);
        printf("%10d %8.2f\n", shown, paint);
        fflush(stdout);
    }
    printf("\nTarget: paint < 8 ms, half a frame at 60 Hz.\n");
    return 0;
}
