// The capture step on the in-process clipboard, with the front application set on the null back end.
#include "clipboard/clipboardlistener.h"
#include "clipboardtestsupport.h"
#include "historytestsupport.h"
#include "platform/nullplatformbackend.h"
#include "common/utils.h"

#include <QSignalSpy>
#include <QUrl>

using namespace ClipboardTest;

class TestClipboardListener : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void testSameTextTwiceRecordsOnce();
    void testCaptureCarriesFrontApplicationAndIcon();
    void testContentPresentAtStartIsCapturedByFirstPoll();
    void testEmptyClipboardRecordsNothing();
    void testStarAdoptsNextContentSilently();

    void testDifferentImagesOfOneSizeAndCentreAreBothRecorded();
    void testSameImageTwiceRecordsOnce();
    void testFileListFingerprintIsItsPaths();

    void testTextOnlyRuleRewritesWithoutEmptyHtml();
    void testFormattingOnlyRuleStripsStyle();
    void testHtmlOnlyContentKeepsItsTextWhenRewritten();
    void testNoImagesRuleDropsImageWithoutText();
    void testImageFromTextOnlyApplicationStaysUntouched();
    void testMarkerNamesTheApplication();
    void testPollJudgesUnmarkedContentUnderNewFrontApplication();
    void testRuleOnAnEmptyNameDoesNotRewriteTheClipboardForever_data();
    void testRuleOnAnEmptyNameDoesNotRewriteTheClipboardForever();
    void testEmptyMarkerStillCountsAsAMarker();

    void testPollDoesNotReadUnchangedClipboard();

    void testLargeTextIsFingerprintedByItsHash();
    void testTextOverTheSizeRuleIsNotCopied();

private:
    static void setRules(const QStringList &textOnly, const QStringList &formattingOnly, const QStringList &noImages)
    {
        QSettings settings = Utils::settings();
        settings.setValue("TextOnlyApplications", textOnly);
        settings.setValue("FormattingOnlyApplications", formattingOnly);
        settings.setValue("NoImagesApplications", noImages);
    }

    NullPlatformBackend *backend() { return NullPlatformBackend::current(); }
};

void TestClipboardListener::init()
{
    QVERIFY(backend());
    backend()->reset();
    backend()->setFrontApplication("Editor", colourIcon(Qt::blue));
    HistoryTest::resetStore();
    clipboard()->clear();
}

void TestClipboardListener::testSameTextTwiceRecordsOnce()
{
    ClipboardListener listener(nullptr);
    CaptureRecorder recorder(&listener);

    setText("first words");
    setText("first words");
    listener.check();
    QCOMPARE(recorder.captures.size(), 1);
    QCOMPARE(listener.lastContent, QString("first words"));

    setText("second words");
    QCOMPARE(recorder.captures.size(), 2);
    QCOMPARE(recorder.captures.last().text, QString("second words"));
}

void TestClipboardListener::testCaptureCarriesFrontApplicationAndIcon()
{
    ClipboardListener listener(nullptr);
    CaptureRecorder recorder(&listener);
    // A second receiver reads the same content: neither frees it under the other.
    CaptureRecorder second(&listener);

    setText("plain", "<p style=\"color:red\">plain</p>");
    QCOMPARE(recorder.captures.size(), 1);
    const Capture &capture = recorder.captures.first();
    QCOMPARE(capture.application, QString("Editor"));
    QCOMPARE(capture.icon.toImage().pixelColor(10, 10), QColor(Qt::blue));
    // The copy is the content byte for byte: no rule applies to this application.
    QCOMPARE(capture.text, QString("plain"));
    QCOMPARE(capture.html, QString("<p style=\"color:red\">plain</p>"));
    QCOMPARE(second.captures.size(), 1);
    QCOMPARE(second.captures.first().html, capture.html);
}

void TestClipboardListener::testContentPresentAtStartIsCapturedByFirstPoll()
{
    setText("there before the start");
    ClipboardListener listener(nullptr);
    CaptureRecorder recorder(&listener);
    QCOMPARE(recorder.captures.size(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.captures.size(), 1, 3000);
    QCOMPARE(recorder.captures.first().text, QString("there before the start"));
}

void TestClipboardListener::testEmptyClipboardRecordsNothing()
{
    ClipboardListener listener(nullptr);
    CaptureRecorder recorder(&listener);
    setText("kept");
    QCOMPARE(recorder.captures.size(), 1);

    // What X reports when the owner of the clipboard exits.
    clipboard()->setMimeData(new QMimeData);
    listener.check();
    QCOMPARE(recorder.captures.size(), 1);
    // Nor is content without text, URLs or an image.
    auto *unknown = new QMimeData;
    unknown->setData("application/x-unknown", "bytes");
    clipboard()->setMimeData(unknown);
    QCOMPARE(recorder.captures.size(), 1);
    QCOMPARE(listener.lastContent, QString("kept"));

    // A "*" is replaced by the empty fingerprint, and the next content is recorded.
    listener.lastContent = "*";
    listener.check();
    QCOMPARE(listener.lastContent, QString());
    setText("kept");
    QCOMPARE(recorder.captures.size(), 2);
}

void TestClipboardListener::testStarAdoptsNextContentSilently()
{
    ClipboardListener listener(nullptr);
    CaptureRecorder recorder(&listener);

    listener.lastContent = "*";
    setImage(blockImage(40, 30, Qt::white, Qt::red, 5));
    QCOMPARE(recorder.captures.size(), 0);
    QVERIFY(listener.lastContent.startsWith("40x30-"));

    setText("after the adopted image");
    QCOMPARE(recorder.captures.size(), 1);
}

void TestClipboardListener::testDifferentImagesOfOneSizeAndCentreAreBothRecorded()
{
    ClipboardListener listener(nullptr);
    CaptureRecorder recorder(&listener);

    const QImage first = blockImage(64, 64, Qt::white, Qt::red, 16);
    const QImage second = blockImage(64, 64, Qt::white, Qt::green, 16);
    QCOMPARE(first.pixel(32, 32), second.pixel(32, 32));

    setImage(first);
    setImage(second);
    QCOMPARE(recorder.captures.size(), 2);
    QCOMPARE(recorder.captures.at(1).image.pixelColor(0, 0), QColor(Qt::green));
    // The fingerprint still begins with the size and the centre pixel.
    QVERIFY(listener.lastContent.startsWith(QString("64x64-%1-").arg(uint(second.pixel(32, 32)))));
}

void TestClipboardListener::testSameImageTwiceRecordsOnce()
{
    ClipboardListener listener(nullptr);
    CaptureRecorder recorder(&listener);
    const QImage image = blockImage(300, 200, Qt::black, Qt::yellow, 50);
    setImage(image);
    setImage(image.copy());
    listener.check();
    QCOMPARE(recorder.captures.size(), 1);
}

void TestClipboardListener::testFileListFingerprintIsItsPaths()
{
    ClipboardListener listener(nullptr);
    auto *data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile("/tmp/with space.txt"), QUrl(), QUrl::fromLocalFile("/tmp/b%c.png")});
    QCOMPARE(listener.getTextContent(data), QString("/tmp/with space.txt\n/tmp/b%c.png"));

    CaptureRecorder recorder(&listener);
    clipboard()->setMimeData(data);
    QCOMPARE(recorder.captures.size(), 1);
    QCOMPARE(listener.lastContent, QString("/tmp/with space.txt\n/tmp/b%c.png"));
}

void TestClipboardListener::testTextOnlyRuleRewritesWithoutEmptyHtml()
{
    setRules({"Writer"}, {}, {});
    backend()->setFrontApplication("Writer");
    ClipboardListener listener(nullptr);
    listener.updateApplications();
    CaptureRecorder recorder(&listener);

    setText("bold words", "<b>bold</b> words");
    // Nothing is handed on until the rewritten content comes back.
    QCOMPARE(recorder.captures.size(), 0);
    QTRY_COMPARE(recorder.captures.size(), 1);

    const QMimeData *now = clipboard()->mimeData();
    QCOMPARE(now->text(), QString("bold words"));
    QVERIFY2(!now->hasHtml(), "an empty HTML part makes rich-text targets paste nothing");
    QCOMPARE(now->data(ClipboardListener::ApplicationFormat), QByteArray("Writer"));

    const Capture &capture = recorder.captures.first();
    QCOMPARE(capture.application, QString("Writer"));
    QCOMPARE(capture.text, QString("bold words"));
    QCOMPARE(capture.html, QString());
}

void TestClipboardListener::testFormattingOnlyRuleStripsStyle()
{
    setRules({}, {"Browser"}, {});
    backend()->setFrontApplication("Browser");
    ClipboardListener listener(nullptr);
    listener.updateApplications();
    CaptureRecorder recorder(&listener);

    const QString html = "<span style=\"font-size:30px\">big</span> text";
    setText("big text", html);
    QTRY_COMPARE(recorder.captures.size(), 1);
    QCOMPARE(recorder.captures.first().html, Utils::stripStyle(html));
    QCOMPARE(recorder.captures.first().application, QString("Browser"));
    QVERIFY(clipboard()->mimeData()->hasFormat(ClipboardListener::ApplicationFormat));

    // The tagged content still has HTML and the application is still in front: it must not be
    // rewritten again, or the clipboard would change forever.
    QSignalSpy changes(clipboard(), &QClipboard::dataChanged);
    for (int poll = 0; poll < 3; ++poll) {
        listener.check();
        QCoreApplication::processEvents();
    }
    QCOMPARE(changes.size(), 0);
    QCOMPARE(recorder.captures.size(), 1);
}

void TestClipboardListener::testHtmlOnlyContentKeepsItsTextWhenRewritten()
{
    setRules({"Writer"}, {}, {});
    backend()->setFrontApplication("Writer");
    ClipboardListener listener(nullptr);
    listener.updateApplications();
    CaptureRecorder recorder(&listener);

    setHtmlOnly("<p>only <i>markup</i> here</p>");
    QTRY_COMPARE(recorder.captures.size(), 1);
    QCOMPARE(clipboard()->text(), QString("only markup here"));
    QCOMPARE(recorder.captures.first().text, QString("only markup here"));
}

void TestClipboardListener::testNoImagesRuleDropsImageWithoutText()
{
    setRules({}, {}, {"Painter"});
    backend()->setFrontApplication("Painter");
    ClipboardListener listener(nullptr);
    listener.updateApplications();
    CaptureRecorder recorder(&listener);

    setImage(blockImage(20, 20, Qt::white, Qt::red, 4));
    QTRY_VERIFY(clipboard()->mimeData()->hasFormat(ClipboardListener::ApplicationFormat));
    QVERIFY(!clipboard()->mimeData()->hasImage());
    listener.check();
    QCOMPARE(recorder.captures.size(), 0);
}

void TestClipboardListener::testImageFromTextOnlyApplicationStaysUntouched()
{
    setRules({"Writer"}, {}, {});
    backend()->setFrontApplication("Writer");
    ClipboardListener listener(nullptr);
    listener.updateApplications();
    CaptureRecorder recorder(&listener);

    setImage(blockImage(20, 20, Qt::white, Qt::red, 4));
    QCOMPARE(recorder.captures.size(), 1);
    QCOMPARE(recorder.captures.first().application, QString("Writer"));
    QVERIFY(clipboard()->mimeData()->hasImage());
    QVERIFY(!clipboard()->mimeData()->hasFormat(ClipboardListener::ApplicationFormat));
}

void TestClipboardListener::testMarkerNamesTheApplication()
{
    setRules({"Tagged"}, {}, {});
    ClipboardListener listener(nullptr);
    listener.updateApplications();
    CaptureRecorder recorder(&listener);

    // Marked content is not judged again, though the name it carries is in a rule set.
    auto *data = new QMimeData;
    data->setText("tagged text");
    data->setHtml("<b>tagged</b> text");
    data->setData(ClipboardListener::ApplicationFormat, QString("Tagged").toUtf8());
    clipboard()->setMimeData(data);

    QCOMPARE(recorder.captures.size(), 1);
    QCOMPARE(recorder.captures.first().application, QString("Tagged"));
    QCOMPARE(recorder.captures.first().html, QString("<b>tagged</b> text"));
    QCOMPARE(recorder.captures.first().icon.toImage().pixelColor(1, 1), QColor(Qt::blue));
}

void TestClipboardListener::testPollJudgesUnmarkedContentUnderNewFrontApplication()
{
    setRules({"Writer"}, {}, {});
    ClipboardListener listener(nullptr);
    listener.updateApplications();
    CaptureRecorder recorder(&listener);

    setText("styled", "<b>styled</b>");
    QCOMPARE(recorder.captures.size(), 1);
    QVERIFY(clipboard()->mimeData()->hasHtml());

    backend()->setFrontApplication("Writer");
    listener.check();
    QTRY_VERIFY(clipboard()->mimeData()->hasFormat(ClipboardListener::ApplicationFormat));
    QVERIFY(!clipboard()->mimeData()->hasHtml());
    // Same text: the rewritten content is not a new clipping.
    listener.check();
    QCOMPARE(recorder.captures.size(), 1);
}

void TestClipboardListener::testRuleOnAnEmptyNameDoesNotRewriteTheClipboardForever_data()
{
    QTest::addColumn<QStringList>("textOnly");
    QTest::addColumn<QStringList>("formattingOnly");
    QTest::newRow("text only") << QStringList{""} << QStringList();
    QTest::newRow("formatting only") << QStringList() << QStringList{""};
}

void TestClipboardListener::testRuleOnAnEmptyNameDoesNotRewriteTheClipboardForever()
{
    // Copies from clients without a window (a command-line tool) come with no application name.
    QFETCH(QStringList, textOnly);
    QFETCH(QStringList, formattingOnly);
    setRules(textOnly, formattingOnly, {});
    backend()->setFrontApplication(QString());
    ClipboardListener listener(nullptr);
    listener.updateApplications();
    CaptureRecorder recorder(&listener);

    QSignalSpy changes(clipboard(), &QClipboard::dataChanged);
    const QString html = "<span style=\"color:red\">piped</span> text";
    setText("piped text", html);
    for (int poll = 0; poll < 5; ++poll) {
        listener.check();
        QCoreApplication::processEvents();
    }
    QCOMPARE(changes.size(), 1);
    QCOMPARE(recorder.captures.size(), 1);
    QCOMPARE(recorder.captures.first().html, html);
    QVERIFY(!clipboard()->mimeData()->hasFormat(ClipboardListener::ApplicationFormat));
}

void TestClipboardListener::testEmptyMarkerStillCountsAsAMarker()
{
    setRules({"Writer"}, {"Writer"}, {});
    backend()->setFrontApplication("Writer");
    ClipboardListener listener(nullptr);
    listener.updateApplications();
    CaptureRecorder recorder(&listener);

    QSignalSpy changes(clipboard(), &QClipboard::dataChanged);
    auto *data = new QMimeData;
    data->setText("rewritten once");
    data->setHtml("<b>rewritten</b> once");
    data->setData(ClipboardListener::ApplicationFormat, QByteArray());
    clipboard()->setMimeData(data);
    for (int poll = 0; poll < 5; ++poll) {
        listener.check();
        QCoreApplication::processEvents();
    }
    QCOMPARE(changes.size(), 1);
    QCOMPARE(recorder.captures.size(), 1);
    QCOMPARE(recorder.captures.first().html, QString("<b>rewritten</b> once"));
}

void TestClipboardListener::testPollDoesNotReadUnchangedClipboard()
{
    setRules({"Writer"}, {}, {});
    ClipboardListener listener(nullptr);
    listener.updateApplications();
    CaptureRecorder recorder(&listener);

    auto *data = new CountingMimeData;
    data->setText("served by its owner");
    clipboard()->setMimeData(data);
    QCOMPARE(recorder.captures.size(), 1);

    int reads = data->reads;
    for (int poll = 0; poll < 5; ++poll)
        listener.check();
    QCOMPARE(data->reads, reads);

    // Another application in front that no rule names: the outcome cannot differ.
    backend()->setFrontApplication("Terminal");
    listener.check();
    QCOMPARE(data->reads, reads);

    // A rule now applies: the content is judged again (it has no HTML, so it stays).
    backend()->setFrontApplication("Writer");
    listener.check();
    QVERIFY(data->reads > reads);
    reads = data->reads;
    listener.check();
    QCOMPARE(data->reads, reads);

    // The last content changed without a clipboard change: the step runs as it always did.
    listener.lastContent = "something else";
    listener.check();
    QVERIFY(data->reads > reads);
    QCOMPARE(recorder.captures.size(), 2);
}

// The whole text kept as the fingerprint held hundreds of megabytes for as long as it stayed on the
// clipboard.
void TestClipboardListener::testLargeTextIsFingerprintedByItsHash()
{
    ClipboardListener listener(nullptr);
    CaptureRecorder recorder(&listener);
    const QString large = QString(2 * 1024 * 1024, QChar('a')) + "end";
    setText(large);
    QCOMPARE(recorder.captures.size(), 1);
    QCOMPARE(recorder.captures.first().text.size(), large.size());
    QVERIFY(listener.lastContent.size() < 100);

    // Equal texts still compare equal, different ones of one length do not.
    setText(large);
    listener.check();
    QCOMPARE(recorder.captures.size(), 1);
    QString other = large;
    other[0] = QChar('b');
    setText(other);
    QCOMPARE(recorder.captures.size(), 2);

    // The program's own large write stays out (as ignoreOwnText marks it), and no text equals a hash.
    const QString own = QString(100 * 1024, QChar('o'));
    listener.lastContent = ClipboardListener::textFingerprint(own);
    setText(own);
    QCOMPARE(recorder.captures.size(), 2);
    setText(ClipboardListener::textFingerprint(own).mid(1));
    QCOMPARE(recorder.captures.size(), 3);
}

void TestClipboardListener::testTextOverTheSizeRuleIsNotCopied()
{
    ClipboardListener listener(nullptr);
    listener.setTextLimit(1000);
    CaptureRecorder recorder(&listener);

    auto *data = new CountingMimeData;
    data->setText(QString(5000, QChar('x')));
    clipboard()->setMimeData(data);
    // Judged once, by its length, and never copied for the history that would refuse it.
    QCOMPARE(recorder.captures.size(), 0);
    const int reads = data->reads;
    listener.check();
    QCOMPARE(data->reads, reads);

    setText(QString(1000, QChar('y')));
    QCOMPARE(recorder.captures.size(), 1);
    // An image with a long text is still an image.
    auto *image = new QMimeData;
    image->setText(QString(5000, QChar('z')));
    image->setImageData(blockImage(20, 10, Qt::red, Qt::blue, 4));
    clipboard()->setMimeData(image);
    QCOMPARE(recorder.captures.size(), 2);
}

KESTOVAN_HISTORY_TEST_MAIN(TestClipboardListener)
#include "tst_clipboardlistener.moc"
