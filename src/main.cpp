#include "application.h"
#include "globals.h"
#include "iconresources.h"
#include "logging/qxtbasicfileloggerengine.h"
#include "logging/qxtbasicstdloggerengine.h"
#include "logging/qxtlogger.h"
#include "historyitemmodel.h"
#include "monitor.h"
#include "platform/platform.h"
#include "settingsdialog.h"
#include "snippetmodel.h"
#include "startupoptions.h"
#include "unixsignalquitter.h"
#include "utils.h"

#include <QDate>
#include <QDir>
#include <QSslSocket>
#include <QThread>

namespace {

void setUpLogging()
{
    QxtLogger *logger = QxtLogger::getInstance();
    if (debugEnabled)
        logger->addLoggerEngine("file", new QxtBasicFileLoggerEngine(logPath));
    // Crash reporting joins here when it is not a debug or demo run.
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
    qDebug() << QSslSocket::sslLibraryBuildVersionString() << QSslSocket::sslLibraryVersionString()
             << QSslSocket::supportsSsl();
}

} // namespace

int main(int argc, char *argv[])
{
    qSetMessagePattern("%{file}(%{line}): %{message}");
    QApplication::setOrganizationName("Morva");
    QApplication::setOrganizationDomain("org.morva");
    QApplication::setApplicationName("Kestovan");
    QApplication::setApplicationVersion(KESTOVAN_VERSION);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle("Fusion");

    Application app(argc, argv);
    registerIconResources();
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

    qDebug() << "Launched new instance successfully";
    checkAccessibility(true);
    qDebug() << "Main thread:" << QThread::currentThreadId();
    qDebug().noquote() << "Settings: " + settings.fileName();

    // The history window builds these when it exists; until then start-up does, in its order.
    SettingsDialog::updateDefaultSettings();
    QObject stores;
    HistoryItemModel::initialize(&stores, nullptr, nullptr);
    HistoryItemModel::instance()->load();
    SnippetModel::initialize(&stores, nullptr);
    SnippetModel::instance()->load();
    SnippetModel::instance()->updateHotkeysAndKeywords();

    Monitor monitor;
    app.monitorWindow = &monitor;

    QObject::connect(&app, &QCoreApplication::aboutToQuit, [] { qDebug() << "Quitting the application"; });

    return app.exec();
}
