#include "app/afterfirstwindow.h"
#include "app/application.h"
#include "crash/crashhandler.h"
#include "history/historyfilereading.h"
#include "history/historyitemmodel.h"
#include "common/globals.h"
#include "common/iconresources.h"
#include "common/imagelimits.h"
#include "common/privatefiles.h"
#include "logging/qxtbasicfileloggerengine.h"
#include "logging/qxtbasicstdloggerengine.h"
#include "logging/qxtlogger.h"
#include "logging/shownwindowlog.h"
#include "network/networklibrary.h"
#include "window/mainwindow.h"
#include "window/monitor.h"
#include "platform/desktopappearance.h"
#include "platform/platform.h"
#include "platform/sessionbuslaunch.h"
#include "platform/x11connectionsahead.h"
#include "app/runguard.h"
#include "app/startupoptions.h"
#include "app/trayicon.h"
#include "app/unixsignalquitter.h"
#include "app/warmupthread.h"
#include "common/utils.h"

#include <QDBusConnection>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include <fontconfig/fontconfig.h>

#include <memory>

#include <unistd.h>

namespace {

// When nobody asks for the window at start, the rest of the start-up waits this long.
const int StartupWorkDelay = 2000;
// The tray icon waits for the first window too, but not for long: it is how a user sees the
// program has started.
const int TrayIconDelay = 250;

void setUpLogging()
{
    QxtLogger *logger = QxtLogger::getInstance();
    if (debugEnabled)
        logger->addLoggerEngine("file", new QxtBasicFileLoggerEngine(logPath));
    else if (!demoEnabled)
        Breakpad::CrashHandler::instance()->install(Utils::dataPath());
    logger->addLoggerEngine("std", new QxtBasicSTDLoggerEngine());
    logger->installAsMessageHandler();
    logger->removeLoggerEngine("DEFAULT");
}

void logBanner()
{
    const QString stars(58, QChar('*'));
    qDebug() << QxtLogger::getInstance()->allEnabledLoggerEngines();
    qInfo().noquote() << stars;
    qInfo().noquote() << "Started new log at " + QDate::currentDate().toString("yyyy-MM-dd");
    if (debugEnabled)
        qInfo().noquote() << "Logging to " + logPath;
    qInfo().noquote() << stars;
}

// Earlier versions left the settings and the data open to every local user; the stores keep the
// modes they find.
void keepOwnFilesPrivate(const QSettings &settings)
{
    const QString settingsFile = settings.fileName();
    if (portable) {
        PrivateFiles::prepareFile(settingsFile);
        // The program lies there too: only the data is ours to close.
        PrivateFiles::tightenFolder(Utils::dataPath(),
            {"History*.json*", "Snippets*.json*", "images*", "backups", "actions", "*.dmp"});
        return;
    }
    const QString settingsFolder = QFileInfo(settingsFile).absolutePath();
    PrivateFiles::makeFolder(settingsFolder);
    PrivateFiles::prepareFile(settingsFile);
    PrivateFiles::tightenFolder(settingsFolder);
    // The organisation's folder, then the program's.
    PrivateFiles::tighten(QFileInfo(Utils::dataPath()).absolutePath());
    PrivateFiles::tightenFolder(Utils::dataPath());
}

void showTrayMenu(const TrayIcon &trayIcon, MainWindow &window)
{
    QMenu menu;
    menu.addAction(QObject::tr("Show"), &window, [&window] {
        window.showHistoryFromTray();
        // Opened on purpose: it stays open, with the pinned icon and selection hotkeys of a pinned window.
        if (!window.pinRight->isChecked())
            window.pinRight->click();
    });
    menu.addAction(QObject::tr("Settings"), &window, [&window] { window.showSettings(); });
    menu.addAction(QObject::tr("Quit"), qApp, &QCoreApplication::quit);
    const QRect area = trayIcon.geometry();
    menu.exec(QPoint((area.left() + area.right()) / 2, (area.top() + area.bottom()) / 2));
}

} // namespace

int main(int argc, char *argv[])
{
    SessionBusLaunch::declareMissingWhenHopeless();
    // Fontconfig reads its configuration, dozens of XML files, when the first text is laid out;
    // read here, it is ready by the time the window is built.
    const WarmUpThread fonts([] { FcInit(); });
    X11ConnectionsAhead::start(argc, argv);
    qSetMessagePattern("%{file}(%{line}): %{message}");
    QApplication::setOrganizationName("Morva");
    QApplication::setOrganizationDomain("org.morva");
    QApplication::setApplicationName("Kestovan");
    QApplication::setApplicationVersion(KESTOVAN_VERSION);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle("Fusion");

    Application app(argc, argv);
    // Opening the session bus takes several round trips, and the theme asks the desktop portal
    // over it before the window is built.
    const WarmUpThread sessionBus([] {
        if (DesktopAppearance::sessionBusKnown())
            QDBusConnection::sessionBus();
    });
    // The first text laid out reads the font list and opens the font; the search field's would
    // otherwise do it on the GUI thread while the window is built.
    const WarmUpThread fontEngine(
        [] { QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("Kestovan")); });
    registerIconResources();
    ImageLimits::apply();
    UnixSignalQuitter signalQuitter;

    portable = StartupOptions::portableMarkerExists(QDir::currentPath());
    QSettings settings = Utils::settings();

    const StartupOptions options =
        StartupOptions::fromArguments(app.arguments(), settings.value("WriteDebugLog", false).toBool());
    debugEnabled = options.debug;
    perfTestEnabled = options.perfTest;
    demoEnabled = options.demo;

    setUpLogging();
    logBanner();
    if (debugEnabled)
        new ShownWindowLog(&app);

    RunGuard guard(RunGuard::keyForUser("KestovanRunGuard", ::getuid()));
    if (!guard.takeOver(10, 1000)) {
        QMessageBox::warning(nullptr, "Kestovan", QObject::tr("Kestovan is already running!"));
        return 0;
    }
    qDebug() << "Launched new instance successfully";
    guard.startTimer();
    keepOwnFilesPrivate(settings);
    // No other copy writes the history any more: it is read while the window is built.
    if (!demoEnabled)
        HistoryFileReading::start(HistoryItemModel::filePath());
    checkAccessibility(true);
    qDebug() << "Main thread:" << QThread::currentThreadId();
    qDebug().noquote() << "Settings: " + settings.fileName();

    // Builds the models, the sync engine and the hotkeys; writes the default settings first.
    MainWindow window;
    app.mainWindow = &window;
    // Hidden until the settings show it: built once the first window is up.
    std::unique_ptr<Monitor> monitor;

    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] {
        qDebug() << "Quitting the application";
        window.clearHistory();
        // The history is written off the GUI thread; what was asked for is on disk before we go.
        if (HistoryItemModel *history = HistoryItemModel::instance())
            history->flushSaves();
        // The other computers would not see the change, or the cleared history, until this one
        // starts again.
        window.syncBeforeQuit();
    });
    QObject::connect(&app, &Application::powerResume, &window, [&window] { window.syncAll(BothWays); });

    // After an upgrade (and at the first start) the window shows itself once with the notes button.
    if (settings.value("ReleaseNotesVersion").toString() != MainWindow::Version) {
        window.showHistory();
        window.enableReleaseNotesButton();
        settings.setValue("ReleaseNotesVersion", MainWindow::Version);
    }

    // What the first window does not need waits until it is on the screen. The tray icon asks
    // the desktop's tray over D-Bus and X, which takes longer than the window itself.
    new AfterFirstWindow(&window, TrayIconDelay, [&app, &window, &monitor] {
        // The first capture would otherwise wait for the lookups a large history left for later.
        if (HistoryItemModel *history = HistoryItemModel::instance())
            history->catchUpIndex();
        window.startSnippetsAndActions();
        // The key monitor was the last to take a connection of its own; closing the rest must not
        // hold up the first window either.
        X11ConnectionsAhead::discardUnused();
        monitor = std::make_unique<Monitor>();
        app.monitorWindow = monitor.get();
        auto *trayIcon = new TrayIcon(&window);
        QObject::connect(trayIcon, &QSystemTrayIcon::activated, &window,
                         [trayIcon, &window](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Context)
                                 showTrayMenu(*trayIcon, window);
                             else
                                 window.toggleHistory();
                         });
    });
    new AfterFirstWindow(&window, StartupWorkDelay, [&app, &window] {
        // Loads the network and TLS libraries: done once the window is up.
        NetworkLibrary::instance().logTlsLibrary();
        if (!debugEnabled && !demoEnabled)
            Breakpad::CrashHandler::instance()->sendDump();
        window.startSync();
        app.watchForWake();
        window.checkForUpdates(&app);
    });

    const int exitCode = app.exec();
    // The windows go before the application object; nothing may reach them through it meanwhile.
    app.mainWindow = nullptr;
    app.monitorWindow = nullptr;
    return exitCode;
}
