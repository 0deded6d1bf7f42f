#include "history/clippingitem.h"
#include "window/headercarousel.h"
#include "window/historyitemview.h"
#include "history/itemrole.h"
#include "history/historyitemmodel.h"
#include "window/mainwindow.h"
#include "window/searchmodel.h"
#include "snippets/snippetmodel.h"
#include "common/theme.h"
#include "common/utils.h"
#include "popupwatcher.h"
#include "screenshotsupport.h"
#include "windowtestsupport.h"

#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QUuid>

// The history window on a real X server, in the light and the dark theme, on its history, snippet
// and search pages. Pictures go to <build>/screenshots/ for review by eye; the checks make sure each
// page really shows what it is named after and that the two themes differ.
namespace {

// Clippings of various ages, so the list shows how old each one is; one locked.
void seedHistory()
{
    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        const char *text, *html, *application;
        QColor colour;
        int minutesAgo;
        bool locked;
    } rows[] = {
        {"Kestovan keeps what you copy, so you can paste it again later.", "", "Notes", QColor(147, 51, 234), 1, false},
        {"git log --oneline --graph --decorate", "", "Terminal", QColor(46, 52, 64), 12, false},
        {"Meeting moved to Thursday 14:00, room 3B.", "<p>Meeting moved to <b>Thursday</b></p>", "Mail",
         QColor(52, 120, 246), 95, false},
        {"https://www.example.org/articles/clipboard-managers", "", "Browser", QColor(234, 88, 12), 60 * 26, false},
        {"SELECT name, total FROM orders WHERE total > 100 ORDER BY total DESC;", "", "Editor",
         QColor(22, 163, 74), 60 * 24 * 9, true},
    };
    for (const auto &row : rows) {
        auto *clipping = new ClippingItem;
        clipping->setData(Utils::makeOneLiner(row.text), Qt::DisplayRole);
        clipping->setData(0, TypeRole);
        clipping->setData(QString(row.html), HtmlRole);
        clipping->setData(QString(row.text), TextRole);
        clipping->setData(now.addSecs(-60 * row.minutesAgo), TimeRole);
        clipping->setData(QUuid::createUuid(), IdRole);
        clipping->setData(QString(row.text), Qt::ToolTipRole);
        clipping->setData(Screenshots::applicationIcon(row.colour), Qt::DecorationRole);
        clipping->setData(false, RemovedRole);
        clipping->setData(row.locked, LockedRole);
        clipping->setData(QString(row.application), ApplicationRole);
        if (!HistoryItemModel::instance()->addItem(clipping))
            delete clipping;
    }
}

void seedSnippets()
{
    SnippetModel *snippets = SnippetModel::instance();
    snippets->clear();
    auto *replies = new QStandardItem("Replies");
    const struct {
        const char *title, *text, *hotkey, *keyword;
    } rows[] = {
        {"Thanks", "Thanks a lot, that helps!", "Ctrl+Alt+T", "::ty"},
        {"On my way", "On my way, see you in ten minutes.", "", "::omw"},
        {"Address", "Main Street 12, 00100 Helsinki", "", ""},
        {"Signature", "Best regards,\nKestovan team", "Ctrl+Alt+S", ""},
    };
    for (const auto &row : rows) {
        auto *snippet = new QStandardItem(row.title);
        snippet->setData(row.text, TextRole);
        snippet->setData(row.text, Qt::ToolTipRole);
        snippet->setData(QString(row.hotkey), HotkeyRole);
        snippet->setData(QString(row.keyword), ExpanderRole);
        snippet->setData(false, HideRole);
        replies->appendRow(snippet);
    }
    snippets->appendRow(replies);
    snippets->appendRow(new QStandardItem("Code"));
    snippets->updateShortcuts();
}

} // namespace

class TestMainWindowScreenshots : public QObject
{
    Q_OBJECT

    QImage shoot(MainWindow *window, const QString &name)
    {
        QCoreApplication::processEvents();
        const QImage image = window->grab().toImage();
        if (!image.save(Screenshots::path(name)))
            qWarning() << "could not save" << name;
        return image;
    }

    // Runs `open`, which shows a menu, and saves that menu as the picture `name`.
    static QImage shootMenu(const QString &name, const std::function<void()> &open)
    {
        QImage image;
        PopupWatcher watcher([&](QMenu *menu) {
            QTest::qWait(100);
            image = menu->grab().toImage();
            menu->hide();
        });
        open();
        if (!image.save(Screenshots::path(name)))
            qWarning() << "could not save" << name;
        return image;
    }

    // The colour in the middle of the list area, left of any text.
    static QColor listBackground(const QImage &image)
    {
        return image.pixelColor(image.width() - 30, image.height() - 60);
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs a real X server");
    }

    void testEveryPageInBothThemes_data()
    {
        QTest::addColumn<int>("theme");
        QTest::addColumn<QString>("name");
        QTest::newRow("light") << 1 << "light";
        QTest::newRow("dark") << 0 << "dark";
    }

    void testEveryPageInBothThemes()
    {
        QFETCH(int, theme);
        QFETCH(QString, name);
        {
            QSettings settings = Utils::settings();
            settings.clear();
            settings.setValue("SyncTarget", "None");
            settings.setValue("Theme", theme);
            settings.setValue("WindowSize", QSize(420, 520));
        }
        QDir(Utils::dataPath()).removeRecursively();

        MainWindow window;
        QCOMPARE(getTheme(), theme == 0 ? THEME_DARK : THEME_LIGHT);
        seedHistory();
        seedSnippets();
        window.updateHeaderButtons();
        window.move(100, 100);
        window.showHistory();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.setStatus(SyncStatus::Success, "Synchronization successful.");

        const QImage history = shoot(&window, "mainwindow-history-" + name);
        QCOMPARE(history.size(), window.size());
        // The list is painted in the theme's background.
        const QColor background = getColor(COLOR_BACKGROUND);
        QCOMPARE(listBackground(history).rgb() & 0xffffff, background.rgb() & 0xffffff);

        // The menus are drawn in the window's theme too, so their monochrome icons show.
        auto *view = window.findChild<HistoryItemView *>("historyView");
        auto *header = window.findChild<HeaderCarousel *>("header");
        const QModelIndex row = view->model()->index(2, 0);
        view->setCurrentIndex(row);
        const QImage rowMenu = shootMenu("mainwindow-row-menu-" + name, [view, row] {
            view->menuClicked(row, view->viewport()->mapToGlobal(view->visualRect(row).center()));
        });
        QCOMPARE(rowMenu.pixelColor(rowMenu.width() / 2, 2).rgb() & 0xffffff, background.rgb() & 0xffffff);
        header->showApplications.insert("Mail");
        shootMenu("mainwindow-filter-menu-" + name, [header] { header->showFilterMenu(); });
        header->showApplications.clear();

        window.findChild<HeaderCarousel *>("header")->select(1);
        QTRY_COMPARE(window.findChild<QStackedWidget *>("stackedWidget")->currentIndex(), 1);
        QTest::qWait(200);
        const QImage snippets = shoot(&window, "mainwindow-snippets-" + name);
        QVERIFY(snippets != history);

        window.findChild<HeaderCarousel *>("header")->select(0);
        window.findChild<QPushButton *>("search")->click();
        window.findChild<QLineEdit *>("searchEdit")->setText("th");
        QTRY_VERIFY(window.searchResults()->rowCount() >= 2);
        QTest::qWait(100);
        const QImage search = shoot(&window, "mainwindow-search-" + name);
        QCOMPARE(window.findChild<QStackedWidget *>("stackedWidgetTop")->currentIndex(), 1);
        QVERIFY(search != history);
        window.hideHistory();
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestMainWindowScreenshots)
#include "tst_mainwindowscreenshots.moc"
