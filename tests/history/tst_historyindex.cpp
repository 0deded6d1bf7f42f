#include "historytestsupport.h"

#include <QRandomGenerator>

#include <algorithm>

using namespace HistoryTest;

namespace {

// The add rules written literally, scanning the rows as the rule book says, on plain records.
struct Row
{
    QString brief;
    QString text;
    QString html;
    QString application;
    QUuid id;
    qint64 time = ClippingItem::InvalidTime;
    // A lock's time: it decides which copy is newer, but not the place.
    qint64 changed = ClippingItem::InvalidTime;
    int type = 0;
    int icon = -1;
    bool pinned = false;
    bool locked = false;
    bool removed = false;

    bool operator==(const Row &other) const
    {
        return brief == other.brief && text == other.text && html == other.html && application == other.application
            && id == other.id && time == other.time && changed == other.changed && type == other.type && icon == other.icon && pinned == other.pinned
            && locked == other.locked && removed == other.removed;
    }
};

struct Rules
{
    int keepItems = 12;
    bool includeImages = true;
    int ignoreLength = 1;
    int ignoreSize = 4;
    QSet<QString> excluded;
};

class ReferenceHistory
{
public:
    QList<Row> rows;
    // Removed clippings that left the rows, by id: the newest removal of each.
    QHash<QUuid, qint64> removals;

    // A removed clipping keeps nothing but its id, time, type and marks; it is then found by its id only.
    static bool erased(const Row &row) { return row.removed && row.brief.isEmpty(); }
    static void erase(Row &row)
    {
        row.brief.clear();
        row.text.clear();
        row.html.clear();
        row.application.clear();
        row.icon = -1;
    }

    bool add(Row item, const Rules &rules)
    {
        for (;;) {
            if (removals.contains(item.id) && !(removals.value(item.id) < std::max(item.time, item.changed)))
                return false;
            if (rules.excluded.contains(item.application))
                return false;
            if (item.type == 1 || item.type == 2) {
                if (!rules.includeImages)
                    return false;
            } else if (item.type == 0 && !item.removed) {
                if (item.text.size() < rules.ignoreLength || item.text.size() > rules.ignoreSize * 1024)
                    return false;
            }
            int found = -1;
            for (int r = 0; r < rows.size(); ++r) {
                if ((item.type == 0 && !erased(item) && !erased(rows[r]) && rows[r].brief == item.brief)
                    || rows[r].id == item.id) {
                    found = r;
                    break;
                }
            }
            if (found < 0)
                break;
            const Row &row = rows[found];
            if (!(std::max(row.time, row.changed) < std::max(item.time, item.changed)))
                return false;
            if (!erased(row)) {
                item.icon = row.icon;
                item.application = row.application;
            }
            if (item.text == row.text)
                item.html = row.html;
            if (!item.pinned)
                item.pinned = row.pinned;
            // The copy replaced under another id is removed as of the newer copy.
            if (row.id != item.id && !row.id.isNull())
                noteRemoval(row.id, std::max(item.time, item.changed));
            rows.removeAt(found);
        }
        trim(rules);
        int position = int(rows.size());
        for (int r = 0; r < rows.size(); ++r) {
            if ((item.pinned && !rows[r].pinned) || (rows[r].pinned == item.pinned && rows[r].time < item.time)) {
                position = r;
                break;
            }
        }
        if (item.removed)
            erase(item);
        removals.remove(item.id);
        rows.insert(position, item);
        return true;
    }

    void trim(const Rules &rules)
    {
        if (rules.keepItems < 1)
            return;
        int n = rules.keepItems;
        while (rows.size() >= n) {
            if (rows[n - 1].locked)
                ++n;
            else
                removeAt(n - 1);
        }
    }

    void removeAt(int r)
    {
        const Row &row = rows.at(r);
        if (row.removed && !row.id.isNull())
            noteRemoval(row.id, std::max(row.time, row.changed));
        rows.removeAt(r);
    }

    void noteRemoval(const QUuid &id, qint64 when)
    {
        if (!removals.contains(id) || removals.value(id) < when)
            removals.insert(id, when);
    }

    bool inUsualOrder() const
    {
        for (int r = 0; r + 1 < rows.size(); ++r) {
            const Row &upper = rows[r];
            const Row &lower = rows[r + 1];
            if ((!upper.pinned && lower.pinned) || (upper.pinned == lower.pinned && upper.time < lower.time))
                return false;
        }
        return true;
    }
};

} // namespace

class TestHistoryIndex : public QObject
{
    Q_OBJECT

    QList<QPixmap> m_icons;

    Row rowOf(const QStandardItem *item) const
    {
        Row row;
        row.brief = item->data(Qt::DisplayRole).toString();
        row.text = item->data(TextRole).toString();
        row.html = item->data(HtmlRole).toString();
        row.application = item->data(ApplicationRole).toString();
        row.id = item->data(IdRole).toUuid();
        row.time = ClippingItem::toMsecs(item->data(TimeRole).toDateTime());
        row.changed = ClippingItem::toMsecs(item->data(ChangedRole).toDateTime());
        row.type = item->data(TypeRole).toInt();
        row.pinned = item->data(Qt::CheckStateRole).toBool();
        row.locked = item->data(LockedRole).toBool();
        row.removed = item->data(RemovedRole).toBool();
        const qint64 key = item->data(Qt::DecorationRole).value<QPixmap>().cacheKey();
        for (int i = 0; i < m_icons.size(); ++i) {
            if (m_icons.at(i).cacheKey() == key)
                row.icon = i;
        }
        return row;
    }

    QStandardItem *itemOf(const Row &row, bool plain) const
    {
        QStandardItem *item = plain ? new QStandardItem : new ClippingItem;
        item->setData(row.brief, Qt::DisplayRole);
        item->setData(row.text, TextRole);
        item->setData(row.html, HtmlRole);
        item->setData(row.application, ApplicationRole);
        item->setData(row.id, IdRole);
        item->setData(row.time == ClippingItem::InvalidTime ? QDateTime() : QDateTime::fromMSecsSinceEpoch(row.time), TimeRole);
        if (row.changed != ClippingItem::InvalidTime)
            item->setData(QDateTime::fromMSecsSinceEpoch(row.changed), ChangedRole);
        item->setData(row.type, TypeRole);
        item->setData(row.pinned, Qt::CheckStateRole);
        item->setData(row.locked, LockedRole);
        item->setData(row.removed, RemovedRole);
        if (row.icon >= 0)
            item->setData(m_icons.at(row.icon), Qt::DecorationRole);
        return item;
    }

    static void applyRules(const Rules &rules)
    {
        QSettings settings = Utils::settings();
        settings.setValue("KeepItems", QString::number(rules.keepItems));
        settings.setValue("IncludeImages", rules.includeImages);
        settings.setValue("IgnoreLength", QString::number(rules.ignoreLength));
        settings.setValue("IgnoreSize", QString::number(rules.ignoreSize));
        settings.setValue("ExcludedApplications", QStringList(rules.excluded.cbegin(), rules.excluded.cend()));
    }

private slots:
    void init()
    {
        resetStore();
        // Every edit saves the file; on a memory file system the thousands of saves cost nothing.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            HistoryTest::setSetting("HistoryFilePath", QString("/dev/shm/kestovan-historyindex-%1.json").arg(QCoreApplication::applicationPid()));
        m_icons.clear();
        for (const QColor &colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
            QPixmap icon(2, 2);
            icon.fill(colour);
            m_icons.append(icon);
        }
        // The sync log is not under test here; keep the run quiet.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type >= QtWarningMsg && !message.contains("KeepItems"))
                fprintf(stderr, "%s\n", qPrintable(message));
        });
    }

    void cleanup()
    {
        qInstallMessageHandler(nullptr);
        QFile::remove(HistoryItemModel::filePath());
    }

    void testIndexedRulesMatchTheLiteralRules_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 42u, 2024u, 99991u})
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
    }

    void testIndexedRulesMatchTheLiteralRules()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        Rules rules;
        applyRules(rules);
        HistoryItemModel model(nullptr, nullptr);
        ReferenceHistory reference;

        const QStringList texts = {"alpha", "beta", "a b", "a\nb", " a b ", "gamma delta", "gamma\ndelta", "photo.png", "x",
            "longer text with words", "longer text\nwith words", "shot.png"};
        const QStringList applications = {"Editor", "Browser", "Vault", "Viewer"};
        const QDateTime base(QDate(2024, 3, 5), QTime(12, 0));
        QList<QUuid> ids;
        bool sawDisorder = false;
        int taken = 0;

        for (int step = 0; step < 1000; ++step) {
            const int operation = int(random.bounded(100));
            const int rows = int(reference.rows.size());
            const int r = rows > 0 ? int(random.bounded(rows)) : -1;
            QString what;

            if (operation < 55 || rows == 0) {
                Row item;
                item.type = random.bounded(100) < 20 ? 1 : (random.bounded(100) < 3 ? 7 : 0);
                item.text = texts.at(int(random.bounded(int(texts.size()))));
                item.brief = item.type == 0 ? Utils::makeOneLiner(item.text) : item.text;
                item.html = random.bounded(2) ? "<p>" + item.text + "</p>" : QString();
                item.application = applications.at(int(random.bounded(int(applications.size()))));
                item.icon = int(random.bounded(4)) - 1;
                item.pinned = random.bounded(100) < 20;
                item.locked = random.bounded(100) < 10;
                item.removed = random.bounded(100) < 10;
                if (!ids.isEmpty() && random.bounded(100) < 25)
                    item.id = ids.at(int(random.bounded(int(ids.size()))));
                else
                    item.id = random.bounded(100) < 2 ? QUuid() : QUuid::createUuid();
                ids.append(item.id);
                const int when = int(random.bounded(100));
                if (when < 60)
                    item.time = base.addSecs(60 * int(random.bounded(50))).toMSecsSinceEpoch();
                else if (when < 80)
                    item.time = QDateTime::currentMSecsSinceEpoch() + int(random.bounded(200000)) - 100000;
                else if (when < 90)
                    item.time = ClippingItem::InvalidTime;
                else
                    item.time = rows > 0 ? reference.rows.at(r).time : base.toMSecsSinceEpoch();
                const bool plain = random.bounded(100) < 15;
                QStandardItem *modelItem = itemOf(item, plain);
                const bool added = model.addItem(modelItem);
                if (!added)
                    delete modelItem;
                QCOMPARE(added, reference.add(item, rules));
                taken += added ? 1 : 0;
                what = "add";
            } else if (operation < 62) {
                // A touch: the clipping again, newer.
                QStandardItem *clone = model.item(r)->clone();
                const qint64 time = QDateTime::currentMSecsSinceEpoch() + int(random.bounded(200000));
                clone->setData(QDateTime::fromMSecsSinceEpoch(time), TimeRole);
                Row row = reference.rows.at(r);
                row.time = time;
                const bool added = model.addItem(clone);
                if (!added)
                    delete clone;
                QCOMPARE(added, reference.add(row, rules));
                what = "touch";
            } else if (operation < 68) {
                const bool locked = random.bounded(2);
                model.lockItem(model.index(r, 0), locked);
                reference.rows[r].locked = locked;
                reference.rows[r].changed = rowOf(model.item(r)).changed;
                what = "lock";
            } else if (operation < 74) {
                const QModelIndex moved = model.togglePin(model.index(r, 0));
                Row row = reference.rows.takeAt(r);
                row.pinned = !row.pinned;
                row.time = rowOf(model.item(moved.row())).time;
                int position = 0;
                if (!row.pinned) {
                    while (position < reference.rows.size() && reference.rows.at(position).pinned)
                        ++position;
                }
                reference.rows.insert(position, row);
                what = "pin";
            } else if (operation < 80) {
                const QString text = texts.at(int(random.bounded(int(texts.size()))));
                model.updateItem(model.index(r, 0), text);
                Row &row = reference.rows[r];
                row.text = text;
                row.brief = Utils::makeOneLiner(text);
                row.html = "";
                row.time = rowOf(model.item(r)).time;
                what = "edit";
            } else if (operation < 86) {
                model.markItemAsRemoved(model.index(r, 0));
                Row &row = reference.rows[r];
                row.removed = true;
                row.locked = false;
                row.pinned = false;
                row.time = rowOf(model.item(r)).time;
                ReferenceHistory::erase(row);
                what = "remove";
            } else if (operation < 91) {
                QList<int> chosen;
                QList<QModelIndex> indexes;
                for (int i = 0; i < 3; ++i) {
                    const int row = int(random.bounded(rows));
                    indexes.append(model.index(row, 0));
                    if (!chosen.contains(row))
                        chosen.append(row);
                }
                model.reverseItems(indexes);
                std::sort(chosen.begin(), chosen.end());
                QList<Row> takenRows;
                for (auto it = chosen.crbegin(); it != chosen.crend(); ++it)
                    takenRows.append(reference.rows.takeAt(*it));
                for (int i = 0; i < chosen.size(); ++i)
                    reference.rows.insert(chosen.at(i), takenRows.at(i));
                what = "reverse";
            } else if (operation < 95) {
                model.removeItem(r);
                reference.removeAt(r);
                what = "delete";
            } else {
                rules.keepItems = int(random.bounded(20)) + (random.bounded(10) == 0 ? -2 : 3);
                rules.excluded = random.bounded(3) == 0 ? QSet<QString>{"Vault"} : QSet<QString>();
                rules.includeImages = random.bounded(4) != 0;
                applyRules(rules);
                model.updateExcludeList();
                for (Row &row : reference.rows) {
                    if (rules.excluded.contains(row.application)) {
                        row.removed = true;
                        ReferenceHistory::erase(row);
                    }
                }
                what = "settings";
            }

            sawDisorder = sawDisorder || !reference.inUsualOrder();
            QCOMPARE(model.rowCount(), int(reference.rows.size()));
            for (int row = 0; row < model.rowCount(); ++row) {
                if (!(rowOf(model.item(row)) == reference.rows.at(row)))
                    QFAIL(qPrintable(QString("Row %1 differs after step %2 (%3)").arg(row).arg(step).arg(what)));
            }
        }
        // Both ways of finding the insert position were exercised.
        QVERIFY(sawDisorder);
        QVERIFY(taken > 100);
    }

    // A loaded block is indexed late; rows removed, edited and added meanwhile must not lead the
    // rules astray once it is.
    void testLoadedBlockIsIndexedLateAsIfAtOnce_data()
    {
        QTest::addColumn<bool>("catchUpFirst");
        QTest::newRow("built at the first question") << false;
        QTest::newRow("built before any change") << true;
    }

    void testLoadedBlockIsIndexedLateAsIfAtOnce()
    {
        QFETCH(bool, catchUpFirst);
        HistoryTest::setSetting("KeepItems", 5000);
        const QDateTime base(QDate(2024, 3, 5), QTime(12, 0));
        QByteArray document;
        {
            HistoryItemModel generator(nullptr, nullptr);
            for (int i = 0; i < 1500; ++i)
                QVERIFY(generator.addItem(textItem(QString("clipping %1").arg(i), base.addSecs(i))));
            document = generator.serialize();
        }
        HistoryItemModel model(nullptr, nullptr);
        QCOMPARE(model.deserialize(document), 1500);

        if (catchUpFirst)
            model.catchUpIndex();
        // Changes that the index follows, or that happen before it was built.
        model.removeItem(0);
        model.item(10)->setData("renamed", Qt::DisplayRole);

        // The renamed row is found by its new brief, the removed one no more.
        QVERIFY(model.addItem(textItem("renamed", base.addSecs(7000))));
        QCOMPARE(model.rowCount(), 1499);
        QCOMPARE(model.item(0)->data(Qt::DisplayRole).toString(), QString("renamed"));
        QVERIFY(model.addItem(textItem("clipping 1499", base.addSecs(8000))));
        QCOMPARE(model.rowCount(), 1500);
        // A copy again of a loaded clipping moves it to the top instead of adding it twice.
        const QString again = model.item(700)->data(TextRole).toString();
        QVERIFY(model.addItem(textItem(again, base.addSecs(9000))));
        QCOMPARE(model.rowCount(), 1500);
        QCOMPARE(model.item(0)->data(TextRole).toString(), again);
        // The oldest clipping of all goes to the end.
        QVERIFY(model.addItem(textItem("oldest", base.addSecs(-10))));
        QCOMPARE(model.item(model.rowCount() - 1)->data(TextRole).toString(), QString("oldest"));
    }

    void testIndexFollowsChangesMadeFromOutside()
    {
        HistoryItemModel model(nullptr, nullptr);
        const QDateTime base(QDate(2024, 3, 5), QTime(12, 0));
        model.addItem(textItem("first", base));
        model.addItem(textItem("second", base.addSecs(60)));

        // A view editing a row in place, and rows moved with takeRow / insertRow.
        model.item(1)->setData("renamed", Qt::DisplayRole);
        const QList<QStandardItem *> taken = model.takeRow(0);
        model.insertRow(1, taken);
        QCOMPARE(texts(model), (QStringList{"first", "second"}));

        ClippingItem *again = textItem("renamed", base.addSecs(120));
        QVERIFY(model.addItem(again));
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.item(0)->data(TextRole).toString(), QString("renamed"));

        // An item replaced in place.
        model.setItem(1, textItem("replacement", base.addSecs(30)));
        ClippingItem *newer = textItem("replacement", base.addSecs(200));
        QVERIFY(model.addItem(newer));
        QCOMPARE(texts(model), (QStringList{"replacement", "renamed"}));
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestHistoryIndex)
#include "tst_historyindex.moc"
