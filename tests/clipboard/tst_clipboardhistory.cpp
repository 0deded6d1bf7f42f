// Clipboard changes reaching the history model through its listener, and the program's own writes
// staying out of it.
#include "clipboard/clipboardlistener.h"
#include "clipboardtestsupport.h"
#include "clipboard/clipboardtools.h"
#include "history/historyfiltermodel.h"
#include "historytestsupport.h"
#include "platform/nullplatformbackend.h"

using namespace ClipboardTest;

class TestClipboardHistory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void testCopyBecomesClippingWithApplicationName();
    void testImageCopyLandsWithCacheFileAndThumbnail();
    void testOwnTextWriteIsNotRecorded();
    void testOwnImageWriteIsNotRecorded();
    void testRestoredClipboardIsNotRecordedAgain();
    void testRulesFollowSettingsChanges();

private:
    HistoryItemModel *model() { return HistoryItemModel::instance(); }
    QStringList savedTexts()
    {
        const QJsonDocument document = QJsonDocument::fromJson(HistoryTest::readFile(HistoryTest::historyPath()));
        QStringList texts;
        for (const QJsonValue &clipping : document.object().value("clippings").toArray())
            texts.append(clipping.toObject().value("text").toString());
        return texts;
    }

    QObject m_owner;
};

void TestClipboardHistory::initTestCase()
{
    HistoryTest::resetStore();
    clipboard()->clear();
    HistoryItemModel::initialize(&m_owner, nullptr, nullptr);
    QVERIFY(model()->clipboardListener);
    model()->load();
}

void TestClipboardHistory::init()
{
    NullPlatformBackend::current()->reset();
    NullPlatformBackend::current()->setFrontApplication("Editor", colourIcon(Qt::darkGreen));
}

void TestClipboardHistory::testCopyBecomesClippingWithApplicationName()
{
    const int rows = model()->rowCount();
    setText("captured from the editor");
    QCOMPARE(model()->rowCount(), rows + 1);
    const QModelIndex top = model()->index(0, 0);
    QCOMPARE(top.data(TextRole).toString(), QString("captured from the editor"));
    QCOMPARE(top.data(ApplicationRole).toString(), QString("Editor"));
    // Written off the GUI thread, at once.
    QTRY_VERIFY(savedTexts().contains("captured from the editor"));
}

void TestClipboardHistory::testImageCopyLandsWithCacheFileAndThumbnail()
{
    const int rows = model()->rowCount();
    setImage(blockImage(90, 60, Qt::white, Qt::magenta, 10));
    QCOMPARE(model()->rowCount(), rows + 1);
    const QModelIndex top = model()->index(0, 0);
    QCOMPARE(top.data(TypeRole).toInt(), 1);
    const QString file = Utils::dataPath() + "/images/" + top.data(IdRole).toUuid().toString() + "/"
        + top.data(FileNameRole).toString();
    QTRY_VERIFY(QImage(file).size() == QSize(90, 60));
    QTRY_VERIFY(!qvariant_cast<QImage>(model()->index(0, 0).data(ThumbnailRole)).isNull());
}

void TestClipboardHistory::testOwnTextWriteIsNotRecorded()
{
    const int rows = model()->rowCount();
    ClipboardListener::ignoreOwnText("pasted by us");
    ClipboardTools::setTextToClipboard("pasted by us");
    model()->clipboardListener->check();
    QCOMPARE(model()->rowCount(), rows);

    setText("copied by the user");
    QCOMPARE(model()->rowCount(), rows + 1);
}

void TestClipboardHistory::testOwnImageWriteIsNotRecorded()
{
    const int rows = model()->rowCount();
    ClipboardListener::ignoreOwnImage();
    setImage(blockImage(50, 50, Qt::black, Qt::cyan, 7));
    model()->clipboardListener->check();
    QCOMPARE(model()->rowCount(), rows);

    // The write after it is judged normally again.
    setImage(blockImage(50, 50, Qt::black, Qt::yellow, 7));
    QCOMPARE(model()->rowCount(), rows + 1);
}

void TestClipboardHistory::testRestoredClipboardIsNotRecordedAgain()
{
    setText("the user's own copy");
    const QUuid id = model()->index(0, 0).data(IdRole).toUuid();
    const int rows = model()->rowCount();

    // What keyword expansion does: paste a snippet through the clipboard, then put back what was there.
    std::unique_ptr<QMimeData> saved = ClipboardTools::saveClipboard();
    ClipboardListener::ignoreOwnText("snippet text");
    ClipboardTools::setTextToClipboard("snippet text");
    ClipboardTools::restoreClipboard(std::move(saved));
    model()->clipboardListener->check();

    QCOMPARE(clipboard()->text(), QString("the user's own copy"));
    QCOMPARE(model()->rowCount(), rows);
    QCOMPARE(model()->index(0, 0).data(IdRole).toUuid(), id);
}

void TestClipboardHistory::testRulesFollowSettingsChanges()
{
    HistoryTest::setSetting("TextOnlyApplications", QStringList{"Editor"});
    model()->updateExcludeList();

    setText("styled words", "<b>styled</b> words");
    QTRY_VERIFY(clipboard()->mimeData()->hasFormat(ClipboardListener::ApplicationFormat));
    QCOMPARE(model()->index(0, 0).data(TextRole).toString(), QString("styled words"));
    QCOMPARE(model()->index(0, 0).data(HtmlRole).toString(), QString());

    HistoryTest::setSetting("TextOnlyApplications", QStringList());
    model()->updateExcludeList();
    setText("styled again", "<b>styled</b> again");
    QCOMPARE(model()->index(0, 0).data(HtmlRole).toString(), QString("<b>styled</b> again"));
}

KESTOVAN_HISTORY_TEST_MAIN(TestClipboardHistory)
#include "tst_clipboardhistory.moc"
