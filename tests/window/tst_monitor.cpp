#include "widgets/customshadoweffect.h"
#include "window/monitor.h"
#include "window/monitorlist.h"
#include "common/theme.h"
#include "common/utils.h"
#include "widgets/svgicons.h"
#include "windowtestsupport.h"

#include <QClipboard>
#include <QLabel>
#include <QLayout>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>

namespace {

QByteArray bytesFrom(int first, int count)
{
    QByteArray data;
    for (int i = 0; i < count; ++i)
        data.append(char((first + i) & 0xff));
    return data;
}

// The content label of an entry: the second label of its widget.
QLabel *contentOf(MonitorList *list, int row)
{
    const QList<QLabel *> labels = list->itemWidget(list->item(row))->findChildren<QLabel *>();
    return labels.size() == 2 ? labels.at(1) : nullptr;
}

QLabel *headingOf(MonitorList *list, int row)
{
    const QList<QLabel *> labels = list->itemWidget(list->item(row))->findChildren<QLabel *>();
    return labels.isEmpty() ? nullptr : labels.at(0);
}

int rowOf(MonitorList *list, const QString &format)
{
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(MonitorList::FormatRole).toString() == format)
            return row;
    }
    return -1;
}

QMimeData *longBinaryContent(int formats)
{
    auto *data = new QMimeData;
    for (int i = 0; i < formats; ++i)
        data->setData(QString("application/x-test-%1").arg(i), bytesFrom(i, 400));
    return data;
}

} // namespace

class TestMonitor : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        setTheme(THEME_LIGHT);
        Utils::settings().clear();
        QGuiApplication::clipboard()->clear();
    }

    void testHexDumpOfOneFullLine()
    {
        const QString dump = MonitorList::convertToHex(bytesFrom(0x00, 16));
        QCOMPARE(dump, QString("00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f ................\n"));
        QCOMPARE(MonitorList::convertToHex(bytesFrom(0xf0, 16)),
                 QString("f0 f1 f2 f3 f4 f5 f6 f7 f8 f9 fa fb fc fd fe ff ................\n"));
    }

    void testHexDumpPadsTheLastShortLine()
    {
        const QString dump = MonitorList::convertToHex("ABCDEFGHIJKLMNOP~");
        const QString first = "41 42 43 44 45 46 47 48 49 4a 4b 4c 4d 4e 4f 50 ABCDEFGHIJKLMNOP\n";
        const QString second = QString("7e ").leftJustified(48, ' ') + "~";
        QCOMPARE(dump, first + second);
        QCOMPARE(MonitorList::convertToHex(QByteArray()), QString());
    }

    void testHexDumpStopsAfter1600Bytes_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("note");
        QTest::newRow("1600") << 1600 << "+0 bytes more";
        QTest::newRow("1601") << 1601 << "+1 bytes more";
        QTest::newRow("5000") << 5000 << "+3400 bytes more";
    }

    void testHexDumpStopsAfter1600Bytes()
    {
        QFETCH(int, size);
        QFETCH(QString, note);
        const QStringList lines = MonitorList::convertToHex(bytesFrom(0x20, size)).split('\n');
        QCOMPARE(lines.size(), 101);
        QCOMPARE(lines.last(), note);
        for (int i = 0; i < 100; ++i)
            QCOMPARE(lines[i].size(), 64);
        // Byte 1599 is the last one shown.
        QVERIFY(lines[99].startsWith(QString("%1 ").arg((0x20 + 1584) & 0xff, 2, 16, QChar('0'))));
    }

    void testTextAndBinaryRule_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("text");
        QTest::newRow("printable") << QByteArray("Hello, world ~") << true;
        QTest::newRow("line ends") << QByteArray("one\r\ntwo\n") << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("tab") << QByteArray("a\tb") << false;
        QTest::newRow("accented utf-8") << QString("café").toUtf8() << false;
        QTest::newRow("delete") << QByteArray("a\x7f") << false;
        QTest::newRow("nul") << QByteArray("a\0b", 3) << false;
    }

    void testTextAndBinaryRule()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, text);
        QCOMPARE(MonitorList::isText(data), text);
    }

    void testEachFormatIsShownByItsKind()
    {
        QMimeData data;
        data.setData("text/plain", "hello");
        data.setData("text/x-accented", QString("café").toUtf8());
        data.setData("text/x-empty", QByteArray());
        data.setData("image/png", bytesFrom(0x89, 40));
        QImage image(10, 8, QImage::Format_ARGB32);
        image.fill(Qt::red);
        data.setImageData(image);

        MonitorList list;
        list.setMimeData(&data);
        QCOMPARE(list.count(), data.formats().size());
        for (int row = 0; row < list.count(); ++row)
            QCOMPARE(headingOf(&list, row)->text(), data.formats().at(row));

        const int plain = rowOf(&list, "text/plain");
        QCOMPARE(list.item(plain)->data(MonitorList::DataRole).toByteArray(), QByteArray("hello"));
        QCOMPARE(contentOf(&list, plain)->text(), QString("hello"));
        QVERIFY(!contentOf(&list, plain)->font().fixedPitch());

        const int accented = rowOf(&list, "text/x-accented");
        QCOMPARE(list.item(accented)->data(MonitorList::DataRole).toString(),
                 MonitorList::convertToHex(QString("café").toUtf8()));
        QCOMPARE(contentOf(&list, accented)->font().family(), QString("Courier New"));

        const int empty = rowOf(&list, "text/x-empty");
        QCOMPARE(contentOf(&list, empty)->text(), QString());

        const int png = rowOf(&list, "image/png");
        QCOMPARE(contentOf(&list, png)->text(), MonitorList::convertToHex(bytesFrom(0x89, 40)));

        const int picture = rowOf(&list, "application/x-qt-image");
        QVERIFY(picture >= 0);
        QVERIFY(list.item(picture)->data(MonitorList::ImageRole).isValid());
        QCOMPARE(contentOf(&list, picture)->pixmap().size(), QSize(10, 8));

        // The entry is as high as its widget wants.
        QCOMPARE(list.item(plain)->sizeHint(), list.itemWidget(list.item(plain))->sizeHint());

        list.setMimeData(nullptr);
        QCOMPARE(list.count(), 0);
    }

    void testMarkupInClipboardDataIsShownLiterally()
    {
        QMimeData data;
        data.setData("text/html", "<b>bold</b> <img src=\"x.png\">");
        MonitorList list;
        list.setMimeData(&data);
        QLabel *content = contentOf(&list, 0);
        QCOMPARE(content->textFormat(), Qt::PlainText);
        QCOMPARE(content->text(), QString("<b>bold</b> <img src=\"x.png\">"));
        QCOMPARE(headingOf(&list, 0)->textFormat(), Qt::PlainText);
    }

    void testLabelsUseThePaletteTextColour()
    {
        setTheme(THEME_DARK);
        QMimeData data;
        data.setText("dark");
        MonitorList list;
        list.setMimeData(&data);
        for (QLabel *label : {headingOf(&list, 0), contentOf(&list, 0)}) {
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                QCOMPARE(label->palette().color(group, QPalette::Text), QColor(248, 248, 248));
        }
        QVERIFY(headingOf(&list, 0)->font().bold());
    }

    void testFormOfTheWindow()
    {
        Monitor monitor;
        QCOMPARE(monitor.objectName(), QString("Monitor"));
        QVERIFY(monitor.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(monitor.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(monitor.size(), QSize(400, 400));
        QVERIFY(monitor.findChild<QPushButton *>("closeRight")->isHidden());
        QVERIFY(monitor.findChild<QPushButton *>("pinLeft")->isHidden());
        QVERIFY(!monitor.findChild<QPushButton *>("closeLeft")->isHidden());
        QVERIFY(!monitor.findChild<QPushButton *>("pinRight")->isHidden());
        auto *title = monitor.findChild<QLabel *>("title");
        QCOMPARE(title->text(), QString("Clipboard Monitor"));
        QCOMPARE(title->font().pointSize(), 16);
        QCOMPARE(title->alignment(), Qt::AlignCenter);
        QCOMPARE(monitor.centralWidget()->layout()->contentsMargins(), QMargins(8, 8, 8, 8));
        auto *shadow = qobject_cast<CustomShadowEffect *>(monitor.findChild<QWidget *>("widget")->graphicsEffect());
        QVERIFY(shadow);
        QCOMPARE(shadow->color(), QColor(0, 0, 0, 100));
        QCOMPARE(monitor.list(), monitor.findChild<MonitorList *>("listWidget"));
    }

    void testCloseButtonStoresSizeOtherHidingDoesNot()
    {
        {
            Monitor monitor;
            monitor.show();
            monitor.resize(520, 330);
            monitor.hide();
            QVERIFY(!Utils::settings().contains("MonitorWindowSize"));

            monitor.show();
            monitor.findChild<QPushButton *>("closeLeft")->click();
            QVERIFY(!monitor.isVisible());
            QCOMPARE(Utils::settings().value("MonitorWindowSize").toSize(), QSize(520, 330));
        }
        Monitor reopened;
        QCOMPARE(reopened.size(), QSize(520, 330));
    }

    void testUnreadableStoredSizeGivesTheDefault()
    {
        Utils::settings().setValue("MonitorWindowSize", "big");
        Monitor monitor;
        QCOMPARE(monitor.size(), QSize(400, 400));
    }

    void testHiddenWindowIgnoresTheClipboard()
    {
        // Built at start, hidden: reading the clipboard then could wait on an owner that never
        // answers, so nothing is read until the window is shown.
        QGuiApplication::clipboard()->setText("before");
        Monitor monitor;
        QCOMPARE(monitor.list()->count(), 0);

        QGuiApplication::clipboard()->setMimeData(longBinaryContent(3));
        monitor.check();
        QCOMPARE(monitor.list()->count(), 0);

        monitor.show();
        QCOMPARE(monitor.list()->count(), 3);
        monitor.hide();

        QGuiApplication::clipboard()->setText("after");
        monitor.check();
        QCOMPARE(monitor.list()->count(), 3);
        monitor.show();
        QCOMPARE(monitor.list()->count(), 1);
    }

    void testPollKeepsScrollPositionWhileClipboardIsUnchanged()
    {
        QGuiApplication::clipboard()->setMimeData(longBinaryContent(4));
        Monitor monitor;
        monitor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&monitor));
        QScrollBar *scroll = monitor.list()->verticalScrollBar();
        QVERIFY(scroll->maximum() > 100);
        scroll->setValue(scroll->maximum() / 2);
        const int value = scroll->value();
        QWidget *shown = monitor.list()->itemWidget(monitor.list()->item(0));

        monitor.check();
        monitor.changedSlot(QClipboard::Selection);
        QCOMPARE(scroll->value(), value);
        QCOMPARE(monitor.list()->itemWidget(monitor.list()->item(0)), shown);

        // New content is shown by the poll even when no change signal came.
        {
            const QSignalBlocker quiet(QGuiApplication::clipboard());
            QGuiApplication::clipboard()->setText("new content");
        }
        monitor.check();
        QCOMPARE(monitor.list()->count(), 1);
        QCOMPARE(contentOf(monitor.list(), 0)->text(), QString("new content"));

        // And by the change signal.
        QGuiApplication::clipboard()->setText("newer content");
        QCOMPARE(contentOf(monitor.list(), 0)->text(), QString("newer content"));
    }

    void testPinKeepsWindowOnTopAndShowsItsState()
    {
        Monitor monitor;
        monitor.show();
        auto *pin = monitor.findChild<QPushButton *>("pinRight");
        const QImage pinned = Utils::svg2icon(":/icons/images/ic_pin-off.svg", false).pixmap(24, 24).toImage();
        const QImage unpinned = Utils::svg2icon(":/icons/images/ic_pin.svg", false).pixmap(24, 24).toImage();
        QVERIFY(pinned != unpinned);

        pin->click();
        QVERIFY(monitor.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(monitor.isVisible());
        QCOMPARE(pin->icon().pixmap(24, 24).toImage(), pinned);

        // A theme change keeps the pinned picture.
        monitor.updateTheme();
        QCOMPARE(pin->icon().pixmap(24, 24).toImage(), pinned);

        pin->click();
        QVERIFY(!(monitor.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(monitor.isVisible());
        QCOMPARE(pin->icon().pixmap(24, 24).toImage(), unpinned);
    }

    void testThemeStyleSheets()
    {
        Monitor monitor;
        setTheme(THEME_DARK);
        monitor.updateTheme();
        QCOMPARE(monitor.list()->styleSheet(), QString("QListWidget {background-color: rgb(31, 32, 35);}"));
        QCOMPARE(monitor.findChild<QLabel *>("title")->styleSheet(), QString("color: rgb(248, 248, 248);"));
        QCOMPARE(monitor.findChild<QWidget *>("headerWidget")->styleSheet(),
                 QString("#headerWidget { background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1, "
                         "stop:0 rgb(57, 57, 59), stop:1 rgb(53, 53, 54)); }"));
        for (const char *name : {"closeLeft", "closeRight", "pinLeft", "pinRight"}) {
            QCOMPARE(monitor.findChild<QPushButton *>(name)->styleSheet(),
                     QString("QPushButton { border: none; margin: 0px; padding: 0px; } "
                             "QPushButton:hover:!pressed { background-color: rgb(80, 81, 82); }"));
        }
        setTheme(THEME_LIGHT);
        monitor.updateTheme();
        QCOMPARE(monitor.list()->styleSheet(), QString("QListWidget {background-color: rgb(248, 248, 248);}"));
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestMonitor)
#include "tst_monitor.moc"
