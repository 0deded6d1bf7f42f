#include "viewtestsupport.h"

#include "clipboardtestsupport.h"
#include "images/editor/editortestsupport.h"
#include "images/editor/imageeditdialog.h"
#include "common/safefile.h"
#include "modalwatcher.h"
#include "window/historyitemdelegate.h"
#include "window/historyitemview.h"
#include "platform/keycodes.h"
#include "platform/nullplatformbackend.h"
#include "platform/platformbackend.h"
#include "popupwatcher.h"
#include "smalldisk.h"
#include "snippettestsupport.h"
#include "warningboxes.h"

#include <QDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QSignalSpy>

class TestHistoryContextMenu : public QObject
{
    Q_OBJECT

    QObject m_owner;
    RecordingSync *m_sync = nullptr;
    HistoryItemView *m_view = nullptr;
    QTemporaryDir m_actions;

    HistoryFilterModel *proxy() const { return HistoryItemModel::proxyInstance(); }
    HistoryItemModel *history() const { return HistoryItemModel::instance(); }

    void select(const QList<int> &rows)
    {
        m_view->clearSelection();
        for (int row : rows)
            m_view->selectionModel()->select(proxy()->index(row, 0), QItemSelectionModel::Select);
    }

    // The entries of the menu for a row with the given rows selected.
    QStringList menuFor(int row, const QList<int> &selection, const QString &submenuTitle = QString())
    {
        select(selection);
        QStringList entries;
        PopupWatcher watcher([&](QMenu *menu) {
            const QMenu *shown = submenuTitle.isEmpty() ? menu : ViewTest::submenu(menu, submenuTitle);
            entries = shown ? ViewTest::entryTexts(shown) : QStringList{"(no such submenu)"};
            menu->hide();
        });
        m_view->showMenu(proxy()->index(row, 0), QPoint(100, 100));
        return entries;
    }

    bool choose(int row, const QList<int> &selection, const QString &entry)
    {
        select(selection);
        bool chosen = false;
        PopupWatcher watcher([&](QMenu *menu) { chosen = ViewTest::chooseEntry(menu, entry); });
        m_view->showMenu(proxy()->index(row, 0), QPoint(100, 100));
        return chosen;
    }

    QString writeAction(const QString &name, const QString &title, const QString &script)
    {
        const QString path = m_actions.path() + "/" + name;
        const QJsonObject action{{"title", title}, {"script", script}};
        HistoryTest::writeFile(path, QJsonDocument(action).toJson());
        return path;
    }

    void addImageRow(int type, const QString &fileName)
    {
        auto *image = HistoryTest::imageItem(fileName, QDateTime::currentDateTime().addSecs(-3600));
        image->setData(type, TypeRole);
        history()->appendRow(image);
    }

    // An image clipping whose cached picture is image; returns the picture's path.
    QString addCachedImage(int type, const QString &fileName, const QImage &image)
    {
        addImageRow(type, fileName);
        const QUuid id = history()->item(history()->rowCount() - 1)->data(IdRole).toUuid();
        const QString folder = Utils::dataPath() + "/images/" + id.toString();
        QDir().mkpath(folder);
        const QString path = folder + "/" + fileName;
        return image.save(path) ? path : QString();
    }

    // Stores edited pictures as the main window does.
    QMetaObject::Connection storeEditedImages()
    {
        HistoryItemModel *model = history();
        HistoryFilterModel *filter = proxy();
        return connect(m_view, &HistoryItemView::imageAction, model, [model, filter](const QModelIndex &index, const QImage &image) {
            model->updateItem(filter->mapToSource(index), image);
        });
    }

    void addGroups(const QStringList &titles)
    {
        for (const QString &title : titles)
            SnippetModel::instance()->appendRow(
                SnippetTest::group(title, QUuid::createUuid(), QDateTime::currentDateTime()));
    }

    // Waits for the clipboard listener to have seen what happened so far.
    void settle()
    {
        bool done = false;
        QTimer::singleShot(150, this, [&done] { done = true; });
        QTRY_VERIFY(done);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_actions.isValid());
        m_sync = new RecordingSync(this);
        ViewTest::initializeModels(&m_owner, m_sync);
        m_view = new HistoryItemView;
        m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_view->setItemDelegate(new HistoryItemDelegate(m_view));
        m_view->setModel(proxy());
        m_view->snippetModel = SnippetModel::instance();
        m_view->resize(420, 500);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
    }

    void cleanupTestCase() { delete m_view; }

    void init()
    {
        ViewTest::clearModels();
        ViewTest::appendTexts({"first clipping", "second clipping", "third clipping", "fourth clipping"});
        HistoryTest::setSetting("Actions", QVariantMap());
        HistoryTest::setSetting("HiddenActions", QStringList());
        NullPlatformBackend::current()->setHeldModifiers(0);
        m_view->clearSelection();
    }

    void testTextRowMenu()
    {
        const QStringList common{"--", "Keep forever", "Run action >", "--", "Remove", "Remove all"};
        QCOMPARE(menuFor(1, {1}), QStringList({"Paste", "Plain Text", "Type Text", "Unstylish text", "--", "Edit..."}) + common);
        // Nothing selected: the menu is about the row it was opened on.
        QCOMPARE(menuFor(1, {}).mid(0, 2), QStringList({"Paste", "Plain Text"}));

        addGroups({"Work", "Home"});
        history()->item(2)->setData(true, LockedRole);
        const QStringList withGroups = menuFor(2, {2});
        QCOMPARE(withGroups.mid(6), QStringList({"--", "Release lock", "Add to snippets >", "Run action >", "--", "Remove", "Remove all"}));
        QCOMPARE(menuFor(2, {2}, "Add to snippets"), QStringList({"Add to 'Work'", "Add to 'Home'"}));
    }

    void testImageAndFileRowMenus()
    {
        addImageRow(1, "picture.png");
        addImageRow(2, "document.png");
        const QStringList expected{"Paste as Image", "Paste as File", "Extract texts", "Edit...", "--",
                                   "Keep forever", "Run action >", "--", "Remove", "Remove all"};
        QCOMPARE(menuFor(4, {4}), expected);
        QCOMPARE(menuFor(5, {5}), expected);
    }

    void testSelectionMenus()
    {
        addImageRow(1, "picture.png");
        addImageRow(2, "document.png");
        const QStringList full{"Paste selected", "Merge", "Reverse", "--", "Remove selected"};
        QCOMPARE(menuFor(0, {0, 1, 2}), full);
        QCOMPARE(menuFor(0, {0, 1, 4}), QStringList({"Reverse", "--", "Remove selected"}));
        // A file clipping is not an image here.
        QCOMPARE(menuFor(0, {0, 1, 5}), full);
    }

    void testShiftMenuHoldsOnlyTheActions()
    {
        const QString upper = writeAction("upper.json", "Upper", "(c => c.plainText.toUpperCase())");
        HistoryTest::setSetting("Actions", QVariantMap{{upper, "Upper"}});
        NullPlatformBackend::current()->setHeldModifiers(MacFlag::Shift);
        QCOMPARE(menuFor(1, {1}), QStringList{"Upper"});
        // Not with two rows, nor for an image.
        QCOMPARE(menuFor(1, {1, 2}).first(), QString("Paste selected"));
        addImageRow(1, "picture.png");
        QCOMPARE(menuFor(4, {4}).first(), QString("Paste as Image"));
    }

    void testSingleRowEntriesEmitTheirRequests_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<QVariantList>("extra");
        QTest::newRow("Paste") << 0 << false << "Paste" << QByteArray(SIGNAL(normalPaste(QModelIndex))) << QVariantList();
        QTest::newRow("Plain Text") << 0 << false << "Plain Text" << QByteArray(SIGNAL(plainText(QModelIndex))) << QVariantList();
        QTest::newRow("Type Text") << 0 << false << "Type Text" << QByteArray(SIGNAL(typeText(QModelIndex))) << QVariantList();
        QTest::newRow("Unstylish text") << 0 << false << "Unstylish text" << QByteArray(SIGNAL(strippedText(QModelIndex)))
                                        << QVariantList();
        QTest::newRow("Keep forever") << 0 << false << "Keep forever" << QByteArray(SIGNAL(lockItem(QModelIndex, bool)))
                                      << QVariantList{true};
        QTest::newRow("Release lock") << 0 << true << "Release lock" << QByteArray(SIGNAL(lockItem(QModelIndex, bool)))
                                      << QVariantList{false};
        QTest::newRow("Remove") << 0 << false << "Remove" << QByteArray(SIGNAL(removeItem(QModelIndex))) << QVariantList();
        QTest::newRow("Paste as Image") << 1 << false << "Paste as Image" << QByteArray(SIGNAL(pasteAsImage(QModelIndex)))
                                        << QVariantList();
        QTest::newRow("Paste as File") << 2 << false << "Paste as File" << QByteArray(SIGNAL(pasteAsFile(QModelIndex)))
                                       << QVariantList();
    }

    void testSingleRowEntriesEmitTheirRequests()
    {
        QFETCH(int, type);
        QFETCH(bool, locked);
        QFETCH(QString, entry);
        QFETCH(QByteArray, signal);
        QFETCH(QVariantList, extra);
        int row = 2;
        if (type != 0) {
            addImageRow(type, "picture.png");
            row = 4;
        }
        history()->item(row)->setData(locked, LockedRole);
        QSignalSpy spy(m_view, signal.constData());
        QVERIFY(choose(row, {row}, entry));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toModelIndex(), proxy()->index(row, 0));
        QCOMPARE(spy.at(0).mid(1), extra);
    }

    void testRemoveAllEntry()
    {
        QSignalSpy spy(m_view, &HistoryItemView::removeAll);
        QVERIFY(choose(0, {0}, "Remove all"));
        QCOMPARE(spy.count(), 1);
    }

    void testEntryChosenWithTheKeyboard()
    {
        QSignalSpy spy(m_view, &HistoryItemView::plainText);
        select({1});
        PopupWatcher watcher([](QMenu *menu) {
            menu->setActiveAction(ViewTest::findEntry(menu, "Plain Text"));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        m_view->showMenu(proxy()->index(1, 0), QPoint(100, 100));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toModelIndex().row(), 1);
    }

    void testSelectionEntriesActOnTheSelection()
    {
        QSignalSpy multiple(m_view, &HistoryItemView::multipleActivated);
        QSignalSpy merged(m_view, &HistoryItemView::merge);
        QSignalSpy removed(m_view, &HistoryItemView::removeItems);

        QVERIFY(choose(0, {0, 2}, "Paste selected"));
        QCOMPARE(ViewTest::rowsOf(multiple.at(0).at(0).value<QList<QModelIndex>>()), QStringList({"0", "2"}));

        QVERIFY(choose(0, {1, 3}, "Remove selected"));
        QCOMPARE(ViewTest::rowsOf(removed.at(0).at(0).value<QList<QModelIndex>>()), QStringList({"1", "3"}));

        // Merge: the merged clipping lands at the top of the unpinned rows and gets selected.
        history()->item(0)->setData(true, Qt::CheckStateRole);
        QVERIFY(choose(1, {1, 2}, "Merge"));
        QCOMPARE(ViewTest::rowsOf(merged.at(0).at(0).value<QList<QModelIndex>>()), QStringList({"1", "2"}));
        QVERIFY(m_view->selectionModel()->selectedIndexes().isEmpty());
        QTRY_COMPARE(ViewTest::rowsOf(m_view->selectionModel()->selectedIndexes()), QStringList{"1"});
    }

    void testReverseKeepsTheSameRowsSelected()
    {
        connect(m_view, &HistoryItemView::reverse, history(), &HistoryItemModel::reverseItems);
        QVERIFY(choose(0, {0, 1, 3}, "Reverse"));
        disconnect(m_view, &HistoryItemView::reverse, history(), &HistoryItemModel::reverseItems);
        QCOMPARE(HistoryTest::texts(*history()),
                 QStringList({"fourth clipping", "second clipping", "third clipping", "first clipping"}));
        QStringList rows = ViewTest::rowsOf(m_view->selectionModel()->selectedIndexes());
        rows.sort();
        QCOMPARE(rows, QStringList({"0", "1", "3"}));
    }

    void testMenuOfASearchResultActsOnThatResultOnly()
    {
        QSignalSpy removedOne(m_view, &HistoryItemView::removeItem);
        QSignalSpy removedMany(m_view, &HistoryItemView::removeItems);
        // The list behind the search page still has its own selection.
        select({0, 1, 2});
        QStringList entries;
        PopupWatcher watcher([&](QMenu *menu) {
            entries = ViewTest::entryTexts(menu);
            ViewTest::chooseEntry(menu, "Remove");
        });
        m_view->resultMenuClicked(proxy()->index(3, 0), QPoint(300, 200));
        QCOMPARE(entries.first(), QString("Paste"));
        QCOMPARE(removedMany.count(), 0);
        QCOMPARE(removedOne.count(), 1);
        QCOMPARE(removedOne.at(0).at(0).toModelIndex().data().toString(), QString("fourth clipping"));
    }

    void testClippingCapturedWhileTheMenuIsOpenDoesNotShiftIt()
    {
        QSignalSpy removed(m_view, &HistoryItemView::removeItem);
        select({2});
        PopupWatcher watcher([&](QMenu *menu) {
            history()->insertRow(0, HistoryTest::textItem("captured meanwhile", QDateTime::currentDateTime()));
            ViewTest::chooseEntry(menu, "Remove");
        });
        m_view->showMenu(proxy()->index(2, 0), QPoint(100, 100));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(0).toModelIndex().data().toString(), QString("third clipping"));
    }

    void testEditReplacesTheClippingAndPutsItOnTheClipboard()
    {
        HistoryItemModel *model = history();
        HistoryFilterModel *filter = proxy();
        auto connection = connect(m_view, &HistoryItemView::textAction, model,
                                  [model, filter](const QModelIndex &index, const QString &text) {
                                      model->updateItem(filter->mapToSource(index), text);
                                  });
        model->item(1)->setData("<b>second</b> clipping", HtmlRole);
        QString shown;
        ViewTest::ModalWatcher watcher([&shown](QWidget *dialog) {
            auto *editor = dialog->findChild<QPlainTextEdit *>();
            shown = editor->toPlainText();
            editor->setPlainText("edited\ntext");
            static_cast<QDialog *>(dialog)->accept();
        });
        QVERIFY(choose(1, {1}, "Edit..."));
        disconnect(connection);
        QCOMPARE(shown, QString("second clipping"));
        QCOMPARE(model->item(1)->data(TextRole).toString(), QString("edited\ntext"));
        const QMimeData *data = ClipboardTest::clipboard()->mimeData();
        QCOMPARE(data->text(), QString("edited\ntext"));
        QVERIFY(!data->hasHtml());
        settle();
        QCOMPARE(model->rowCount(), 4);
    }

    void testRejectedEditChangesNothing()
    {
        ClipboardTest::setText("what was there");
        settle();
        const int rows = history()->rowCount();
        QSignalSpy edited(m_view, &HistoryItemView::textAction);
        ViewTest::ModalWatcher watcher([](QWidget *dialog) {
            dialog->findChild<QPlainTextEdit *>()->setPlainText("not wanted");
            static_cast<QDialog *>(dialog)->reject();
        });
        QVERIFY(choose(1, {1}, "Edit..."));
        QCOMPARE(edited.count(), 0);
        QCOMPARE(ClipboardTest::clipboard()->text(), QString("what was there"));
        QCOMPARE(history()->rowCount(), rows);
    }

    void testEditImageStoresTheEditedPictureAndPutsItsFileOnTheClipboard_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("image clipping") << 1;
        QTest::newRow("file clipping") << 2;
    }

    void testEditImageStoresTheEditedPictureAndPutsItsFileOnTheClipboard()
    {
        QFETCH(int, type);
        QImage before(160, 120, QImage::Format_RGB32);
        before.fill(QColor(30, 120, 200));
        const QString path = addCachedImage(type, "picture.png", before);
        QVERIFY(!path.isEmpty());
        const int rows = history()->rowCount();
        const QDateTime time = history()->item(4)->data(TimeRole).toDateTime();
        auto connection = storeEditedImages();
        QSignalSpy edited(m_view, &HistoryItemView::imageAction);

        QImage shown;
        ModalWatcher<ImageEditDialog> watcher([&shown](ImageEditDialog *dialog) {
            auto *view = dialog->findChild<ImageEditGraphicsView *>();
            shown = view->image();
            view->setMode(EditMode::Rectangle);
            EditorTest::drag(*view, {30, 30}, {120, 90});
            dialog->accept();
        });
        QVERIFY(choose(4, {4}, "Edit..."));
        disconnect(connection);

        QCOMPARE(shown, before);
        QCOMPARE(edited.count(), 1);
        const QImage after = edited.first().at(1).value<QImage>();
        QCOMPARE(after.size(), before.size());
        QVERIFY(after != before.convertToFormat(after.format()));
        // The cached file becomes the edited picture, and the clipboard holds that file.
        QTRY_COMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), after.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(ClipboardTest::clipboard()->mimeData()->urls(), QList<QUrl>{QUrl::fromLocalFile(path)});
        QVERIFY(history()->item(4)->data(TimeRole).toDateTime() > time);
        settle();
        QCOMPARE(history()->rowCount(), rows);
    }

    void testEditedPictureThatCannotBeWrittenKeepsTheOldOne_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("failure");
        // Pictures are read in this format but cannot be written in it.
        QTest::newRow("format without a writer") << "animation.gif" << "format";
        QTest::newRow("temporary name taken by a folder") << "picture.png" << "taken";
        QTest::newRow("full disk") << "picture.png" << "full";
    }

    void testEditedPictureThatCannotBeWrittenKeepsTheOldOne()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, failure);
        WarningBoxesShown shown;
        // A picture cached well in between lets the next failure be told again.
        QImage fine(8, 8, QImage::Format_RGB32);
        fine.fill(Qt::yellow);
        addImageRow(1, "fine.png");
        history()->updateItem(history()->index(history()->rowCount() - 1, 0), fine);
        QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
        QCoreApplication::processEvents();

        addImageRow(2, fileName);
        const int row = history()->rowCount() - 1;
        const QString folder = Utils::dataPath() + "/images/" + history()->item(row)->data(IdRole).toUuid().toString();
        std::unique_ptr<SmallDisk> disk;
        if (failure == "full") {
            disk = std::make_unique<SmallDisk>(64 * 1024, folder);
            if (!disk->mounted())
                QSKIP(qPrintable(disk->why()));
        }
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/" + fileName;
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(path, "PNG"));
        const QByteArray before = HistoryTest::readFile(path);
        if (failure == "taken")
            QVERIFY(QDir().mkpath(SafeFile::temporaryPath(path)));
        if (failure == "full")
            QVERIFY(disk->fill());
        auto connection = storeEditedImages();

        ModalWatcher<ImageEditDialog> watcher([](ImageEditDialog *dialog) {
            EditorTest::drag(*dialog->findChild<ImageEditGraphicsView *>(), {10, 10}, {50, 40});
            dialog->accept();
        });
        QVERIFY(choose(row, {row}, "Edit..."));
        disconnect(connection);
        QVERIFY(watcher.answered());
        QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));

        // The old picture stays whole, and the user is told why the edit was not kept.
        QCOMPARE(HistoryTest::readFile(path), before);
        QTRY_COMPARE(openWarningBoxes().size(), 1);
        QVERIFY2(openWarningBoxes().first()->text().startsWith("An image clipping cannot be saved:"),
                 qPrintable(openWarningBoxes().first()->text()));
        if (failure == "taken")
            QVERIFY(QDir(SafeFile::temporaryPath(path)).removeRecursively());
    }

    void testEditImageCancelledOrUnreadableChangesNothing()
    {
        ClipboardTest::setText("what was there");
        settle();
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        const QString path = addCachedImage(1, "kept.png", picture);
        const int row = history()->rowCount() - 1;
        QSignalSpy edited(m_view, &HistoryItemView::imageAction);

        ModalWatcher<ImageEditDialog> cancel([](ImageEditDialog *dialog) {
            dialog->findChild<ImageEditGraphicsView *>()->setCurrentColor(Qt::blue);
            dialog->reject();
        });
        QVERIFY(choose(row, {row}, "Edit..."));
        QVERIFY(cancel.answered());

        // A picture that no longer loads opens no editor.
        QFile::remove(path);
        ViewTest::ModalWatcher none([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
        QTest::ignoreMessage(QtWarningMsg, qPrintable("Unable to add file as image to clipboard " + path));
        QVERIFY(choose(row, {row}, "Edit..."));
        settle();
        QCOMPARE(none.seen(), 0);

        QCOMPARE(edited.count(), 0);
        QCOMPARE(ClipboardTest::clipboard()->text(), QString("what was there"));
    }

    void testAddToSnippetsKeepsTheFullText()
    {
        addGroups({"Work", "Home"});
        SnippetModel *snippets = SnippetModel::instance();
        snippets->item(1)->appendRow(SnippetTest::snippet("older", "older text", QUuid::createUuid(), QDateTime::currentDateTime()));
        const QString text = "First sentence. Second sentence.\n\tindented line\n\nlast";
        history()->item(2)->setData(text, TextRole);
        history()->item(2)->setData(Utils::makeOneLiner(text), Qt::DisplayRole);
        QSignalSpy status(m_view, &HistoryItemView::status);

        QVERIFY(choose(2, {2}, "Add to 'Home'"));
        QStandardItem *home = snippets->item(1);
        QCOMPARE(home->rowCount(), 2);
        QStandardItem *snippet = home->child(1);
        QCOMPARE(snippet->data(Qt::DisplayRole).toString(), QString("First sentence"));
        QCOMPARE(snippet->data(TextRole).toString(), text);
        QCOMPARE(snippet->data(Qt::ToolTipRole).toString(), text);
        QVERIFY(!snippet->data(IdRole).toUuid().isNull());
        QVERIFY(snippet->data(TimeRole).toDateTime().secsTo(QDateTime::currentDateTime()) < 5);
        QCOMPARE(status.count(), 1);
        QCOMPARE(status.at(0).at(0).value<SyncStatus>(), SyncStatus::Notice);
        QCOMPARE(status.at(0).at(1).toString(), QString("Added to snippets 'Home'"));

        // Written to the snippet file, line breaks and tab included.
        const QByteArray file = HistoryTest::readFile(SnippetTest::snippetPath());
        QVERIFY(file.contains(QJsonDocument(QJsonObject{{"t", text}}).toJson(QJsonDocument::Compact).mid(5).chopped(1)));
        QCOMPARE(snippets->item(0)->rowCount(), 0);
    }

    void testActionEntriesRunTheActions()
    {
        const QString upper = writeAction("a-upper.json", "Upper", "(c => c.plainText.toUpperCase())");
        const QString split = writeAction("b-split.json", "Split", "(c => ['A', 'B', 'C'])");
        const QString broken = writeAction("c-broken.json", "Broken", "(c => { throw 'boom'; })");
        const QString none = writeAction("d-none.json", "Nothing", "(c => [])");
        const QString hidden = writeAction("e-hidden.json", "Hidden", "(c => 'x')");
        const QString builtIn = ":/data/actions/02-toupper.json";
        HistoryTest::setSetting("Actions", QVariantMap{{upper, "Upper"}, {split, "Split"}, {broken, "Broken"},
                                                       {none, "Nothing"}, {hidden, "Hidden"}, {builtIn, "To uppercase"}});
        HistoryTest::setSetting("HiddenActions", QStringList{hidden});

        // Built-in actions first, whatever their names; hidden ones are left out.
        QCOMPARE(menuFor(0, {0}, "Run action"), QStringList({"To uppercase", "Upper", "Split", "Broken", "Nothing"}));

        QSignalSpy replaced(m_view, &HistoryItemView::textAction);
        QSignalSpy added(m_view, &HistoryItemView::addItem);
        QVERIFY(choose(0, {0}, "Upper"));
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(replaced.at(0).at(0).toModelIndex().row(), 0);
        QCOMPARE(replaced.at(0).at(1).toString(), QString("FIRST CLIPPING"));

        // Several results: added last to first, so the first is the newest clipping.
        QVERIFY(choose(0, {0}, "Split"));
        QCOMPARE(added.count(), 3);
        QCOMPARE(added.at(0).at(0).toString(), QString("C"));
        QCOMPARE(added.at(1).at(0).toString(), QString("B"));
        QCOMPARE(added.at(2).at(0).toString(), QString("A"));

        QVERIFY(choose(0, {0}, "Nothing"));
        ViewTest::MessageBoxRecorder boxes;
        QVERIFY(choose(0, {0}, "Broken"));
        QCOMPARE(boxes.titles, QStringList{"Kestovan"});
        QVERIFY(boxes.texts.first().startsWith("Failed to run action 'Broken'\n"));
        QVERIFY(boxes.texts.first().contains("boom"));
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(added.count(), 3);
    }

    void testEveryActionHiddenLeavesAnEmptyRunActionMenu()
    {
        const QString upper = writeAction("a-upper.json", "Upper", "(c => c.plainText.toUpperCase())");
        HistoryTest::setSetting("Actions", QVariantMap{{upper, "Upper"}});
        HistoryTest::setSetting("HiddenActions", QStringList{upper});
        QVERIFY(menuFor(0, {0}).contains("Run action >"));
        QCOMPARE(menuFor(0, {0}, "Run action"), QStringList());
    }

    void testExtractTextsRecognisesTheCachedImage()
    {
        QTemporaryDir programDir;
        const QString argsFile = programDir.path() + "/args";
        const QString program = programDir.path() + "/ocr";
        HistoryTest::writeFile(program, QString("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\necho 'recognised words'\n")
                                            .arg(argsFile)
                                            .toUtf8());
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("KESTOVAN_OCR_PROGRAM", program.toLocal8Bit());
        addImageRow(1, "picture.png");
        const QUuid id = history()->item(4)->data(IdRole).toUuid();

        QVERIFY(choose(4, {4}, "Extract texts"));
        QTRY_COMPARE(ClipboardTest::clipboard()->text(), QString("recognised words"));
        const QString image = Utils::dataPath() + "/images/" + id.toString() + "/picture.png";
        QCOMPARE(QString::fromUtf8(HistoryTest::readFile(argsFile)), image + "\nstdout\n");
        // The recognised text becomes a new clipping, which gets selected.
        QTRY_COMPARE(ViewTest::briefAt(proxy(), 0), QString("recognised words"));
        QTRY_COMPARE(ViewTest::rowsOf(m_view->selectionModel()->selectedIndexes()), QStringList{"0"});

        // A file name that would lead out of the image cache is never handed to the program.
        QFile::remove(argsFile);
        history()->item(5)->setData("../../secret.png", FileNameRole);
        QVERIFY(choose(5, {5}, "Extract texts"));
        settle();
        QVERIFY(!QFile::exists(argsFile));
        qunsetenv("KESTOVAN_OCR_PROGRAM");
    }
};

KESTOVAN_VIEW_TEST_MAIN(TestHistoryContextMenu)
#include "tst_historycontextmenu.moc"
