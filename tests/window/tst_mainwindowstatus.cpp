#include "mainwindowtestsupport.h"
#include "maintenancetoolstandin.h"
#include "updater/updater.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include <functional>
#include <optional>

using namespace MainWindowTest;

namespace {

QStringList g_messages;
QtMessageHandler g_previousHandler = nullptr;

void recordMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    g_messages.append(message);
    g_previousHandler(type, context, message);
}

// What a question box showed, and the button the test chose.
struct Question
{
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Answers every question box that opens with `answer`, recording it.
class QuestionAnswerer : public QObject
{
public:
    explicit QuestionAnswerer(QMessageBox::StandardButton answer)
        : m_answer(answer)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            questions.append({box->windowTitle(), box->text(), box->standardButtons()});
            box->button(m_answer)->click();
        });
        m_timer.start(10);
    }
    QList<Question> questions;

private:
    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
};

} // namespace

// The history window's update check through the maintenance tool beside the program, its question
// to the user, the run of the tool on quit, and the status line's timer.
class TestMainWindowStatus : public QObject
{
    Q_OBJECT

    QString m_tool;
    QTemporaryDir m_dir;
    QString m_output;
    QString m_marker;

    void setToolOutput(const QByteArray &output)
    {
        QFile file(m_output);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(output);
    }

    // The window's updater: the newest one on the application object.
    static QtAutoUpdater::Updater *currentUpdater()
    {
        const auto updaters = qApp->findChildren<QtAutoUpdater::Updater *>(Qt::FindDirectChildrenOnly);
        return updaters.isEmpty() ? nullptr : updaters.last();
    }

    // Runs one check and waits until the window has handled its result (questions answered).
    void runCheck(MainWindow &window)
    {
        window.checkForUpdates(static_cast<Application *>(qApp));
        QtAutoUpdater::Updater *updater = currentUpdater();
        QVERIFY(updater);
        QSignalSpy done(updater, &QtAutoUpdater::Updater::checkUpdatesDone);
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 15000);
    }

    // Runs the event loop through a quit requested by the window (or the watchdog).
    static int runUntilQuit(const std::function<void()> &start)
    {
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        watchdog.start(20000);
        QTimer::singleShot(0, qApp, start);
        return QCoreApplication::exec();
    }

    QStringList markerLines()
    {
        QFile marker(m_marker);
        if (!marker.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(marker.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // The program looks for the tool beside itself.
        m_tool = QCoreApplication::applicationDirPath() + "/maintenancetool";
        QVERIFY(MaintenanceToolStandIn::install(m_tool));
        m_output = m_dir.filePath("output.txt");
        m_marker = m_dir.filePath("marker.txt");
        qputenv("TOOL_OUTPUT", m_output.toUtf8());
        qputenv("TOOL_MARKER", m_marker.toUtf8());
        g_previousHandler = qInstallMessageHandler(recordMessages);
    }

    void cleanupTestCase()
    {
        QFile::remove(m_tool);
        qInstallMessageHandler(g_previousHandler);
    }

    void init()
    {
        resetStore();
        qunsetenv("TOOL_EXIT");
        qunsetenv("TOOL_STDERR");
        QFile::remove(m_output);
        QFile::remove(m_marker);
        g_messages.clear();
    }

    void testIgnoredReleaseIsNotOfferedAgainButANewerOneIs()
    {
        setToolOutput("<updates><update name=\"Kestovan\" version=\"1.11\" size=\"1\"/></updates>");
        const auto window = freshWindow();
        {
            QuestionAnswerer answerer(QMessageBox::Ignore);
            runCheck(*window);
            QCOMPARE(answerer.questions.size(), 1);
        }
        QCOMPARE(setting("IgnoredRelease").toString(), QString("1.11"));
        {
            QuestionAnswerer answerer(QMessageBox::No);
            runCheck(*window);
            QCOMPARE(answerer.questions.size(), 0);
        }
        setToolOutput("<updates><update name=\"Other\" version=\"3\" size=\"1\"/>"
                      "<update name=\"Kestovan\" version=\"1.12\" size=\"1\"/></updates>");
        {
            QuestionAnswerer answerer(QMessageBox::No);
            runCheck(*window);
            QCOMPARE(answerer.questions.size(), 1);
            QCOMPARE(answerer.questions.first().text,
                     QString("Update for Kestovan is available:\n\nName: Other\nVersion: 3\nName: Kestovan\n"
                             "Version: 1.12\n\nDo you want to upgrade now?"));
        }
        // "No" stores nothing.
        QCOMPARE(setting("IgnoredRelease").toString(), QString("1.11"));
        QVERIFY(!QFile::exists(m_marker));
    }

    void testUpdatesWithoutTheProductAreOfferedEveryTime()
    {
        setToolOutput("<updates><update name=\"Docs\" version=\"2.0\" size=\"1\"/></updates>");
        const auto window = freshWindow();
        for (int round = 0; round < 2; ++round) {
            QuestionAnswerer answerer(QMessageBox::Ignore);
            runCheck(*window);
            QCOMPARE(answerer.questions.size(), 1);
        }
    }

    void testNoUpdatesAnswerIsNotReportedAsAnError()
    {
        qputenv("TOOL_EXIT", "1");
        qputenv("TOOL_STDERR", "There are currently no updates available.");
        const auto window = freshWindow();
        QuestionAnswerer answerer(QMessageBox::No);
        runCheck(*window);
        QVERIFY(g_messages.contains("No updates available"));
        QVERIFY(g_messages.filter("Check for update error: ").isEmpty());
        QCOMPARE(answerer.questions.size(), 0);
    }

    void testFailedCheckIsLoggedWithItsExitCode()
    {
        qputenv("TOOL_EXIT", "3");
        qputenv("TOOL_STDERR", "network unreachable");
        const auto window = freshWindow();
        runCheck(*window);
        QVERIFY2(g_messages.contains("Check for update error: network unreachable 3"), qPrintable(g_messages.join('\n')));
    }

    void testStatusTimerFiresOnceAndABusyLineOutlivesIt()
    {
        const auto window = freshWindow();
        window->show();
        QWidget *status = child(window.get(), "status");
        // The status timer is the one the notice starts (the sync queue has a 5000 ms timer too).
        QList<QTimer *> idle;
        for (QTimer *candidate : window->findChildren<QTimer *>()) {
            if (!candidate->isActive())
                idle.append(candidate);
        }
        window->setStatus(SyncStatus::Notice, "Added to snippets 'Code'");
        QVERIFY(status->isVisible());
        QTimer *timer = nullptr;
        for (QTimer *candidate : std::as_const(idle)) {
            if (candidate->isActive() && candidate->interval() == 5000)
                timer = candidate;
        }
        QVERIFY(timer);
        QVERIFY(timer->isSingleShot());

        // A sync starts before the notice times out: its busy line stays until its result.
        window->setStatus(SyncStatus::Busy, "Synchronizing...");
        QVERIFY(!timer->isActive());
        QVERIFY(!QTest::qWaitFor([&] { return !status->isVisible(); }, 6000));
        QCOMPARE(child<QLabel>(window.get(), "statusText")->text(), QString("Synchronizing..."));

        window->setStatus(SyncStatus::Failed, "Sync failed");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 15000);
        QVERIFY(child(window.get(), "statusIcon")->isVisible());
        QVERIFY(!child(window.get(), "statusProgress")->isVisible());
    }
    // Last: once the event loop has quit, Qt runs no modal dialog again in this process.
    void testAcceptedUpdateRunsTheToolOnQuit()
    {
        setToolOutput("<updates><update name=\"Kestovan\" version=\"1.11\" size=\"1\"/></updates>");
        const auto window = freshWindow();
        QuestionAnswerer answerer(QMessageBox::Yes);
        const int exitCode = runUntilQuit([&] { window->checkForUpdates(static_cast<Application *>(qApp)); });
        QCOMPARE(exitCode, 0);

        QCOMPARE(answerer.questions.size(), 1);
        const Question question = answerer.questions.first();
        QCOMPARE(question.title, QString("Kestovan"));
        QCOMPARE(question.text,
                 QString("Update for Kestovan is available:\n\nName: Kestovan\nVersion: 1.11\n\nDo you want to upgrade now?"));
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Ignore);
        QVERIFY(g_messages.contains("Checking for updates..."));

        // Started detached after the quit, in its own folder, with "--updater" alone.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_marker), 10000);
        QCOMPARE(markerLines(), QStringList({QCoreApplication::applicationDirPath(), "--updater"}));
    }


    void testUpdateNowRunsTheToolOnQuit()
    {
        setToolOutput("<updates></updates>");
        const auto window = freshWindow();
        runCheck(*window);
        QCOMPARE(runUntilQuit([&] { window->updateNow(); }), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_marker), 10000);
        QCOMPARE(markerLines().value(1), QString("--updater"));
    }
};

KESTOVAN_MAINWINDOW_TEST_MAIN(TestMainWindowStatus)
#include "tst_mainwindowstatus.moc"
