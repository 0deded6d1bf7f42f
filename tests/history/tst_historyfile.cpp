#include "historytestsupport.h"
#include "pipeinplace.h"
#include "smalldisk.h"
#include "warningboxes.h"

#include "common/globals.h"
#include "common/safefile.h"
#include "common/translation.h"
#include "history/historyfilereading.h"
#include "history/makethumbnail.h"
#include "sync/synclogdialog.h"

#include <QJsonArray>
#include <QMimeData>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

using namespace HistoryTest;

class TestHistoryFile : public QObject
{
    Q_OBJECT

    static QPixmap filled(const QColor &colour)
    {
        QPixmap pixmap(4, 4);
        pixmap.fill(colour);
        return pixmap;
    }

    // The golden fixture with its one placeholder filled in.
    static QByteArray golden(const QString &editorIcon)
    {
        QByteArray bytes = readFile(KESTOVAN_TEST_DATA "/history-golden.json");
        bytes.replace("@EDITOR_ICON@", editorIcon.toLatin1());
        return bytes;
    }

    static QByteArray validDocument()
    {
        return golden(Utils::pixmapToString(filled(Qt::red)));
    }

    static QJsonObject clippingObject(const QString &text, const QString &time, const QString &id, int type = 0)
    {
        return QJsonObject{{"application", "Editor"}, {"brief", Utils::makeOneLiner(text)}, {"html", ""}, {"id", id},
            {"locked", false}, {"pinned", false}, {"removed", false}, {"text", text}, {"time", time}, {"type", type}};
    }

    static QByteArray document(const QJsonArray &clippings, int version = 8)
    {
        return QJsonDocument(QJsonObject{{"clippings", clippings}, {"icons", QJsonObject()}, {"magic", -18022398},
                                 {"version", version}})
            .toJson(QJsonDocument::Compact);
    }

private slots:
    void init() { resetStore(); }

    void testFileIsWrittenByteForByte()
    {
        HistoryItemModel model(nullptr, nullptr);
        ClippingItem *image = imageItem("photo.png", time("2024-03-05T10:20:30"), "Viewer",
            QUuid("{11111111-1111-1111-1111-111111111111}"));
        image->setData(true, Qt::CheckStateRole);
        ClippingItem *text = textItem("Hello \"world\"\nsecond line", time("2024-03-05T10:15:00"), "Editor",
            QUuid("{22222222-2222-2222-2222-222222222222}"));
        text->setData("<b>Hello</b>", HtmlRole);
        text->setData(true, LockedRole);
        text->setData(filled(Qt::red), Qt::DecorationRole);
        ClippingItem *removed = textItem("removed text", time("2024-03-05T09:00:00"), "Editor",
            QUuid("{33333333-3333-3333-3333-333333333333}"));
        removed->setData(true, RemovedRole);
        removed->setData(filled(Qt::blue), Qt::DecorationRole);
        // Offered out of order: the add rules put the pinned clipping first, then newest first.
        QVERIFY(model.addItem(removed));
        QVERIFY(model.addItem(text));
        QVERIFY(model.addItem(image));

        QVERIFY(model.save(false));
        // The first row of an application gives its icon.
        QCOMPARE(readFile(historyPath()), golden(Utils::pixmapToString(filled(Qt::red))));
        QVERIFY(!QFile::exists(historyPath() + "-tmp"));
    }

    // What the user removes is gone from the disk at the next save, whichever way it was removed;
    // only the id, time, type and removed mark stay, to carry the removal to other computers.
    void testRemovedClippingsLeaveNoContentOnDisk_data()
    {
        QTest::addColumn<QString>("removal");
        for (const char *removal : {"remove", "remove all", "excluded application", "older file", "another computer"})
            QTest::newRow(removal) << QString(removal);
    }

    void testRemovedClippingsLeaveNoContentOnDisk()
    {
        QFETCH(QString, removal);
        HistoryItemModel model(nullptr, nullptr);
        model.addText("password123", "<b>password123</b>", filled(Qt::red), "Vault");
        QImage picture(6, 4, QImage::Format_RGB32);
        picture.fill(Qt::green);
        model.addImage(QUrl(), picture, filled(Qt::red), "Vault", QDateTime::currentDateTime());
        model.addText("kept text", QString(), QPixmap(), "Editor");
        QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
        // The picture's file is in the cache; the model hears of it on its own thread.
        QCoreApplication::processEvents();
        const auto rowWithText = [&model](const QString &text) {
            for (int row = 0; row < model.rowCount(); ++row) {
                if (model.item(row)->data(TextRole).toString() == text)
                    return model.index(row, 0);
            }
            return QModelIndex();
        };
        const QString textId = rowWithText("password123").data(IdRole).toUuid().toString();
        const QString imageId = rowWithText("6 x 4 (Vault)").data(IdRole).toUuid().toString();
        const QString imageFolder = Utils::imagesPath() + "/" + imageId;
        QVERIFY(QFileInfo::exists(imageFolder + "/Vault-6x4.png"));

        // The two clippings removed as this program used to write them, a minute from now.
        QJsonObject removedElsewhere = QJsonDocument::fromJson(model.serialize()).object();
        QJsonArray clippings = removedElsewhere["clippings"].toArray();
        for (qsizetype i = 0; i < clippings.size(); ++i) {
            QJsonObject clipping = clippings[i].toObject();
            if (clipping["application"] == "Vault") {
                clipping["removed"] = true;
                clipping["time"] = QDateTime::currentDateTime().addSecs(60).toString(Qt::ISODate);
            }
            clippings[i] = clipping;
        }
        removedElsewhere["clippings"] = clippings;
        const QByteArray removedDocument = QJsonDocument(removedElsewhere).toJson(QJsonDocument::Compact);
        QVERIFY(removedDocument.contains("password123"));
        model.flushSaves();

        if (removal == "remove") {
            model.markItemsAsRemoved({rowWithText("password123"), rowWithText("6 x 4 (Vault)")});
        } else if (removal == "remove all") {
            model.lockItem(rowWithText("kept text"), true);
            model.markAllAsRemoved();
        } else if (removal == "excluded application") {
            setSetting("ExcludedApplications", QStringList{"Vault"});
            model.updateExcludeList();
        } else if (removal == "older file") {
            QVERIFY(writeFile(historyPath(), removedDocument));
            HistoryItemModel reread(nullptr, nullptr);
            reread.load();
            QVERIFY(reread.save(false));
        } else {
            QByteArray result;
            QVERIFY(model.merge(removedDocument, result, BothWays));
        }
        model.flushSaves();

        const QByteArray saved = readFile(historyPath());
        QVERIFY(!saved.contains("password123"));
        QVERIFY(!saved.contains("Vault"));
        QVERIFY(saved.contains("kept text"));
        QMap<QString, int> tombstones;
        for (const QJsonValue &clipping : QJsonDocument::fromJson(saved)["clippings"].toArray()) {
            if (clipping["removed"].toBool())
                tombstones.insert(clipping["id"].toString(), clipping["type"].toInt());
        }
        QCOMPARE(tombstones, (QMap<QString, int>{{textId, 0}, {imageId, 1}}));
        QVERIFY(!QFileInfo::exists(imageFolder));
    }

    void testWriterMatchesQtJsonForHostileTexts()
    {
        HistoryItemModel model(nullptr, nullptr);
        HistoryTest::setSetting("IgnoreLength", 0);
        const QString surrogates = QString(QChar(0xd800)) + "a" + QChar(0xdc00) + QChar(0xdbff);
        const QStringList samples = {QString("quote \" backslash \\ slash /"), QString("controls \b\f\n\r\t") + QChar(1) + QChar(0x1f) + QChar(0x7f),
            QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80 \xef\xbf\xbf"), surrogates, QString(QChar(0)) + "nul"};
        const QStringList applications = {"Zed", "apple", QString::fromUtf8("\xc3\xa9lan"), QString::fromUtf8("\xf0\x9f\x98\x80"),
            QString(QChar(0xff5e)), "", "a\"b"};
        QDateTime stamp = time("2024-01-01T00:00:00");
        QJsonArray expectedClippings;
        for (int i = 0; i < samples.size() * applications.size(); ++i) {
            const QString text = samples.at(i % samples.size()) + QString::number(i);
            const QString application = applications.at(i % applications.size());
            ClippingItem *item = textItem(text, stamp.addSecs(-i), application);
            item->setData(QString("<p>%1</p>").arg(text), HtmlRole);
            item->setData(surrogates + QString::number(i), FileNameRole);
            QVERIFY(model.addItem(item));
        }
        QJsonObject icons;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QStandardItem *item = model.item(row);
            QJsonObject object{{"application", item->data(ApplicationRole).toString()},
                {"brief", item->data(Qt::DisplayRole).toString()}, {"filename", item->data(FileNameRole).toString()},
                {"html", item->data(HtmlRole).toString()}, {"id", item->data(IdRole).toUuid().toString()},
                {"locked", false}, {"pinned", false}, {"removed", false}, {"text", item->data(TextRole).toString()},
                {"time", Utils::storedTime(item->data(TimeRole).toDateTime())}, {"type", 0}};
            expectedClippings.append(object);
            icons.insert(item->data(ApplicationRole).toString(), "");
        }
        const QByteArray expected = QJsonDocument(QJsonObject{{"clippings", expectedClippings}, {"icons", icons},
                                                      {"magic", -18022398}, {"version", 8}})
                                        .toJson(QJsonDocument::Compact);
        QCOMPARE(model.serialize(), expected);
    }

    void testRoundTripKeepsEveryField()
    {
        const QByteArray original = validDocument();
        QVERIFY(writeFile(historyPath(), original));
        HistoryItemModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(model.rowCount(), 3);
        QVERIFY(!model.loadFailed());

        const QStandardItem *image = model.item(0);
        QCOMPARE(image->data(TypeRole).toInt(), 1);
        QCOMPARE(image->data(FileNameRole).toString(), QString("photo.png"));
        QCOMPARE(image->data(Qt::CheckStateRole).toBool(), true);
        QCOMPARE(image->data(IdRole).toUuid(), QUuid("{11111111-1111-1111-1111-111111111111}"));
        QVERIFY(!image->data(Qt::ToolTipRole).toString().isNull());
        const QStandardItem *text = model.item(1);
        QCOMPARE(text->data(TextRole).toString(), QString("Hello \"world\"\nsecond line"));
        QCOMPARE(text->data(Qt::DisplayRole).toString(), QString("Hello \"world\" second line"));
        QCOMPARE(text->data(HtmlRole).toString(), QString("<b>Hello</b>"));
        QCOMPARE(text->data(Qt::ToolTipRole).toString(), QString("<b>Hello</b>"));
        QCOMPARE(text->data(LockedRole).toBool(), true);
        QCOMPARE(text->data(TimeRole).toDateTime(), QDateTime(QDate(2024, 3, 5), QTime(10, 15)));
        QCOMPARE(text->data(ApplicationRole).toString(), QString("Editor"));
        QCOMPARE(text->data(Qt::DecorationRole).value<QPixmap>().toImage().pixelColor(1, 1), QColor(Qt::red));
        QCOMPARE(model.item(2)->data(RemovedRole).toBool(), true);
        // A tombstone keeps its own time.
        QCOMPARE(model.item(2)->data(TimeRole).toDateTime(), QDateTime(QDate(2024, 3, 5), QTime(9, 0)));
        QVERIFY(model.itemData(model.index(1, 0)).value(TextRole).toString().startsWith("Hello"));

        QCOMPARE(model.serialize(), original);
    }

    // With their offset, so that a computer in another time zone reads the same instant.
    void testTimesAreWrittenWithTheirOffsetWithoutMilliseconds()
    {
        HistoryItemModel model(nullptr, nullptr);
        model.addText("a clipping", QString(), QPixmap(), "Editor");
        const QJsonObject saved = QJsonDocument::fromJson(model.serialize()).object();
        const QString stamp = saved.value("clippings").toArray().first().toObject().value("time").toString();
        static const QRegularExpression format(R"(^\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}(Z|[+-]\d{2}:\d{2})$)");
        QVERIFY2(format.match(stamp).hasMatch(), qPrintable(stamp));
    }

    void testBadFileIsKeptAsideAndNothingIsLost_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("message");
        const QByteArray valid = validDocument();
        const QString parse = "Failed to parse the clippings file: ";
        QTest::newRow("truncated") << valid.left(valid.size() / 2) << 0 << parse;
        QTest::newRow("corrupt") << QByteArray("{\"clippings\":[{]}") << 0 << parse;
        QTest::newRow("empty") << QByteArray() << 0 << parse;
        QTest::newRow("wrong magic") << QByteArray(valid).replace("-18022398", "12345") << 0 << parse;
        QTest::newRow("unsigned magic") << QByteArray(valid).replace("-18022398", "4276944898") << 0 << parse;
        QTest::newRow("not an object") << QByteArray("[1,2,3]") << 0 << parse;
        QTest::newRow("newer version") << QByteArray(valid).replace("\"version\":8", "\"version\":9") << 3
                                       << "The clippings file was written by a newer version of Kestovan: ";
        // Parsed, but read by type every clipping would be dropped and the next save would lose it.
        QTest::newRow("clippings as an object") << QByteArray(valid).replace("\"clippings\":[", "\"clippings\":{\"a\":[").replace("],\"icons\"", "]},\"icons\"") << 0 << parse;
        QTest::newRow("clippings as a text") << QByteArray(R"({"clippings":"[]","icons":{},"magic":-18022398,"version":8})") << 0 << parse;
        QTest::newRow("version out of range") << QByteArray(valid).replace("\"version\":8", "\"version\":1.2e29") << 0 << parse;
        QTest::newRow("text of the wrong type") << QByteArray(valid).replace("\"text\":\"photo.png\"", "\"text\":5") << 0 << parse;
        QTest::newRow("a clipping that is not an object") << QByteArray(valid).replace("\"clippings\":[", "\"clippings\":[7,") << 0 << parse;
        QTest::newRow("pinned as a text") << QByteArray(valid).replace("\"pinned\":true", "\"pinned\":\"true\"") << 0 << parse;
    }

    void testBadFileIsKeptAsideAndNothingIsLost()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, rows);
        QFETCH(QString, message);
        QVERIFY(writeFile(historyPath(), bytes));

        HistoryItemModel model(nullptr, nullptr);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^" + QRegularExpression::escape(message + historyPath())));
        model.load();
        QCOMPARE(model.rowCount(), rows);
        QVERIFY(model.loadFailed());
        QCOMPARE(keptAsideFiles().size(), 1);
        QCOMPARE(model.keptAsidePath(), QFileInfo(historyPath()).absolutePath() + "/" + keptAsideFiles().first());

        // The next save writes a good file; the kept copy still holds every byte of the old one.
        model.addText("a new clipping", QString(), QPixmap(), "Editor");
        QVERIFY(model.save(false));
        QCOMPARE(readFile(model.keptAsidePath()), bytes);
        HistoryItemModel reloaded(nullptr, nullptr);
        reloaded.load();
        QCOMPARE(reloaded.rowCount(), rows + 1);
        QVERIFY(!reloaded.loadFailed());
    }

    // The start reads the file on a thread while the window is built; the load must come out
    // exactly as if it had read the file itself.
    // Long enough to be read and made into items in slices side by side.
    static QByteArray longDocument(bool withImages)
    {
        const QString icon = Utils::pixmapToString(filled(Qt::blue));
        QJsonArray clippings;
        const QDateTime newest(QDate(2024, 3, 5), QTime(12, 0));
        for (int i = 0; i < 5000; ++i) {
            QJsonObject clipping = clippingObject(QString(i % 3 ? "clipping %1\nline" : "clipping %1").arg(i),
                Utils::storedTime(newest.addSecs(-i)), QUuid::createUuid().toString(), withImages && i % 97 == 0 ? 1 : 0);
            clipping["application"] = QString("App %1").arg(i % 7);
            clipping["pinned"] = i < 3;
            if (withImages && i % 97 == 0)
                clipping["filename"] = i % 2 ? QString("image%1.png").arg(i) : QString("../image%1.png").arg(i);
            clippings.append(clipping);
        }
        QJsonObject icons;
        // The writer gives every application an entry; a document with images leaves some out.
        for (int app = 0; app < 7; app += withImages ? 2 : 1)
            icons[QString("App %1").arg(app)] = icon;
        return QJsonDocument(QJsonObject{{"clippings", clippings}, {"icons", icons}, {"magic", -18022398}, {"version", 8}})
            .toJson(QJsonDocument::Compact);
    }

    static QModelIndex rowWithText(const HistoryItemModel &model, const QString &text)
    {
        for (int row = 0; row < model.rowCount(); ++row) {
            if (ClippingItem::textOf(model.item(row)) == text)
                return model.index(row, 0);
        }
        return QModelIndex();
    }

    // The long history as the program leaves it after use: a removal and an edit keep their rows
    // with the time they were made, a lock keeps its time beside the clipping's, a pin moves its
    // row to the top. Some of them lie deep in the file and come before the first page once read.
    static QByteArray usedDocument()
    {
        resetStore();
        HistoryTest::setSetting("KeepItems", 10000);
        writeFile(historyPath(), longDocument(false));
        HistoryItemModel model(nullptr, nullptr);
        model.load();
        model.markItemsAsRemoved({rowWithText(model, "clipping 21"), rowWithText(model, "clipping 4002")});
        model.lockItem(rowWithText(model, "clipping 30"), true);
        model.togglePin(rowWithText(model, "clipping 3000"));
        model.updateItem(rowWithText(model, "clipping 4500"), "clipping 4500, edited");
        return model.serialize();
    }

    // The long history with a text whose brief is a later clipping's, deep in the file.
    static QByteArray repeatingDocument()
    {
        QJsonObject document = QJsonDocument::fromJson(longDocument(false)).object();
        QJsonArray clippings = document.value("clippings").toArray();
        QJsonObject repeating = clippings.at(4001).toObject();
        repeating["brief"] = clippings.at(4002).toObject().value("brief");
        clippings.replace(4001, repeating);
        document["clippings"] = clippings;
        return QJsonDocument(document).toJson(QJsonDocument::Compact);
    }

    void testFileReadAheadLoadsAsReadingItAtLoad_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        // What the user does in the window before the rest of the history is in.
        QTest::addColumn<QString>("action");
        // Whether the rows of a first page stay while the rest comes in.
        QTest::addColumn<bool>("shownStay");
        const QByteArray valid = validDocument();
        QTest::newRow("valid") << valid << QString() << true;
        QTest::newRow("long") << longDocument(true) << QString() << true;
        QTest::newRow("long without pictures") << longDocument(false) << QString() << true;
        const QByteArray longText = longDocument(false);
        QTest::newRow("long, cut after its first page") << longText.left(longText.size() * 3 / 4) << QString() << true;
        QTest::newRow("missing") << QByteArray() << QString() << true;
        QTest::newRow("truncated") << valid.left(valid.size() / 2) << QString() << true;
        QTest::newRow("wrong magic") << QByteArray(valid).replace("-18022398", "12345") << QString() << true;
        QTest::newRow("newer version") << QByteArray(valid).replace("\"version\":8", "\"version\":9") << QString() << true;
        const QByteArray used = usedDocument();
        for (const char *action : {"remove", "pin", "unpin", "lock", "edit"})
            QTest::newRow(qPrintable(QString("used, %1 on the first page").arg(action))) << used << QString(action) << true;
        // Merged by the rules, the repeat is loaded again in place of the first page.
        QTest::newRow("repeating a brief past its first page, remove on the first page")
            << repeatingDocument() << QString("remove") << false;
    }

    void testFileReadAheadLoadsAsReadingItAtLoad()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, action);
        QFETCH(bool, shownStay);
        enum Reading { AtLoad, Ahead, FirstPageAhead };
        // The outcome, and the rows shown at first that are gone.
        const auto loadOnce = [&bytes, &action](Reading reading) {
            resetStore();
            HistoryTest::setSetting("KeepItems", 10000);
            if (!bytes.isEmpty())
                writeFile(historyPath(), bytes);
            if (reading != AtLoad)
                HistoryFileReading::start(HistoryItemModel::filePath(), reading == FirstPageAhead ? 0 : -1);
            HistoryItemModel model(nullptr, nullptr);
            model.load();
            QList<QPersistentModelIndex> shown;
            for (int row = 0; row < model.rowCount(); ++row)
                shown.append(model.index(row, 0));
            if (action == "remove")
                model.markItemsAsRemoved({rowWithText(model, "clipping 12")});
            else if (action == "pin")
                model.togglePin(rowWithText(model, "clipping 15"));
            else if (action == "unpin")
                model.togglePin(rowWithText(model, "clipping 0"));
            else if (action == "lock")
                model.lockItem(rowWithText(model, "clipping 18"), true);
            else if (action == "edit")
                model.updateItem(rowWithText(model, "clipping 24"), "clipping 24, edited");
            model.finishLoading();
            QByteArray outcome = model.rowCount() ? model.serialize() : QByteArray();
            const qsizetype dropped = std::count_if(shown.cbegin(), shown.cend(), [](const QPersistentModelIndex &row) {
                return !row.isValid();
            });
            outcome += QByteArray::number(model.rowCount()) + " " + QByteArray::number(model.loadFailed()) + " "
                + QByteArray::number(keptAsideFiles().size());
            // Times taken from the clock in use and in the action agree to the second at best.
            static const QRegularExpression now("\"(time|changed)\":\"(?!2024-03-0)[^\"]*\"");
            return std::make_pair(QString::fromUtf8(outcome).replace(now, "\"\\1\":\"now\""), dropped);
        };
        const auto atLoad = loadOnce(AtLoad);
        QCOMPARE(loadOnce(Ahead), atLoad);
        const auto firstPageAhead = loadOnce(FirstPageAhead);
        QCOMPARE(firstPageAhead.first, atLoad.first);
        // A row once shown stays where the user sees it: nothing is shown that a load then drops.
        QCOMPARE(firstPageAhead.second == atLoad.second, shownStay);
    }

    void testCopyBeforeTheRestOfTheHistoryIsInLandsOnTheWholeHistory()
    {
        HistoryTest::setSetting("KeepItems", 10000);
        QVERIFY(writeFile(historyPath(), longDocument(false)));
        HistoryFileReading::start(HistoryItemModel::filePath(), 0);
        HistoryItemModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(model.rowCount(), int(HistoryFileReading::FirstPageClippings));
        // A copy of an older clipping moves it up, as it does in the whole history.
        model.addText("clipping 4002", QString(), QPixmap(), "Editor");
        QCOMPARE(model.rowCount(), 5000);
        QCOMPARE(ClippingItem::textOf(model.item(3)), QString("clipping 4002"));
        QVERIFY(model.save(false));
        const QJsonArray saved = QJsonDocument::fromJson(readFile(historyPath())).object().value("clippings").toArray();
        QCOMPARE(saved.size(), 5000);
        QCOMPARE(saved.last().toObject().value("text").toString(), QString("clipping 4999\nline"));
    }

    void testLongHistoryReadInSlicesSavesByteForByte()
    {
        HistoryTest::setSetting("KeepItems", 10000);
        const QByteArray bytes = longDocument(false);
        writeFile(historyPath(), bytes);
        HistoryFileReading::start(HistoryItemModel::filePath());
        HistoryItemModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(model.rowCount(), 5000);
        QVERIFY(model.serialize() == bytes);
    }

    void testFileReadAheadIsNeverUsedForAnotherFileOrTwice()
    {
        const auto documentOf = [](const QString &text) {
            return document(QJsonArray{clippingObject(text, "2024-01-01T10:00:00", QUuid::createUuid().toString())});
        };
        QVERIFY(writeFile(historyPath() + ".other", documentOf("from another file")));
        QVERIFY(writeFile(historyPath(), documentOf("first")));
        HistoryFileReading::start(historyPath() + ".other");
        HistoryItemModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(ClippingItem::textOf(model.item(0)), QString("first"));

        // Taken once: a later load reads the file as it is then.
        HistoryFileReading::start(historyPath());
        model.load();
        QVERIFY(writeFile(historyPath(), documentOf("second")));
        model.load();
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(ClippingItem::textOf(model.item(0)), QString("second"));
    }

    void testUnreadableFileIsKeptAside()
    {
        // A folder in the file's place cannot be opened as a file, even by root.
        QVERIFY(QDir().mkpath(historyPath() + "/contents"));
        HistoryItemModel model(nullptr, nullptr);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to read the clippings file: "));
        model.load();
        QVERIFY(model.loadFailed());
        QVERIFY(QFileInfo(model.keptAsidePath() + "/contents").isDir());

        model.addText("a new clipping", QString(), QPixmap(), "Editor");
        QVERIFY(model.save(false));
        QCOMPARE(QJsonDocument::fromJson(readFile(historyPath())).object().value("clippings").toArray().size(), 1);
    }

    void testPipeInPlaceOfADataFileIsNeverWaitedFor_data()
    {
        QTest::addColumn<QString>("pipe");
        QTest::addColumn<QString>("link");
        const QString picture = Utils::imagesPath() + "/{55555555-5555-5555-5555-555555555555}/picture.png";
        QTest::newRow("history file") << historyPath() << QString();
        QTest::newRow("link to a pipe") << Utils::dataPath() + "/elsewhere" << historyPath();
        QTest::newRow("cached picture") << picture << QString();
    }

    void testPipeInPlaceOfADataFileIsNeverWaitedFor()
    {
        QFETCH(QString, pipe);
        QFETCH(QString, link);
        QVERIFY(QDir().mkpath(QFileInfo(pipe).absolutePath()));
        PipeInPlace inPlace(pipe);
        QVERIFY(inPlace.made());
        if (!link.isEmpty())
            QVERIFY(QFile::link(pipe, link));

        if (pipe.endsWith("picture.png")) {
            // A thumbnail job on it would keep the program from quitting.
            int made = 0;
            MakeThumbnail job("picture.png", QUuid::fromString(QFileInfo(pipe).dir().dirName()), this,
                              [&made](const QImage &) { ++made; });
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to load image"));
            job.run();
            QCoreApplication::processEvents();
            QCOMPARE(made, 0);
        } else {
            HistoryItemModel model(nullptr, nullptr);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is not a regular file"));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to read the clippings file: "));
            model.load();
            QVERIFY(model.loadFailed());
            QVERIFY(!model.keptAsidePath().isEmpty());
        }
        QVERIFY2(!inPlace.released(), "a read waited on the pipe");
    }

    void testMissingFileStartsEmptyWithoutAWarningOrKeepingAnythingAside()
    {
        // The first start has no history file yet.
        QTest::failOnWarning(QRegularExpression("."));
        HistoryItemModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.loadFailed());
        QVERIFY(keptAsideFiles().isEmpty());
    }

    void testMissingVersionLoadsWithoutComplaint()
    {
        QJsonObject object = QJsonDocument::fromJson(validDocument()).object();
        object.remove("version");
        QVERIFY(writeFile(historyPath(), QJsonDocument(object).toJson(QJsonDocument::Compact)));
        HistoryItemModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(model.rowCount(), 3);
        QVERIFY(!model.loadFailed());
        QVERIFY(keptAsideFiles().isEmpty());
    }

    void testFullDiskSaveKeepsTheOldFileAndWarnsOncePerFailure()
    {
        KESTOVAN_SMALL_DISK_OR_SKIP(disk, 64 * 1024, Utils::dataPath());
        WarningBoxesShown shown;
        RecordingSync sync;
        HistoryItemModel model(nullptr, &sync);
        model.addText("saved before the disk filled", QString(), QPixmap(), "Editor");
        QVERIFY(model.save(false));
        const QByteArray original = readFile(historyPath());
        QVERIFY(disk.fill());

        // Every copy fails to save: the file stays, nothing is synchronised, one box in all. The
        // copies made while the first write runs are written together right after it.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing the clippings file failed: "));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing to file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing to file"));
        for (int copy = 0; copy < 5; ++copy) {
            auto data = std::make_shared<QMimeData>();
            data->setText(QString("copied while the disk is full %1").arg(copy));
            model.clipboardChanged(data, QPixmap(), "Editor");
        }
        model.flushSaves();
        QCOMPARE(readFile(historyPath()), original);
        QVERIFY(sync.syncCalls.isEmpty());
        QCOMPARE(openWarningBoxes().size(), 1);
        QVERIFY(openWarningBoxes().first()->text().contains("No space left on device"));
        answerWarningBox();
        QVERIFY(openWarningBoxes().isEmpty());

        // Not told again until a save has worked; after that a new failure is told again.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing to file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing the clippings file failed: "));
        QVERIFY(!model.save(false));
        QVERIFY(openWarningBoxes().isEmpty());
        QVERIFY(disk.empty());
        QVERIFY(model.save(false));
        QVERIFY(readFile(historyPath()).contains("copied while the disk is full 4"));
        QVERIFY(disk.fill());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing to file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing the clippings file failed: "));
        QVERIFY(!model.save(false));
        QCOMPARE(openWarningBoxes().size(), 1);
        answerWarningBox();
    }

    // The reason under a save warning speaks the user's language like the warning itself.
    void testSaveWarningDetailSpeaksTheChosenLanguage()
    {
        WarningBoxesShown shown;
        HistoryItemModel model(nullptr, nullptr);
        model.addText("saved into a folder's place", QString(), QPixmap(), "Editor");
        // A save that works first, so no earlier failure holds the warning back.
        QVERIFY(model.save(false));
        // A folder with something in it cannot be replaced by the new file.
        QVERIFY(QFile::remove(historyPath()));
        QVERIFY(QDir().mkpath(historyPath() + "/inside"));
        Translation::selectLanguage("German");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing to file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Die Verlaufsdatei konnte nicht geschrieben werden"));
        const bool saved = model.save(false);
        Translation::selectLanguage("English");
        QVERIFY(!saved);
        QCOMPARE(openWarningBoxes().size(), 1);
        const QString text = openWarningBoxes().first()->text();
        answerWarningBox();
        QVERIFY(QDir(historyPath()).removeRecursively());
        QVERIFY2(text.contains(SafeFile::temporaryPath(historyPath()) + " konnte nicht in " + historyPath()
                               + " umbenannt werden: "),
                 qPrintable(text));
    }

    void testImagesThatCannotBeCachedAreToldOnce()
    {
        KESTOVAN_SMALL_DISK_OR_SKIP(disk, 64 * 1024, Utils::dataPath());
        WarningBoxesShown shown;
        QVERIFY(disk.fill());
        HistoryItemModel model(nullptr, nullptr);
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to save the file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to save the file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^An image clipping cannot be saved:"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^An image clipping cannot be saved:"));
        model.addImage(QUrl(), image, QPixmap(), "Viewer", QDateTime::currentDateTime());
        model.addImage(QUrl(), image, QPixmap(), "Painter", QDateTime::currentDateTime());
        QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
        QTRY_COMPARE(openWarningBoxes().size(), 1);
        QVERIFY(openWarningBoxes().first()->text().contains("No space left on device"));
        answerWarningBox();
        QVERIFY(openWarningBoxes().isEmpty());
    }

    void testPictureCopiedOnAFullDiskIsWrittenWhenSpaceReturns_data()
    {
        QTest::addColumn<bool>("quitting");
        QTest::newRow("at the next save") << false;
        QTest::newRow("at quit") << true;
    }

    void testPictureCopiedOnAFullDiskIsWrittenWhenSpaceReturns()
    {
        QFETCH(bool, quitting);
        KESTOVAN_SMALL_DISK_OR_SKIP(disk, 256 * 1024, Utils::dataPath());
        WarningBoxesShown shown;
        HistoryItemModel model(nullptr, nullptr);
        // A picture saved first: an earlier test's failure is not told again until one was.
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        model.addImage(QUrl(), image, QPixmap(), "Viewer", QDateTime::currentDateTime());
        QTRY_VERIFY(readFile(historyPath()).contains("Viewer-30x20.png"));
        model.flushSaves();
        QVERIFY(disk.fill());

        image.fill(Qt::blue);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to save the file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^An image clipping cannot be saved:"));
        model.addImage(QUrl(), image, QPixmap(), "Viewer", QDateTime::currentDateTime());
        const QUuid id = model.item(0)->data(IdRole).toUuid();
        QTRY_COMPARE(openWarningBoxes().size(), 1);
        answerWarningBox();
        // Listed, but never in the file while it has no picture.
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.item(0)->data(IdRole).toUuid(), id);
        QVERIFY(!model.serialize().contains(id.toString().toLatin1()));

        QVERIFY(disk.empty());
        const QString file = Utils::imagesPath() + "/" + id.toString() + "/Viewer-30x20.png";
        if (quitting) {
            model.flushSaves();
        } else {
            QVERIFY(model.save(false));
            QTRY_VERIFY(readFile(historyPath()).contains(id.toString().toLatin1()));
        }
        QCOMPARE(QImage(file).pixelColor(1, 1), QColor(Qt::blue));
        QVERIFY(readFile(historyPath()).contains(id.toString().toLatin1()));
    }

    void testTextTooLargeForTheHistoryFileIsNotRecorded()
    {
        HistoryTest::setSetting("IgnoreSize", SafeFile::MaxDocumentSize / 1024);
        HistoryItemModel model(nullptr, nullptr);
        model.addText("saved before", QString(), QPixmap(), "Editor");
        QVERIFY(model.save(false));
        QSignalSpy told(&model, &HistoryItemModel::clippingNotRecorded);
        // Each character takes six bytes in the file, which holds the text twice: as text and brief.
        model.addText(QString(SafeFile::MaxDocumentSize / 12 + 1, QChar(1)), QString(), QPixmap(), "Editor");
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(told.size(), 1);
        QVERIFY(told.first().first().toString().contains("256 MB"));

        // What was written reads back whole.
        QVERIFY(model.save(false));
        HistoryItemModel reloaded(nullptr, nullptr);
        reloaded.load();
        QVERIFY(!reloaded.loadFailed());
        QCOMPARE(texts(reloaded), QStringList{"saved before"});
    }

    void testReadOnlyDataFolderTellsTheUserOnce()
    {
        KESTOVAN_SMALL_DISK_OR_SKIP(disk, 64 * 1024, Utils::dataPath());
        WarningBoxesShown shown;
        HistoryItemModel model(nullptr, nullptr);
        model.addText("saved before", QString(), QPixmap(), "Editor");
        QVERIFY(model.save(false));
        QVERIFY(disk.setReadOnly(true));

        // The copies made while the first write runs are written together right after it.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The clippings cannot be saved"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be opened for writing"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be opened for writing"));
        for (int copy = 0; copy < 3; ++copy) {
            auto data = std::make_shared<QMimeData>();
            data->setText(QString("copied into a read-only folder %1").arg(copy));
            model.clipboardChanged(data, QPixmap(), "Editor");
        }
        model.flushSaves();
        const QList<QMessageBox *> boxes = openWarningBoxes();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first()->text().contains("Read-only file system"), qPrintable(boxes.first()->text()));
        answerWarningBox();
        QVERIFY(disk.setReadOnly(false));
    }

    void testLinksInTheDataFolderAreNeverFollowed()
    {
        const QString outside = QDir(Utils::dataPath()).absoluteFilePath("../outside");
        QVERIFY(QDir().mkpath(outside));
        QVERIFY(writeFile(outside + "/victim.txt", "not the history's"));

        // A planted temporary name: the save replaces it and leaves its target alone.
        QVERIFY(QFile::link(outside + "/victim.txt", historyPath() + "-tmp"));
        HistoryItemModel model(nullptr, nullptr);
        model.addText("saved past a planted link", QString(), QPixmap(), "Editor");
        QVERIFY(model.save(false));
        QCOMPARE(readFile(outside + "/victim.txt"), QByteArray("not the history's"));
        QVERIFY(!QFileInfo(historyPath()).isSymLink());

        // A history file linked elsewhere on purpose is written through and stays a link.
        QVERIFY(QFile::rename(historyPath(), outside + "/History.json"));
        QVERIFY(QFile::link(outside + "/History.json", historyPath()));
        model.addText("written through the link", QString(), QPixmap(), "Editor");
        QVERIFY(model.save(false));
        QVERIFY(QFileInfo(historyPath()).isSymLink());
        QVERIFY(readFile(outside + "/History.json").contains("written through the link"));
        QDir(outside).removeRecursively();
    }

    void testTrimOfAClippingWithALinkedImageFolderKeepsTheLinkTarget()
    {
        HistoryTest::setSetting("KeepItems", 2);
        const QString outside = QDir(Utils::dataPath()).absoluteFilePath("../linked-target");
        QVERIFY(QDir().mkpath(outside));
        QVERIFY(writeFile(outside + "/precious.png", "precious"));
        const QUuid id = QUuid::createUuid();
        QVERIFY(QDir().mkpath(Utils::dataPath() + "/images"));
        QVERIFY(QFile::link(outside, Utils::dataPath() + "/images/" + id.toString()));

        HistoryItemModel model(nullptr, nullptr);
        QVERIFY(model.addItem(imageItem("precious.png", time("2024-03-05T10:00:00"), "Viewer", id)));
        QVERIFY(model.addItem(textItem("newer", time("2024-03-05T11:00:00"))));
        QVERIFY(model.addItem(textItem("newest", time("2024-03-05T12:00:00"))));
        QCOMPARE(texts(model), (QStringList{"newest", "newer"}));
        QVERIFY(!QFileInfo(Utils::dataPath() + "/images/" + id.toString()).isSymLink());
        QCOMPARE(readFile(outside + "/precious.png"), QByteArray("precious"));
        QDir(outside).removeRecursively();
    }

    void testOversizedHistoryFileIsKeptAsideNotRead()
    {
        QFile huge(historyPath());
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(SafeFile::MaxDocumentSize + 1));
        huge.close();

        HistoryItemModel model(nullptr, nullptr);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("more than the 268435456 a data file may have"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The clippings file is too large to load: "));
        model.load();
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(model.loadFailed());
        QCOMPARE(keptAsideFiles().size(), 1);
        QCOMPARE(QFileInfo(model.keptAsidePath()).size(), SafeFile::MaxDocumentSize + 1);
        QVERIFY(!QFileInfo::exists(historyPath()));
        QFile::remove(model.keptAsidePath());
    }

    void testEverySaveRequestsOneSync()
    {
        RecordingSync sync;
        HistoryItemModel model(nullptr, &sync);
        auto data = std::make_shared<QMimeData>();
        data->setText("copied text");
        model.clipboardChanged(data, QPixmap(), "Editor");
        // Once the file is written, off the GUI thread.
        QTRY_COMPARE(sync.syncCalls.size(), 1);
        QCOMPARE(sync.syncCalls.first().file, SyncFile::History);
        QCOMPARE(sync.syncCalls.first().merge, static_cast<ISyncMerge *>(&model));
        QCOMPARE(sync.syncCalls.first().direction, BothWays);
        QVERIFY(readFile(historyPath()).contains("copied text"));
    }

    void testDuplicateIdInTheFileKeepsEveryClipping()
    {
        const QString id = "{44444444-4444-4444-4444-444444444444}";
        QJsonObject picture = clippingObject("picture.png", "2024-03-05T09:00:00", id, 1);
        picture["filename"] = "picture.png";
        QVERIFY(QDir().mkpath(Utils::imagesPath() + "/" + id));
        QVERIFY(writeFile(Utils::imagesPath() + "/" + id + "/picture.png", "the picture's bytes"));
        // A removal is no clipping to keep: the newer of it and the clipping it removes wins.
        const QString removedId = "{66666666-6666-6666-6666-666666666666}";
        QJsonObject removal = clippingObject("", "2024-03-05T12:00:00", removedId);
        removal["removed"] = true;
        QVERIFY(writeFile(historyPath(), document({clippingObject("older copy", "2024-03-05T10:00:00", id),
                                              clippingObject("newer copy", "2024-03-05T11:00:00", id),
                                              clippingObject("same time copy", "2024-03-05T11:00:00", id), picture,
                                              clippingObject("removed later", "2024-03-05T08:00:00", removedId), removal})));
        HistoryItemModel model(nullptr, nullptr);
        for (int renewed = 0; renewed < 3; ++renewed)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The history file holds the clipping id"));
        model.load();
        QCOMPARE(texts(model), (QStringList{"", "newer copy", "same time copy", "older copy", "picture.png"}));

        // Each has an id of its own at once, in the file too; the picture has a folder of its own.
        model.flushSaves();
        QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
        HistoryItemModel reloaded(nullptr, nullptr);
        reloaded.load();
        QSet<QUuid> ids;
        for (int row = 0; row < reloaded.rowCount(); ++row)
            ids.insert(reloaded.item(row)->data(IdRole).toUuid());
        QCOMPARE(ids.size(), 5);
        const QString pictureId = reloaded.item(4)->data(IdRole).toUuid().toString();
        QCOMPARE(readFile(Utils::imagesPath() + "/" + pictureId + "/picture.png"), QByteArray("the picture's bytes"));
    }

    void testLoadTrimsToKeepItemsButKeepsLockedRows()
    {
        HistoryTest::setSetting("KeepItems", "3");
        QJsonArray clippings;
        for (int i = 0; i < 6; ++i) {
            QJsonObject object = clippingObject(QString("clipping %1").arg(i), QString("2024-03-05T10:0%1:00").arg(9 - i),
                QUuid::createUuid().toString());
            if (i == 4)
                object["locked"] = true;
            clippings.append(object);
        }
        QVERIFY(writeFile(historyPath(), document(clippings)));
        HistoryItemModel model(nullptr, nullptr);
        QCOMPARE(model.deserialize(document(clippings)), 6);
        QCOMPARE(texts(model), (QStringList{"clipping 0", "clipping 1", "clipping 4"}));
    }

    void testLoadAppliesTheAddRules()
    {
        HistoryTest::setSetting("ExcludedApplications", QStringList{"Secret"});
        HistoryTest::setSetting("IncludeImages", false);
        QJsonObject excluded = clippingObject("from the password manager", "2024-03-05T10:00:00", QUuid::createUuid().toString());
        excluded["application"] = "Secret";
        const QJsonArray clippings{excluded, clippingObject("ab", "2024-03-05T10:01:00", QUuid::createUuid().toString()),
            clippingObject(QString(4097, 'x'), "2024-03-05T10:02:00", QUuid::createUuid().toString()),
            clippingObject("picture.png", "2024-03-05T10:03:00", QUuid::createUuid().toString(), 1),
            clippingObject("kept", "2024-03-05T10:04:00", QUuid::createUuid().toString())};
        HistoryItemModel model(nullptr, nullptr);
        QCOMPARE(model.deserialize(document(clippings)), 5);
        QCOMPARE(texts(model), QStringList{"kept"});
    }

    void testFileNamesFromDocumentsStayInTheCache()
    {
        QJsonObject image = clippingObject("escape.png", "2024-03-05T10:00:00", QUuid::createUuid().toString(), 1);
        image["filename"] = "../../../outside.png";
        QJsonObject plain = clippingObject("plain.png", "2024-03-05T09:00:00", QUuid::createUuid().toString(), 1);
        plain["filename"] = "plain.png";
        HistoryItemModel model(nullptr, nullptr);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Ignoring the unsafe image file name"));
        QCOMPARE(model.deserialize(document({image, plain})), 2);
        QCOMPARE(model.item(0)->data(FileNameRole).toString(), QString());
        QCOMPARE(model.item(1)->data(FileNameRole).toString(), QString("plain.png"));
        QVERIFY(!model.serialize().contains("outside.png"));
    }

    void testMagicAboveIntRangeIsRejected()
    {
        HistoryItemModel model(nullptr, nullptr);
        QCOMPARE(model.deserialize(QByteArray(validDocument()).replace("-18022398", "4276944898")), -1);
        QCOMPARE(model.rowCount(), 0);
    }

    void testDemoStartsWithTheSampleHistory()
    {
        demoEnabled = true;
        HistoryItemModel model(nullptr, nullptr);
        model.load();
        demoEnabled = false;

        QStringList texts;
        QStringList pictures;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex index = model.index(row, 0);
            QVERIFY(!index.data(Qt::DecorationRole).value<QPixmap>().isNull());
            QCOMPARE(index.data(ApplicationRole).toString(), QString("Application"));
            if (index.data(TypeRole).toInt() != 1) {
                texts.append(index.data(TextRole).toString());
                continue;
            }
            const QString name = index.data(FileNameRole).toString();
            QVERIFY2(name.endsWith(".jpg"), qPrintable(name));
            pictures.append(Utils::dataPath() + "/images-demo/" + index.data(IdRole).toUuid().toString() + "/" + name);
        }
        // All of them fit the history's default length.
        QCOMPARE(model.rowCount(), 20);
        QCOMPARE(pictures.size(), 3);
        QVERIFY(texts.contains("linnea.virtanen@example.org"));
        // The pictures reach the demo's own image cache like copied ones; the user's stays untouched.
        for (const QString &picture : std::as_const(pictures))
            QTRY_COMPARE(QImage(picture).size(), QSize(640, 400));
        QVERIFY(!QFileInfo::exists(Utils::dataPath() + "/images"));
    }

    void testFileNameFollowsTheModes()
    {
        QCOMPARE(HistoryItemModel::getFileName(), QString("History.json"));
        demoEnabled = true;
        QCOMPARE(HistoryItemModel::getFileName(), QString("History-demo.json"));
        perfTestEnabled = true;
        QCOMPARE(HistoryItemModel::getFileName(), QString("History-perftest.json"));
        demoEnabled = false;
        perfTestEnabled = false;
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestHistoryFile)
#include "tst_historyfile.moc"
