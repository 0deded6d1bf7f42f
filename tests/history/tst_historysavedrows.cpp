// Each clipping keeps its row of the history file between saves: whatever changes a row, the next
// write must hold the row as it is now, never the one kept from before.
#include "historytestsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>

#include <functional>

using namespace HistoryTest;

namespace {

QPixmap filled(const QColor &colour)
{
    QPixmap pixmap(4, 4);
    pixmap.fill(colour);
    return pixmap;
}

QString iconText(const QStandardItem *item)
{
    if (item->type() == ClippingItem::Type) {
        if (const auto &encoded = static_cast<const ClippingItem *>(item)->encodedIcon())
            return encoded->text();
    }
    const QPixmap icon = item->data(Qt::DecorationRole).value<QPixmap>();
    return icon.isNull() ? QString("") : Utils::pixmapToString(icon);
}

// The file the rows make, written afresh through Qt's JSON from what the rows read now, with the
// removals the model keeps of rows no longer there.
QByteArray fileFromScratch(HistoryItemModel &model)
{
    QJsonArray clippings;
    QJsonObject icons;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QStandardItem *item = model.item(row);
        QJsonObject object{{"application", item->data(ApplicationRole).toString()},
            {"brief", item->data(Qt::DisplayRole).toString()}, {"html", item->data(HtmlRole).toString()},
            {"id", item->data(IdRole).toUuid().toString()}, {"locked", item->data(LockedRole).toBool()},
            {"pinned", item->data(Qt::CheckStateRole).toBool()}, {"removed", item->data(RemovedRole).toBool()},
            {"text", item->data(TextRole).toString()},
            {"time", Utils::storedTime(item->data(TimeRole).toDateTime())}, {"type", item->data(TypeRole).toInt()}};
        const QString fileName = item->data(FileNameRole).toString();
        if (!fileName.isEmpty())
            object.insert("filename", fileName);
        if (const QDateTime changed = item->data(ChangedRole).toDateTime(); changed.isValid())
            object.insert("changed", Utils::storedTime(changed));
        clippings.append(object);
        const QString application = item->data(ApplicationRole).toString();
        if (!item->data(RemovedRole).toBool() && !icons.contains(application))
            icons.insert(application, iconText(item));
    }
    QJsonObject file{{"clippings", clippings}, {"icons", icons}, {"magic", -18022398}, {"version", 8}};
    QJsonObject removals;
    for (const auto &[id, time] : model.snapshot().removals)
        removals.insert(id, time);
    if (!removals.isEmpty())
        file.insert("removedItems", removals);
    return QJsonDocument(file).toJson(QJsonDocument::Compact);
}

QModelIndex rowWithText(const HistoryItemModel &model, const QString &text)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.item(row)->data(TextRole).toString() == text)
            return model.index(row, 0);
    }
    return QModelIndex();
}

// The clipping "second text" as a history file or another device has it.
QByteArray document(const QString &text, const QString &time, const QString &id = "{44444444-4444-4444-4444-444444444444}")
{
    const QJsonObject clipping{{"application", "Editor"}, {"brief", text}, {"html", ""}, {"id", id}, {"locked", false}, {"pinned", false}, {"removed", false},
        {"text", text}, {"time", time}, {"type", 0}};
    return QJsonDocument(QJsonObject{{"clippings", QJsonArray{clipping}}, {"icons", QJsonObject()},
                             {"magic", -18022398}, {"version", 8}})
        .toJson(QJsonDocument::Compact);
}

struct Change
{
    const char *name;
    std::function<void(HistoryItemModel &)> apply;
};

const QList<Change> &changes()
{
    static const QList<Change> table = {
        {"text edited", [](HistoryItemModel &m) { m.updateItem(rowWithText(m, "second text"), QString("second text, edited")); }},
        {"image edited", [](HistoryItemModel &m) { m.updateItem(rowWithText(m, "photo.png"), QImage(2, 2, QImage::Format_RGB32)); }},
        {"pinned", [](HistoryItemModel &m) { m.togglePin(rowWithText(m, "second text")); }},
        {"unpinned", [](HistoryItemModel &m) { m.togglePin(rowWithText(m, "pinned text")); }},
        {"kept forever", [](HistoryItemModel &m) { m.lockItem(rowWithText(m, "third text"), true); }},
        {"no longer kept", [](HistoryItemModel &m) { m.lockItem(rowWithText(m, "locked text"), false); }},
        {"deleted", [](HistoryItemModel &m) { m.markItemAsRemoved(rowWithText(m, "third text")); }},
        {"several deleted", [](HistoryItemModel &m) {
             m.markItemsAsRemoved({rowWithText(m, "second text"), rowWithText(m, "photo.png")});
         }},
        {"all deleted", [](HistoryItemModel &m) { m.markAllAsRemoved(); }},
        {"moved to top", [](HistoryItemModel &m) { m.touchItem(rowWithText(m, "third text")); }},
        {"reversed", [](HistoryItemModel &m) {
             m.reverseItems({rowWithText(m, "second text"), rowWithText(m, "third text")});
         }},
        {"trimmed", [](HistoryItemModel &m) {
             setSetting("KeepItems", 3);
             m.removeExtraItems();
         }},
        {"removed for good", [](HistoryItemModel &m) { m.removeItem(rowWithText(m, "second text").row()); }},
        {"cleared", [](HistoryItemModel &m) { m.clear(); }},
        {"application excluded", [](HistoryItemModel &m) {
             setSetting("ExcludedApplications", QStringList{"Terminal"});
             m.updateExcludeList();
         }},
        {"copied again", [](HistoryItemModel &m) {
             auto data = std::make_shared<QMimeData>();
             data->setText("third text");
             m.clipboardChanged(data, filled(Qt::green), "Terminal");
         }},
        {"merged from sync", [](HistoryItemModel &m) {
             QByteArray result;
             m.merge(document("second text edited elsewhere", "2024-03-05T12:00:00"), result, BothWays);
         }},
        {"title changed", [](HistoryItemModel &m) { m.setData(rowWithText(m, "second text"), "a title", Qt::DisplayRole); }},
        {"text set", [](HistoryItemModel &m) { m.setData(rowWithText(m, "second text"), "new text", TextRole); }},
        {"html set", [](HistoryItemModel &m) { m.setData(rowWithText(m, "second text"), "<i>x</i>", HtmlRole); }},
        {"time set", [](HistoryItemModel &m) {
             m.setData(rowWithText(m, "third text"), time("2023-01-02T03:04:05"), TimeRole);
         }},
        {"id set", [](HistoryItemModel &m) { m.setData(rowWithText(m, "second text"), QUuid::createUuid(), IdRole); }},
        {"type set", [](HistoryItemModel &m) { m.setData(rowWithText(m, "second text"), 2, TypeRole); }},
        {"file name set", [](HistoryItemModel &m) { m.setData(rowWithText(m, "photo.png"), "other.png", FileNameRole); }},
        {"application set", [](HistoryItemModel &m) { m.setData(rowWithText(m, "third text"), "Viewer", ApplicationRole); }},
        {"icon set", [](HistoryItemModel &m) {
             m.setData(rowWithText(m, "pinned text"), filled(Qt::yellow), Qt::DecorationRole);
         }},
        {"fields set together", [](HistoryItemModel &m) {
             m.setItemData(rowWithText(m, "third text"), {{TextRole, "together"}, {LockedRole, true}});
         }},
        {"plain row edited", [](HistoryItemModel &m) { m.setData(rowWithText(m, "plain text"), "plain, edited", TextRole); }},
    };
    return table;
}

} // namespace

class TestHistorySavedRows : public QObject
{
    Q_OBJECT

    // Rows of every kind: pinned, kept forever, an image, two applications with icons, a row that is
    // a plain item, and a row read from a history file.
    static void fill(HistoryItemModel &model)
    {
        QStandardItem *plain = new QStandardItem;
        plain->setData("plain text", Qt::DisplayRole);
        plain->setData("plain text", TextRole);
        plain->setData(0, TypeRole);
        plain->setData(time("2024-03-05T08:00:00"), TimeRole);
        plain->setData(QUuid::createUuid(), IdRole);
        plain->setData("Terminal", ApplicationRole);
        plain->setData(false, RemovedRole);
        ClippingItem *pinned = textItem("pinned text", time("2024-03-05T09:00:00"), "Editor");
        pinned->setData(true, Qt::CheckStateRole);
        pinned->setData(filled(Qt::red), Qt::DecorationRole);
        ClippingItem *locked = textItem("locked text", time("2024-03-05T09:30:00"), "Terminal");
        locked->setData(true, LockedRole);
        locked->setData(filled(Qt::blue), Qt::DecorationRole);
        ClippingItem *image = imageItem("photo.png", time("2024-03-05T10:00:00"));
        for (QStandardItem *item : {plain, static_cast<QStandardItem *>(pinned), static_cast<QStandardItem *>(locked),
                 static_cast<QStandardItem *>(image), static_cast<QStandardItem *>(textItem("third text", time("2024-03-05T10:30:00"), "Terminal"))})
            QVERIFY(model.addItem(item));
        QCOMPARE(model.deserialize(document("second text", "2024-03-05T11:00:00")), 1);
    }

private slots:
    void init() { resetStore(); }

    void testChangedRowIsNeverWrittenStale_data()
    {
        QTest::addColumn<int>("change");
        for (int i = 0; i < changes().size(); ++i)
            QTest::newRow(changes().at(i).name) << i;
    }

    void testChangedRowIsNeverWrittenStale()
    {
        QFETCH(int, change);
        HistoryItemModel model(nullptr, nullptr);
        fill(model);
        QCOMPARE(model.rowCount(), 6);
        // Every row's record is kept after this write.
        QVERIFY(model.save(false));
        const QByteArray before = readFile(historyPath());
        QCOMPARE(before, fileFromScratch(model));

        changes().at(change).apply(model);
        model.flushSaves();
        QVERIFY(model.save(false));
        const QByteArray after = readFile(historyPath());
        QVERIFY2(after != before, "the change did not reach the file");
        QCOMPARE(after, fileFromScratch(model));
    }

    void testIdReadInAnotherFormIsWrittenAsBefore_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("usual") << "{0a1b2c3d-4e5f-6a7b-8c9d-0e1f2a3b4c5d}";
        QTest::newRow("upper case") << "{0A1B2C3D-4E5F-6A7B-8C9D-0E1F2A3B4C5D}";
        QTest::newRow("no braces") << "0a1b2c3d-4e5f-6a7b-8c9d-0e1f2a3b4c5d";
        QTest::newRow("dash misplaced") << "{0a1b2c3d4-e5f-6a7b-8c9d-0e1f2a3b4c5d}";
        QTest::newRow("not an id") << "{not-an-id-at-all-but-38-characters-x}";
        QTest::newRow("empty") << "";
    }

    void testIdReadInAnotherFormIsWrittenAsBefore()
    {
        QFETCH(QString, id);
        HistoryItemModel model(nullptr, nullptr);
        QCOMPARE(model.deserialize(document("some text", "2024-03-05T11:00:00", id)), 1);
        const QByteArray written = model.serialize();
        QCOMPARE(written, fileFromScratch(model));
        QCOMPARE(QJsonDocument::fromJson(written)["clippings"][0]["id"].toString(), QUuid::fromString(id).toString());
    }

    void testWriteUnderWayKeepsTheRowsItTook()
    {
        HistoryItemModel model(nullptr, nullptr);
        fill(model);
        const HistorySnapshot taken = model.snapshot();
        const QByteArray expected = fileFromScratch(model);
        model.updateItem(rowWithText(model, "third text"), QString("changed after the snapshot"));
        model.markAllAsRemoved();
        QCOMPARE(taken.toJson(), expected);
        model.flushSaves();
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestHistorySavedRows)
#include "tst_historysavedrows.moc"
