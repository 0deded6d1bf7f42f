#include "modalwatcher.h"
#include "snippettestsupport.h"

#include "actions/actionfile.h"
#include "common/globals.h"
#include "common/safefile.h"
#include "settings/settingsdialog.h"
#include "widgets/shortcutdialog.h"
#include "settings/snippetclipdialog.h"
#include "settings/snippeteditor.h"
#include "settings/snippetspage.h"
#include "snippets/backup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <memory>

// The snippets page of the settings dialog on a real snippet model and file: groups and snippets
// added, edited, moved and removed, the options and insert menus, export and import, and what OK
// and Cancel leave in the snippet file.
namespace {

const QString Then = QStringLiteral("2024-03-01T10:00:00");
const QString Mark = QString(QChar(SnippetEditor::CursorMark));

const QUuid WorkId("{7d3b0c1e-0000-4000-8000-000000000001}");
const QUuid HomeId("{7d3b0c1e-0000-4000-8000-000000000002}");
const QUuid EmptyId("{7d3b0c1e-0000-4000-8000-000000000003}");
const QUuid AlphaId("{7d3b0c1e-0000-4000-8000-0000000000a1}");
const QUuid BetaId("{7d3b0c1e-0000-4000-8000-0000000000b2}");
const QUuid GammaId("{7d3b0c1e-0000-4000-8000-0000000000c3}");
const QUuid DeltaId("{7d3b0c1e-0000-4000-8000-0000000000d4}");

// Work: Alpha, Beta, Gamma | Home: Delta | Empty, all last changed at Then.
QByteArray seedDocument()
{
    using namespace SnippetTest;
    return document(QJsonArray{
        groupObject("Work", WorkId, Then,
                    QJsonArray{snippetObject("Alpha", AlphaId, Then, "first {CLIP}", "::a", "Ctrl+Alt+1"),
                               snippetObject("Beta", BetaId, Then, "second"),
                               snippetObject("Gamma", GammaId, Then, "third")}),
        groupObject("Home", HomeId, Then, QJsonArray{snippetObject("Delta", DeltaId, Then, "fourth", "::d")}),
        groupObject("Empty", EmptyId, Then),
    });
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A snippet's fields that must travel with it, whatever its row.
QString fields(const QModelIndex &snippet)
{
    return QStringList{snippet.data(IdRole).toUuid().toString(), snippet.data(TextRole).toString(),
                       snippet.data(HotkeyRole).toString(), snippet.data(ExpanderRole).toString()}
        .join('|');
}

QModelIndex findSnippet(const QStandardItemModel &model, const QString &title)
{
    for (int g = 0; g < model.rowCount(); ++g) {
        for (int s = 0; s < model.item(g)->rowCount(); ++s) {
            if (model.item(g)->child(s)->text() == title)
                return model.item(g)->child(s)->index();
        }
    }
    return QModelIndex();
}

QModelIndex findGroup(const QStandardItemModel &model, const QString &title)
{
    const QList<QStandardItem *> found = model.findItems(title);
    return found.isEmpty() ? QModelIndex() : found.first()->index();
}

bool isRecent(const QVariant &time, const QDateTime &since)
{
    return time.toDateTime() >= since && time.toDateTime() <= QDateTime::currentDateTime();
}

} // namespace

class TestSnippetsPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RecordingSync> m_sync;
    std::unique_ptr<SnippetModel> m_model;
    std::unique_ptr<SettingsDialog> m_dialog;

    // A store holding the seed document, and a dialog on it showing the snippets page.
    void openDialog()
    {
        m_dialog.reset();
        m_model.reset();
        SnippetTest::resetStore();
        SettingsDialog::updateDefaultSettings();
        QVERIFY(writeFile(SnippetTest::snippetPath(), seedDocument()));
        m_sync = std::make_unique<RecordingSync>();
        m_model = std::make_unique<SnippetModel>(nullptr, m_sync.get());
        m_model->load();
        QCOMPARE(SnippetTest::outline(*m_model), "Work: Alpha, Beta, Gamma | Home: Delta | Empty: ");
        m_dialog = std::make_unique<SettingsDialog>(nullptr, m_model.get(), nullptr);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        button("snippets")->click();
    }

    // The snippets page's own button first: other pages have buttons of the same names (the sync
    // log's "exportButton").
    QAbstractButton *button(const char *name)
    {
        if (auto *own = m_dialog->findChild<SnippetsPage *>()->findChild<QAbstractButton *>(name))
            return own;
        return m_dialog->findChild<QAbstractButton *>(name);
    }
    QListView *groups() { return m_dialog->findChild<QListView *>("listGroups"); }
    QListView *snippets() { return m_dialog->findChild<QListView *>("listSnippets"); }
    SnippetEditor *editor() { return static_cast<SnippetEditor *>(m_dialog->findChild<QTextEdit *>("textSnippet")); }
    QMenu *menu(const char *button) { return m_dialog->findChild<QPushButton *>(button)->menu(); }

    void select(const QString &group, const QString &snippet = QString())
    {
        groups()->setCurrentIndex(findGroup(*m_model, group));
        if (!snippet.isEmpty())
            snippets()->setCurrentIndex(findSnippet(*m_model, snippet));
    }

    QString currentSnippetTitle() { return snippets()->currentIndex().data().toString(); }

    QLineEdit *inlineEditor(QListView *list) { return list->viewport()->findChild<QLineEdit *>(); }

    // Types a name into the list's open name editor and ends it with Return.
    bool typeName(QListView *list, const QString &name)
    {
        QLineEdit *editor = inlineEditor(list);
        if (!editor)
            return false;
        editor->selectAll();
        QTest::keyClicks(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
        return true;
    }

    // The menu that moveSnippet pops up.
    QMenu *groupMenu()
    {
        QMenu *menu = nullptr;
        if (!QTest::qWaitFor([&menu] { return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); }, 5000))
            return nullptr;
        return menu;
    }

private slots:
    void init()
    {
        qputenv("KESTOVAN_DARK_MODE", "0");
    }

    void cleanup()
    {
        m_dialog.reset();
        m_model.reset();
        demoEnabled = false;
    }

    void testShowingSelectsTheFirstSnippetWithoutChangingIt()
    {
        openDialog();
        QCOMPARE(groups()->currentIndex().data().toString(), "Work");
        QCOMPARE(currentSnippetTitle(), "Alpha");
        QCOMPARE(editor()->convertToPlainText(), "first {CLIP}");
        const QModelIndex alpha = findSnippet(*m_model, "Alpha");
        QCOMPARE(alpha.data(TimeRole).toDateTime(), SnippetTest::time(Then));
        QCOMPARE(alpha.data(TextRole).toString(), "first {CLIP}");

        select("Empty");
        QVERIFY(!snippets()->currentIndex().isValid());
        QCOMPARE(editor()->toPlainText(), "");
        QVERIFY(!editor()->isEnabled());
        QVERIFY(!button("removeSnippet")->isEnabled());
        QVERIFY(!button("moveSnippet")->isEnabled());
        QVERIFY(!button("snippetSettings")->isEnabled());
        QVERIFY(button("addSnippet")->isEnabled());

        // Typing writes the text, its tooltip and the time.
        select("Home", "Delta");
        const QDateTime before = QDateTime::currentDateTime();
        editor()->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor(), " {CLIP}");
        const QModelIndex delta = findSnippet(*m_model, "Delta");
        QCOMPARE(delta.data(TextRole).toString(), "fourth {CLIP}");
        QCOMPARE(delta.data(Qt::ToolTipRole).toString(), "fourth {CLIP}");
        QVERIFY(isRecent(delta.data(TimeRole), before));
    }

    void testSnippetMovesKeepIdsAndTimes_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("snippet");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("touched");

        QTest::newRow("second up") << "Work" << "Beta" << "upSnippet" << "" << "Work: Beta, Alpha, Gamma | Home: Delta | Empty: "
                                   << "Beta" << "Beta";
        QTest::newRow("first down") << "Work" << "Alpha" << "downSnippet" << "" << "Work: Beta, Alpha, Gamma | Home: Delta | Empty: "
                                    << "Alpha" << "Alpha";
        QTest::newRow("first up not offered") << "Work" << "Alpha" << "upSnippet" << ""
                                              << "Work: Alpha, Beta, Gamma | Home: Delta | Empty: " << "Alpha" << "";
        QTest::newRow("last down not offered") << "Work" << "Gamma" << "downSnippet" << ""
                                               << "Work: Alpha, Beta, Gamma | Home: Delta | Empty: " << "Gamma" << "";
        QTest::newRow("middle to another group") << "Work" << "Beta" << "moveSnippet" << "Home"
                                                 << "Work: Alpha, Gamma | Home: Delta, Beta | Empty: " << "Alpha" << "Beta";
        QTest::newRow("top to an empty group") << "Work" << "Alpha" << "moveSnippet" << "Empty"
                                               << "Work: Beta, Gamma | Home: Delta | Empty: Alpha" << "Beta" << "Alpha";
        QTest::newRow("only one to another group") << "Home" << "Delta" << "moveSnippet" << "Work"
                                                   << "Work: Alpha, Beta, Gamma, Delta | Home:  | Empty: " << "" << "Delta";
    }

    void testSnippetMovesKeepIdsAndTimes()
    {
        QFETCH(QString, group);
        QFETCH(QString, snippet);
        QFETCH(QString, button);
        QFETCH(QString, target);
        QFETCH(QString, outline);
        QFETCH(QString, current);
        QFETCH(QString, touched);

        openDialog();
        QMap<QString, QString> before;
        for (const QString &title : {"Alpha", "Beta", "Gamma", "Delta"})
            before.insert(title, fields(findSnippet(*m_model, title)));
        select(group, snippet);
        const QDateTime start = QDateTime::currentDateTime();

        this->button(qPrintable(button))->click();
        if (!target.isEmpty()) {
            QMenu *menu = groupMenu();
            QVERIFY(menu);
            QStringList titles;
            for (QAction *action : menu->actions()) {
                titles.append(action->text());
                QCOMPARE(action->isEnabled(), action->text() != group);
            }
            QCOMPARE(titles, (QStringList{"Work", "Home", "Empty"}));
            menu->actions().at(findGroup(*m_model, target).row())->trigger();
            menu->close();
        }

        QCOMPARE(SnippetTest::outline(*m_model), outline);
        QCOMPARE(currentSnippetTitle(), current);
        QCOMPARE(groups()->currentIndex().data().toString(), group);
        const QModelIndex shown = snippets()->currentIndex();
        QCOMPARE(editor()->convertToPlainText(), shown.isValid() ? shown.data(TextRole).toString() : QString());
        QVERIFY(m_model->removedItems.isEmpty());
        for (const QString &title : before.keys()) {
            const QModelIndex index = findSnippet(*m_model, title);
            QCOMPARE(fields(index), before.value(title));
            if (title == touched)
                QVERIFY2(isRecent(index.data(TimeRole), start), qPrintable(title));
            else
                QCOMPARE(index.data(TimeRole).toDateTime(), SnippetTest::time(Then));
        }
    }

    void testSnippetMovedTwoPlacesTakesItsPlaceElsewhere()
    {
        openDialog();
        select("Work", "Gamma");
        button("upSnippet")->click();
        button("upSnippet")->click();
        QCOMPARE(SnippetTest::outline(*m_model), "Work: Gamma, Alpha, Beta | Home: Delta | Empty: ");

        // Another computer still holds the order from before the move.
        SnippetModel other(nullptr, nullptr);
        other.deserialize(seedDocument(), false);
        other.deserialize(m_model->serialize(true), false);
        QCOMPARE(SnippetTest::outline(other), SnippetTest::outline(*m_model));
    }

    void testGroupMovesKeepIdsAndTimes_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<bool>("moved");
        QTest::newRow("second up") << "Home" << "upGroup" << "Home: Delta | Work: Alpha, Beta, Gamma | Empty: " << true;
        QTest::newRow("first down") << "Work" << "downGroup" << "Home: Delta | Work: Alpha, Beta, Gamma | Empty: " << true;
        QTest::newRow("first up not offered") << "Work" << "upGroup" << "Work: Alpha, Beta, Gamma | Home: Delta | Empty: " << false;
        QTest::newRow("last down not offered") << "Empty" << "downGroup" << "Work: Alpha, Beta, Gamma | Home: Delta | Empty: "
                                               << false;
    }

    void testGroupMovesKeepIdsAndTimes()
    {
        QFETCH(QString, group);
        QFETCH(QString, button);
        QFETCH(QString, outline);
        QFETCH(bool, moved);

        openDialog();
        select(group);
        const QList<QUuid> ids = SnippetTest::ids(*m_model);
        const QDateTime start = QDateTime::currentDateTime();
        this->button(qPrintable(button))->click();

        QCOMPARE(SnippetTest::outline(*m_model), outline);
        const QModelIndex current = groups()->currentIndex();
        QCOMPARE(current.data().toString(), group);
        QCOMPARE(QModelIndex(snippets()->rootIndex()), current);
        QVERIFY(m_model->removedItems.isEmpty());
        QList<QUuid> idsAfter = SnippetTest::ids(*m_model);
        QCOMPARE(QSet<QUuid>(idsAfter.begin(), idsAfter.end()), QSet<QUuid>(ids.begin(), ids.end()));
        for (int row = 0; row < m_model->rowCount(); ++row) {
            const QModelIndex index = m_model->index(row, 0);
            if (moved && index == current)
                QVERIFY(isRecent(index.data(TimeRole), start));
            else
                QCOMPARE(index.data(TimeRole).toDateTime(), SnippetTest::time(Then));
        }
    }

    void testAddRenameAndRemoveGroupsAndSnippets()
    {
        openDialog();
        const QDateTime start = QDateTime::currentDateTime();

        button("addGroup")->click();
        const QModelIndex group = m_model->index(3, 0);
        QCOMPARE(group.data().toString(), "New group");
        QCOMPARE(groups()->currentIndex(), group);
        QVERIFY(!group.data(IdRole).toUuid().isNull());
        QVERIFY(isRecent(group.data(TimeRole), start));
        // The name is typed straight away; Return ends the naming, not the dialog.
        QVERIFY(typeName(groups(), "Projects"));
        QTRY_COMPARE(group.data().toString(), "Projects");
        QVERIFY(m_dialog->isVisible());

        button("addSnippet")->click();
        const QModelIndex snippet = m_model->index(0, 0, group);
        QCOMPARE(snippet.data().toString(), "New snippet");
        QCOMPARE(snippets()->currentIndex(), snippet);
        QVERIFY(!snippet.data(IdRole).toUuid().isNull());
        QVERIFY(snippet.data(IdRole) != group.data(IdRole));
        QVERIFY(typeName(snippets(), "Greeting"));
        QTRY_COMPARE(snippet.data().toString(), "Greeting");
        QVERIFY(m_dialog->isVisible());
        QVERIFY(editor()->isEnabled());
        QTest::keyClicks(editor(), "Hello");
        QCOMPARE(snippet.data(TextRole).toString(), "Hello");

        // The edit buttons stamp the time and open the name for editing.
        select("Work", "Beta");
        button("editSnippet")->click();
        QVERIFY(inlineEditor(snippets()));
        QVERIFY(isRecent(findSnippet(*m_model, "Beta").data(TimeRole), start));
        QTest::keyClick(inlineEditor(snippets()), Qt::Key_Escape);
        button("editGroup")->click();
        QVERIFY(inlineEditor(groups()));
        QVERIFY(isRecent(findGroup(*m_model, "Work").data(TimeRole), start));
        QTest::keyClick(inlineEditor(groups()), Qt::Key_Escape);

        // Removing asks nothing, records the removal for sync and shows a neighbour.
        select("Work", "Beta");
        button("removeSnippet")->click();
        QCOMPARE(SnippetTest::outline(*m_model), "Work: Alpha, Gamma | Home: Delta | Empty:  | Projects: Greeting");
        QVERIFY(m_model->removedItems.contains(BetaId));
        QCOMPARE(editor()->convertToPlainText(), snippets()->currentIndex().data(TextRole).toString());

        select("Home", "Delta");
        button("removeGroup")->click();
        QCOMPARE(SnippetTest::outline(*m_model), "Work: Alpha, Gamma | Empty:  | Projects: Greeting");
        QVERIFY(m_model->removedItems.contains(HomeId));
        QVERIFY(groups()->currentIndex().isValid());
        QCOMPARE(QModelIndex(snippets()->rootIndex()), groups()->currentIndex());
        QCOMPARE(editor()->convertToPlainText(), snippets()->currentIndex().data(TextRole).toString());
    }

    void testSwappedSnippetsLeaveNoKeywordBehind()
    {
        openDialog();
        select("Home", "Delta");
        // A new snippet carries no keyword or hotkey of its own.
        button("addSnippet")->click();
        QTest::keyClick(inlineEditor(snippets()), Qt::Key_Escape);
        button("upSnippet")->click();
        QCOMPARE(SnippetTest::outline(*m_model), "Work: Alpha, Beta, Gamma | Home: New snippet, Delta | Empty: ");
        QCOMPARE(findSnippet(*m_model, "Delta").data(ExpanderRole).toString(), "::d");
        QCOMPARE(findSnippet(*m_model, "New snippet").data(ExpanderRole).toString(), "");
        QCOMPARE(currentSnippetTitle(), "New snippet");
    }

    void testRenamingInTheListStampsTheTime_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("title");
        QTest::newRow("group") << "listGroups" << "Work";
        QTest::newRow("snippet") << "listSnippets" << "Alpha";
    }

    void testRenamingInTheListStampsTheTime()
    {
        QFETCH(QString, list);
        QFETCH(QString, title);
        openDialog();
        const QDateTime start = QDateTime::currentDateTime();
        auto *view = m_dialog->findChild<QListView *>(list);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F2);
        QVERIFY(typeName(view, "Renamed"));
        QTRY_COMPARE(view->currentIndex().data().toString(), "Renamed");
        QVERIFY(isRecent(view->currentIndex().data(TimeRole), start));
        QVERIFY(m_dialog->isVisible());
    }

    void testOptionsMenu_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("snippet");
        QTest::addColumn<QString>("answer"); // empty: no dialog expected; "cancel": cancelled
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hotkey");
        QTest::addColumn<QString>("keyword");

        QTest::newRow("keyword without its spaces") << 2 << "Beta" << " a b\tc " << "Clear expand keyword" << "" << "abc";
        QTest::newRow("keyword of spaces only") << 2 << "Beta" << "   " << "Set expand keyword" << "" << "";
        QTest::newRow("keyword cancelled") << 2 << "Beta" << "cancel" << "Set expand keyword" << "" << "";
        QTest::newRow("keyword cleared") << 2 << "Alpha" << "" << "Set expand keyword" << "Ctrl+Alt+1" << "";
        QTest::newRow("shortcut set") << 1 << "Beta" << "Ctrl+Alt+K" << "Clear shortcut" << "Ctrl+Alt+K" << "";
        QTest::newRow("shortcut cancelled") << 1 << "Beta" << "cancel" << "Set shortcut" << "" << "";
        QTest::newRow("shortcut cleared") << 1 << "Alpha" << "" << "Set shortcut" << "" << "::a";
        QTest::newRow("content hidden") << 0 << "Beta" << "" << "Show content" << "" << "";
    }

    void testOptionsMenu()
    {
        QFETCH(int, entry);
        QFETCH(QString, snippet);
        QFETCH(QString, answer);
        QFETCH(QString, text);
        QFETCH(QString, hotkey);
        QFETCH(QString, keyword);

        openDialog();
        select("Work", snippet);
        QAction *action = menu("snippetSettings")->actions().at(entry);
        const bool hadHotkey = !findSnippet(*m_model, snippet).data(HotkeyRole).toString().isEmpty();
        QCOMPARE(menu("snippetSettings")->actions().at(1)->text(), hadHotkey ? "Clear shortcut" : "Set shortcut");

        std::unique_ptr<QObject> watcher;
        QString title;
        QString label;
        if (entry == 1 && !answer.isEmpty()) {
            watcher = std::make_unique<ModalWatcher<ShortcutDialog>>([answer](ShortcutDialog *dialog) {
                if (answer == "cancel")
                    return dialog->reject();
                dialog->findChild<QKeySequenceEdit *>()->setKeySequence(QKeySequence(answer));
                dialog->accept();
            });
        } else if (entry == 2 && !answer.isEmpty()) {
            watcher = std::make_unique<ModalWatcher<QInputDialog>>([&, answer](QInputDialog *dialog) {
                title = dialog->windowTitle();
                label = dialog->labelText();
                if (answer == "cancel")
                    return dialog->reject();
                dialog->setTextValue(answer);
                dialog->accept();
            });
        }
        action->trigger();
        if (entry == 2 && !answer.isEmpty()) {
            QCOMPARE(title, "Set keyword");
            QCOMPARE(label, "Give the keyword which will be\nautomatically replaced with the snippet.");
        }

        const QModelIndex index = findSnippet(*m_model, snippet);
        QCOMPARE(index.data(HotkeyRole).toString(), hotkey);
        QCOMPARE(index.data(ExpanderRole).toString(), keyword);
        QCOMPARE(index.data(HideRole).toBool(), entry == 0);
        QCOMPARE(index.data(TimeRole).toDateTime(), SnippetTest::time(Then));
        QCOMPARE(action->text(), text);
        QCOMPARE(m_dialog->findChild<QLabel *>("iconHotkey")->isVisible(), !hotkey.isEmpty());
        QCOMPARE(m_dialog->findChild<QLabel *>("iconHotkey")->toolTip(), hotkey);
        QCOMPARE(m_dialog->findChild<QLabel *>("iconExpand")->isVisible(), !keyword.isEmpty());
        QCOMPARE(m_dialog->findChild<QLabel *>("iconExpand")->toolTip(), keyword);
        QCOMPARE(m_dialog->findChild<QLabel *>("iconHideContent")->isVisible(), entry == 0);
    }

    void testInsertMenu()
    {
        openDialog();
        QVERIFY(QDir().mkpath(ActionFile::userFolder()));
        QVERIFY(ActionFile::write(ActionFile::userFolder() + "/Shout.json",
                                  QJsonObject{{"title", "Shout"}, {"script", "(clipping) => clipping.toUpperCase()"}}));
        // The menu is built when the dialog loads: construction and Cancel.
        m_dialog->reject();
        m_dialog->show();
        select("Work", "Beta");

        const QList<QAction *> entries = menu("snippetInsert")->actions();
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.at(0)->text(), "Clipping...");
        QCOMPARE(entries.at(1)->text(), "Cursor");
        QCOMPARE(entries.at(2)->text(), "Action");
        // The built-in actions first, then the user's.
        const QList<QAction *> actions = entries.at(2)->menu()->actions();
        QCOMPARE(actions.size(), 13);
        QCOMPARE(actions.at(0)->text(), "To lowercase");
        QCOMPARE(actions.at(11)->text(), "Split lines");
        QCOMPARE(actions.at(12)->text(), "Shout");

        editor()->moveCursor(QTextCursor::End);
        actions.at(12)->trigger();
        ModalWatcher<SnippetClipDialog> position([](SnippetClipDialog *dialog) {
            dialog->findChild<QRadioButton *>("index")->setChecked(true);
            dialog->findChild<QSpinBox *>("indexSpinBox")->setValue(3);
            dialog->accept();
        });
        entries.at(0)->trigger();
        QVERIFY(position.answered());
        ModalWatcher<SnippetClipDialog> cancelled([](SnippetClipDialog *dialog) { dialog->reject(); });
        entries.at(0)->trigger();
        QVERIFY(cancelled.answered());
        QTextCursor start = editor()->textCursor();
        start.setPosition(1);
        editor()->setTextCursor(start);
        entries.at(1)->trigger();

        const QString expected = "s" + Mark + "econd{Shout}{CLIP:3}";
        QCOMPARE(editor()->convertToPlainText(), expected);
        QCOMPARE(findSnippet(*m_model, "Beta").data(TextRole).toString(), expected);
    }

    void testExportWritesTheIndentedStoreUnderADatedName_data()
    {
        QTest::addColumn<bool>("desktop");
        QTest::newRow("on the desktop") << true;
        QTest::newRow("home without a desktop folder") << false;
    }

    void testExportWritesTheIndentedStoreUnderADatedName()
    {
        QFETCH(bool, desktop);
        openDialog();
        m_model->removedItems.insert(QUuid::createUuid(), QDateTime::currentDateTime());
        const QString desktopFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QDir(desktopFolder).removeRecursively();
        if (desktop)
            QVERIFY(QDir().mkpath(desktopFolder));
        const QString folder = desktop ? desktopFolder : QDir::homePath();
        const QString proposed = folder + "/Snippets-" + QDate::currentDate().toString("yyyy-MM-dd") + ".json";
        const QString target = QDir::homePath() + "/export " + QTest::currentDataTag() + ".json";
        QFile::remove(target);

        QString title;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QString shown;
        QStringList filters;
        ModalWatcher<QFileDialog> save([&](QFileDialog *dialog) {
            title = dialog->windowTitle();
            mode = dialog->acceptMode();
            shown = dialog->selectedFiles().value(0);
            filters = dialog->nameFilters();
            dialog->selectFile(target);
            static_cast<QDialog *>(dialog)->accept();
        });
        button("exportButton")->click();
        QVERIFY(save.answered());
        QCOMPARE(title, "Save snippets");
        QCOMPARE(mode, QFileDialog::AcceptSave);
        QCOMPARE(shown, proposed);
        QCOMPARE(filters, (QStringList{"JSON files (*.json)", "All files (*.*);"}));

        const QByteArray written = fileBytes(target);
        QCOMPARE(written, m_model->serialize(false));
        QVERIFY(written.contains("\n    \"groups\""));
        QVERIFY(!written.contains("removedItems"));
        QVERIFY(!QFile::exists(SafeFile::temporaryPath(target)));
    }

    void testFailedExportSaysSoAndChangesNothing()
    {
        openDialog();
        const QString target = QDir::homePath() + "/blocked.json";
        // The temporary file of the checked save cannot be made.
        QVERIFY(QDir().mkpath(SafeFile::temporaryPath(target)));
        const QByteArray before = m_model->serialize(true);

        ModalWatcher<QFileDialog> save([&](QFileDialog *dialog) {
            dialog->selectFile(target);
            static_cast<QDialog *>(dialog)->accept();
        });
        QString title;
        QString text;
        ModalWatcher<QMessageBox> box([&](QMessageBox *box) {
            title = box->windowTitle();
            text = box->text();
            box->accept();
        });
        button("exportButton")->click();
        QVERIFY(save.answered());
        QVERIFY(box.answered());
        QCOMPARE(title, "Export error");
        QVERIFY2(text.startsWith("Failed to export the snippets to " + target), qPrintable(text));
        QVERIFY(!QFile::exists(target));
        QCOMPARE(m_model->serialize(true), before);
    }

    void testImport_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("error"); // the start of the reason shown, or empty
        QTest::addColumn<int>("count");

        using namespace SnippetTest;
        const QUuid newGroup("{7d3b0c1e-0000-4000-8000-0000000000e5}");
        QTest::newRow("new group") << document(QJsonArray{groupObject(
            "Imported", newGroup, Then,
            QJsonArray{snippetObject("One", QUuid("{7d3b0c1e-0000-4000-8000-0000000000f6}"), Then),
                       snippetObject("Two", QUuid("{7d3b0c1e-0000-4000-8000-0000000000f7}"), Then)})})
                                   << "Work: Alpha, Beta, Gamma | Home: Delta | Empty:  | Imported: One, Two" << "" << 2;
        QTest::newRow("known snippet merged by id")
            << document(QJsonArray{groupObject("Work", WorkId, Then,
                                               QJsonArray{snippetObject("Beta two", BetaId, Then, "second, newer")})})
            << "Work: Beta two, Alpha, Gamma | Home: Delta | Empty: " << "" << 1;
        QTest::newRow("not JSON") << QByteArray("{\"groups\": [") << "Work: Alpha, Beta, Gamma | Home: Delta | Empty: "
                                  << "The file is not valid JSON" << -1;
        QTest::newRow("not a snippet document") << QByteArray(R"({"groups": [], "magic": 12, "version": 7})")
                                                << "Work: Alpha, Beta, Gamma | Home: Delta | Empty: " << "" << -1;
    }

    void testImport()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, outline);
        QFETCH(QString, error);
        QFETCH(int, count);

        openDialog();
        select("Work", "Beta");
        const QString path = QDir::homePath() + "/import.json";
        QVERIFY(writeFile(path, file));
        const QByteArray before = fileBytes(SnippetTest::snippetPath());
        const QString backup = Backup::filePath("Snippets", QDate::currentDate());
        QFile::remove(backup);
        MessageLog log;

        QString dialogTitle;
        QString folder;
        ModalWatcher<QFileDialog> open([&](QFileDialog *dialog) {
            dialogTitle = dialog->windowTitle();
            folder = dialog->directory().absolutePath();
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        });
        QString title;
        QString text;
        std::unique_ptr<ModalWatcher<QMessageBox>> box;
        if (!error.isEmpty()) {
            box = std::make_unique<ModalWatcher<QMessageBox>>([&](QMessageBox *box) {
                title = box->windowTitle();
                text = box->text();
                box->accept();
            });
        }
        button("importButton")->click();
        QVERIFY(open.answered());
        QCOMPARE(dialogTitle, "Load snippets");
        QCOMPARE(folder, QDir::homePath());

        QCOMPARE(SnippetTest::outline(*m_model), outline);
        if (count >= 0) {
            QCOMPARE(log.count(QtDebugMsg, QString("Imported  %1  snippets from  \"%2\"").arg(count).arg(path)), 1);
            // Saved and synchronised at once, with the day's backup.
            QCOMPARE(fileBytes(SnippetTest::snippetPath()), m_model->serialize(true));
            QVERIFY(QFile::exists(backup));
            QCOMPARE(m_sync->syncCalls.size(), 1);
        } else {
            QCOMPARE(fileBytes(SnippetTest::snippetPath()), before);
            QVERIFY(!QFile::exists(backup));
            QVERIFY(m_sync->syncCalls.isEmpty());
            QCOMPARE(log.count(QtDebugMsg, "Imported "), 0);
        }
        if (!error.isEmpty()) {
            QVERIFY(box->answered());
            QCOMPARE(title, "Import error");
            QVERIFY2(text.startsWith("Failed to import the snippets from " + path + "\n" + error), qPrintable(text));
        }
        if (file.contains("\"magic\": 12"))
            QCOMPARE(log.count(QtWarningMsg, "holds no Kestovan snippets"), 1);
        // The editor shows the snippet that is current now, never text of one that was replaced.
        QCOMPARE(editor()->convertToPlainText(), snippets()->currentIndex().data(TextRole).toString());
    }

    void testEditsReachTheFileOnOkAndVanishOnCancel()
    {
        openDialog();
        const QByteArray before = fileBytes(SnippetTest::snippetPath());
        select("Work", "Gamma");
        editor()->selectAll();
        QTest::keyClicks(editor(), "cancelled text");
        button("addGroup")->click();
        QTest::keyClick(inlineEditor(groups()), Qt::Key_Escape);
        m_dialog->reject();
        QCOMPARE(fileBytes(SnippetTest::snippetPath()), before);
        QCOMPARE(SnippetTest::outline(*m_model), "Work: Alpha, Beta, Gamma | Home: Delta | Empty: ");
        QCOMPARE(findSnippet(*m_model, "Gamma").data(TextRole).toString(), "third");

        m_dialog->show();
        QCOMPARE(editor()->convertToPlainText(), "first {CLIP}");
        select("Work", "Gamma");
        editor()->selectAll();
        QTest::keyClicks(editor(), "kept text");
        button("upSnippet")->click();
        m_dialog->accept();

        const QJsonObject document = QJsonDocument::fromJson(fileBytes(SnippetTest::snippetPath())).object();
        const QJsonArray work = document.value("groups").toArray().at(0).toObject().value("snippets").toArray();
        QCOMPARE(work.at(1).toObject().value("title").toString(), "Gamma");
        QCOMPARE(work.at(1).toObject().value("text").toString(), "kept text");
        QCOMPARE(work.at(1).toObject().value("id").toString(), GammaId.toString());
        QCOMPARE(work.at(2).toObject().value("title").toString(), "Beta");
    }

    // The demo reads no snippet file; its Cancel must still take back what was not confirmed.
    void testDemoCancelBringsBackARemovedGroup()
    {
        demoEnabled = true;
        SnippetTest::resetStore();
        SettingsDialog::updateDefaultSettings();
        m_sync = std::make_unique<RecordingSync>();
        m_model = std::make_unique<SnippetModel>(nullptr, m_sync.get());
        m_model->load();
        const QString samples = SnippetTest::outline(*m_model);
        QVERIFY2(samples.contains("Emoji: "), qPrintable(samples));
        m_dialog = std::make_unique<SettingsDialog>(nullptr, m_model.get(), nullptr);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        button("snippets")->click();

        select("Emoji");
        const QUuid emoji = groups()->currentIndex().data(IdRole).toUuid();
        button("removeGroup")->click();
        QVERIFY(!SnippetTest::outline(*m_model).contains("Emoji: "));
        m_dialog->reject();
        QCOMPARE(SnippetTest::outline(*m_model), samples);
        QVERIFY(m_model->removedItems.isEmpty());

        // Confirmed, the removal stays through a later Cancel, as the file keeps it in normal use.
        m_dialog->show();
        select("Emoji");
        button("removeGroup")->click();
        m_dialog->accept();
        const QString confirmed = SnippetTest::outline(*m_model);
        m_dialog->show();
        m_dialog->reject();
        QCOMPARE(SnippetTest::outline(*m_model), confirmed);
        QVERIFY(!confirmed.contains("Emoji: "));
        QVERIFY(m_model->removedItems.contains(emoji));
    }

    void testCancelReplacesTheMenusWithoutLeaking()
    {
        openDialog();
        auto *page = m_dialog->findChild<SnippetsPage *>();
        const qsizetype menus = page->findChildren<QMenu *>().size();
        QPointer<QMenu> options = menu("snippetSettings");
        QPointer<QMenu> insert = menu("snippetInsert");
        for (int i = 0; i < 3; ++i)
            m_dialog->reject();
        QCOMPARE(page->findChildren<QMenu *>().size(), menus);
        QVERIFY(insert.isNull());
        QVERIFY(options.isNull());
        QCOMPARE(menu("snippetSettings")->parent(), menu("snippetInsert")->parent());
    }
};

KESTOVAN_SNIPPET_TEST_MAIN(TestSnippetsPage)
#include "tst_snippetspage.moc"
