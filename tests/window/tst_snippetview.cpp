#include "viewtestsupport.h"

#include "window/snippetdelegate.h"
#include "snippettestsupport.h"
#include "window/snippetview.h"

#include <QPainter>
#include <QSignalSpy>
#include <QVBoxLayout>

namespace {

class KeyRecorder : public QWidget
{
public:
    QList<int> presses;
    QList<int> releases;

protected:
    void keyPressEvent(QKeyEvent *event) override { presses.append(event->key()); }
    void keyReleaseEvent(QKeyEvent *event) override { releases.append(event->key()); }
};

QStandardItem *snippet(const QString &title, const QString &text, QVariant letter, bool hide = false,
                       const QString &hotkey = QString(), const QString &keyword = QString())
{
    QStandardItem *item = SnippetTest::snippet(title, text, QUuid::createUuid(), QDateTime::currentDateTime());
    item->setData(letter, ShortcutRole);
    item->setData(hide, HideRole);
    item->setData(hotkey, HotkeyRole);
    item->setData(keyword, ExpanderRole);
    return item;
}

} // namespace

class TestSnippetView : public QObject
{
    Q_OBJECT

    QObject m_owner;
    RecordingSync *m_sync = nullptr;
    KeyRecorder *m_window = nullptr;
    SnippetView *m_view = nullptr;
    SnippetDelegate *m_delegate = nullptr;
    QModelIndex m_group;

    SnippetModel *model() const { return SnippetModel::instance(); }
    QModelIndex snippetAt(int row) const { return model()->index(row, 0, m_group); }

    QImage renderRow(int row, QStyle::State state = QStyle::State_None, bool fromSearch = false)
    {
        QStyleOptionViewItem option;
        option.widget = m_view;
        option.rect = QRect(0, 0, m_view->viewport()->width(), m_delegate->sizeHint(option, snippetAt(row)).height());
        option.state = state | QStyle::State_Enabled;
        QImage image(option.rect.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(m_view->font());
        m_delegate->paint(&painter, option, snippetAt(row), fromSearch);
        return image;
    }

    QRect badge(int height) const { return QRect(12, (height - 1 - 35) / 2 + 2, 32, 32); }

    QFont chipFont() const
    {
        QFont font = m_view->font();
        font.setPointSize(10);
        return font;
    }

private slots:
    void initTestCase()
    {
        m_sync = new RecordingSync(this);
        ViewTest::initializeModels(&m_owner, m_sync);
        m_window = new KeyRecorder;
        auto *layout = new QVBoxLayout(m_window);
        m_view = new SnippetView(m_window);
        layout->addWidget(m_view);
        m_delegate = new SnippetDelegate(m_view);
        m_view->setItemDelegate(m_delegate);
        m_view->setModel(model());
        m_window->resize(420, 400);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanupTestCase() { delete m_window; }

    void init()
    {
        m_view->setRootIndex(QModelIndex());
        m_view->selectionModel()->clearCurrentIndex();
        ViewTest::clearModels();
        QStandardItem *group = SnippetTest::group("Group", QUuid::createUuid(), QDateTime::currentDateTime());
        model()->appendRow(group);
        group->appendRow(snippet("Alpha", "alpha text\n\n   second line", QChar('A'), false, "Ctrl+Alt+1", "kw"));
        group->appendRow(snippet("9 lives", "nine", QChar('9')));
        group->appendRow(snippet("Hidden", "secret", QChar('H'), true));
        group->appendRow(snippet("no letter", "plain", 0));
        m_group = group->index();
        m_view->setRootIndex(m_group);
        m_view->setCurrentIndex(snippetAt(0));
        m_view->setFocus();
        m_window->presses.clear();
        m_window->releases.clear();
    }

    void testRowIsThreeFontHighs()
    {
        QStyleOptionViewItem option;
        option.widget = m_view;
        QCOMPARE(m_delegate->sizeHint(option, snippetAt(0)).height(), int(QFontMetrics(m_view->font()).height() * 3.0));
    }

    void testReturnAndEnterPasteOnceOnRelease()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        m_view->setCurrentIndex(snippetAt(1));
        ViewTest::sendKey(m_view, QEvent::KeyPress, Qt::Key_Return);
        QCOMPARE(activated.count(), 0);
        ViewTest::sendKey(m_view, QEvent::KeyRelease, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        ViewTest::pressAndRelease(m_view, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(activated.count(), 2);
        QCOMPARE(activated.at(1).at(0).toModelIndex(), snippetAt(1));
        QVERIFY(m_window->releases.isEmpty());

        // Held down: the repeated releases paste nothing more.
        ViewTest::sendKey(m_view, QEvent::KeyPress, Qt::Key_Return);
        ViewTest::sendKey(m_view, QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, true);
        ViewTest::sendKey(m_view, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, true);
        ViewTest::sendKey(m_view, QEvent::KeyRelease, Qt::Key_Return);
        QCOMPARE(activated.count(), 3);
    }

    void testReturnWithoutCurrentRowStillAsks()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        m_view->selectionModel()->clearCurrentIndex();
        ViewTest::pressAndRelease(m_view, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QVERIFY(!activated.at(0).at(0).toModelIndex().isValid());
    }

    void testLettersGoToTheWindowOnRelease()
    {
        m_view->setCurrentIndex(snippetAt(0));
        ViewTest::pressAndRelease(m_view, Qt::Key_N);
        ViewTest::pressAndRelease(m_view, Qt::Key_H, Qt::ShiftModifier);
        // Not a jump to "no letter" or "Hidden" by keyboard search.
        QCOMPARE(m_view->currentIndex(), snippetAt(0));
        QVERIFY(m_window->presses.isEmpty());
        QCOMPARE(m_window->releases, QList<int>({Qt::Key_N, Qt::Key_H}));

        QTest::keyClick(m_view, Qt::Key_Down);
        QCOMPARE(m_view->currentIndex(), snippetAt(1));
        ViewTest::pressAndRelease(m_view, Qt::Key_Escape);
        QVERIFY(m_window->releases.contains(Qt::Key_Escape));
    }

    void testOnlyTheLeftButtonPastesASnippet()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        const QRect r = m_view->visualRect(snippetAt(2));
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
            ViewTest::clickAt(m_view, r.center(), button);
        QCOMPARE(activated.count(), 0);
        ViewTest::clickAt(m_view, r.center(), Qt::LeftButton);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.last().at(0).toModelIndex(), snippetAt(2));

        // A double click pastes once per click, not a third time for the double click itself.
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QCOMPARE(activated.count(), 1);
        QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QCOMPARE(activated.count(), 2);
    }

    void testGroupRowsAreNeverPasted()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        m_view->setRootIndex(QModelIndex());
        const QRect r = m_view->visualRect(m_group);
        ViewTest::clickAt(m_view, r.center());
        QCOMPARE(activated.count(), 0);
        m_view->selectionModel()->clearCurrentIndex();
    }

    void testLetterBadgeOnlyForLettersAToZ()
    {
        const QImage alpha = renderRow(0);
        const QRect box = badge(alpha.height());
        QVERIFY(ViewTest::countColour(alpha, box, getColor(COLOR_SELECTED), 0) > 500);
        QVERIFY(ViewTest::countColour(alpha, box, getColor(COLOR_TEXT_SECONDARY), 10) > 20);
        for (int row : {1, 3}) {
            const QImage none = renderRow(row);
            QCOMPARE(ViewTest::countColour(none, box, Qt::white, 0), box.width() * box.height());
        }
    }

    void testSelectionInvertsBadgeAndChips()
    {
        const QImage row = renderRow(0, QStyle::State_Selected);
        const QRect box = badge(row.height());
        QVERIFY(ViewTest::countColour(row, box, getColor(COLOR_TEXT_SECONDARY), 0) > 500);
        QVERIFY(ViewTest::countColour(row, box, getColor(COLOR_BACKGROUND), 10) > 20);
        const QFontMetrics chip(chipFont());
        const int tw = chip.horizontalAdvance("Ctrl+Alt+1");
        const QRect hotkeyChip(row.width() - 1 - 16 - tw, 4, tw + 10, chip.height() + 4);
        QVERIFY(ViewTest::countColour(row, hotkeyChip, getColor(COLOR_TEXT_SECONDARY), 0) > hotkeyChip.width() * 4);
    }

    void testHotkeyChipIsRightmostAndKeywordChipBesideIt()
    {
        const QImage row = renderRow(0);
        const QFontMetrics chip(chipFont());
        const int right = row.width() - 1;
        const int tw1 = chip.horizontalAdvance("Ctrl+Alt+1");
        const int tw2 = chip.horizontalAdvance("kw");
        const QRect hotkeyChip(right - 16 - tw1, 4, tw1 + 10, chip.height() + 4);
        const QRect keywordChip(right - 16 - (tw1 + 20) - tw2, 4, tw2 + 10, chip.height() + 4);
        const QColor fill = getColor(COLOR_SELECTED);
        // Middle rows of each chip, left and right of the text.
        const int y = hotkeyChip.center().y();
        QCOMPARE(row.pixelColor(hotkeyChip.left() + 3, y), fill);
        QCOMPARE(row.pixelColor(hotkeyChip.right() - 3, y), fill);
        QCOMPARE(row.pixelColor(keywordChip.left() + 3, y), fill);
        QCOMPARE(row.pixelColor(keywordChip.right() - 3, y), fill);
        // Ten pixels of row between them.
        QCOMPARE(ViewTest::countColour(row, QRect(keywordChip.right() + 1, y, 10, 1), Qt::white, 0), 10);
        QCOMPARE(row.pixelColor(hotkeyChip.right() + 2, y), QColor(Qt::white));
    }

    void testChipsShortenTheTitleButNotThePreview()
    {
        const QString longTitle = QString("A title that is far too long for its row ").repeated(5);
        const QString longText = QString("a preview line that is far too long as well ").repeated(5);
        model()->itemFromIndex(snippetAt(0))->setData(longTitle, Qt::DisplayRole);
        model()->itemFromIndex(snippetAt(0))->setData(longText, TextRole);
        const QImage row = renderRow(0);
        const QFontMetrics chip(chipFont());
        const int chips = chip.horizontalAdvance("Ctrl+Alt+1") + 20 + chip.horizontalAdvance("kw") + 20;
        const int H = row.height();
        const int titleWidth = row.width() - 55 - chips;
        const int previewWidth = row.width() - 55;

        QImage expected(row.size(), QImage::Format_ARGB32);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setFont(m_view->font());
            const QFontMetrics metrics(m_view->font());
            painter.setPen(getColor(COLOR_TEXT));
            painter.drawText(QRect(56, 0, titleWidth, H / 2), Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine,
                             metrics.elidedText(longTitle, Qt::ElideRight, titleWidth));
            painter.setPen(getColor(COLOR_TEXT_SECONDARY));
            painter.drawText(QRect(56, H / 2, previewWidth, H / 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                             metrics.elidedText(longText, Qt::ElideRight, previewWidth));
        }
        const QRect titleArea(56, 0, titleWidth, H / 2);
        QCOMPARE(row.copy(titleArea), expected.copy(titleArea));
        // The preview runs on under the chips, which reach down into its line.
        const int chipBottom = 4 + chip.height() + 4;
        const QRect besideChips(56, H / 2, titleWidth, H - H / 2);
        QCOMPARE(row.copy(besideChips), expected.copy(besideChips));
        const QRect belowChips(56, chipBottom, previewWidth, H - chipBottom);
        QCOMPARE(row.copy(belowChips), expected.copy(belowChips));
        QVERIFY(ViewTest::countColour(row, QRect(56 + titleWidth, chipBottom, chips, H - chipBottom),
                                      getColor(COLOR_TEXT_SECONDARY), 0) > 0);
    }

    void testPreviewIsOneLine()
    {
        const QImage row = renderRow(0);
        const int H = row.height();
        QImage expected(row.size(), QImage::Format_ARGB32);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setFont(m_view->font());
            painter.setPen(getColor(COLOR_TEXT_SECONDARY));
            painter.drawText(QRect(56, H / 2, row.width() - 55, H / 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                             "alpha text second line");
        }
        const QRect previewArea(56, H / 2, 200, H - H / 2);
        QCOMPARE(row.copy(previewArea), expected.copy(previewArea));
    }

    void testHiddenSnippetShowsOnlyItsTitleCentred()
    {
        const QImage row = renderRow(2);
        const int H = row.height();
        QImage expected(row.size(), QImage::Format_ARGB32);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setFont(m_view->font());
            painter.setPen(getColor(COLOR_TEXT));
            painter.drawText(QRect(56, 0, row.width() - 55, H), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             "Hidden");
        }
        const QRect textArea(56, 0, row.width() - 56, H);
        QCOMPARE(row.copy(textArea), expected.copy(textArea));
        QCOMPARE(ViewTest::countColour(row, textArea, getColor(COLOR_TEXT_SECONDARY), 0), 0);
    }

    void testSearchResultShowsTheSnippetIconInsteadOfTheLetter()
    {
        const QImage letter = renderRow(0);
        const QImage alpha = renderRow(0, QStyle::State_None, true);
        const QImage nine = renderRow(1, QStyle::State_None, true);
        const QRect box = badge(alpha.height());
        QVERIFY(alpha.copy(box) != letter.copy(box));
        // The same icon whatever the letter, and not the plain row.
        QCOMPARE(alpha.copy(box), nine.copy(box));
        QVERIFY(ViewTest::countColour(nine, box, Qt::white, 0) < box.width() * box.height() - 50);
    }
};

KESTOVAN_VIEW_TEST_MAIN(TestSnippetView)
#include "tst_snippetview.moc"
