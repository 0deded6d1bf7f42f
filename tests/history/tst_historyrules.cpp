#include "historytestsupport.h"

#include "history/historyfilereading.h"
#include "history/historyfiltermodel.h"
#include "sync/synclogdialog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QSemaphore>
#include <QSignalSpy>

using namespace HistoryTest;

class TestHistoryRules : public QObject
{
    Q_OBJECT

    QDateTime m_base = QDateTime(QDate(2024, 3, 5), QTime(12, 0));

    QDateTime at(int minutes) const { return m_base.addSecs(minutes * 60); }

    static QStringList mergeLines()
    {
        QStringList lines;
        for (const QString &line : std::as_const(SyncLogDialog::c_log)) {
            const int start = line.indexOf("] Merge clippings: ");
            if (start >= 0)
                lines.append(line.mid(start + 2));
        }
        return lines;
    }

private slots:
    void init()
    {
        resetStore();
        SyncLogDialog::c_log.clear();
    }

    // A load into an empty history may insert every row at once; it must end exactly as adding
    // the clippings one by one does, in rows, sync log lines and the index's later answers. So
    // must a load from the file, whose lookups are built where the file is read.
    void testLoadEndsAsAddingOneByOne_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("minutes");
        QTest::addColumn<QList<int>>("pinned");
        QTest::addColumn<int>("keepItems");
        QTest::addColumn<bool>("repeatId");
        const QStringList abc{"alpha", "bravo", "charlie"};
        QTest::newRow("newest first") << abc << QList<int>{30, 20, 10} << QList<int>{0, 0, 0} << 20 << false;
        QTest::newRow("pinned block first") << abc << QList<int>{5, 30, 20} << QList<int>{1, 0, 0} << 20 << false;
        QTest::newRow("equal times") << abc << QList<int>{30, 30, 30} << QList<int>{0, 0, 0} << 20 << false;
        QTest::newRow("older before newer") << abc << QList<int>{10, 20, 30} << QList<int>{0, 0, 0} << 20 << false;
        QTest::newRow("pinned after unpinned") << abc << QList<int>{30, 20, 10} << QList<int>{0, 1, 0} << 20 << false;
        QTest::newRow("same brief twice") << QStringList{"alpha", "alpha", "bravo"} << QList<int>{30, 20, 10}
                                          << QList<int>{0, 0, 0} << 20 << false;
        QTest::newRow("same id twice") << abc << QList<int>{30, 20, 10} << QList<int>{0, 0, 0} << 20 << true;
        QTest::newRow("more than KeepItems") << abc << QList<int>{30, 20, 10} << QList<int>{0, 0, 0} << 2 << false;
        QTest::newRow("exactly KeepItems") << abc << QList<int>{30, 20, 10} << QList<int>{0, 0, 0} << 3 << false;
        QTest::newRow("KeepItems below one") << abc << QList<int>{30, 20, 10} << QList<int>{0, 0, 0} << 0 << false;
        QTest::newRow("a text too short") << QStringList{"alpha", "ab", "charlie"} << QList<int>{30, 20, 10}
                                          << QList<int>{0, 0, 0} << 20 << false;
    }

    void testLoadEndsAsAddingOneByOne()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<int>, minutes);
        QFETCH(QList<int>, pinned);
        QFETCH(int, keepItems);
        QFETCH(bool, repeatId);
        setSetting("KeepItems", keepItems);
        QList<QUuid> ids;
        for (int i = 0; i < names.size(); ++i)
            ids.append(repeatId && i == 1 ? ids.first() : QUuid::createUuid());

        const auto outcome = [&](QStandardItemModel &model) {
            QStringList rows;
            for (int row = 0; row < model.rowCount(); ++row)
                rows.append(texts(model).value(row) + (ClippingItem::isPinnedItem(model.item(row)) ? "+" : ""));
            return rows + mergeLines();
        };
        // Later adds ask the index for duplicates and positions.
        const auto probe = [&](HistoryItemModel &model) {
            model.addItem(textItem(names.last(), at(100)));
            model.addItem(textItem("delta", at(15)));
        };

        QJsonArray clippings;
        for (int i = 0; i < names.size(); ++i)
            clippings.append(QJsonObject{{"application", "Editor"}, {"brief", names[i]}, {"html", ""},
                {"id", ids[i].toString()}, {"locked", false}, {"pinned", pinned[i] == 1}, {"removed", false},
                {"text", names[i]}, {"time", at(minutes[i]).toString(Qt::ISODate)}, {"type", 0}});
        const QByteArray document = QJsonDocument(QJsonObject{{"clippings", clippings}, {"icons", QJsonObject()},
                                                      {"magic", -18022398}, {"version", 8}}).toJson();
        HistoryItemModel loaded(nullptr, nullptr);
        loaded.deserialize(document);
        const QStringList loadedOutcome = outcome(loaded);
        probe(loaded);
        const QStringList loadedProbed = outcome(loaded);

        SyncLogDialog::c_log.clear();
        QVERIFY(writeFile(historyPath(), document));
        HistoryItemModel read(nullptr, nullptr);
        // Read ahead as the start reads it: its sync log lines wait for the first window.
        HistoryFileReading::start(HistoryItemModel::filePath());
        read.load();
        read.catchUpIndex();
        const QStringList readOutcome = outcome(read);
        probe(read);
        const QStringList readProbed = outcome(read);

        SyncLogDialog::c_log.clear();
        HistoryItemModel added(nullptr, nullptr);
        for (int i = 0; i < names.size(); ++i) {
            ClippingItem *item = textItem(names[i], at(minutes[i]), "Editor", ids[i]);
            item->setData(pinned[i] == 1, Qt::CheckStateRole);
            if (!added.addItem(item))
                delete item;
        }
        added.removeExtraItems();
        QCOMPARE(loadedOutcome, outcome(added));
        // A file with a repeated id keeps both clippings, the later with an id of its own.
        if (!repeatId)
            QCOMPARE(readOutcome, outcome(added));
        probe(added);
        QCOMPARE(loadedProbed, outcome(added));
        if (!repeatId)
            QCOMPARE(readProbed, outcome(added));
    }

    void testAddRules_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("application");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("logged");

        QTest::newRow("excluded application") << "ExcludedApplications" << QVariant(QStringList{"Vault"}) << 0 << 10 << "Vault" << false
                                              << "Merge clippings: Clipping 'xxxxxxxxxx' comes from excluded application: 'Vault' -> ignored";
        QTest::newRow("images off") << "IncludeImages" << QVariant(false) << 1 << 10 << "Viewer" << false
                                    << "Merge clippings: Adding images 'xxxxxxxxxx' to history is disabled.";
        QTest::newRow("images on") << "IncludeImages" << QVariant(true) << 1 << 10 << "Viewer" << true
                                   << "Merge clippings: Item 'xxxxxxxxxx' added at position 0";
        QTest::newRow("two characters") << "IgnoreLength" << QVariant("3") << 0 << 2 << "Editor" << false
                                        << "Merge clippings: Text 'xx' too small (2 vs 3). Ignored.";
        QTest::newRow("three characters") << "IgnoreLength" << QVariant("3") << 0 << 3 << "Editor" << true
                                          << "Merge clippings: Item 'xxx' added at position 0";
        QTest::newRow("4096 characters") << "IgnoreSize" << QVariant("4") << 0 << 4096 << "Editor" << true
                                         << "Merge clippings: Item '" + QString(50, 'x') + "' added at position 0";
        QTest::newRow("4097 characters") << "IgnoreSize" << QVariant("4") << 0 << 4097 << "Editor" << false
                                         << "Merge clippings: Text '" + QString(50, 'x') + "' too large (4097 vs 4096). Ignored.";
        // 0 is what a non-number typed in the settings reads as: recording must not silently stop.
        QTest::newRow("size 0 reads as 4") << "IgnoreSize" << QVariant("0") << 0 << 4096 << "Editor" << true
                                           << "Merge clippings: Item '" + QString(50, 'x') + "' added at position 0";
        QTest::newRow("size 0 still limits") << "IgnoreSize" << QVariant("oops") << 0 << 4097 << "Editor" << false
                                             << "Merge clippings: Text '" + QString(50, 'x') + "' too large (4097 vs 4096). Ignored.";
        QTest::newRow("other type skips the checks") << "IgnoreLength" << QVariant("3") << 5 << 1 << "Editor" << true
                                                     << "Merge clippings: Item 'x' added at position 0";
    }

    void testAddRules()
    {
        QFETCH(QString, setting);
        QFETCH(QVariant, value);
        QFETCH(int, type);
        QFETCH(int, length);
        QFETCH(QString, application);
        QFETCH(bool, taken);
        QFETCH(QString, logged);
        HistoryTest::setSetting(setting, value);
        HistoryItemModel model(nullptr, nullptr);
        ClippingItem *item = textItem(QString(length, 'x'), at(0), application);
        item->setData(type, TypeRole);
        const bool added = model.addItem(item);
        if (!added)
            delete item;
        QCOMPARE(added, taken);
        QCOMPARE(model.rowCount(), taken ? 1 : 0);
        QCOMPARE(mergeLines().last(), logged);
    }

    void testRecopyMovesToTheTopWithItsPin()
    {
        HistoryItemModel model(nullptr, nullptr);
        ClippingItem *first = textItem("first", at(0));
        first->setData(true, Qt::CheckStateRole);
        first->setData("<b>first</b>", HtmlRole);
        first->setData("Editor", ApplicationRole);
        model.addItem(first);
        model.addItem(textItem("second", at(1)));
        model.addItem(textItem("third", at(2)));
        QCOMPARE(texts(model), (QStringList{"first", "third", "second"}));

        const QUuid oldId = first->data(IdRole).toUuid();
        QVERIFY(model.addItem(textItem("first", at(3), "Browser")));
        QCOMPARE(texts(model), (QStringList{"first", "third", "second"}));
        const QStandardItem *row = model.item(0);
        QCOMPARE(row->data(TimeRole).toDateTime(), at(3));
        QVERIFY(row->data(IdRole).toUuid() != oldId);
        QCOMPARE(row->data(Qt::CheckStateRole).toBool(), true);
        QCOMPARE(row->data(HtmlRole).toString(), QString("<b>first</b>"));
        QCOMPARE(row->data(ApplicationRole).toString(), QString("Editor"));
        QCOMPARE(model.rowCount(), 3);
        QVERIFY(mergeLines().contains("Merge clippings: The item 'first' is already in the history (pos 0)"));
    }

    void testEqualPictureCopiedAgainIsOneClippingMovedToTheTop()
    {
        QImage red(20, 10, QImage::Format_RGB32);
        red.fill(Qt::red);
        QImage green(20, 10, QImage::Format_RGB32);
        green.fill(Qt::green);
        const auto copy = [](HistoryItemModel &model, const QImage &image, const QDateTime &time, int rows) {
            model.addImage(QUrl(), image, QPixmap(), "Viewer", time);
            QTRY_COMPARE(model.rowCount(), rows);
            QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
            QCoreApplication::processEvents();
        };
        QUuid redId;
        {
            HistoryItemModel model(nullptr, nullptr);
            copy(model, red, at(0), 1);
            redId = model.item(0)->data(IdRole).toUuid();
            copy(model, green, at(1), 2);
            copy(model, red, at(2), 2);
            QCOMPARE(model.item(0)->data(IdRole).toUuid(), redId);
            QCOMPARE(model.item(0)->data(TimeRole).toDateTime(), at(2));
            QCOMPARE(QDir(Utils::imagesPath()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
            model.flushSaves();
        }
        // The move is saved; the picture still on the clipboard at the next start is no new clipping either.
        HistoryItemModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(model.item(0)->data(IdRole).toUuid(), redId);
        copy(model, red, at(3), 2);
        QCOMPARE(model.item(0)->data(IdRole).toUuid(), redId);
        QCOMPARE(model.item(0)->data(TimeRole).toDateTime(), at(3));
    }

    void testOlderOrEqualCopyIsIgnored()
    {
        HistoryItemModel model(nullptr, nullptr);
        model.addItem(textItem("text", at(5)));
        ClippingItem *older = textItem("text", at(4));
        QVERIFY(!model.addItem(older));
        delete older;
        ClippingItem *same = textItem("text", at(5));
        QVERIFY(!model.addItem(same));
        delete same;
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.item(0)->data(TimeRole).toDateTime(), at(5));
    }

    void testNewerDuplicateKeepsItsOwnHtmlWhenTheTextDiffers()
    {
        HistoryItemModel model(nullptr, nullptr);
        ClippingItem *oneLine = textItem("a b", at(0));
        oneLine->setData("<i>a b</i>", HtmlRole);
        model.addItem(oneLine);
        // The same brief, another text: the newer one replaces the row with its own content.
        QVERIFY(model.addItem(textItem("a\nb", at(1))));
        QCOMPARE(texts(model), QStringList{"a\nb"});
        QCOMPARE(model.item(0)->data(HtmlRole).toString(), QString());

        // An edit made on another computer arrives with the same id, a new text and no HTML.
        const QUuid id = QUuid::createUuid();
        ClippingItem *original = textItem("original text", at(2), "Editor", id);
        original->setData("<p>original text</p>", HtmlRole);
        model.addItem(original);
        QVERIFY(model.addItem(textItem("edited text", at(3), "Editor", id)));
        QCOMPARE(model.item(0)->data(TextRole).toString(), QString("edited text"));
        QCOMPARE(model.item(0)->data(HtmlRole).toString(), QString());
    }

    void testTrimKeepsLockedRows()
    {
        HistoryTest::setSetting("KeepItems", "3");
        HistoryItemModel model(nullptr, nullptr);
        for (const QString &name : {"E", "D", "C", "B", "A"}) {
            ClippingItem *item = textItem(name + QString("aa"), at(int(model.rowCount())));
            if (name == QString("C"))
                item->setData(true, LockedRole);
            HistoryTest::setSetting("KeepItems", "100");
            model.addItem(item);
        }
        HistoryTest::setSetting("KeepItems", "3");
        QCOMPARE(texts(model), (QStringList{"Aaa", "Baa", "Caa", "Daa", "Eaa"}));
        QVERIFY(model.addItem(textItem("New", at(10))));
        QCOMPARE(texts(model), (QStringList{"New", "Aaa", "Baa", "Caa"}));
        QVERIFY(mergeLines().contains("Merge clippings: Removing 'Eaa' from the history"));
    }

    void testKeepItemsBelowOneNeverTrims()
    {
        HistoryTest::setSetting("KeepItems", "0");
        HistoryItemModel model(nullptr, nullptr);
        for (int i = 0; i < 30; ++i)
            QVERIFY(model.addItem(textItem(QString("clipping %1").arg(i), at(i))));
        QCOMPARE(model.rowCount(), 30);
        HistoryTest::setSetting("KeepItems", "-5");
        model.removeExtraItems();
        QCOMPARE(model.rowCount(), 30);
    }

    void testTrimDeletesTheImageFolder()
    {
        HistoryTest::setSetting("KeepItems", "2");
        HistoryItemModel model(nullptr, nullptr);
        const QUuid id = QUuid::createUuid();
        const QString folder = Utils::dataPath() + "/images/" + id.toString();
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + "/old.png", "png"));
        HistoryTest::setSetting("KeepItems", "10");
        model.addItem(imageItem("old.png", at(0), "Viewer", id));
        model.addItem(textItem("newer", at(1)));
        HistoryTest::setSetting("KeepItems", "2");
        model.addItem(textItem("newest", at(2)));
        QCOMPARE(texts(model), (QStringList{"newest", "newer"}));
        QVERIFY(!QFileInfo::exists(folder));
    }

    void testPictureWrittenAfterItsClippingWentLeavesNoFolder_data()
    {
        QTest::addColumn<bool>("trimmed");
        QTest::newRow("removed") << false;
        QTest::newRow("trimmed") << true;
    }

    void testPictureWrittenAfterItsClippingWentLeavesNoFolder()
    {
        QFETCH(bool, trimmed);
        HistoryTest::setSetting("KeepItems", "1");
        HistoryItemModel model(nullptr, nullptr);
        // The picture's job waits behind this one until its clipping is gone.
        QThreadPool *pool = QThreadPool::globalInstance();
        const int threads = pool->maxThreadCount();
        pool->setMaxThreadCount(1);
        QSemaphore gate;
        pool->start([&gate] { gate.acquire(); });
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(Qt::green);
        model.addImage(QUrl(), image, QPixmap(), "Viewer", at(0));
        const QString folder = Utils::imagesPath() + "/" + model.item(0)->data(IdRole).toUuid().toString();
        if (trimmed)
            model.addItem(textItem("newer", at(1)));
        else
            model.markItemAsRemoved(model.index(0, 0));
        gate.release();
        QVERIFY(pool->waitForDone(10000));
        pool->setMaxThreadCount(threads);
        QCoreApplication::processEvents();
        QVERIFY(!QFileInfo::exists(folder));
    }

    void testPictureCopiedJustBeforeQuitIsSaved()
    {
        HistoryItemModel model(nullptr, nullptr);
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        // As a copy does: the save asked for at once leaves out the picture still being written.
        model.addImage(QUrl(), image, QPixmap(), "Viewer", at(0));
        model.requestSave(true);
        model.flushSaves();
        QVERIFY(readFile(historyPath()).contains(model.item(0)->data(IdRole).toUuid().toString().toLatin1()));
    }

    void testInsertOrderKeepsPinnedOnTop()
    {
        HistoryItemModel model(nullptr, nullptr);
        ClippingItem *oldPinned = textItem("old pinned", at(0));
        oldPinned->setData(true, Qt::CheckStateRole);
        model.addItem(oldPinned);
        model.addItem(textItem("new unpinned", at(5)));
        model.addItem(textItem("older unpinned", at(1)));
        ClippingItem *newPinned = textItem("new pinned", at(3));
        newPinned->setData(true, Qt::CheckStateRole);
        model.addItem(newPinned);
        ClippingItem *invalid = textItem("no valid time", QDateTime());
        model.addItem(invalid);
        QCOMPARE(texts(model), (QStringList{"new pinned", "old pinned", "new unpinned", "older unpinned", "no valid time"}));
    }

    void testTogglePinMovesTheRow()
    {
        HistoryItemModel model(nullptr, nullptr);
        model.addItem(textItem("one", at(0)));
        model.addItem(textItem("two", at(1)));
        model.addItem(textItem("three", at(2)));
        QModelIndex pinned = model.togglePin(model.index(2, 0));
        QCOMPARE(pinned.row(), 0);
        QCOMPARE(texts(model), (QStringList{"one", "three", "two"}));
        QVERIFY(model.item(0)->data(TimeRole).toDateTime() > at(2));
        // The only pinned clipping goes back to the top of the unpinned block, which is row 0.
        QModelIndex unpinned = model.togglePin(pinned);
        QCOMPARE(unpinned.row(), 0);
        QCOMPARE(model.item(0)->data(Qt::CheckStateRole).toBool(), false);
    }

    void testTouchMovesToTheTopOfItsBlock()
    {
        HistoryItemModel model(nullptr, nullptr);
        model.addItem(textItem("one", at(0)));
        model.addItem(textItem("two", at(1)));
        const QUuid id = model.item(1)->data(IdRole).toUuid();
        model.touchItem(model.index(1, 0));
        QCOMPARE(texts(model), (QStringList{"one", "two"}));
        QCOMPARE(model.item(0)->data(IdRole).toUuid(), id);
        QVERIFY(model.item(0)->data(TimeRole).toDateTime() > at(1));
    }

    void testEditedClippingOffersNoHtml()
    {
        HistoryItemModel model(nullptr, nullptr);
        ClippingItem *item = textItem("before", at(0));
        item->setData("<b>before</b>", HtmlRole);
        model.addItem(item);
        model.updateItem(model.index(0, 0), QString("after <edit>\nline two"));
        const QStandardItem *row = model.item(0);
        QCOMPARE(row->data(TextRole).toString(), QString("after <edit>\nline two"));
        QCOMPARE(row->data(Qt::DisplayRole).toString(), QString("after <edit> line two"));
        QCOMPARE(row->data(HtmlRole).toString(), QString(""));
        QVERIFY(row->data(TimeRole).toDateTime() > at(0));
    }

    void testReverseSwapsOnlyTheChosenRows()
    {
        HistoryItemModel model(nullptr, nullptr);
        for (int i = 0; i < 5; ++i)
            model.addItem(textItem(QString("row %1").arg(i), at(10 - i)));
        HistoryFilterModel proxy(nullptr, nullptr);
        proxy.setSourceModel(&model);
        model.reverseItems({proxy.index(3, 0), proxy.index(0, 0), proxy.index(1, 0)});
        QCOMPARE(texts(model), (QStringList{"row 3", "row 1", "row 2", "row 0", "row 4"}));
    }

    void testTombstonesKeepTheirTimeAndHideFromTheProxy()
    {
        HistoryItemModel model(nullptr, nullptr);
        HistoryFilterModel proxy(nullptr, nullptr);
        proxy.setSourceModel(&model);
        model.setProxy(&proxy);
        model.addItem(textItem("keep", at(0)));
        ClippingItem *locked = textItem("locked", at(1));
        locked->setData(true, LockedRole);
        model.addItem(locked);
        model.addItem(textItem("remove", at(2)));

        model.markItemAsRemoved(proxy.index(0, 0));
        QCOMPARE(proxy.rowCount(), 2);
        const QDateTime removedAt = model.item(0)->data(TimeRole).toDateTime();
        QVERIFY(removedAt > at(2));
        QCOMPARE(model.getNextIndex().row(), 1);

        // The removal time travels with the tombstone through the file.
        QVERIFY(model.save(false));
        HistoryItemModel reloaded(nullptr, nullptr);
        reloaded.load();
        QCOMPARE(reloaded.item(0)->data(RemovedRole).toBool(), true);
        QCOMPARE(reloaded.item(0)->data(TimeRole).toDateTime().toSecsSinceEpoch(), removedAt.toSecsSinceEpoch());

        model.markAllAsRemoved();
        QCOMPARE(proxy.rowCount(), 1);
        QCOMPARE(proxy.index(0, 0).data(TextRole).toString(), QString("locked"));
        QCOMPARE(model.item(1)->data(TimeRole).toDateTime(), at(1));
    }

    void testCaptureIsSavedAndAnnouncedEvenWhenRefused()
    {
        HistoryTest::setSetting("ExcludedApplications", QStringList{"Vault"});
        HistoryItemModel model(nullptr, nullptr);
        QSignalSpy added(&model, &HistoryItemModel::clippingAdded);
        auto data = std::make_shared<QMimeData>();
        data->setText("secret");
        model.clipboardChanged(data, QPixmap(), "Vault");
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(added.count(), 1);
        QTRY_VERIFY(QFile::exists(historyPath()));

        auto unknown = std::make_shared<QMimeData>();
        unknown->setData("application/x-unknown", "bytes");
        model.clipboardChanged(unknown, QPixmap(), "Editor");
        QCOMPARE(added.count(), 1);
    }

    void testCapturedImageNameStaysInTheCache()
    {
        HistoryItemModel model(nullptr, nullptr);
        QImage image(6, 4, QImage::Format_ARGB32);
        image.fill(Qt::green);
        auto data = std::make_shared<QMimeData>();
        data->setImageData(image);
        model.clipboardChanged(data, QPixmap(), "../../evil\\app");
        QCOMPARE(model.rowCount(), 1);
        const QString fileName = model.item(0)->data(FileNameRole).toString();
        QVERIFY2(Utils::isPlainFileName(fileName), qPrintable(fileName));
        QCOMPARE(model.item(0)->data(Qt::DisplayRole).toString(), QString("6 x 4 (../../evil\\app)"));
        const QString folder = Utils::dataPath() + "/images/" + model.item(0)->data(IdRole).toUuid().toString();
        QTRY_VERIFY(QFileInfo::exists(folder + "/" + fileName));
        QTRY_VERIFY(!model.item(0)->data(ThumbnailRole).value<QImage>().isNull());

        // From an unknown application: no empty parentheses.
        QImage other(5, 3, QImage::Format_ARGB32);
        other.fill(Qt::blue);
        auto unnamed = std::make_shared<QMimeData>();
        unnamed->setImageData(other);
        model.clipboardChanged(unnamed, QPixmap(), QString());
        QCOMPARE(model.item(0)->data(Qt::DisplayRole).toString(), QString("5 x 3"));
    }

    void testFirstIconOfAnApplicationIsKept()
    {
        HistoryItemModel model(nullptr, nullptr);
        QPixmap red(2, 2);
        red.fill(Qt::red);
        QPixmap blue(2, 2);
        blue.fill(Qt::blue);
        model.updateApplications("Editor", red);
        model.updateApplications("Editor", blue);
        const QVariantMap applications = Utils::settings().value("Applications").toMap();
        QCOMPARE(applications.size(), 1);
        QCOMPARE(applications.value("Editor").value<QPixmap>().toImage().pixelColor(0, 0), QColor(Qt::red));
        HistoryItemModel second(nullptr, nullptr);
        second.updateApplications("Editor", blue);
        QCOMPARE(Utils::settings().value("Applications").toMap().value("Editor").value<QPixmap>().toImage().pixelColor(0, 0), QColor(Qt::red));
    }

    void testNextIndexFollowsTheHistory()
    {
        HistoryItemModel model(nullptr, nullptr);
        QVERIFY(!model.getNextIndex().isValid());
        for (int i = 0; i < 4; ++i)
            model.addItem(textItem(QString("row %1").arg(i), at(i)));
        model.setNextIndex(model.index(3, 0));
        QCOMPARE(model.getNextIndex().row(), 3);
        model.removeItem(3);
        model.removeItem(2);
        QCOMPARE(model.getNextIndex().row(), 0);
    }

    void testThumbnailGoesToTheFirstRowWithTheId()
    {
        HistoryItemModel model(nullptr, nullptr);
        const QUuid id = QUuid::createUuid();
        model.addItem(imageItem("a.png", at(1), "Viewer", id));
        model.addItem(textItem("text", at(0)));
        QImage thumbnail(160, 120, QImage::Format_ARGB32);
        thumbnail.fill(Qt::red);
        model.applyThumbnail(thumbnail, id);
        QCOMPARE(model.item(0)->data(ThumbnailRole).value<QImage>(), thumbnail);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Unable to find the item for thumbnail"));
        model.applyThumbnail(thumbnail, QUuid::createUuid());
    }

    void testHashFollowsStoredRolesOnly()
    {
        HistoryItemModel first(nullptr, nullptr);
        HistoryItemModel second(nullptr, nullptr);
        const QUuid id = QUuid::createUuid();
        first.addItem(textItem("same text", at(0), "Editor", id));
        second.addItem(textItem("same text", at(0), "Editor", id));
        const QString hash = first.hash();
        QCOMPARE(hash.size(), 64);
        QCOMPARE(hash, hash.toLower());
        QCOMPARE(second.hash(), hash);
        second.item(0)->setData(QImage(4, 4, QImage::Format_ARGB32), ThumbnailRole);
        second.item(0)->setData("tip", Qt::ToolTipRole);
        QCOMPARE(second.hash(), hash);
        second.lockItem(second.index(0, 0), true);
        QVERIFY(second.hash() != hash);
    }

    void testExcludeListMarksRowsWithoutNewTime()
    {
        HistoryItemModel model(nullptr, nullptr);
        model.addItem(textItem("from vault", at(0), "Vault"));
        model.addItem(textItem("from editor", at(1), "Editor"));
        HistoryTest::setSetting("ExcludedApplications", QStringList{"Vault"});
        model.updateExcludeList();
        QCOMPARE(model.item(1)->data(RemovedRole).toBool(), true);
        QCOMPARE(model.item(1)->data(TimeRole).toDateTime(), at(0));
        QCOMPARE(model.item(0)->data(RemovedRole).toBool(), false);
    }

    void testImageIdsListTheFoldersToKeep()
    {
        HistoryItemModel model(nullptr, nullptr);
        ClippingItem *removed = imageItem("gone.png", at(0));
        removed->setData(true, RemovedRole);
        model.addItem(removed);
        model.addItem(imageItem("live.png", at(1)));
        model.addItem(textItem("text", at(2)));
        // A removed picture keeps no folder: it is erased as it comes in.
        QCOMPARE(model.item(2)->data(FileNameRole).toString(), QString(""));
        QCOMPARE(model.imageIds(), (QList<QString>{model.item(1)->data(IdRole).toUuid().toString()}));
    }

    // The row's label follows the picture after a crop; a label that is the file name stays.
    void testCroppedImageShowsItsNewSize_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("captured picture") << QUrl() << "640 x 400 (Viewer)" << "516 x 281 (Viewer)";
        QTest::newRow("copied file") << QUrl::fromLocalFile("/nowhere/photo.png") << "photo.png" << "photo.png";
    }

    void testCroppedImageShowsItsNewSize()
    {
        QFETCH(QUrl, url);
        QFETCH(QString, before);
        QFETCH(QString, after);
        HistoryItemModel model(nullptr, nullptr);
        QImage picture(640, 400, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        model.addImage(url, picture, QPixmap(), "Viewer", QDateTime::currentDateTime());
        const QString fileName = model.item(0)->data(FileNameRole).toString();
        QCOMPARE(model.item(0)->data(Qt::DisplayRole).toString(), before);

        model.updateItem(model.index(0, 0), picture.copy(10, 20, 516, 281));
        QCOMPARE(model.item(0)->data(Qt::DisplayRole).toString(), after);
        QCOMPARE(model.item(0)->data(TextRole).toString(), after);
        QCOMPARE(model.item(0)->data(FileNameRole).toString(), fileName);
        QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
    }

    void testGeneratedClippings()
    {
        HistoryTest::setSetting("KeepItems", "100");
        HistoryItemModel model(nullptr, nullptr);
        model.generateRandomItems(40);
        QCOMPARE(model.rowCount(), 40);
        for (int row = 0; row < model.rowCount(); ++row) {
            const QStandardItem *item = model.item(row);
            QVERIFY(item->data(ApplicationRole).toString().startsWith("PerfTest-"));
            if (item->data(TypeRole).toInt() == 0)
                QCOMPARE(item->data(TextRole).toString().size(), 100);
            else
                QVERIFY(item->data(Qt::DisplayRole).toString().startsWith("256 x 256 (PerfTest-"));
        }
        QThreadPool::globalInstance()->waitForDone();
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestHistoryRules)
#include "tst_historyrules.moc"
