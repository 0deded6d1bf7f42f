#include "window/headercarousel.h"
#include "historytestsupport.h"
#include "popupwatcher.h"
#include "common/theme.h"

#include <QMouseEvent>
#include <QStandardItemModel>

namespace {

void mouseMove(QWidget *widget, QPoint point)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(point), QPointF(widget->mapToGlobal(point)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void mousePress(QWidget *widget, QPoint point)
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(point), QPointF(widget->mapToGlobal(point)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Runs the slide to its end, as the timer would; returns the positions passed.
QList<double> finishSlide(HeaderCarousel *carousel)
{
    QList<double> positions;
    for (int tick = 0; tick < 1000 && carousel->position() != carousel->current(); ++tick) {
        carousel->onTimeout();
        positions.append(carousel->position());
    }
    return positions;
}

QStringList actionTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *action : menu->actions())
        texts.append(action->isSeparator() ? QString("--") : action->text());
    return texts;
}

QAction *actionNamed(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Whether a column range of a row holds only the background (the colour of column 5 there).
bool isBackground(const QImage &image, int fromX, int toX, int y)
{
    for (int x = fromX; x < toX; ++x) {
        if (image.pixel(x, y) != image.pixel(5, y))
            return false;
    }
    return true;
}

} // namespace

class TestHeaderCarousel : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_parent;
    HeaderCarousel *m_carousel = nullptr;
    RecordingSync *m_sync = nullptr;
    QObject m_historyOwner;

private slots:
    void initTestCase()
    {
        setTheme(THEME_LIGHT);
        HistoryTest::resetStore();
        m_sync = new RecordingSync(this);
        // The filter menu reads the process-wide history; no filter state is given to its proxy
        // because the carousels of these tests come and go.
        HistoryItemModel::initialize(&m_historyOwner, m_sync, nullptr);
    }

    void init()
    {
        HistoryItemModel *history = HistoryItemModel::instance();
        history->removeRows(0, history->rowCount());
        m_parent = std::make_unique<QWidget>();
        m_parent->resize(400, 28);
        m_carousel = new HeaderCarousel(m_parent.get());
        m_carousel->setGeometry(0, 0, 400, 28);
        m_parent->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_parent.get()));
    }

    void cleanup() { m_parent.reset(); }

    void testNextAndPrevWrapAround()
    {
        m_carousel->setTitles({"History", "Code", "Mail"});
        QSignalSpy selected(m_carousel, &HeaderCarousel::selected);
        m_carousel->select(2);
        m_carousel->next();
        QCOMPARE(m_carousel->current(), 0);
        m_carousel->prev();
        QCOMPARE(m_carousel->current(), 2);
        m_carousel->select(7);
        QCOMPARE(m_carousel->current(), 1);
        QCOMPARE(selected.size(), 4);
        QCOMPARE(selected.at(1).at(0).toInt(), 0);
        QCOMPARE(selected.at(2).at(0).toInt(), 2);
    }

    void testWrapFromLastPageSlidesBackThroughEveryPage()
    {
        m_carousel->setTitles({"History", "Code", "Mail"});
        m_carousel->select(2);
        finishSlide(m_carousel);
        QCOMPARE(m_carousel->position(), 2.0);

        m_carousel->next();
        const QList<double> positions = finishSlide(m_carousel);
        QCOMPARE(positions.size(), 20);
        for (int i = 1; i < positions.size(); ++i)
            QVERIFY(positions[i] < positions[i - 1]);
        QVERIFY(std::abs(positions[9] - 1.0) < 0.01);
        QCOMPARE(m_carousel->position(), 0.0);
    }

    void testSetTitlesWrapsCurrentPage()
    {
        m_carousel->setTitles({"History", "A", "B", "C", "D"});
        m_carousel->select(4);
        QSignalSpy selected(m_carousel, &HeaderCarousel::selected);
        m_carousel->setTitles({"History", "A", "B"});
        QCOMPARE(m_carousel->current(), 1);
        m_carousel->setTitles({"History", "A", "B", "C"});
        QCOMPARE(m_carousel->current(), 1);
        QCOMPARE(selected.size(), 0);
    }

    void testEmptyTitlesDoNotDivideByZero()
    {
        QSignalSpy selected(m_carousel, &HeaderCarousel::selected);
        m_carousel->select(3);
        m_carousel->next();
        m_carousel->prev();
        m_carousel->setTitles({});
        m_carousel->showMenu(0);
        mouseMove(m_carousel, QPoint(200, 14));
        mousePress(m_carousel, QPoint(200, 14));
        QVERIFY(!m_carousel->grab().isNull());
        QCOMPARE(selected.size(), 0);
        QCOMPARE(m_carousel->current(), 0);
        QVERIFY(m_carousel->filterHitArea().isEmpty());
    }

    void testStaleHoverAfterFewerTitlesIsIgnored()
    {
        m_carousel->setTitles({"History", "A", "B"});
        m_carousel->select(1);
        finishSlide(m_carousel);
        mouseMove(m_carousel, QPoint(395, 14));
        QCOMPARE(m_carousel->hover(), 2);
        m_carousel->setTitles({"History"});
        QCOMPARE(m_carousel->current(), 0);
        QCOMPARE(m_carousel->hover(), -1);
        mousePress(m_carousel, QPoint(395, 14));
        QCOMPARE(m_carousel->current(), 0);
    }

    void testPagesFromTenOnHaveNoBadge()
    {
        QStringList titles;
        for (int i = 0; i < 12; ++i)
            titles.append("Page");
        m_carousel->setTitles(titles);
        const int textWidth = QFontMetrics(m_carousel->font()).size(Qt::TextSingleLine, "Page").width();
        const int y = (28 - 1 - 15) / 2 + 8;

        m_carousel->select(9);
        finishSlide(m_carousel);
        QImage image = m_carousel->grab().toImage();
        const int c9 = (400 - textWidth - 20) / 2;
        QVERIFY2(!isBackground(image, c9 + 2, c9 + 14, y), "page 9 shows its badge");

        m_carousel->select(10);
        finishSlide(m_carousel);
        image = m_carousel->grab().toImage();
        const int c10 = (400 - textWidth) / 2;
        QVERIFY2(isBackground(image, c10 - 20, c10 - 2, y), "page 10 has no badge and no badge space");
    }

    void testNeighbourClicksSelectTheirPage()
    {
        m_carousel->setTitles({"History", "Code", "Mail"});
        m_carousel->select(1);
        finishSlide(m_carousel);
        QSignalSpy selected(m_carousel, &HeaderCarousel::selected);

        mouseMove(m_carousel, QPoint(5, 14));
        QCOMPARE(m_carousel->hover(), 0);
        mousePress(m_carousel, QPoint(5, 14));
        QCOMPARE(m_carousel->current(), 0);
        finishSlide(m_carousel);

        mouseMove(m_carousel, QPoint(395, 14));
        QCOMPARE(m_carousel->hover(), 1);
        mousePress(m_carousel, QPoint(395, 14));
        QCOMPARE(m_carousel->current(), 1);
        QCOMPARE(selected.size(), 2);

        QEvent leaveEvent(QEvent::Leave);
        QCoreApplication::sendEvent(m_carousel, &leaveEvent);
        QCOMPARE(m_carousel->hover(), -1);
    }

    void testPageMenuDisablesTheCurrentPage()
    {
        m_carousel->setTitles({"History", "Code", "Mail"});
        m_carousel->select(1);
        finishSlide(m_carousel);
        QSignalSpy selected(m_carousel, &HeaderCarousel::selected);

        QStringList texts;
        QList<bool> enabled;
        bool badgeDrawn = false;
        PopupWatcher watcher([&](QMenu *menu) {
            for (QAction *action : menu->actions()) {
                texts.append(action->text());
                enabled.append(action->isEnabled());
            }
            badgeDrawn = menu->actions().at(0)->icon().pixmap(16, 16).toImage().pixelColor(8, 4).alpha() != 0;
            menu->actions().at(2)->trigger();
            menu->close();
        });
        mouseMove(m_carousel, QPoint(200, 14));
        QCOMPARE(m_carousel->hover(), 1);
        mousePress(m_carousel, QPoint(200, 14));

        QCOMPARE(watcher.seen(), 1);
        QCOMPARE(texts, QStringList({"History", "Code", "Mail"}));
        QCOMPARE(enabled, QList<bool>({true, false, true}));
        QVERIFY(badgeDrawn);
        QCOMPARE(selected.size(), 1);
        QCOMPARE(m_carousel->current(), 2);
    }

    void testPageMenuNeedsAVisibleWindow()
    {
        m_carousel->setTitles({"History", "Code"});
        m_parent->hide();
        PopupWatcher watcher([](QMenu *menu) { menu->close(); });
        m_carousel->showMenu(0);
        m_carousel->showMenu(5);
        QTest::qWait(30);
        QCOMPARE(watcher.seen(), 0);
    }

    void testResetIsOfferedOnlyWhileFiltering()
    {
        m_carousel->setTitles({"History"});
        QSignalSpy changed(m_carousel, &HeaderCarousel::filterChanged);

        QStringList texts;
        PopupWatcher first([&](QMenu *menu) {
            texts = actionTexts(menu);
            actionNamed(menu, "Show locked")->trigger();
            menu->close();
        });
        m_carousel->showFilterMenu();
        QCOMPARE(texts, QStringList({"Show locked", "Show recent"}));
        QVERIFY(m_carousel->showLocked);
        QVERIFY(m_carousel->isActive());
        QCOMPARE(changed.size(), 1);

        bool lockedChecked = false;
        PopupWatcher second([&](QMenu *menu) {
            texts = actionTexts(menu);
            lockedChecked = actionNamed(menu, "Show locked")->isChecked();
            actionNamed(menu, "Show recent")->trigger();
            menu->close();
        });
        m_carousel->showFilterMenu();
        QCOMPARE(texts, QStringList({"Reset", "--", "Show locked", "Show recent"}));
        QVERIFY(lockedChecked);
        QVERIFY(m_carousel->showRecent);
        QCOMPARE(changed.size(), 2);

        m_carousel->showApplications.insert("Firefox");
        PopupWatcher third([&](QMenu *menu) {
            actionNamed(menu, "Reset")->trigger();
            menu->close();
        });
        m_carousel->showFilterMenu();
        QVERIFY(!m_carousel->showLocked);
        QVERIFY(!m_carousel->showRecent);
        QVERIFY(m_carousel->showApplications.isEmpty());
        QVERIFY(!m_carousel->isActive());
        QCOMPARE(changed.size(), 3);
    }

    void testApplicationsOfLiveClippingsAreOfferedOnce()
    {
        QStandardItemModel history;
        const QList<QPair<QString, bool>> rows = {
            {"Kate", false}, {"Firefox", false}, {"Kate", false}, {"Gimp", true}, {"", false}};
        for (const auto &row : rows) {
            auto *item = new QStandardItem("clip");
            item->setData(row.first, ApplicationRole);
            item->setData(row.second, RemovedRole);
            history.appendRow(item);
        }
        QCOMPARE(HeaderCarousel::applicationNames(&history), QStringList({"", "Firefox", "Kate"}));
        QCOMPARE(HeaderCarousel::applicationNames(nullptr), QStringList());
    }

    void testApplicationEntriesToggleTheApplicationFilter()
    {
        for (const QString &application : {"Kate", "Firefox & Co"}) {
            auto *item = new QStandardItem("clip");
            item->setData(application, ApplicationRole);
            item->setData(false, RemovedRole);
            HistoryItemModel::instance()->appendRow(item);
        }
        m_carousel->setTitles({"History"});
        QSignalSpy changed(m_carousel, &HeaderCarousel::filterChanged);

        QStringList texts;
        PopupWatcher check([&](QMenu *menu) {
            texts = actionTexts(menu);
            actionNamed(menu, "Show 'Kate'")->trigger();
            menu->close();
        });
        m_carousel->showFilterMenu();
        QCOMPARE(texts, QStringList({"Show locked", "Show recent", "--", "Show 'Firefox && Co'", "Show 'Kate'"}));
        QCOMPARE(m_carousel->showApplications, QSet<QString>({"Kate"}));

        bool kateChecked = false;
        PopupWatcher uncheck([&](QMenu *menu) {
            kateChecked = actionNamed(menu, "Show 'Kate'")->isChecked();
            actionNamed(menu, "Show 'Kate'")->trigger();
            actionNamed(menu, "Show 'Firefox && Co'")->trigger();
            menu->close();
        });
        m_carousel->showFilterMenu();
        QVERIFY(kateChecked);
        QCOMPARE(m_carousel->showApplications, QSet<QString>({"Firefox & Co"}));
        QCOMPARE(changed.size(), 3);
    }

    void testFilterIconOpensFilterMenuOnHistoryPageOnly()
    {
        m_carousel->setTitles({"History", "Code"});
        const QRect area = m_carousel->filterHitArea();
        QVERIFY(!area.isEmpty());
        QCOMPARE(m_carousel->filterButtonPos(), QPoint(area.left() + 1, area.top() + 1));

        mouseMove(m_carousel, area.center());
        QVERIFY(m_carousel->filterHover());
        PopupWatcher watcher([](QMenu *menu) { menu->close(); });
        mousePress(m_carousel, area.center());
        QCOMPARE(watcher.seen(), 1);
        QVERIFY(!m_carousel->filterHover());

        m_carousel->select(1);
        finishSlide(m_carousel);
        QVERIFY(m_carousel->filterHitArea().isEmpty());
    }

    void testFilterIconIsOpaqueWhileFiltering()
    {
        m_carousel->setTitles({"History", "Code"});
        const QRect area = m_carousel->filterHitArea();
        // The icon is drawn one pixel right of and below the hit area's corner.
        const QRect icon = area.adjusted(1, 1, -2, -2);
        auto darkest = [&] {
            const QImage image = m_carousel->grab().toImage();
            int lightness = 255;
            for (int y = icon.top(); y <= icon.bottom(); ++y) {
                for (int x = icon.left(); x <= icon.right(); ++x)
                    lightness = qMin(lightness, image.pixelColor(x, y).lightness());
            }
            return lightness;
        };
        const int idle = darkest();
        m_carousel->showRecent = true;
        const int active = darkest();
        QVERIFY2(idle > 150, qPrintable(QString::number(idle)));
        QVERIFY2(active < 80, qPrintable(QString::number(active)));

        // Also while sliding back to the history page: the icon moves with its title, and only it
        // is drawn darker than the titles.
        m_carousel->select(1);
        for (int tick = 0; tick < 3; ++tick)
            m_carousel->onTimeout();
        m_carousel->select(0);
        m_carousel->onTimeout();
        QVERIFY(m_carousel->position() > 0.1);
        const QImage sliding = m_carousel->grab().toImage();
        int lightness = 255;
        for (int y = 0; y < sliding.height() - 1; ++y) {
            for (int x = 0; x < sliding.width(); ++x)
                lightness = qMin(lightness, sliding.pixelColor(x, y).lightness());
        }
        QVERIFY2(lightness < 60, qPrintable(QString::number(lightness)));
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestHeaderCarousel)
#include "tst_headercarousel.moc"
