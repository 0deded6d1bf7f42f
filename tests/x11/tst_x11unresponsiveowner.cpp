// Clipboard owners that misbehave: one that takes the clipboard and never answers froze the program
// for about 90 s (each read waited 5 s and was asked again on every poll), a huge text was copied
// whole several times only to be refused by the size rule, and a malformed INCR reply was read past
// its end.
#include "clipboard/clipboardlistener.h"
#include "clipboard/clipboardtools.h"
#include "clipboard/x11clipboardreader.h"
#include "historytestsupport.h"
#include "platform/platform.h"
#include "snippets/inputmanager.h"
#include "messagelog.h"
#include "x11testsupport.h"

namespace {

// One of the test tree's own clients that take the clipboard: kestovan_silentowner answers no
// request, kestovan_hostileowner answers with the malformed reply or as late as its argument says.
class OwnerTool
{
public:
    explicit OwnerTool(const QString &tool, const QStringList &arguments = QStringList())
    {
        m_process.start(QStringLiteral(KESTOVAN_BINARY_DIR "/tests/") + tool, arguments);
    }

    ~OwnerTool()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool owning()
    {
        return QTest::qWaitFor([this] { return lines().contains("owning"); }, 10000);
    }

    // The targets it has been asked for, in order.
    QStringList requests()
    {
        QStringList targets;
        for (const QString &line : lines()) {
            if (line.startsWith(QLatin1String("request ")))
                targets.append(line.mid(8));
        }
        return targets;
    }

private:
    QStringList lines()
    {
        m_output += m_process.readAllStandardOutput();
        return QString::fromUtf8(m_output).split('\n', Qt::SkipEmptyParts);
    }

    QProcess m_process;
    QByteArray m_output;
};

// The longest time the event loop went without running a 20 ms timer, over the given time.
qint64 longestStall(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = qMax(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(20);
    QTest::qWait(milliseconds);
    return qMax(longest, clock.elapsed() - last);
}

} // namespace

class TestX11UnresponsiveOwner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void testOwnerThatNeverAnswersBlocksNothingAndIsAskedOnce();
    void testNextOwnerIsReadAtOnce();
    void testExpansionNeitherWaitsForNorPastesLateAfterAnOwnerThatNeverAnswers();
    void testExpansionKeepsTheContentOfASlowOwner_data();
    void testExpansionKeepsTheContentOfASlowOwner();
    void testTextOverTheSizeRuleIsNotTransferred();
    void testLargeTextWithinTheRuleIsReadAndFingerprintedByHash();
    void testMalformedReplyIsRefused_data();
    void testMalformedReplyIsRefused();

private:
    HistoryItemModel *model() { return HistoryItemModel::instance(); }
    QString topText() { return model()->index(0, 0).data(TextRole).toString(); }

    QObject m_owner;
};

void TestX11UnresponsiveOwner::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    HistoryTest::resetStore();
    HistoryItemModel::initialize(&m_owner, nullptr, nullptr);
    model()->load();
}

void TestX11UnresponsiveOwner::init()
{
    HistoryTest::setSetting("IgnoreSize", "4");
    model()->updateExcludeList();
}

void TestX11UnresponsiveOwner::testOwnerThatNeverAnswersBlocksNothingAndIsAskedOnce()
{
    const int rows = model()->rowCount();
    OwnerTool owner("kestovan_silentowner");
    QVERIFY(owner.owning());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("did not answer for TARGETS"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The clipboard's owner does not answer; it is not asked again"));

    // Two time-outs' worth of polls: the event loop never waits on the owner.
    const qint64 stall = longestStall(2 * X11ClipboardReader::ReplyTimeout + 2000);
    QVERIFY2(stall < 500, qPrintable(QString("the event loop stalled for %1 ms").arg(stall)));
    QCOMPARE(owner.requests(), QStringList{"TARGETS"});
    QCOMPARE(model()->rowCount(), rows);

    // Remembered: the synchronous readers leave it alone too.
    QVERIFY(!ClipboardListener::clipboardAnswers());
    QTest::ignoreMessage(QtWarningMsg, "The clipboard's owner does not answer; nothing is pasted.");
    QElapsedTimer paste;
    paste.start();
    ClipboardTools::pastePlainTextFromClipboard();
    QVERIFY(paste.elapsed() < 500);
    QCOMPARE(owner.requests(), QStringList{"TARGETS"});
}

void TestX11UnresponsiveOwner::testNextOwnerIsReadAtOnce()
{
    {
        MessageLog log;
        OwnerTool owner("kestovan_silentowner");
        QVERIFY(owner.owning());
        QTRY_VERIFY_WITH_TIMEOUT(log.count(QtWarningMsg, "it is not asked again until the clipboard changes owner") > 0,
                                 2 * X11ClipboardReader::ReplyTimeout);
        QVERIFY(!ClipboardListener::clipboardAnswers());
        QCOMPARE(owner.requests(), QStringList{"TARGETS"});
    }
    X11Test::XclipOwner next("after the silent one");
    QTRY_COMPARE_WITH_TIMEOUT(topText(), QString("after the silent one"), 3000);
    QVERIFY(ClipboardListener::clipboardAnswers());
}

// The expansion saved the clipboard through the toolkit: about 5 s per format the owner offered,
// with the program frozen, and the snippet pasted when the front window was another one.
void TestX11UnresponsiveOwner::testExpansionNeitherWaitsForNorPastesLateAfterAnOwnerThatNeverAnswers()
{
    OwnerTool owner("kestovan_silentowner");
    QVERIFY(owner.owning());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("did not answer for TARGETS"));
    QTest::ignoreMessage(QtWarningMsg, "The clipboard's owner does not answer; it is not put back.");
    QElapsedTimer clock;
    clock.start();
    qint64 pastedAt = -1;
    const QMetaObject::Connection watch = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [&] {
        if (QGuiApplication::clipboard()->text() == QLatin1String("expanded text"))
            pastedAt = clock.elapsed();
    });
    InputManager::instance()->substitute(0, "expanded text", getApplicationName());
    const qint64 stall = longestStall(X11ClipboardReader::ReplyTimeout + 2000);
    disconnect(watch);
    QVERIFY2(stall < 500, qPrintable(QString("the event loop stalled for %1 ms").arg(stall)));
    // Given up on once, by the history's read.
    QVERIFY2(pastedAt >= 0 && pastedAt < X11ClipboardReader::ReplyTimeout + 1000,
             qPrintable(QString("the snippet went on the clipboard after %1 ms").arg(pastedAt)));
    QCOMPARE(owner.requests(), QStringList{"TARGETS"});
    // Nothing could be saved, so nothing comes back over the snippet.
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("expanded text"));
}

void TestX11UnresponsiveOwner::testExpansionKeepsTheContentOfASlowOwner_data()
{
    QTest::addColumn<int>("late");
    QTest::addColumn<QString>("typedMeanwhile");
    QTest::newRow("answering 600 ms late") << 600 << "";
    // Typed while the owner is asked, the keys reach the application at once: the keyboard is held
    // only for the paste. They come again after the snippet.
    QTest::newRow("answering 1.2 s late") << 1200 << "xy";
}

// Asked again while the history's read still waited, past a 500 ms limit the owner seemed not to
// answer: the snippet took its place, and the keyboard was held all the while.
void TestX11UnresponsiveOwner::testExpansionKeepsTheContentOfASlowOwner()
{
    QFETCH(int, late);
    QFETCH(QString, typedMeanwhile);
    X11Test::Probe probe;
    QVERIFY(probe.start());
    QVERIFY(X11Test::activate(probe.window()));
    setupKeyListener();
    const auto noListener = qScopeGuard([] { removeKeyListener(); });
    OwnerTool owner("kestovan_hostileowner", {QString("late-%1").arg(late)});
    QVERIFY(owner.owning());
    // Copied just now: the history is still reading it when the keyword is typed.
    QTRY_VERIFY(owner.requests().contains("TARGETS"));
    MessageLog log;
    QStringList texts;
    QObject watch;
    // Our own writes only: reading the owner's content here would ask it once more.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &watch, [&] {
        if (QGuiApplication::clipboard()->ownsClipboard())
            texts.append(QGuiApplication::clipboard()->text());
    });
    InputManager::instance()->substitute(0, "expanded text", getApplicationName());
    if (!typedMeanwhile.isEmpty())
        QVERIFY(X11Test::xdotool({"type", typedMeanwhile}));
    QTRY_VERIFY_WITH_TIMEOUT(texts.size() >= 2, 4 * late + X11ClipboardReader::ReplyTimeout);
    QCOMPARE(texts, (QStringList{"expanded text", "late text"}));
    QCOMPARE(log.count(QtWarningMsg, "it is not put back"), 0);
    QCOMPARE(owner.requests(), (QStringList{"TARGETS", "UTF8_STRING"}));
    QTRY_COMPARE(probe.text(), "expanded text" + typedMeanwhile);
    QVERIFY2(typedMeanwhile.isEmpty() || probe.lines().contains("TEXT:" + typedMeanwhile),
             "the keys typed while the owner was asked were held until the paste");
}

void TestX11UnresponsiveOwner::testTextOverTheSizeRuleIsNotTransferred()
{
    const int rows = model()->rowCount();
    const QString before = model()->clipboardListener->lastContent;
    MessageLog log;
    // Whether the owner says the size first or sends it in chunks, no more than the limit is taken.
    X11Test::XclipOwner owner(QByteArray(6 * 1024 * 1024, 'h'));
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QtDebugMsg, "Not reading the clipboard's UTF8_STRING") > 0, 5000);
    QVERIFY(log.count(QtDebugMsg, "UTF8_STRING beyond") == log.count(QtDebugMsg, "UTF8_STRING beyond 12288 bytes"));
    QTRY_VERIFY(ClipboardListener::clipboardAnswers());
    QCOMPARE(model()->rowCount(), rows);
    QCOMPARE(model()->clipboardListener->lastContent, before);

    // A transfer left half done would leave the owner serving no one else. (xclip ignores other
    // requests while a transfer runs, so it is asked again until ours has been drained.)
    QByteArray targets;
    for (int attempt = 0; attempt < 5 && !targets.contains("UTF8_STRING"); ++attempt) {
        QProcess other;
        other.start("xclip", {"-o", "-selection", "clipboard", "-t", "TARGETS"});
        if (!QTest::qWaitFor([&] { return other.state() == QProcess::NotRunning; }, 2000)) {
            other.kill();
            other.waitForFinished(1000);
        }
        targets = other.readAllStandardOutput();
    }
    QVERIFY2(targets.contains("UTF8_STRING"), "the owner was left in the middle of a transfer");
}

void TestX11UnresponsiveOwner::testLargeTextWithinTheRuleIsReadAndFingerprintedByHash()
{
    HistoryTest::setSetting("IgnoreSize", "8192");
    model()->updateExcludeList();
    QByteArray large(3 * 1024 * 1024, 'l');
    large.append("end");
    X11Test::XclipOwner owner(large);
    QTRY_COMPARE_WITH_TIMEOUT(model()->index(0, 0).data(TextRole).toString().size(), large.size(), 10000);
    QVERIFY(topText().endsWith("lend"));
    // The listener keeps a hash of it, not a second copy.
    QVERIFY(model()->clipboardListener->lastContent.size() < 100);
    QCOMPARE(model()->clipboardListener->lastContent, ClipboardListener::textFingerprint(QString::fromLatin1(large)));
}

void TestX11UnresponsiveOwner::testMalformedReplyIsRefused_data()
{
    QTest::addColumn<QString>("mode");
    // The size of an INCR transfer is one format-32 item, which Xlib hands over as a long.
    QTest::newRow("INCR size in format 8") << "incr-format-8";
    QTest::newRow("INCR size in format 16") << "incr-format-16";
}

void TestX11UnresponsiveOwner::testMalformedReplyIsRefused()
{
    QFETCH(QString, mode);
    const int rows = model()->rowCount();
    {
        MessageLog log;
        OwnerTool owner("kestovan_hostileowner", {mode});
        QVERIFY(owner.owning());
        QTRY_VERIFY_WITH_TIMEOUT(log.count(QtDebugMsg, "malformed INCR reply for UTF8_STRING") > 0, 5000);
        QVERIFY(ClipboardListener::clipboardAnswers());
    }
    // Refused like any other bad answer: nothing of it is recorded, and the next owner is read at once.
    const QString next = "after " + mode;
    X11Test::XclipOwner owner(next.toUtf8());
    QTRY_COMPARE_WITH_TIMEOUT(topText(), next, 3000);
    QCOMPARE(model()->rowCount(), rows + 1);
}

KESTOVAN_HISTORY_TEST_MAIN(TestX11UnresponsiveOwner)
#include "tst_x11unresponsiveowner.moc"
