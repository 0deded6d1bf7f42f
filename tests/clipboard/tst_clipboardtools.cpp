// Writing clippings to the clipboard and the paste timeline, on the recording null back end.
#include "clipboardtestsupport.h"
#include "clipboard/clipboardtools.h"
#include "historytestsupport.h"
#include "platform/keycodes.h"
#include "platform/nullplatformbackend.h"
#include "platform/pastetiming.h"
#include "common/utils.h"

#include <QElapsedTimer>
#include <QStandardItemModel>
#include <QUrl>

using namespace ClipboardTest;

namespace {

const char *const SecondPasteWarning = "Delayed paste operation is already ongoing. Ignoring the second paste command.";

QList<SyntheticKey> controlV()
{
    return {SyntheticKey::key(MacKey::Control, true), SyntheticKey::key(MacKey::V, true, MacFlag::Control),
            SyntheticKey::key(MacKey::V, false, MacFlag::Control), SyntheticKey::key(MacKey::Control, false)};
}

QList<SyntheticKey> releasedModifiers()
{
    return {SyntheticKey::key(MacKey::Command, false), SyntheticKey::key(MacKey::Shift, false),
            SyntheticKey::key(MacKey::Option, false), SyntheticKey::key(MacKey::Control, false)};
}

} // namespace

class TestClipboardTools : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void testTextClippingWritesStrippedHtmlUnlessPlain();
    void testClippingWithoutHtmlPutsNoEmptyHtml();
    void testImageClippingFromCachedFile();
    void testMissingCachedImageLeavesEmptyClipboard();
    void testImageNameOutsideCacheIsRefused();
    void testSaveAndRestoreKeepEveryFormat();

    void testDelayedPastePostsOneControlVAfterDelay();
    void testSecondDelayedPasteIsRefused();
    void testImmediatePastesIgnoreOngoingPaste();
    void testCursorPasteMovesCursorAfterPaste();
    void testHeldModifiersAreReleasedAndNotLeftPressed();
    void testClearModifiersReleasesOnlyHeldOnes();
    void testPlainTextPasteRestoresClipboardAfterDelay();

private:
    NullPlatformBackend *backend() { return NullPlatformBackend::current(); }
    int controlVCount() { return int(backend()->synthesized().count(SyntheticKey::key(MacKey::V, true, MacFlag::Control))); }
    // Lets the event loop run until the given time has passed, for checks that something did not happen.
    static void letTimePass(int milliseconds)
    {
        bool passed = false;
        QTimer::singleShot(milliseconds, [&passed] { passed = true; });
        QTRY_VERIFY_WITH_TIMEOUT(passed, milliseconds + 5000);
    }

    QStandardItemModel m_model;
};

void TestClipboardTools::init()
{
    QVERIFY(backend());
    backend()->reset();
    HistoryTest::resetStore();
    clipboard()->clear();
    m_model.clear();
}

void TestClipboardTools::cleanup()
{
    // A pending delayed paste belongs to the test that started it.
    QTRY_VERIFY(!ClipboardTools::c_pasteOngoing);
}

void TestClipboardTools::testTextClippingWritesStrippedHtmlUnlessPlain()
{
    const QString html = "<p style=\"color:#ff0000\">red <b>bold</b></p>";
    auto *item = new QStandardItem;
    item->setData("red bold", TextRole);
    item->setData(html, HtmlRole);
    m_model.appendRow(item);
    const QModelIndex index = item->index();

    ClipboardTools::setTextToClipboard(index, NormalText);
    QCOMPARE(clipboard()->text(), QString("red bold"));
    QCOMPARE(clipboard()->mimeData()->html(), Utils::stripStyle(html));

    ClipboardTools::setTextToClipboard(index, StrippedText);
    QCOMPARE(clipboard()->mimeData()->html(), Utils::stripStyle(html));

    ClipboardTools::setTextToClipboard(index, PlainText);
    QCOMPARE(clipboard()->text(), QString("red bold"));
    QVERIFY(!clipboard()->mimeData()->hasHtml());

    ClipboardTools::setTextToClipboard("just text");
    QCOMPARE(clipboard()->mimeData()->formats(), QStringList{"text/plain"});
}

void TestClipboardTools::testClippingWithoutHtmlPutsNoEmptyHtml()
{
    auto *item = new QStandardItem;
    item->setData("no markup", TextRole);
    item->setData(QString(), HtmlRole);
    m_model.appendRow(item);

    for (PasteTextType type : {NormalText, StrippedText}) {
        ClipboardTools::setTextToClipboard(item->index(), type);
        QCOMPARE(clipboard()->text(), QString("no markup"));
        QVERIFY2(!clipboard()->mimeData()->hasHtml(), "rich-text targets would paste the empty HTML part");
    }
}

void TestClipboardTools::testImageClippingFromCachedFile()
{
    const QUuid id = QUuid::createUuid();
    const QString folder = Utils::dataPath() + "/images/" + id.toString();
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(blockImage(30, 20, Qt::white, Qt::red, 3).save(folder + "/Viewer-30x20.png"));
    m_model.appendRow(HistoryTest::imageItem("Viewer-30x20.png", QDateTime::currentDateTime(), "Viewer", id));
    const QModelIndex index = m_model.index(0, 0);

    ClipboardTools::setImageToClipboard(index, false);
    const QImage image = clipboard()->image();
    QCOMPARE(image.size(), QSize(30, 20));
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::red));

    ClipboardTools::setImageToClipboard(index, true);
    const QUrl file = QUrl::fromLocalFile(folder + "/Viewer-30x20.png");
    QCOMPARE(clipboard()->mimeData()->urls(), QList<QUrl>{file});
    // GNOME's file manager pastes only from its own format.
    QCOMPARE(clipboard()->mimeData()->data("x-special/gnome-copied-files"), "copy\n" + file.toEncoded());
}

void TestClipboardTools::testMissingCachedImageLeavesEmptyClipboard()
{
    const QUuid id = QUuid::createUuid();
    m_model.appendRow(HistoryTest::imageItem("gone.png", QDateTime::currentDateTime(), "Viewer", id));
    ClipboardTools::setTextToClipboard("before");

    const QString path = Utils::dataPath() + "/images/" + id.toString() + "/gone.png";
    QTest::ignoreMessage(QtWarningMsg, qPrintable("Unable to add file as image to clipboard " + path));
    ClipboardTools::setImageToClipboard(m_model.index(0, 0), false);
    QCOMPARE(clipboard()->mimeData()->formats(), QStringList());
}

void TestClipboardTools::testImageNameOutsideCacheIsRefused()
{
    // A file the user owns outside the image cache, named through a crafted clipping.
    const QString secret = Utils::dataPath() + "/secret.png";
    QVERIFY(blockImage(8, 8, Qt::black, Qt::black, 0).save(secret));
    const QUuid id = QUuid::createUuid();
    QVERIFY(QDir().mkpath(Utils::dataPath() + "/images/" + id.toString()));
    m_model.appendRow(HistoryTest::imageItem("../../secret.png", QDateTime::currentDateTime(), "Viewer", id));

    for (bool asFile : {false, true}) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to add file as image to clipboard "));
        ClipboardTools::setImageToClipboard(m_model.index(0, 0), asFile);
        QVERIFY(!clipboard()->mimeData()->hasImage());
        QVERIFY(!clipboard()->mimeData()->hasUrls());
    }
}

void TestClipboardTools::testSaveAndRestoreKeepEveryFormat()
{
    auto *data = new QMimeData;
    data->setText("text part");
    data->setHtml("<i>html part</i>");
    data->setData("application/x-private", QByteArray("\x00\x01raw", 5));
    data->setImageData(blockImage(12, 10, Qt::white, Qt::blue, 2));
    clipboard()->setMimeData(data);

    std::unique_ptr<QMimeData> saved(ClipboardTools::saveClipboard());
    QVERIFY(saved.get() != clipboard()->mimeData());
    QCOMPARE(saved->text(), QString("text part"));
    QCOMPARE(saved->html(), QString("<i>html part</i>"));
    QCOMPARE(saved->data("application/x-private"), QByteArray("\x00\x01raw", 5));
    QCOMPARE(qvariant_cast<QImage>(saved->imageData()).pixelColor(0, 0), QColor(Qt::blue));

    ClipboardTools::setTextToClipboard("in between");
    ClipboardTools::restoreClipboard(std::move(saved));
    QCOMPARE(clipboard()->text(), QString("text part"));
    QCOMPARE(clipboard()->mimeData()->data("application/x-private"), QByteArray("\x00\x01raw", 5));
    QCOMPARE(clipboard()->image().size(), QSize(12, 10));
}

void TestClipboardTools::testDelayedPastePostsOneControlVAfterDelay()
{
    QElapsedTimer elapsed;
    elapsed.start();
    ClipboardTools::paste();
    QVERIFY(ClipboardTools::c_pasteOngoing);
    QVERIFY(backend()->synthesized().isEmpty());

    QTRY_COMPARE(controlVCount(), 1);
    // Precise timers may round down by a millisecond.
    QVERIFY2(elapsed.elapsed() >= PasteTiming::DelayedPaste - 2, qPrintable(QString::number(elapsed.elapsed())));
    QVERIFY(!ClipboardTools::c_pasteOngoing);
    QCOMPARE(backend()->synthesized(), releasedModifiers() + controlV());
}

void TestClipboardTools::testSecondDelayedPasteIsRefused()
{
    ClipboardTools::paste();
    QTest::ignoreMessage(QtWarningMsg, SecondPasteWarning);
    ClipboardTools::paste();
    QVERIFY(ClipboardTools::c_pasteOngoing);

    QTRY_VERIFY(!ClipboardTools::c_pasteOngoing);
    letTimePass(PasteTiming::DelayedPaste + 100);
    QCOMPARE(controlVCount(), 1);

    // Once the first has pasted, the next request is accepted again.
    ClipboardTools::paste();
    QTRY_COMPARE(controlVCount(), 2);
}

void TestClipboardTools::testImmediatePastesIgnoreOngoingPaste()
{
    ClipboardTools::paste();
    ClipboardTools::pasteNow();
    QCOMPARE(controlVCount(), 1);

    ClipboardTools::actionPaste("from an action", "Editor");
    QCOMPARE(clipboard()->text(), QString("from an action"));
    QCOMPARE(controlVCount(), 2);
    QVERIFY(ClipboardTools::c_pasteOngoing);

    QTRY_COMPARE(controlVCount(), 3);
}

void TestClipboardTools::testCursorPasteMovesCursorAfterPaste()
{
    QElapsedTimer elapsed;
    elapsed.start();
    ClipboardTools::paste({2, 1});
    // Shares the one-at-a-time rule with the plain delayed paste.
    QTest::ignoreMessage(QtWarningMsg, SecondPasteWarning);
    ClipboardTools::paste();

    const QList<SyntheticKey> arrows{
        SyntheticKey::key(MacKey::Left, true), SyntheticKey::key(MacKey::Left, false),
        SyntheticKey::key(MacKey::Left, true), SyntheticKey::key(MacKey::Left, false),
        SyntheticKey::key(MacKey::Left, true, MacFlag::Shift), SyntheticKey::key(MacKey::Left, false, MacFlag::Shift)};
    QTRY_COMPARE(backend()->synthesized(), releasedModifiers() + controlV() + arrows);
    QVERIFY(elapsed.elapsed() >= PasteTiming::DelayedPaste + PasteTiming::CursorMove - 2);

    // Without a cursor marker no arrow follows the paste.
    backend()->clearSynthesized();
    ClipboardTools::paste({-1, -1});
    QTRY_VERIFY(!ClipboardTools::c_pasteOngoing);
    letTimePass(PasteTiming::CursorMove + 100);
    QCOMPARE(backend()->synthesized(), releasedModifiers() + controlV());
}

void TestClipboardTools::testHeldModifiersAreReleasedAndNotLeftPressed()
{
    // The user still holds Control+Shift of the hotkey and lets go a moment later.
    backend()->setHeldModifiers(MacFlag::Control | MacFlag::Shift, 30);
    ClipboardTools::pasteNow();
    const QList<SyntheticKey> keys = backend()->synthesized();
    QCOMPARE(keys, releasedModifiers() + controlV());

    // The held keys are not pressed again: a synthetic press would stay held after the user let go.
    letTimePass(PasteTiming::ModifierRepost + 100);
    QCOMPARE(backend()->synthesized(), keys);
}

void TestClipboardTools::testClearModifiersReleasesOnlyHeldOnes()
{
    backend()->setHeldModifiers(MacFlag::Option | MacFlag::Command);
    ClipboardTools::clearModifiers();
    QCOMPARE(backend()->synthesized(),
             (QList<SyntheticKey>{SyntheticKey::key(MacKey::Option, false), SyntheticKey::key(MacKey::Command, false)}));

    backend()->reset();
    ClipboardTools::clearModifiers();
    QVERIFY(backend()->synthesized().isEmpty());
}

void TestClipboardTools::testPlainTextPasteRestoresClipboardAfterDelay()
{
    setImage(blockImage(16, 16, Qt::white, Qt::red, 4));

    QElapsedTimer elapsed;
    elapsed.start();
    ClipboardTools::pastePlainTextFromClipboard();
    QCOMPARE(controlVCount(), 1);
    QVERIFY(!clipboard()->mimeData()->hasImage());
    QCOMPARE(clipboard()->text(), QString());

    QTRY_VERIFY(clipboard()->mimeData()->hasImage());
    QVERIFY(elapsed.elapsed() >= PasteTiming::ClipboardRestore - 2);
    QCOMPARE(clipboard()->image().pixelColor(0, 0), QColor(Qt::red));

    // Rich text comes back rich after its plain paste.
    setText("rich", "<b>rich</b>");
    ClipboardTools::pastePlainTextFromClipboard();
    QCOMPARE(clipboard()->text(), QString("rich"));
    QVERIFY(!clipboard()->mimeData()->hasHtml());
    QTRY_VERIFY(clipboard()->mimeData()->hasHtml());

    // A copy made before the restore is the user's newest content: it was overwritten.
    setText("before", "<i>before</i>");
    ClipboardTools::pastePlainTextFromClipboard();
    setText("copied meanwhile", QString());
    QTest::qWait(PasteTiming::ClipboardRestore + 200);
    QCOMPARE(clipboard()->text(), QString("copied meanwhile"));
}

KESTOVAN_HISTORY_TEST_MAIN(TestClipboardTools)
#include "tst_clipboardtools.moc"
