#include "common/globals.h"
#include "window/headercarousel.h"
#include "mainwindowtestsupport.h"
#include "common/theme.h"

#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>

using namespace MainWindowTest;

// The history window as it is built: its form, where it comes back on the screen, its theme and its
// carousel titles.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetStore();
        demoEnabled = false;
        debugEnabled = false;
    }

    void cleanup()
    {
        demoEnabled = false;
        debugEnabled = false;
    }

    void testStyleSheetsSelectTheFormsObjectNames()
    {
        // The style sheets and the settings dialog find the widgets by these names.
        const auto window = freshWindow();
        QCOMPARE(window->objectName(), QString("MainWindow"));
        const char *names[] = {"centralWidget", "widget", "headerWidget", "closeLeft", "pinLeft", "title", "version",
                               "releaseNotes", "warning", "debug", "search", "settings", "pinRight", "closeRight",
                               "stackedWidgetTop", "historyPage", "header", "stackedWidget", "history", "historyView",
                               "snippets", "snippetsSubView", "searchPage", "searchArea", "searchEdit", "clear",
                               "searchView", "status", "statusIcon", "statusProgress", "statusText"};
        for (const char *name : names)
            QVERIFY2(child(window.get(), name), name);
        QVERIFY(child<HeaderCarousel>(window.get(), "header"));
        QCOMPARE(window->pinRight, child<QPushButton>(window.get(), "pinRight"));
    }

    void testHeaderShowsOnlyTheButtonsInUse()
    {
        debugEnabled = false;
        const auto window = freshWindow();
        window->show();
        for (const char *hidden : {"closeRight", "pinLeft", "warning", "releaseNotes", "debug", "status"})
            QVERIFY2(!child(window.get(), hidden)->isVisible(), hidden);
        for (const char *shown : {"closeLeft", "title", "version", "search", "settings", "pinRight"})
            QVERIFY2(child(window.get(), shown)->isVisible(), shown);
        QCOMPARE(child<QLabel>(window.get(), "title")->text(), QString("Kestovan"));
        QCOMPARE(child<QLabel>(window.get(), "title")->font().pointSize(), 16);
        QCOMPARE(child<QLabel>(window.get(), "version")->text(), QString("v1.10.120"));
        QCOMPARE(child(window.get(), "statusIcon")->size(), QSize(16, 16));
        QCOMPARE(child(window.get(), "clear")->size(), QSize(24, 24));
        QCOMPARE(child(window.get(), "header")->minimumHeight(), 28);
        QCOMPARE(child<QStackedWidget>(window.get(), "stackedWidgetTop")->currentIndex(), 0);
        // Offscreen windows are drawn translucent, so the shadow keeps its margin.
        QCOMPARE(child(window.get(), "centralWidget")->layout()->contentsMargins(), QMargins(8, 8, 8, 8));
        window->hide();

        debugEnabled = true;
        const auto debugging = freshWindow();
        debugging->show();
        QVERIFY(child(debugging.get(), "debug")->isVisible());
    }

    void testStoredPositionDoesNotCreepAtEachStart()
    {
        setSetting("WindowSize", QSize(400, 500));
        setSetting("WindowPos", QPoint(300, 200));
        for (int start = 0; start < 3; ++start) {
            const auto window = freshWindow();
            QCOMPARE(window->size(), QSize(400, 500));
            QCOMPARE(window->pos(), QPoint(300, 200));
            window->show();
            window->hideHistory();
            QCOMPARE(setting("WindowPos").toPoint(), QPoint(300, 200));
        }
    }

    void testWindowNearTheRightEdgeComesBackWhereItWas()
    {
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint stored(available.right() + 1 + 8 - 400, 100);
        setSetting("WindowSize", QSize(400, 500));
        setSetting("WindowPos", stored);
        const auto window = freshWindow();
        QCOMPARE(window->pos(), stored);
    }

    void testRestoredPositionKeepsTheFrameOnTheScreen_data()
    {
        QTest::addColumn<QPoint>("stored");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("inside") << QPoint(300, 200) << QPoint(300, 200);
        QTest::newRow("margin over the top-left corner") << QPoint(-8, -8) << QPoint(-8, -8);
        QTest::newRow("off to the left") << QPoint(-500, 100) << QPoint(-8, 100);
        QTest::newRow("past the right edge") << QPoint(1200, 100) << QPoint(1280 + 8 - 400, 100);
        QTest::newRow("below the bottom") << QPoint(100, 900) << QPoint(100, 800 + 8 - 500);
    }

    void testRestoredPositionKeepsTheFrameOnTheScreen()
    {
        QFETCH(QPoint, stored);
        QFETCH(QPoint, expected);
        QCOMPARE(MainWindow::restoredPosition(stored, QSize(400, 500), QRect(0, 0, 1280, 800), 8), expected);
    }

    void testWithoutCompositorTheFrameOpensOnTheScreen()
    {
        // No compositing manager: no transparent margin, so nothing may hang over the screen's edge.
        const auto window = freshWindow();
        window->setComposited(false);
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        // Too little room below the pointer: the window opens upwards and meets the top edge.
        QCursor::setPos(available.center().x(), available.bottom() - window->height());
        window->showHistory();
        QVERIFY(available.contains(window->geometry().topLeft()));
        window->hideHistory();

        window->setComposited(true);
        window->showHistory();
        QCOMPARE(window->y(), available.top() - 8);
    }

    void testWithoutStoredPositionOnlyTheSizeIsRestored()
    {
        setSetting("WindowSize", QSize(420, 380));
        const auto window = freshWindow();
        QCOMPARE(window->size(), QSize(420, 380));
        QVERIFY(!Utils::settings().contains("WindowPos"));
    }

    void testDemoModeUsesItsOwnSizeButTheStoredPosition()
    {
        demoEnabled = true;
        setSetting("WindowSize", QSize(420, 380));
        setSetting("WindowPos", QPoint(120, 90));
        const auto window = freshWindow();
        QCOMPARE(window->size(), QSize(500, 500));
        QCOMPARE(window->pos(), QPoint(120, 90));
    }

    void testThemeSwitchRecoloursEveryPart()
    {
        const auto window = freshWindow();
        window->show();
        QWidget *status = child(window.get(), "status");
        status->show();
        QWidget *list = child(window.get(), "historyView");
        QWidget *header = child(window.get(), "headerWidget");
        QWidget *search = child(window.get(), "searchEdit");
        for (const THEME theme : {THEME_DARK, THEME_LIGHT, THEME_DARK}) {
            setTheme(theme);
            window->updateTheme();
            QCOMPARE(paintedColour(list, list->rect().bottomRight() - QPoint(20, 20)), getColor(COLOR_BACKGROUND));
            // Below the top border, left of the line's text.
            QCOMPARE(paintedColour(status, QPoint(1, status->height() - 2)), getColor(COLOR_PANEL));
            QCOMPARE(paintedColour(status, QPoint(status->width() / 2, 0)), getColor(COLOR_BORDER));
            QCOMPARE(paintedColour(header, QPoint(header->width() / 2, 0)), getColor(COLOR_GRADIENT_TOP));
            QCOMPARE(paintedColour(search, QPoint(0, search->height() / 2)), getColor(COLOR_BORDER));
            QCOMPARE(paintedColour(search, QPoint(search->width() - 3, search->height() / 2)),
                     getColor(COLOR_BACKGROUND));
        }
        // The two themes really differ where the colours were compared.
        setTheme(THEME_DARK);
        const QString dark = getColorString(COLOR_PANEL) + getColorString(COLOR_BACKGROUND);
        setTheme(THEME_LIGHT);
        QVERIFY(dark != getColorString(COLOR_PANEL) + getColorString(COLOR_BACKGROUND));
    }

    void testThemeChangeKeepsThePinnedSymbol()
    {
        const auto window = freshWindow();
        window->show();
        window->pinRight->click();
        const QImage pinned = window->pinRight->icon().pixmap(24).toImage();
        window->updateTheme();
        QCOMPARE(window->pinRight->icon().pixmap(24).toImage(), pinned);
        window->pinRight->click();
        QVERIFY(window->pinRight->icon().pixmap(24).toImage() != pinned);
    }

    void testCarouselTitlesFollowTheSnippetGroups()
    {
        {
            const auto window = freshWindow();
            SnippetModel::instance()->clear();
            window->updateHeaderButtons();
            QCOMPARE(child<HeaderCarousel>(window.get(), "header")->titles(), QStringList{"History"});
        }
        const auto window = freshWindow();
        SnippetModel *snippets = SnippetModel::instance();
        snippets->clear();
        snippets->appendRow(new QStandardItem("Greetings"));
        snippets->appendRow(new QStandardItem("Code"));
        window->updateHeaderButtons();
        QCOMPARE(child<HeaderCarousel>(window.get(), "header")->titles(), (QStringList{"History", "Greetings", "Code"}));
    }

    void testUnreadableSnippetFileStillGivesAHistoryTab()
    {
        QFile broken(SnippetModel::filePath());
        QVERIFY(QDir().mkpath(QFileInfo(broken).absolutePath()));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{ this is not a snippet file");
        broken.close();

        const auto window = freshWindow();
        auto *header = child<HeaderCarousel>(window.get(), "header");
        QCOMPARE(header->titles().value(0), QString("History"));
        QCOMPARE(header->current(), 0);
        window->showHistory();
        QVERIFY(window->isVisible());
    }

    void testFirstSnippetLoadReachesTheCarousel()
    {
        // No snippet file: the examples are loaded, and their groups are tabs before the first show.
        const auto window = freshWindow();
        const int groups = SnippetModel::instance()->rowCount();
        QVERIFY(groups > 0);
        QCOMPARE(child<HeaderCarousel>(window.get(), "header")->titles().size(), groups + 1);
    }

    void testStatusLineShowsAndHidesItself()
    {
        const auto window = freshWindow();
        window->show();
        QWidget *status = child(window.get(), "status");
        window->setStatus(SyncStatus::Busy, "Synchronizing...");
        QVERIFY(status->isVisible());
        QVERIFY(child(window.get(), "statusProgress")->isVisible());
        QCOMPARE(child<QLabel>(window.get(), "statusText")->text(), QString("Synchronizing..."));
        window->setStatus(SyncStatus::Notice, "Added to snippets 'Code'");
        QVERIFY(!child(window.get(), "statusProgress")->isVisible());
        QVERIFY(child(window.get(), "statusIcon")->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!status->isVisible(), 7000);
    }
};

KESTOVAN_MAINWINDOW_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
