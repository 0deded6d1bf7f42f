#include "crash/crashhandler.h"
#include "deliberatefaults.h"
#include "minidumpreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <link.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// ---- The crashing child: "--crash MODE DUMPFOLDER SETTINGSFOLDER" ----

int g_depth = 0;

[[gnu::noinline]] int recurse(int level)
{
    volatile char frame[512];
    frame[0] = char(level);
    ++g_depth;
    return recurse(level + 1) + frame[0];
}

[[noreturn]] void crashBy(const QByteArray &mode)
{
    if (mode == "segv") {
        DeliberateFaults::writeThroughNull();
    } else if (mode == "raise") {
        ::raise(SIGSEGV);
    } else if (mode == "abort") {
        std::abort();
    } else if (mode == "fpe") {
        DeliberateFaults::divideByZero();
    } else if (mode == "overflow") {
        recurse(0);
    } else if (mode == "thread") {
        std::thread(DeliberateFaults::writeThroughNull).join();
    }
    ::_exit(99);
}

int crashChild(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("MorvaTest");
    QCoreApplication::setApplicationName("KestovanCrashDumpTest");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[4]));
    Breakpad::CrashHandler::instance()->Init(QString::fromLocal8Bit(argv[3]));
    crashBy(argv[2]);
}

// The build id of the test program itself, read through the dynamic loader.
QByteArray ownBuildId()
{
    QByteArray id;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) -> int {
            if (info->dlpi_name && info->dlpi_name[0] != '\0')
                return 0;
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const ElfW(Phdr) &phdr = info->dlpi_phdr[i];
                if (phdr.p_type != PT_NOTE)
                    continue;
                const char *note = reinterpret_cast<const char *>(info->dlpi_addr + phdr.p_vaddr);
                const char *end = note + phdr.p_memsz;
                while (note + sizeof(ElfW(Nhdr)) <= end) {
                    const auto *header = reinterpret_cast<const ElfW(Nhdr) *>(note);
                    const size_t nameSize = (header->n_namesz + 3) & ~3u;
                    const size_t descSize = (header->n_descsz + 3) & ~3u;
                    const char *name = note + sizeof(ElfW(Nhdr));
                    if (header->n_type == NT_GNU_BUILD_ID && std::strcmp(name, "GNU") == 0) {
                        *static_cast<QByteArray *>(data) = QByteArray(name + nameSize, int(header->n_descsz));
                        return 1;
                    }
                    note += sizeof(ElfW(Nhdr)) + nameSize + descSize;
                }
            }
            return 1;
        },
        &id);
    return id;
}

struct ChildResult
{
    bool exited = false;
    bool signalled = false;
    int signalNumber = 0;
    int exitCode = 0;
};

ChildResult runCrashingChild(const QByteArray &mode, const QString &dumpFolder, const QString &settingsFolder)
{
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    const QByteArray folder = QFile::encodeName(dumpFolder);
    const QByteArray settings = QFile::encodeName(settingsFolder);
    const pid_t child = ::fork();
    if (child == 0) {
        char *const arguments[] = {const_cast<char *>(program.constData()), const_cast<char *>("--crash"),
                                   const_cast<char *>(mode.constData()), const_cast<char *>(folder.constData()),
                                   const_cast<char *>(settings.constData()), nullptr};
        ::execv(program.constData(), arguments);
        ::_exit(127);
    }
    ChildResult result;
    if (child < 0)
        return result;
    int status = 0;
    const bool ended = QTest::qWaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 30000);
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        return result;
    }
    result.exited = WIFEXITED(status);
    result.exitCode = result.exited ? WEXITSTATUS(status) : 0;
    result.signalled = WIFSIGNALED(status);
    result.signalNumber = result.signalled ? WTERMSIG(status) : 0;
    return result;
}

} // namespace

class TestCrashDump : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QCoreApplication::setOrganizationName("MorvaTest");
        QCoreApplication::setApplicationName("KestovanCrashDumpTest");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath("settings"));
    }

    void testCrashLeavesOneMinidumpAndStillDiesBySignal_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("null pointer write") << QByteArray("segv") << SIGSEGV;
        QTest::newRow("raised SIGSEGV") << QByteArray("raise") << SIGSEGV;
        QTest::newRow("abort") << QByteArray("abort") << SIGABRT;
        QTest::newRow("division by zero") << QByteArray("fpe") << SIGFPE;
        QTest::newRow("stack overflow") << QByteArray("overflow") << SIGSEGV;
        QTest::newRow("crash in another thread") << QByteArray("thread") << SIGSEGV;
    }

    void testCrashLeavesOneMinidumpAndStillDiesBySignal()
    {
        QFETCH(QByteArray, mode);
        QFETCH(int, signalNumber);
        // The data folder does not exist before the first start; the dump must land all the same.
        const QString folder = m_dir.filePath("data-" + mode + "/Morva/Kestovan");
        QVERIFY(!QDir(folder).exists());

        const ChildResult result = runCrashingChild(mode, folder, m_dir.filePath("settings-" + mode));
        QVERIFY2(result.signalled, qPrintable(QString("the child exited with %1 instead of dying by a signal")
                                                  .arg(result.exitCode)));
        QCOMPARE(result.signalNumber, signalNumber);

        const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(entries.size(), 1);
        static const QRegularExpression uuidName(
            "^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\.dmp$");
        QVERIFY2(uuidName.match(entries.first()).hasMatch(), qPrintable(entries.first()));

        QFile file(QDir(folder).filePath(entries.first()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const MinidumpReader dump(file.readAll());
        QVERIFY2(dump.isValid(), qPrintable(dump.error()));
        QCOMPARE(dump.streamCount(), 4u);

        QCOMPARE(dump.platformId, 0x8201u);
        QVERIFY(dump.systemDescription.startsWith("Linux "));
        QVERIFY(dump.processorCount >= 1);

        QCOMPARE(dump.exceptionCode, quint32(signalNumber));
        if (mode == "segv") {
            QCOMPARE(dump.exceptionFlags, quint32(SEGV_MAPERR));
            QCOMPARE(dump.exceptionAddress, quint64(0));
        }
        if (mode == "raise" || mode == "abort")
            QVERIFY(qint32(dump.exceptionFlags) <= 0);

        QVERIFY(!dump.threads.isEmpty());
        const MinidumpReader::Thread &crashing = dump.threads.first();
        QCOMPARE(crashing.id, dump.exceptionThreadId);
        if (mode == "thread") {
            QVERIFY(dump.threads.size() >= 2);
            QVERIFY(crashing.id != dump.threads.at(1).id);
        }

#if defined(__x86_64__)
        QCOMPARE(dump.architecture, quint16(9));
        QCOMPARE(dump.exceptionContext.size, 1232u);
        QCOMPARE(crashing.context.rva, dump.exceptionContext.rva);
        QVERIFY(dump.contextFlags(dump.exceptionContext) & 0x00100000u);
        const quint64 rip = dump.contextRip(dump.exceptionContext);
        const quint64 rsp = dump.contextRsp(dump.exceptionContext);
        QVERIFY(rip != 0);
        QVERIFY(rsp != 0);
        if (mode != "overflow") {
            // The stack memory covers the stack pointer and holds real data.
            QVERIFY(crashing.stack.size > 0 && crashing.stack.size <= 32768);
            QVERIFY(crashing.stackStart <= rsp && rsp < crashing.stackStart + crashing.stack.size);
            QVERIFY(dump.bytes(crashing.stack) != QByteArray(int(crashing.stack.size), '\0'));
        }
        // The crashing instruction lies inside one of the listed modules.
        bool ripInModule = false;
        for (const MinidumpReader::Module &module : dump.modules)
            ripInModule = ripInModule || (rip >= module.base && rip < module.base + module.size);
        QVERIFY(ripInModule);
#endif

        // The module list names the program with its build id, and the libraries it loaded.
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
        const MinidumpReader::Module *self = nullptr;
        bool qtCore = false;
        for (const MinidumpReader::Module &module : dump.modules) {
            if (module.name == program)
                self = &module;
            qtCore = qtCore || module.name.contains("libQt6Core.so");
        }
        QVERIFY2(self, "the program itself is not in the module list");
        QVERIFY(qtCore);
        const QByteArray buildId = ownBuildId();
        if (!buildId.isEmpty())
            QCOMPARE(self->cvRecord, QByteArray("LEpB", 4) + buildId);
    }

    void testRequestedDumpIsWrittenUnderAFreshName()
    {
        const QString folder = m_dir.filePath("requested");
        Breakpad::CrashHandler handler;
        QTest::ignoreMessage(QtWarningMsg, "BreakpadQt: writeMinidump() failed.");
        QVERIFY(!handler.writeMinidump());

        handler.Init(folder);
        QVERIFY(handler.writeMinidump());
        QVERIFY(handler.writeMinidump());
        const QStringList dumps = QDir(folder).entryList({"*.dmp"}, QDir::Files);
        QCOMPARE(dumps.size(), 2);
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);
        for (const QString &name : dumps) {
            QFile file(QDir(folder).filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const MinidumpReader dump(file.readAll());
            QVERIFY2(dump.isValid(), qPrintable(dump.error()));
            QCOMPARE(dump.exceptionCode, 0xffffffffu);
            QCOMPARE(dump.exceptionThreadId, quint32(::gettid()));
        }
    }
};

int main(int argc, char **argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--crash") == 0)
        return crashChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestCrashDump test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashdump.moc"
