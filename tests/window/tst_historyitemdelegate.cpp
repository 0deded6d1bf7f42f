#include "viewtestsupport.h"
#include "common/translation.h"

#include "window/historyitemdelegate.h"
#include "window/historyitemview.h"
#include "popupwatcher.h"
#include "window/rowtext.h"

#include <QPainter>
#include <QSignalSpy>

namespace {

const QColor Red(200, 0, 0);
const QColor Blue(0, 0, 200);

QPixmap redIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Red);
    return pixmap;
}

QImage blueThumbnail()
{
    QImage image(120, 90, QImage::Format_ARGB32);
    image.fill(Blue);
    return image;
}

bool sameArea(const QImage &a, const QImage &b, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
        }
    }
    return true;
}

// The darkest pixel of `changed` where it differs from `base`; 256 when nothing differs.
int darkestChange(const QImage &base, const QImage &changed, const QRect &area, int *count = nullptr)
{
    int darkest = 256;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (base.pixel(x, y) != changed.pixel(x, y)) {
                darkest = qMin(darkest, qGray(changed.pixel(x, y)));
                ++n;
            }
        }
    }
    if (count)
        *count = n;
    return darkest;
}

} // namespace

class TestHistoryItemDelegate : public QObject
{
    Q_OBJECT

    QObject m_owner;
    RecordingSync *m_sync = nullptr;
    HistoryItemView *m_view = nullptr;
    HistoryItemDelegate *m_delegate = nullptr;
    int m_fontHeight = 0;

    HistoryFilterModel *proxy() const { return HistoryItemModel::proxyInstance(); }
    QStandardItem *item(int row) const { return HistoryItemModel::instance()->item(row); }

    void moveMouseAway() { QCursor::setPos(m_view->viewport()->mapToGlobal(QPoint(-300, -300))); }

    int rowHeight(int row) const
    {
        QStyleOptionViewItem option;
        option.widget = m_view;
        return m_delegate->sizeHint(option, proxy()->index(row, 0)).height();
    }

    // One row drawn alone at the top of an image as wide as the list, the mouse where the test put it.
    QImage renderRow(int row, QStyle::State state = QStyle::State_None)
    {
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, m_view->viewport()->width(), rowHeight(row));
        option.state = state | QStyle::State_Enabled;
        option.widget = m_view;
        option.font = m_view->font();
        QImage image(option.rect.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(m_view->font());
        m_delegate->paint(&painter, option, proxy()->index(row, 0));
        return image;
    }

    // The icon box of a row drawn by renderRow.
    QRect iconBox(int height, bool compact = false) const
    {
        const int s = compact ? 20 : 31;
        const int t = (height - 1 - s) / 2;
        return QRect(QPoint(10, t), QPoint(10 + s, t + s));
    }

    void setSettings(bool compact, const QString &pasteNext)
    {
        HistoryTest::setSetting("CompactList", compact);
        HistoryTest::setSetting("ShortcutPasteNext", pasteNext);
        m_delegate->reloadSettings();
    }

private slots:
    void initTestCase()
    {
        // As the program does at start: even English reads its counts from a catalogue.
        Translation::selectLanguage("English");
        m_sync = new RecordingSync(this);
        ViewTest::initializeModels(&m_owner, m_sync);
        m_view = new HistoryItemView;
        m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_view->setMouseTracking(true);
        m_view->viewport()->setAttribute(Qt::WA_Hover);
        m_delegate = new HistoryItemDelegate(m_view);
        m_view->setItemDelegate(m_delegate);
        m_view->setModel(proxy());
        m_view->resize(420, 500);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
        m_fontHeight = QFontMetrics(m_view->font()).height();
    }

    void cleanupTestCase() { delete m_view; }

    void init()
    {
        setTheme(THEME_LIGHT);
        setSettings(false, QString());
        ViewTest::clearModels();
        ViewTest::appendTexts({"first clipping", "second clipping", "third clipping", "fourth clipping"});
        auto *image = HistoryTest::imageItem("picture.png", QDateTime::currentDateTime().addSecs(-7200));
        HistoryItemModel::instance()->appendRow(image);
        for (int row = 0; row < 5; ++row)
            item(row)->setData(redIcon(), Qt::DecorationRole);
        m_view->clearSelection();
        m_view->setCurrentIndex(QModelIndex());
        moveMouseAway();
    }

    void testRowHeightsFollowTypeAndCompactList()
    {
        QCOMPARE(rowHeight(0), int(m_fontHeight * 3.0));
        QCOMPARE(rowHeight(4), int(m_fontHeight * 6.0));
        QCOMPARE(m_view->visualRect(proxy()->index(0, 0)).height(), int(m_fontHeight * 3.0));

        setSettings(true, QString());
        QCOMPARE(rowHeight(0), int(m_fontHeight * 1.5));
        QCOMPARE(rowHeight(4), int(m_fontHeight * 3.0));
        // The list lays itself out again with the new heights.
        QTRY_COMPARE(m_view->visualRect(proxy()->index(0, 0)).height(), int(m_fontHeight * 1.5));
    }

    void testBriefIsElidedToTheRowAndAgeIsDrawnBelow()
    {
        const QString longText = QString("A long clipping that goes on and on ").repeated(40);
        item(0)->setData(longText, Qt::DisplayRole);
        item(0)->setData(QDateTime::currentDateTime().addSecs(-2 * 3600 - 30), TimeRole);
        const QImage row = renderRow(0);

        // The same texts drawn by hand where the row puts them: the brief elided to the width.
        const int H = row.height();
        const int L = 31 + 21;
        const int width = row.width() - L;
        const int B = H / 2 - 1;
        QImage expected(row.size(), QImage::Format_ARGB32);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setFont(m_view->font());
            painter.setPen(getColor(COLOR_TEXT));
            const QString brief = painter.fontMetrics().elidedText(longText, Qt::ElideRight, width);
            QVERIFY(brief.endsWith(QChar(0x2026)));
            painter.drawText(QRect(L, 0, width, B + 1), Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, brief);
            painter.setPen(getColor(COLOR_TEXT_SECONDARY));
            painter.drawText(QRect(L, H / 2, width, B + 1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                             "2 hours ago");
        }
        QVERIFY(sameArea(row, expected, QRect(L, 0, width, H)));
        QVERIFY(ViewTest::countColour(row, QRect(L, 0, width, B + 1), getColor(COLOR_TEXT), 0) > 0);
    }

    void testElisionOfLongTextsMatchesTheWholeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("short") << "fits easily" << 300;
        QTest::newRow("long") << QString("word ").repeated(5000) << 300;
        QTest::newRow("narrow letters") << QString("il").repeated(2000) << 900;
        QTest::newRow("zero-width marks") << QString(QChar(0x200B)).repeated(4000) + "visible end" << 300;
        QTest::newRow("tiny width") << QString("x").repeated(1000) << 3;
    }

    void testElisionOfLongTextsMatchesTheWholeText()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        const QFontMetrics metrics(m_view->font());
        QCOMPARE(RowText::elided(metrics, text, width), metrics.elidedText(text, Qt::ElideRight, width));
        const QString lines = QString("  line one\n\n\tline two  \n").repeated(500) + text;
        QCOMPARE(RowText::elidedOneLiner(metrics, lines, width),
                 metrics.elidedText(Utils::makeOneLiner(lines), Qt::ElideRight, width));
    }

    void testIconBoxShowsApplicationIconOrPin()
    {
        const QImage plain = renderRow(0);
        const QRect box = iconBox(plain.height());
        QVERIFY(ViewTest::countColour(plain, box, Red) > 500);
        QCOMPARE(ViewTest::countColour(plain, box, Qt::black, 40), 0);

        item(0)->setData(true, Qt::CheckStateRole);
        const QImage pinned = renderRow(0);
        QCOMPARE(ViewTest::countColour(pinned, box, Red), 0);
        QVERIFY(ViewTest::countColour(pinned, box, Qt::black, 40) > 20);
    }

    void testHoveringTheIconBoxOffersToPinOrUnpin()
    {
        const QImage plain = renderRow(0, QStyle::State_MouseOver);
        const QRect box = iconBox(plain.height());
        QCursor::setPos(m_view->viewport()->mapToGlobal(box.center()));
        const QImage offer = renderRow(0, QStyle::State_MouseOver);
        QCOMPARE(ViewTest::countColour(offer, box, Red), 0);
        QVERIFY(ViewTest::countColour(offer, box, Qt::black, 40) > 20);

        item(0)->setData(true, Qt::CheckStateRole);
        const QImage unpinOffer = renderRow(0, QStyle::State_MouseOver);
        moveMouseAway();
        const QImage pinned = renderRow(0, QStyle::State_MouseOver);
        // The crossed-out pin has a stroke the pin lacks.
        QVERIFY(ViewTest::countColour(unpinOffer, box, Qt::black, 40) > ViewTest::countColour(pinned, box, Qt::black, 40));
        QCOMPARE(pinned.copy(box), offer.copy(box));
    }

    void testLockedAndPasteNextBadges()
    {
        const QImage plain = renderRow(1);
        const QRect box = iconBox(plain.height());
        const int w2 = 16;
        const QRect lockBadge(QPoint(box.left() + w2 + 4, box.top() - 2), QPoint(box.left() + 2 * w2 + 3, box.top() + w2 - 3));
        const QRect nextBadge(QPoint(box.left() - 2, box.top() - 2), QPoint(box.left() + w2 - 3, box.top() + w2 - 3));
        QCOMPARE(ViewTest::countColour(plain, lockBadge, Qt::black, 40), 0);
        QCOMPARE(ViewTest::countColour(plain, nextBadge, Qt::black, 40), 0);

        item(1)->setData(true, LockedRole);
        QVERIFY(ViewTest::countColour(renderRow(1), lockBadge, Qt::black, 40) > 10);

        // The paste-next row has its badge only while a paste-next hotkey is set.
        HistoryItemModel::instance()->setNextIndex(HistoryItemModel::instance()->index(1, 0));
        QCOMPARE(ViewTest::countColour(renderRow(1), nextBadge, Qt::black, 40), 0);
        setSettings(false, "Ctrl+Alt+N");
        QVERIFY(ViewTest::countColour(renderRow(1), nextBadge, Qt::black, 40) > 10);
        QCOMPARE(ViewTest::countColour(renderRow(2), nextBadge, Qt::black, 40), 0);
    }

    void testImageRowShowsThumbnailOrPlaceholder()
    {
        const QImage placeholder = renderRow(4);
        const int H = placeholder.height();
        const int W = 4 * H / 3;
        const QRect area(31 + 21, 0, W, H);
        QCOMPARE(ViewTest::countColour(placeholder, area, Blue), 0);
        QVERIFY(ViewTest::countColour(placeholder, area, Qt::black, 40) > 20);

        item(4)->setData(blueThumbnail(), ThumbnailRole);
        const QImage thumbnail = renderRow(4);
        // The whole 4:3 box at the row's full height, and nothing beyond it.
        QCOMPARE(ViewTest::countColour(thumbnail, area, Blue), W * H);
        QCOMPARE(ViewTest::countColour(thumbnail, QRect(area.right() + 1, 0, 10, H), Blue), 0);
    }

    void testRichTextBadgeFollowsTheBrief()
    {
        const QImage plain = renderRow(2);
        const QFontMetrics metrics(m_view->font());
        const int tw = metrics.horizontalAdvance("third clipping");
        const QRect badge(QPoint(52 + tw, 5), QPoint(52 + tw + 23, 28));

        item(2)->setData("<b>third</b> clipping", HtmlRole);
        const QImage rich = renderRow(2);
        int changed = 0;
        // Half opacity: black strokes come out no darker than mid grey (above the age line).
        const QRect upper = badge.intersected(QRect(0, 0, rich.width(), rich.height() / 2));
        QVERIFY(darkestChange(plain, rich, upper, &changed) >= 120);
        QVERIFY(changed > 20);
        // Nothing else of the row changes: the brief still fits beside the badge.
        QCOMPARE(darkestChange(plain, rich, QRect(0, 0, badge.left(), rich.height())), 256);
    }

    void testMoreButtonOnlyOnTheSingleHighlightedRow()
    {
        const int height = rowHeight(0);
        const int right = m_view->viewport()->width() - 1;
        const QRect more(right - 30 + 9, (height - 31) / 2 + 9, 13, 13);

        // Two separate selected blocks: no more button on any row.
        m_view->selectionModel()->select(proxy()->index(0, 0), QItemSelectionModel::Select);
        m_view->selectionModel()->select(proxy()->index(2, 0), QItemSelectionModel::Select);
        const QImage twoBlocks = renderRow(0, QStyle::State_Selected);
        QCOMPARE(twoBlocks.pixelColor(5, 5), getColor(COLOR_SELECTED));
        QCOMPARE(ViewTest::countColour(twoBlocks, more, getColor(COLOR_SELECTED), 0), more.width() * more.height());

        m_view->selectionModel()->select(proxy()->index(2, 0), QItemSelectionModel::Deselect);
        const QImage single = renderRow(0, QStyle::State_Selected);
        int changed = 0;
        QVERIFY(darkestChange(twoBlocks, single, more, &changed) >= 90);
        QVERIFY(changed > 10);

        // Full strength under the mouse.
        QCursor::setPos(m_view->viewport()->mapToGlobal(more.center()));
        QVERIFY(darkestChange(twoBlocks, renderRow(0, QStyle::State_Selected), more) < 60);
        moveMouseAway();

        // A hovered row has it too; a plain row has not.
        const QImage hovered = renderRow(1, QStyle::State_MouseOver);
        QCOMPARE(hovered.pixelColor(5, 5), getColor(COLOR_HOVER));
        QVERIFY(ViewTest::countColour(hovered, more, getColor(COLOR_HOVER), 0) < more.width() * more.height());
        const QImage plain = renderRow(1);
        QCOMPARE(ViewTest::countColour(plain, more, Qt::white, 0), more.width() * more.height());
    }

    void testCompactRowHasCentredBriefAndNoAge()
    {
        setSettings(true, QString());
        const QImage row = renderRow(0);
        const int H = row.height();
        QCOMPARE(H, int(m_fontHeight * 1.5));
        QCOMPARE(ViewTest::countColour(row, QRect(0, 0, row.width(), H), getColor(COLOR_TEXT_SECONDARY), 0), 0);
        QVERIFY(ViewTest::countColour(row, QRect(20 + 21, 0, row.width(), H), getColor(COLOR_TEXT), 0) > 0);
        // The 21-pixel box, centred.
        const QRect box = iconBox(H, true);
        QCOMPARE(ViewTest::countColour(row, box, Red), 21 * 21);
    }

    void testIconsFollowTheTheme()
    {
        item(0)->setData(true, Qt::CheckStateRole);
        const QRect box = iconBox(rowHeight(0));
        QVERIFY(ViewTest::countColour(renderRow(0), box, Qt::black, 40) > 20);
        setTheme(THEME_DARK);
        const QImage dark = renderRow(0);
        setTheme(THEME_LIGHT);
        QCOMPARE(ViewTest::countColour(dark, box, Qt::black, 40), 0);
        QVERIFY(ViewTest::countColour(dark, box, Qt::white, 40) > 20);
    }

    void testClicksPastePlainPasteAndOpenTheMenu()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        QSignalSpy plain(m_view, &HistoryItemView::plainText);
        const QRect r = m_view->visualRect(proxy()->index(1, 0));
        const QPoint text(r.left() + 120, r.center().y());

        ViewTest::clickAt(m_view, text, Qt::LeftButton);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toModelIndex().row(), 1);

        ViewTest::clickAt(m_view, text, Qt::MiddleButton);
        QCOMPARE(plain.count(), 1);
        QCOMPARE(plain.at(0).at(0).toModelIndex().row(), 1);
        QCOMPARE(activated.count(), 1);

        QPoint menuAt;
        PopupWatcher watcher([&menuAt](QMenu *menu) {
            menuAt = menu->pos();
            menu->hide();
        });
        ViewTest::clickAt(m_view, text, Qt::RightButton);
        QCOMPARE(watcher.seen(), 1);
        QCOMPARE(menuAt, QCursor::pos());
        QCOMPARE(activated.count(), 1);
        QCOMPARE(plain.count(), 1);
    }

    void testMoreButtonOpensTheMenuBesideIt()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        const QRect r = m_view->visualRect(proxy()->index(2, 0));
        const QRect column(QPoint(r.right() - 30, r.top()), QPoint(r.right(), r.bottom()));
        const QPoint centre = m_view->viewport()->mapToGlobal(column.center());
        QPoint menuAt;
        QStringList entries;
        PopupWatcher watcher([&](QMenu *menu) {
            menuAt = menu->pos();
            entries = ViewTest::entryTexts(menu);
            menu->hide();
        });
        ViewTest::clickAt(m_view, column.center());
        QCOMPARE(watcher.seen(), 1);
        QCOMPARE(menuAt, QPoint(centre.x() - 50, centre.y() + 10));
        QCOMPARE(entries.first(), QString("Paste"));
        QCOMPARE(activated.count(), 0);
    }

    void testClickOnIconBoxPinsAndKeepsTheClippingCurrent()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        const QRect r = m_view->visualRect(proxy()->index(3, 0));
        const QRect box = iconBox(r.height()).translated(r.topLeft());
        ViewTest::clickAt(m_view, box.center());

        QCOMPARE(activated.count(), 0);
        QCOMPARE(ViewTest::briefAt(proxy(), 0), QString("fourth clipping"));
        QVERIFY(proxy()->index(0, 0).data(Qt::CheckStateRole).toBool());
        QCOMPARE(m_view->currentIndex().row(), 0);

        // And back: unpinned, it goes below the pinned block (empty now), to the top of the rest.
        const QRect top = m_view->visualRect(proxy()->index(0, 0));
        ViewTest::clickAt(m_view, iconBox(top.height()).translated(top.topLeft()).center());
        QVERIFY(!proxy()->index(0, 0).data(Qt::CheckStateRole).toBool());
        QCOMPARE(m_view->currentIndex().data().toString(), QString("fourth clipping"));
        QCOMPARE(activated.count(), 0);
    }
};

KESTOVAN_VIEW_TEST_MAIN(TestHistoryItemDelegate)
#include "tst_historyitemdelegate.moc"
