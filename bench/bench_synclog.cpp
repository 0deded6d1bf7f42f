// Cost of a burst of sync-log lines, as the history load writes one per clipping: 10,000 lines
// through SyncLogDialog::add with the program's logging set up. Run it with standard error sent
// where it should be measured (2>/dev/null, 2>file); the table goes to standard output.
//   bench_synclog                 the table, minimum of 9 runs per mode
//   bench_synclog --once MODE     one run of MODE in a fresh process (as at start), for callgrind
#include "crash/crashhandler.h"
#include "logging/logburst.h"
#include "logging/qxtbasicstdloggerengine.h"
#include "logging/qxtlogger.h"
#include "sync/synclogdialog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const int Lines = 10000;
const int Runs = 9;

// Lines shaped like the load's: a clipping's first 50 characters and its position.
QStringList makeTexts()
{
    QStringList texts;
    texts.reserve(Lines);
    for (int i = 0; i < Lines; ++i) {
        const QString clipping = QString("Clipping number %1 with some words of text that a user copied").arg(i).left(50);
        texts.append(QLatin1String("Merge clippings: Item '") + clipping + QLatin1String("' added at position ")
                     + QString::number(i));
    }
    return texts;
}

enum class Mode { EachLine, Burst, LogOnly };

const char *modeName(Mode mode)
{
    switch (mode) {
    case Mode::EachLine:
        return "each-line";
    case Mode::Burst:
        return "burst";
    case Mode::LogOnly:
        return "sync-log-only";
    }
    return "";
}

void runOnce(Mode mode, const QStringList &texts)
{
    QLoggingCategory::setFilterRules(mode == Mode::LogOnly ? "default.debug=false" : "");
    if (mode == Mode::Burst) {
        const LogBurst burst;
        for (const QString &text : texts)
            SyncLogDialog::add(text);
    } else {
        for (const QString &text : texts)
            SyncLogDialog::add(text);
    }
    QLoggingCategory::setFilterRules("");
}

double timed(Mode mode, const QStringList &texts)
{
    double best = 1e9;
    for (int run = 0; run < Runs; ++run) {
        SyncLogDialog::c_log.clear();
        QElapsedTimer timer;
        timer.start();
        runOnce(mode, texts);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dumps;
    // As the program starts without --debug: the crash handler, the standard engine, Qt's messages
    // through the logger.
    Breakpad::CrashHandler::instance()->install(dumps.path());
    QxtLogger *logger = QxtLogger::getInstance();
    logger->addLoggerEngine("std", new QxtBasicSTDLoggerEngine());
    logger->installAsMessageHandler();
    logger->removeLoggerEngine("DEFAULT");

    const QStringList texts = makeTexts();
    const Mode modes[] = {Mode::EachLine, Mode::Burst, Mode::LogOnly};

    if (argc == 3 && std::strcmp(argv[1], "--once") == 0) {
        for (Mode mode : modes) {
            if (std::strcmp(argv[2], modeName(mode)) != 0)
                continue;
            QElapsedTimer timer;
            timer.start();
            runOnce(mode, texts);
            printf("%.2f\n", timer.nsecsElapsed() / 1e6);
        }
        return 0;
    }

    printf("%d sync-log lines through SyncLogDialog::add (ms, minimum of %d runs)\n", Lines, Runs);
    printf("  each-line: every line written as it comes; burst: inside a LogBurst;\n"
           "  sync-log-only: debug output off, c_log only\n\n");
    for (Mode mode : modes)
        printf("%16s %8.2f\n", modeName(mode), timed(mode, texts));
    fflush(stdout);
    return 0;
}
