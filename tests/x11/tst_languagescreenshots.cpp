#include "actions/actioneditor.h"
#include "settings/releasenotesdialog.h"
#include "common/translation.h"
#include "history/clippingitem.h"
#include "history/historyitemmodel.h"
#include "history/itemrole.h"
#include "images/editor/imageeditdialog.h"
#include "settings/delaydialog.h"
#include "settings/settingsdialog.h"
#include "widgets/shortcutdialog.h"
#include "settings/snippetclipdialog.h"
#include "snippets/snippetmodel.h"
#include "sync/synclogdialog.h"
#include "widgets/elidedlabel.h"
#include "window/editdialog.h"
#include "window/mainwindow.h"
#include "window/monitor.h"
#include "common/utils.h"
#include "screenshotsupport.h"
#include "windowtestsupport.h"

#include <QAbstractButton>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <QUuid>

// Every window of the program in every language on a real X server, with the desktop's fonts.
// Pictures go to <build>/screenshots/ for review by eye; the checks make sure that every text is
// drawn with real glyphs (no empty boxes for a script without a font) and that none is cut off.
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

// The text a widget shows, and whether it has less room than that text needs: a label, button or
// group title narrower than its text (a tool button elides its name then), a wrapped label
// shorter than its lines, a status line that elides, an empty field narrower than its hint.
std::pair<QString, bool> shownText(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (!label->pixmap().isNull())
            return {};
        const bool cut = label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                                           : label->width() < label->sizeHint().width();
        return {label->text(), cut};
    }
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        const QSize needed = button->sizeHint();
        return {button->text().remove('&'), button->width() < needed.width() || button->height() < needed.height()};
    }
    if (auto *group = qobject_cast<QGroupBox *>(widget))
        return {group->title(), group->width() < group->minimumSizeHint().width()};
    if (auto *status = qobject_cast<ElidedLabel *>(widget))
        return {status->text(), status->isElided()};
    if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && edit->text().isEmpty()) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        const QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        const int needed = edit->fontMetrics().horizontalAdvance(edit->placeholderText()) + 4;
        return {edit->placeholderText(), room.width() < needed};
    }
    return {};
}

// Every text of a shown window is drawn with real glyphs and has the room it needs.
void checkTexts(QWidget *window)
{
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisible())
            continue;
        const auto [text, cut] = shownText(widget);
        if (text.isEmpty())
            continue;
        const QString where = QString(window->metaObject()->className()) + "/" + widget->objectName();
        const QString missing = undrawable(widget, text);
        QVERIFY2(missing.isEmpty(), qPrintable(where + ": \"" + text + "\" has no glyphs in " + missing));
        QVERIFY2(!cut, qPrintable(where + ": \"" + text + "\" is cut off"));
    }
}

// Shows a window, keeps its picture and checks its texts.
void checkWindow(QWidget *window, const QString &language, const QString &name)
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::qWait(100);
    QVERIFY(window->grab().toImage().save(Screenshots::path("language-" + language + "-" + name)));
    checkTexts(window);
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
        checkWindow(&window, language, "history");
        if (QTest::currentTestFailed())
            return;
        if (language != "English")
            QVERIFY(window.findChild<QLineEdit *>("searchEdit")->placeholderText() != "Search");
        window.hideHistory();

        SettingsDialog *dialog = window.settings();
        QVERIFY(dialog);
        dialog->move(30, 30);
        dialog->setUpdateInfo(false, false);
        for (const char *page : {"general", "history", "snippets", "sync", "applications", "actions", "about"}) {
            dialog->findChild<QAbstractButton *>(page)->click();
            checkWindow(dialog, language, QString("settings-") + page);
            if (QTest::currentTestFailed())
                return;
        }
        dialog->reject();

        // Every other window of the program.
        QImage picture(400, 300, QImage::Format_ARGB32);
        picture.fill(QColor(16, 128, 192));
        ImageEditDialog imageEditor(picture);
        ActionEditor actionEditor(nullptr, nullptr);
        ReleaseNotesDialog releaseNotes;
        EditDialog editDialog;
        SnippetClipDialog clipDialog;
        ShortcutDialog shortcutDialog;
        DelayDialog delayDialog(nullptr, 100);
        SyncLogDialog syncLog;
        Monitor monitor;
        const QList<std::pair<QWidget *, const char *>> windows{
            {&imageEditor, "image-editor"}, {&actionEditor, "action-editor"}, {&releaseNotes, "release-notes"},
            {&editDialog, "edit"},          {&clipDialog, "snippet-clip"},    {&shortcutDialog, "shortcut"},
            {&delayDialog, "delay"},        {&syncLog, "sync-log"},           {&monitor, "monitor"}};
        for (const auto &[shown, name] : windows) {
            checkWindow(shown, language, name);
            shown->hide();
            if (QTest::currentTestFailed())
                return;
        }
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestLanguageScreenshots)
#include "tst_languagescreenshots.moc"
