#include "logging/shownwindowlog.h"

#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QtTest>

#include <memory>

namespace {

QStringList loggedLines;

void recordMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg && message.startsWith(QLatin1String("Shown ")))
        loggedLines.append(message);
}

} // namespace

class TestShownWindowLog : public QObject
{
    Q_OBJECT

private slots:
    void init() { loggedLines.clear(); }

    void testDescribe_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("line");
        QTest::newRow("menu: entries in order, without mnemonics, separators or hidden entries")
            << "menu" << R"(Shown menu "Run action": "Paste" | "Fish & chips" | "Add...")";
        QTest::newRow("message box: its text on one line")
            << "box" << R"(Shown window "Kestovan" (QMessageBox): Update available: Version: 1.11)";
        QTest::newRow("dialog: its title and class") << "dialog" << R"(Shown window "Set shortcut" (QDialog))";
    }

    void testDescribe()
    {
        QFETCH(QString, kind);
        QFETCH(QString, line);
        std::unique_ptr<QWidget> widget;
        if (kind == "menu") {
            auto menu = std::make_unique<QMenu>("Run &action");
            menu->addAction("&Paste");
            menu->addSeparator();
            menu->addAction("Hidden")->setVisible(false);
            menu->addAction("Fish && chips");
            menu->addAction("Add...");
            widget = std::move(menu);
        } else if (kind == "box") {
            widget = std::make_unique<QMessageBox>(QMessageBox::Question, "Kestovan", "Update available:\n\nVersion: 1.11");
        } else {
            widget = std::make_unique<QDialog>();
            widget->setWindowTitle("Set shortcut");
        }
        QCOMPARE(ShownWindowLog::describe(widget.get()), line);
    }

    void testEachShowingIsLoggedOnceOnTheScreen()
    {
        ShownWindowLog log;
        const QtMessageHandler previous = qInstallMessageHandler(recordMessage);
        QDialog dialog;
        dialog.setWindowTitle("Set shortcut");
        QWidget tip(nullptr, Qt::ToolTip);
        tip.show();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_COMPARE(loggedLines.size(), 1);
        dialog.update();
        QTest::qWait(50);
        dialog.hide();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_COMPARE(loggedLines.size(), 2);
        qInstallMessageHandler(previous);
        QCOMPARE(loggedLines, QStringList(2, R"(Shown window "Set shortcut" (QDialog))"));
    }
};

QTEST_MAIN(TestShownWindowLog)
#include "tst_shownwindowlog.moc"
