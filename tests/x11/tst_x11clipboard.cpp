// Capture and paste against other X clients: xclip owns the clipboard, the probe window is the
// application in front and the paste target.
#include "clipboard/clipboardlistener.h"
#include "clipboard/clipboardtools.h"
#include "historytestsupport.h"
#include "x11testsupport.h"

#include <QBuffer>

namespace {

// Reads the clipboard through xclip without blocking our event loop, which serves the request.
QByteArray readClipboard(const QString &target)
{
    QProcess process;
    process.start("xclip", {"-o", "-selection", "clipboard", "-t", target});
    QElapsedTimer timer;
    timer.start();
    while (process.state() != QProcess::NotRunning && timer.elapsed() < 10000)
        QTest::qWait(10);
    return process.readAllStandardOutput();
}

QStringList offeredTargets()
{
    return QString::fromUtf8(readClipboard("TARGETS")).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestX11Clipboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void testCopyFromAnotherClientIsRecordedWithItsName();
    void testImageCopyIsRecordedWithCacheFile();
    void testOwnerThatExitsRecordsNothing();
    void testPollDoesNotPullUnchangedContent();
    void testPasteReachesApplicationInFront();
    void testOfferedTargetsFollowTheClipping();

private:
    HistoryItemModel *model() { return HistoryItemModel::instance(); }
    QString topText() { return model()->index(0, 0).data(TextRole).toString(); }
    static void letTimePass(int milliseconds)
    {
        bool passed = false;
        QTimer::singleShot(milliseconds, [&passed] { passed = true; });
        QTRY_VERIFY_WITH_TIMEOUT(passed, milliseconds + 5000);
    }

    X11Test::Probe m_probe;
    QObject m_owner;
};

void TestX11Clipboard::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    HistoryTest::resetStore();
    QVERIFY(m_probe.start());
    QVERIFY(X11Test::activate(m_probe.window()));
    HistoryItemModel::initialize(&m_owner, nullptr, nullptr);
    model()->load();
}

void TestX11Clipboard::init()
{
    QVERIFY(X11Test::activate(m_probe.window()));
}

void TestX11Clipboard::testCopyFromAnotherClientIsRecordedWithItsName()
{
    QElapsedTimer elapsed;
    elapsed.start();
    X11Test::XclipOwner owner("copied in another client ✓");
    // Well within the poll interval: the change itself is noticed.
    QTRY_COMPARE_WITH_TIMEOUT(topText(), QString("copied in another client ✓"), 900);
    QCOMPARE(model()->index(0, 0).data(ApplicationRole).toString(), QString("KestovanProbe"));
    QVERIFY(!model()->index(0, 0).data(Qt::DecorationRole).value<QPixmap>().isNull());

    // The saved copy holds the content, not the owner's answers about itself.
    std::unique_ptr<QMimeData> saved(ClipboardTools::saveClipboard());
    QCOMPARE(saved->text(), QString("copied in another client ✓"));
    QVERIFY2(!saved->formats().contains("TARGETS"), qPrintable(saved->formats().join(' ')));
}

void TestX11Clipboard::testImageCopyIsRecordedWithCacheFile()
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage image(48, 24, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(&buffer, "PNG"));

    const int rows = model()->rowCount();
    X11Test::XclipOwner owner(png, "image/png");
    QTRY_COMPARE_WITH_TIMEOUT(model()->rowCount(), rows + 1, 3000);
    const QModelIndex top = model()->index(0, 0);
    QCOMPARE(top.data(TypeRole).toInt(), 1);
    QCOMPARE(top.data(FileNameRole).toString(), QString("KestovanProbe-48x24.png"));
    const QString file = Utils::dataPath() + "/images/" + top.data(IdRole).toUuid().toString() + "/KestovanProbe-48x24.png";
    QTRY_COMPARE(QImage(file).pixelColor(5, 5), QColor(Qt::darkCyan));
    QTRY_VERIFY(!qvariant_cast<QImage>(model()->index(0, 0).data(ThumbnailRole)).isNull());
}

void TestX11Clipboard::testOwnerThatExitsRecordsNothing()
{
    auto owner = std::make_unique<X11Test::XclipOwner>("owner about to exit");
    QTRY_COMPARE_WITH_TIMEOUT(topText(), QString("owner about to exit"), 3000);
    const int rows = model()->rowCount();

    owner.reset();
    QTRY_VERIFY(QGuiApplication::clipboard()->mimeData()->formats().isEmpty());
    model()->clipboardListener->check();
    QCOMPARE(model()->rowCount(), rows);
    QCOMPARE(model()->clipboardListener->lastContent, QString("owner about to exit"));

    // The next owner is recorded at once.
    X11Test::XclipOwner next("the next owner");
    QTRY_COMPARE_WITH_TIMEOUT(topText(), QString("the next owner"), 3000);
    QCOMPARE(model()->rowCount(), rows + 1);
}

void TestX11Clipboard::testPollDoesNotPullUnchangedContent()
{
    X11Test::XclipOwner owner("served while nothing changes");
    QTRY_COMPARE_WITH_TIMEOUT(topText(), QString("served while nothing changes"), 3000);
    QTRY_VERIFY(owner.serving());
    // Our own follow-up reads of the change may still be on their way.
    letTimePass(200);
    const int requests = owner.requests();
    QVERIFY(requests > 0);

    letTimePass(2500);
    QCOMPARE(owner.requests(), requests);
    QVERIFY(owner.running());
}

void TestX11Clipboard::testPasteReachesApplicationInFront()
{
    const int rows = model()->rowCount();
    m_probe.clear();
    QTRY_COMPARE(m_probe.text(), QString());

    const QString text = QString::fromUtf8("pasted into the probe – ünïcödé");
    ClipboardListener::ignoreOwnText(text);
    ClipboardTools::setTextToClipboard(text);
    ClipboardTools::paste();
    QTRY_COMPARE_WITH_TIMEOUT(m_probe.text(), text, 5000);
    QTRY_VERIFY(!ClipboardTools::c_pasteOngoing);

    // Our own write is not a new clipping, and no modifier is left held.
    model()->clipboardListener->check();
    QCOMPARE(model()->rowCount(), rows);
    X11Test::Connection connection;
    QCOMPARE(connection.modifierState() & 0xff & ~0x12, 0); // Lock and NumLock may be on
}

void TestX11Clipboard::testOfferedTargetsFollowTheClipping()
{
    QStandardItemModel clippings;
    auto *plain = new QStandardItem;
    plain->setData("no markup here", TextRole);
    plain->setData(QString(), HtmlRole);
    auto *rich = new QStandardItem;
    rich->setData("rich words", TextRole);
    rich->setData("<b>rich</b> words", HtmlRole);
    clippings.appendRow(plain);
    clippings.appendRow(rich);

    ClipboardTools::setTextToClipboard(plain->index(), NormalText);
    QStringList targets = offeredTargets();
    QVERIFY2(targets.contains("UTF8_STRING"), qPrintable(targets.join(' ')));
    QVERIFY2(!targets.contains("text/html"), qPrintable(targets.join(' ')));

    ClipboardTools::setTextToClipboard(rich->index(), NormalText);
    targets = offeredTargets();
    QVERIFY2(targets.contains("text/html"), qPrintable(targets.join(' ')));
    QCOMPARE(QString::fromUtf8(readClipboard("text/html")), Utils::stripStyle("<b>rich</b> words"));

    ClipboardTools::setTextToClipboard(rich->index(), PlainText);
    QVERIFY(!offeredTargets().contains("text/html"));

    const QUuid id = QUuid::createUuid();
    const QString folder = Utils::dataPath() + "/images/" + id.toString();
    QVERIFY(QDir().mkpath(folder));
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(folder + "/shot.png"));
    clippings.appendRow(HistoryTest::imageItem("shot.png", QDateTime::currentDateTime(), "Viewer", id));
    const QModelIndex imageIndex = clippings.index(2, 0);

    ClipboardTools::setImageToClipboard(imageIndex, false);
    QVERIFY(offeredTargets().contains("image/png"));
    QCOMPARE(QImage::fromData(readClipboard("image/png"), "PNG").size(), QSize(20, 10));

    ClipboardTools::setImageToClipboard(imageIndex, true);
    QVERIFY(offeredTargets().contains("text/uri-list"));
    QCOMPARE(QString::fromUtf8(readClipboard("text/uri-list")).trimmed(),
             QUrl::fromLocalFile(folder + "/shot.png").toString());
}

KESTOVAN_HISTORY_TEST_MAIN(TestX11Clipboard)
#include "tst_x11clipboard.moc"
