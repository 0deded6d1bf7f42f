#include "common/translation.h"
#include "history/clippingitem.h"
#include "history/historyitemmodel.h"
#include "history/itemrole.h"
#include "settings/settingsdialog.h"
#include "snippets/snippetmodel.h"
#include "window/mainwindow.h"
#include "common/utils.h"
#include "screenshotsupport.h"
#include "windowtestsupport.h"

#include <QAbstractButton>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStackedWidget>
#include <QTextLayout>
#include <QUuid>

// The history window and the settings dialog in every language on a real X server, with the
// desktop's fonts. Pictures go to <build>/screenshots/ for review by eye; the checks make sure that
// every text is drawn with real glyphs (no empty boxes for a script without a font) and that no
// translated label or button is cut off.
namespace {

void seedHistory()
{
    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        const char *text, *application;
        QColor colour;
        int minutesAgo;
    } rows[] = {
        {"Kestovan keeps what you copy, so you can paste it again later.", "Notes", QColor(147, 51, 234), 0},
        {"git log --oneline --graph --decorate", "Terminal", QColor(46, 52, 64), 12},
        {"Meeting moved to Thursday 14:00, room 3B.", "Mail", QColor(52, 120, 246), 95},
        {"https://www.example.org/articles/clipboard-managers", "Browser", QColor(234, 88, 12), 60 * 26},
        {"SELECT name, total FROM orders;", "Editor", QColor(22, 163, 74), 60 * 24 * 9},
    };
    for (const auto &row : rows) {
        auto *clipping = new ClippingItem;
        clipping->setData(QString(row.text), Qt::DisplayRole);
        clipping->setData(0, TypeRole);
        clipping->setData(QString(), HtmlRole);
        clipping->setData(QString(row.text), TextRole);
        clipping->setData(now.addSecs(-60 * row.minutesAgo - 5), TimeRole);
        clipping->setData(QUuid::createUuid(), IdRole);
        clipping->setData(Screenshots::applicationIcon(row.colour), Qt::DecorationRole);
        clipping->setData(false, RemovedRole);
        clipping->setData(QString(row.application), ApplicationRole);
        if (!HistoryItemModel::instance()->addItem(clipping))
            delete clipping;
    }
}

// The texts a window shows in labels, buttons, group titles and fields.
QList<std::pair<QWidget *, QString>> shownTexts(QWidget *window)
{
    QList<std::pair<QWidget *, QString>> texts;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisible())
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->textFormat() != Qt::RichText)
            texts.append({label, label->text()});
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            texts.append({button, button->text().remove('&')});
        else if (auto *group = qobject_cast<QGroupBox *>(widget))
            texts.append({group, group->title()});
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            texts.append({edit, edit->placeholderText()});
    }
    return texts;
}

// Characters of the text that no font of the system can draw, in the widget's font.
QString undrawable(QWidget *widget, QString text)
{
    text.replace('\n', ' ');
    QTextLayout layout(text, widget->font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QString missing;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        if (std::find(glyphs.cbegin(), glyphs.cend(), 0u) != glyphs.cend())
            missing += run.rawFont().familyName() + " ";
    }
    return missing;
}

void checkTexts(QWidget *window, bool checkFit)
{
    for (const auto &[widget, text] : shownTexts(window)) {
        if (text.isEmpty())
            continue;
        const QString missing = undrawable(widget, text);
        QVERIFY2(missing.isEmpty(), qPrintable(widget->objectName() + ": \"" + text + "\" has no glyphs in " + missing));
        const auto *label = qobject_cast<QLabel *>(widget);
        const bool sizedByText = (label && !label->wordWrap() && label->pixmap().isNull()) ||
                                 qobject_cast<QAbstractButton *>(widget);
        if (checkFit && sizedByText)
            QVERIFY2(widget->width() >= widget->sizeHint().width(),
                     qPrintable(widget->objectName() + ": \"" + text + "\" is cut off"));
    }
}

} // namespace

class TestLanguageScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs a real X server");
    }

    void cleanup()
    {
        Translation::selectLanguage("English");
    }

    void testWindowsInEveryLanguage_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : Translation::getLanguages())
            QTest::newRow(qPrintable(language)) << language;
    }

    void testWindowsInEveryLanguage()
    {
        QFETCH(QString, language);
        {
            QSettings settings = Utils::settings();
            settings.clear();
            settings.setValue("SyncTarget", "None");
            settings.setValue("Language", language);
            settings.setValue("WindowSize", QSize(420, 520));
        }
        QDir(Utils::dataPath()).removeRecursively();

        // The window applies the stored language through its settings dialog.
        MainWindow window;
        seedHistory();
        window.updateHeaderButtons();
        window.move(100, 100);
        window.showHistory();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(200);
        QVERIFY(window.grab().toImage().save(Screenshots::path("language-" + language + "-history")));
        checkTexts(&window, false);
        if (QTest::currentTestFailed())
            return;
        if (language != "English")
            QVERIFY(window.findChild<QLineEdit *>("searchEdit")->placeholderText() != "Search");
        window.hideHistory();

        SettingsDialog *dialog = window.settings();
        QVERIFY(dialog);
        dialog->move(30, 30);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        dialog->setUpdateInfo(false, false);
        for (const char *page : {"general", "history", "snippets", "sync", "applications", "actions", "about"}) {
            dialog->findChild<QAbstractButton *>(page)->click();
            QTest::qWait(100);
            QVERIFY(dialog->grab().toImage().save(
                Screenshots::path(QString("language-%1-settings-%2").arg(language, page))));
            checkTexts(dialog->findChild<QStackedWidget *>("stackedWidget")->currentWidget(), true);
            if (QTest::currentTestFailed())
                return;
        }
        checkTexts(dialog, false);
        dialog->reject();
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestLanguageScreenshots)
#include "tst_languagescreenshots.moc"
