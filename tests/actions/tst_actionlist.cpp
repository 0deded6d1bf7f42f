#include "actions/actioneditor.h"
#include "actions/actionfile.h"
#include "actions/actionlist.h"
#include "common/translation.h"
#include "actionwidgettestsupport.h"
#include "codeeditor/qcodeeditor.h"
#include "common/safefile.h"
#include "common/utils.h"
#include "history/itemrole.h"
#include "settings/settingsdialog.h"
#include "snippets/utilskeywords.h"
#include "widgets/shortcutdialog.h"
#include "windowtestsupport.h"

#include <QDialogButtonBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

using namespace ActionWidgets;

namespace {

QString builtIn(const QString &name)
{
    return ActionFile::builtInFolder() + "/" + name;
}

QListWidgetItem *rowOf(ActionList &list, const QString &key)
{
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->data(FileNameRole).toString() == key)
            return list.item(row);
    }
    return nullptr;
}

QStringList keysOf(ActionList &list)
{
    QStringList keys;
    for (int row = 0; row < list.count(); ++row)
        keys.append(list.item(row)->data(FileNameRole).toString());
    return keys;
}

QMenu *menuOf(ActionList &list, const QString &key)
{
    return list.itemWidget(rowOf(list, key))->findChild<QPushButton *>()->menu();
}

QStringList entries(ActionList &list, const QString &key)
{
    QStringList texts;
    for (const QAction *action : menuOf(list, key)->actions()) {
        if (!action->isSeparator())
            texts.append(action->text());
    }
    return texts;
}

void trigger(ActionList &list, const QString &key, const QString &text)
{
    for (QAction *action : menuOf(list, key)->actions()) {
        if (action->text() == text) {
            action->trigger();
            return;
        }
    }
    QFAIL(qPrintable("no menu entry " + text));
}

// The badge tool tips of a row and whether its shortcut badge shows.
QStringList badges(ActionList &list, const QString &key)
{
    QStringList tips;
    for (const QLabel *label : list.itemWidget(rowOf(list, key))->findChildren<QLabel *>()) {
        if (label->objectName() == "command")
            tips.append(label->isVisibleTo(label->parentWidget()) ? "shortcut " + label->toolTip() : QString());
        else if (!label->toolTip().isEmpty())
            tips.append(label->toolTip());
    }
    tips.removeAll(QString());
    return tips;
}

QString titleStyle(ActionList &list, const QString &key)
{
    return list.itemWidget(rowOf(list, key))->findChildren<QLabel *>().first()->styleSheet();
}

QVariant stored(const QString &key)
{
    return Utils::settings().value(key);
}

void answerShortcut(const QKeySequence &sequence)
{
    answerNext<ShortcutDialog>([sequence](ShortcutDialog *dialog) {
        dialog->findChild<QKeySequenceEdit *>("keySequenceEdit")->setKeySequence(sequence);
        dialog->accept();
    });
}

void answerQuestion(QMessageBox::StandardButton answer)
{
    answerNext<QMessageBox>([answer](QMessageBox *box) { box->button(answer)->click(); });
}

const QStringList BuiltInNames{"01-tolower.json", "02-toupper.json", "03-jsonprettyprint.json", "04-stripthtml.json",
                               "05-currenttime.json", "06-generatepassword.json", "07-hexdump.json",
                               "08-datetovalue.json", "09-valuetodate.json", "10-createguid.json",
                               "11-wordwrap.json", "12-splitlines.json"};

} // namespace

class TestActionList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As the program does at start; a catalogue installed later retranslates open windows.
        Translation::selectLanguage("English");
    }

    void init()
    {
        Utils::settings().clear();
        clearUserFolder();
    }

    void testBuiltInActionsAlone()
    {
        ActionList list;
        QStringList expected;
        for (const QString &name : BuiltInNames)
            expected.append(builtIn(name));
        QCOMPARE(keysOf(list), expected);
        for (const QString &key : expected) {
            QCOMPARE(badges(list, key), QStringList{"Built-in actions cannot be edited."});
            QCOMPARE(entries(list, key), QStringList({"View", "Set shortcut", "Hide from menu"}));
        }
        const QVariantMap titles = stored("Actions").toMap();
        QCOMPARE(titles.keys(), expected);
        QCOMPARE(titles.value(builtIn("11-wordwrap.json")).toString(), "Word wrap");
        QCOMPARE(titles.value(builtIn("04-stripthtml.json")).toString(), "Stript HTML tags");
    }

    // The list is what makes actions reachable by name: snippet placeholders find them in "Actions".
    void testPlaceholdersRunTheListedActions()
    {
        const QString shout = writeAction("Shout.json", {{"title", "Shout"}, {"script", "(c => c.plainText + '!')"}});
        const QString text = "{To uppercase} {Shout}";
        QCOMPARE(Utils::replaceKeywords(text, "Editor", {"abc"}), text);
        ActionList list;
        QCOMPARE(Utils::replaceKeywords(text, "Editor", {"abc"}), QString("ABC abc!"));

        answerQuestion(QMessageBox::Yes);
        trigger(list, shout, "Delete");
        QCOMPARE(Utils::replaceKeywords(text, "Editor", {"abc"}), QString("ABC {Shout}"));
    }

    void testRowsShowTheirActions_data()
    {
        QTest::addColumn<QJsonObject>("action");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QStringList>("badges");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("dimmed");

        const QJsonObject plain{{"title", "Mine"}, {"script", "(c => c.plainText)"}};
        QJsonObject failed = plain;
        failed["failed"] = true;
        const QStringList usual{"Edit", "Set shortcut", "Hide from menu", "Delete"};
        QTest::newRow("plain") << plain << false << "" << QStringList{} << usual << false;
        QTest::newRow("failed") << failed << false << "" << QStringList{"There are errors in the action script."}
                                << usual << false;
        QTest::newRow("hidden") << plain << true << "" << QStringList{}
                                << QStringList({"Edit", "Set shortcut", "Show in menu", "Delete"}) << true;
        QTest::newRow("bound") << plain << false << "Ctrl+Alt+M" << QStringList{"shortcut Ctrl+Alt+M"}
                               << QStringList({"Edit", "Remove shortcut", "Hide from menu", "Delete"}) << false;
    }

    void testRowsShowTheirActions()
    {
        QFETCH(QJsonObject, action);
        QFETCH(bool, hidden);
        QFETCH(QString, shortcut);
        QFETCH(QStringList, badges);
        QFETCH(QStringList, entries);
        QFETCH(bool, dimmed);

        const QString path = writeAction("Mine.json", action);
        QSettings settings = Utils::settings();
        if (hidden)
            settings.setValue("HiddenActions", QStringList{path});
        settings.setValue("ActionShortcuts", QVariantMap{{path, shortcut}});
        settings.sync();

        ActionList list;
        QCOMPARE(keysOf(list).last(), path);
        QCOMPARE(::badges(list, path), badges);
        QCOMPARE(::entries(list, path), entries);
        QCOMPARE(titleStyle(list, path).contains("color"), dimmed);
        QListWidgetItem *item = rowOf(list, path);
        QCOMPARE(item->data(TitleRole).toString(), "Mine");
        QCOMPARE(item->data(TextRole).toString(), "(c => c.plainText)");
        QCOMPARE(item->data(HiddenActionRole).toBool(), hidden);
        QCOMPARE(item->data(HotkeyRole).toString(), shortcut);
        QCOMPARE(item->sizeHint().width(), list.itemWidget(item)->minimumSizeHint().width());
    }

    void testLongDescriptionIsNeverCut()
    {
        const QString path = writeAction("Long.json", {{"title", "Long"},
                                                       {"description", QString("A description of many words. ").repeated(6)}});
        ActionList list;
        list.resize(320, 400);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        for (const int width : {320, 480, 260}) {
            list.resize(width, 400);
            list.scrollToBottom();
            QTRY_VERIFY(list.itemWidget(rowOf(list, path))->isVisible());
            const QLabel *description = list.itemWidget(rowOf(list, path))->findChildren<QLabel *>().at(1);
            QTRY_VERIFY2(description->height() >= description->heightForWidth(description->width()),
                         qPrintable(QString("%1 at width %2").arg(description->height()).arg(width)));
            QVERIFY(description->heightForWidth(description->width()) > 2 * description->fontMetrics().height());
        }
    }

    void testHideAndBindAreStoredOnlyBySave()
    {
        const QString mine = writeAction("Mine.json", {{"title", "Mine"}});
        ActionList list;
        const QString upper = builtIn("02-toupper.json");

        trigger(list, upper, "Hide from menu");
        QVERIFY(titleStyle(list, upper).contains("color"));
        QCOMPARE(entries(list, upper), QStringList({"View", "Set shortcut", "Show in menu"}));
        answerShortcut(QKeySequence("Ctrl+Alt+M"));
        trigger(list, mine, "Set shortcut");
        QCOMPARE(badges(list, mine), QStringList{"shortcut Ctrl+Alt+M"});
        QCOMPARE(entries(list, mine), QStringList({"Edit", "Remove shortcut", "Hide from menu", "Delete"}));
        // A rejected shortcut dialog changes nothing.
        answerNext<ShortcutDialog>([](ShortcutDialog *dialog) { dialog->reject(); });
        trigger(list, upper, "Set shortcut");
        QCOMPARE(rowOf(list, upper)->data(HotkeyRole).toString(), "");

        QVERIFY(!Utils::settings().contains("HiddenActions"));
        QVERIFY(!Utils::settings().contains("ActionShortcuts"));

        QSettings settings = Utils::settings();
        list.saveSettings(settings);
        settings.sync();
        QCOMPARE(stored("HiddenActions").toStringList(), QStringList{upper});
        const QVariantMap shortcuts = stored("ActionShortcuts").toMap();
        QCOMPARE(shortcuts.size(), BuiltInNames.size() + 1);
        QCOMPARE(shortcuts.value(mine).toString(), "Ctrl+Alt+M");
        QCOMPARE(shortcuts.value(upper).toString(), "");

        // Shown again and unbound, both drop out.
        trigger(list, upper, "Show in menu");
        trigger(list, mine, "Remove shortcut");
        QCOMPARE(badges(list, mine), QStringList{});
        list.saveSettings(settings);
        settings.sync();
        QCOMPARE(stored("HiddenActions").toStringList(), QStringList{});
        QCOMPARE(stored("ActionShortcuts").toMap().value(mine).toString(), "");
    }

    void testRebuildKeepsUnsavedChangesAndThePlace()
    {
        for (int i = 0; i < 20; ++i)
            writeAction(QString("Extra%1.json").arg(i, 2, 10, QChar('0')), {{"title", QString("Extra %1").arg(i)}});
        ActionList list;
        list.resize(400, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QString extra = ActionFile::userFolder() + "/Extra05.json";
        trigger(list, extra, "Hide from menu");
        answerShortcut(QKeySequence("Ctrl+Alt+E"));
        trigger(list, extra, "Set shortcut");
        QScrollBar *bar = list.verticalScrollBar();
        QVERIFY(bar->maximum() > 10);
        bar->setValue(bar->maximum() - 3);
        const int place = bar->value();

        writeAction("Zlast.json", {{"title", "Last"}});
        list.scanFiles();
        QCOMPARE(bar->value(), place);
        QCOMPARE(rowOf(list, extra)->data(HiddenActionRole).toBool(), true);
        QCOMPARE(rowOf(list, extra)->data(HotkeyRole).toString(), "Ctrl+Alt+E");
        QCOMPARE(keysOf(list).last(), ActionFile::userFolder() + "/Zlast.json");
        QVERIFY(stored("Actions").toMap().contains(ActionFile::userFolder() + "/Zlast.json"));

        // The dialog's Cancel: rows as stored again.
        list.reload();
        QCOMPARE(rowOf(list, extra)->data(HiddenActionRole).toBool(), false);
        QCOMPARE(rowOf(list, extra)->data(HotkeyRole).toString(), "");
    }

    void testDeleteLeavesATombstone()
    {
        const QJsonObject original{{"title", "Doomed"}, {"description", "d"}, {"script", "(c => 1)"},
                                   {"input", "i"}, {"params", QJsonArray{"p"}}, {"failed", false},
                                   {"created", "2020-01-02T03:04:05"}};
        const QString path = writeAction("Doomed.json", original);
        const QString other = writeAction("Other.json", {{"title", "Other"}});
        ActionList list;
        answerShortcut(QKeySequence("Ctrl+Alt+D"));
        trigger(list, path, "Set shortcut");

        // No keeps it.
        answerQuestion(QMessageBox::No);
        trigger(list, path, "Delete");
        QCOMPARE(readAction(path), original);
        QVERIFY(rowOf(list, path));

        QString question;
        answerNext<QMessageBox>([&question](QMessageBox *box) {
            question = box->windowTitle() + ": " + box->text();
            box->button(QMessageBox::Yes)->click();
        });
        trigger(list, path, "Delete");
        QCOMPARE(question, "Kestovan: Are you sure you want to delete the action 'Doomed'?");

        QJsonObject tombstone = readAction(path);
        QCOMPARE(tombstone["deleted"], QJsonValue(true));
        QVERIFY(tombstone["created"].toString() != "2020-01-02T03:04:05");
        QVERIFY(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d(Z|[+-]\\d\\d:\\d\\d)$").match(tombstone["created"].toString()).hasMatch());
        QCOMPARE(ActionWidgets::bytesOf(path), QJsonDocument(tombstone).toJson(QJsonDocument::Compact));
        tombstone.remove("deleted");
        tombstone.remove("created");
        QJsonObject rest = original;
        rest.remove("created");
        QCOMPARE(tombstone, rest);

        // Gone from the list, from the menus and from the shortcuts saved next.
        QVERIFY(!rowOf(list, path));
        QVERIFY(rowOf(list, other));
        QVERIFY(!stored("Actions").toMap().contains(path));
        list.scanFiles();
        QVERIFY(!rowOf(list, path));
        QSettings settings = Utils::settings();
        list.saveSettings(settings);
        settings.sync();
        QVERIFY(!stored("ActionShortcuts").toMap().contains(path));
        // No other file was touched or left behind.
        QCOMPARE(QDir(ActionFile::userFolder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"Doomed.json", "Other.json"}));
    }

    void testFailedDeleteKeepsTheActionWholeAndSaysSo()
    {
        const QString path = writeAction("Kept.json", {{"title", "Kept"}, {"script", "(c => 1)"}});
        const QByteArray before = ActionWidgets::bytesOf(path);
        // Something in the way of the save's temporary file.
        QVERIFY(QDir().mkpath(SafeFile::temporaryPath(path) + "/blocker"));
        ActionList list;

        QString warning;
        answerNext<QMessageBox>([&warning](QMessageBox *box) {
            box->button(QMessageBox::Yes)->click();
            answerNext<QMessageBox>([&warning](QMessageBox *box) {
                warning = box->windowTitle() + ": " + box->text();
                box->accept();
            });
        });
        trigger(list, path, "Delete");
        QTRY_COMPARE(warning, "Kestovan: Failed to delete the file '" + path + "'.");
        QCOMPARE(ActionWidgets::bytesOf(path), before);
        QVERIFY(rowOf(list, path));
        QVERIFY(stored("Actions").toMap().contains(path));
        QDir(SafeFile::temporaryPath(path)).removeRecursively();
    }

    void testEditFromTheMenuRebuildsTheList()
    {
        const QString path = writeAction("Edited.json", {{"title", "Before"}, {"script", "(c => c.plainText)"}});
        ActionList list;
        trigger(list, builtIn("02-toupper.json"), "Hide from menu");
        answerNext<ActionEditor>([](ActionEditor *editor) {
            QCOMPARE(editor->findChild<QLineEdit *>("title")->text(), "Before");
            editor->findChild<QLineEdit *>("title")->setText("After");
            editor->accept();
        });
        trigger(list, path, "Edit");
        QCOMPARE(rowOf(list, path)->data(TitleRole).toString(), "After");
        QCOMPARE(stored("Actions").toMap().value(path).toString(), "After");
        QCOMPARE(readAction(path)["title"].toString(), "After");
        QVERIFY(rowOf(list, builtIn("02-toupper.json"))->data(HiddenActionRole).toBool());
    }

    void testSettingsDialogAddsSavesAndCancels()
    {
        SettingsDialog dialog(nullptr, nullptr, nullptr);
        auto *list = dialog.findChild<ActionList *>("actionList");
        QVERIFY(!dialog.findChild<QWidget *>("actions")->isHidden());

        answerNext<ActionEditor>([](ActionEditor *editor) {
            editor->findChild<QLineEdit *>("title")->setText("Added");
            editor->findChild<QCodeEditor *>("editor")->setPlainText("(c => c.plainText + '!')");
            editor->accept();
        });
        dialog.findChild<QPushButton *>("addAction")->click();
        const QString added = ActionFile::userFolder() + "/Added.json";
        QCOMPARE(keysOf(*list).last(), added);
        QCOMPARE(stored("Actions").toMap().value(added).toString(), "Added");

        // Cancel drops the hide and the shortcut; OK stores them.
        const auto hideAndBind = [&] {
            dialog.show();
            trigger(*list, added, "Hide from menu");
            answerShortcut(QKeySequence("Ctrl+Alt+A"));
            trigger(*list, added, "Set shortcut");
        };
        hideAndBind();
        dialog.reject();
        QVERIFY(!rowOf(*list, added)->data(HiddenActionRole).toBool());
        QCOMPARE(rowOf(*list, added)->data(HotkeyRole).toString(), "");
        dialog.show();
        dialog.accept();
        QCOMPARE(stored("HiddenActions").toStringList(), QStringList{});
        QCOMPARE(stored("ActionShortcuts").toMap().value(added).toString(), "");

        hideAndBind();
        dialog.accept();
        QCOMPARE(stored("HiddenActions").toStringList(), QStringList{added});
        QCOMPARE(stored("ActionShortcuts").toMap().value(added).toString(), "Ctrl+Alt+A");
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestActionList)
#include "tst_actionlist.moc"
