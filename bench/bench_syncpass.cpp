// The GUI thread's share of one sync pass of the history: what the window cannot do meanwhile. A
// store in memory answers at once, as a reply or a file write on its own thread would; the
// pass's own work (hashing, building, compressing and enciphering the document) is what counts.
#include "historygenerator.h"

#include "common/utils.h"
#include "history/historyfiltermodel.h"
#include "history/historyfilterstate.h"
#include "history/historyitemmodel.h"
#include "settings/settingsdialog.h"
#include "sync/isynctarget.h"
#include "sync/sync.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // No notification server here.
    if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith("Notification not send"))
        fprintf(stderr, "%s\n", qPrintable(message));
}

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// A store in memory that answers every request on the next turn of the event loop.
class MemoryTarget : public ISyncTarget
{
public:
    explicit MemoryTarget(Sync *engine)
        : ISyncTarget(engine)
        , m_engine(engine)
    {
    }

    void initialize(InitOptions, QMap<QString, QVariant>) override { emit initialized(true); }
    bool isValid() override { return true; }
    QString title() override { return "Memory"; }
    void getFiles() override
    {
        QTimer::singleShot(0, this, [this] {
            OnlineFiles files;
            for (auto it = m_files.cbegin(); it != m_files.cend(); ++it)
                files.insert(it.key(), {it.key(), m_times.value(it.key())});
            files.insert(QString(), {QString(), QString()});
            m_engine->getFilesFinished(files, false);
        });
    }
    void download(DownloadFinishedCallback callback, SyncData data) override
    {
        QTimer::singleShot(0, this, [this, callback, data] {
            m_engine->downloadFinished(callback, data, m_files.value(data.second), !m_files.contains(data.second));
        });
    }
    void upload(UploadFinishedCallback callback, SyncData data, QByteArray bytes) override
    {
        QTimer::singleShot(0, this, [this, callback, data, bytes]() mutable {
            m_files.insert(data.file, bytes);
            m_times.insert(data.file, QString("2030-01-01T00:00:%1.000Z").arg(++m_uploads, 2, 10, QChar('0')));
            data.second = data.file;
            m_engine->uploadFinished(callback, data, false);
        });
    }
    void remove(SyncData data) override
    {
        QTimer::singleShot(0, this, [this, data] {
            m_files.remove(data.second);
            m_engine->deleteFinished(data, false);
        });
    }

private:
    Sync *m_engine;
    QMap<QString, QByteArray> m_files;
    QMap<QString, QString> m_times;
    int m_uploads = 0;
};

class BenchSync : public Sync
{
public:
    BenchSync()
        : m_target(this)
    {
    }
    ISyncTarget *getSync() override { return &m_target; }

private:
    MemoryTarget m_target;
};

struct Pass
{
    double gui = 0;
    double wall = 0;
    bool succeeded = false;
};

// Runs the waiting operations to the end of the pass.
Pass runPass(Sync &engine)
{
    Pass pass;
    QEventLoop loop;
    const auto connection = QObject::connect(&engine, &Sync::syncStatus, &loop, [&](SyncStatus status, QString) {
        if (status != SyncStatus::Busy && !engine.isOperationInFlight()) {
            pass.succeeded = status == SyncStatus::Success;
            loop.quit();
        }
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    wall.start();
    const double before = threadMilliseconds();
    engine.handleQueue();
    loop.exec();
    pass.gui = threadMilliseconds() - before;
    pass.wall = wall.nsecsElapsed() / 1e6;
    QObject::disconnect(connection);
    return pass;
}

// Waits until the history's write is done and has queued its sync.
void waitForQueuedSync(Sync &engine)
{
    QElapsedTimer waited;
    waited.start();
    while (engine.queue().isEmpty() && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName("MorvaBench");
    QCoreApplication::setApplicationName("KestovanBench");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    SettingsDialog::updateDefaultSettings();

    const int clippings = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;
    const int passes = argc > 2 ? QByteArray(argv[2]).toInt() : 9;
    {
        QSettings settings = Utils::settings();
        settings.setValue("KeepItems", QString::number(clippings + passes + 10));
        settings.setValue("SyncHistory", true);
        settings.setValue("HistoryFilePath", Utils::dataPath() + "/History.json");
    }
    HistoryGenerator::Options options;
    options.clippings = clippings;
    if (HistoryGenerator::write(HistoryItemModel::filePath(), options) != clippings) {
        fprintf(stderr, "bench_syncpass: the history could not be written\n");
        return 1;
    }

    printf("One sync pass of the history (ms; GUI = the GUI thread's CPU time from the start of the pass\n"
           "to its end, wall = the whole pass; median of %d passes; a store in memory that answers at once)\n\n",
           passes);
    printf("%10s %-34s %8s %8s\n", "clippings", "pass", "GUI", "wall");
    for (const bool encrypted : {false, true}) {
        QMap<QString, QVariant> settings = Sync::mapSettings();
        settings.insert("EncryptData", encrypted);
        settings.insert("Passphrase", Sync::encipherPassphrase(encrypted ? "bench passphrase" : ""));
        BenchSync engine;
        engine.initialize("Memory", ReportState, settings);
        HistoryFilterState state;
        HistoryItemModel model(nullptr, &engine);
        HistoryFilterModel proxy(nullptr, &state);
        proxy.setSourceModel(&model);
        model.setProxy(&proxy);
        model.load();
        model.catchUpIndex();

        // The first pass stores the first version.
        engine.sync(SyncFile::History, &model, BothWays);
        if (!runPass(engine).succeeded) {
            fprintf(stderr, "bench_syncpass: the first pass failed\n");
            return 1;
        }
        QList<double> gui;
        QList<double> wall;
        for (int i = 0; i < passes; ++i) {
            // A copy: the history is written, and its write asks for a pass.
            model.addText(QString("copied text %1 for the sync pass").arg(i), QString(), QPixmap(), "Bench");
            model.requestSave(true);
            waitForQueuedSync(engine);
            const Pass pass = runPass(engine);
            if (!pass.succeeded) {
                fprintf(stderr, "bench_syncpass: a pass failed\n");
                return 1;
            }
            gui.append(pass.gui);
            wall.append(pass.wall);
        }
        printf("%10d %-34s %8.1f %8.1f\n", model.rowCount(),
            encrypted ? "after a copy, enciphered" : "after a copy", median(gui), median(wall));
        fflush(stdout);
        model.flushSaves();
    }
    printf("\nTarget at 10,000: GUI < 16 ms per pass.\n");
    return 0;
}
