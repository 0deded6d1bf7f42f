#include "historytestsupport.h"

#include "history/historydocument.h"

#include <QRandomGenerator>

using namespace HistoryTest;

namespace {

bool sameRecord(const ClippingRecord &a, const ClippingRecord &b)
{
    return a.application == b.application && a.brief == b.brief && a.changed == b.changed && a.fileName == b.fileName && a.html == b.html
        && a.id == b.id && a.text == b.text && a.time == b.time && a.type == b.type && a.locked == b.locked
        && a.pinned == b.pinned && a.removed == b.removed;
}

QString describe(const HistoryDocument &a, const HistoryDocument &b)
{
    if (a.version != b.version || a.magic != b.magic)
        return QString("version/magic %1/%2 vs %3/%4").arg(a.version).arg(a.magic).arg(b.version).arg(b.magic);
    if (a.clippings.size() != b.clippings.size())
        return QString("%1 vs %2 clippings").arg(a.clippings.size()).arg(b.clippings.size());
    for (int i = 0; i < a.clippings.size(); ++i) {
        if (!sameRecord(a.clippings.at(i), b.clippings.at(i)))
            return QString("clipping %1 differs").arg(i);
    }
    QList<std::pair<QString, QString>> iconsA = a.icons;
    QList<std::pair<QString, QString>> iconsB = b.icons;
    std::sort(iconsA.begin(), iconsA.end());
    std::sort(iconsB.begin(), iconsB.end());
    if (iconsA != iconsB)
        return "icons differ";
    QList<std::pair<QString, QString>> removalsA = a.removals;
    QList<std::pair<QString, QString>> removalsB = b.removals;
    std::sort(removalsA.begin(), removalsA.end());
    std::sort(removalsB.begin(), removalsB.end());
    if (removalsA != removalsB)
        return "removals differ";
    return QString();
}

// JSON written with single quotes, which read more easily in C++ strings.
QByteArray json(const QByteArray &singleQuoted)
{
    return QByteArray(singleQuoted).replace('\'', '"');
}

} // namespace

// The quick reader must read every document exactly as QJsonDocument does, or decline it.
class TestHistoryDocument : public QObject
{
    Q_OBJECT

    QByteArray m_document;

private slots:
    void initTestCase()
    {
        resetStore();
        HistoryTest::setSetting("IgnoreLength", 0);
        HistoryTest::setSetting("KeepItems", 100);
        HistoryItemModel model(nullptr, nullptr);
        const QStringList texts = {"plain", "quote \" and \\ backslash", QString::fromUtf8("caf\xc3\xa9 \xf0\x9f\x98\x80"),
            QString("tab\tnew\nline") + QChar(1), QString(QChar(0xd800)) + "lone", QString(QChar(0xfffe))};
        const QDateTime base(QDate(2024, 3, 5), QTime(12, 0));
        for (int i = 0; i < 30; ++i) {
            ClippingItem *item = i % 5 == 0 ? imageItem(QString("image %1.png").arg(i), base.addSecs(i * 60), QString("App%1").arg(i % 3))
                                            : textItem(texts.at(i % texts.size()) + QString::number(i), base.addSecs(i * 60),
                                                QString::fromUtf8("\xc3\x84pp %1").arg(i % 4));
            item->setData(i % 4 == 0, Qt::CheckStateRole);
            item->setData(i % 7 == 0, LockedRole);
            item->setData(i % 6 == 0, RemovedRole);
            item->setData(QString("<b>%1</b>").arg(i), HtmlRole);
            QPixmap icon(2, 2);
            icon.fill(QColor(i * 8, 0, 0));
            item->setData(icon, Qt::DecorationRole);
            QVERIFY(model.addItem(item));
        }
        m_document = model.serialize();
    }

    void testQuickReaderTakesTheFilesWeWrite()
    {
        HistoryDocument quick;
        QVERIFY(HistoryDocumentReader::readFast(m_document, &quick));
        HistoryDocument general;
        QVERIFY(HistoryDocumentReader::readGeneral(m_document, &general, nullptr));
        QCOMPARE(describe(quick, general), QString());
        QCOMPARE(quick.clippings.size(), 30);
        QCOMPARE(quick.magic, -18022398);
    }

    void testQuickReaderAgreesOrDeclines_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("duplicate member") << QByteArray(R"({"magic":1,"magic":-18022398,"clippings":[]})");
        QTest::newRow("duplicate clipping field") << QByteArray(R"({"clippings":[{"text":"a","text":"b"}],"magic":-18022398})");
        QTest::newRow("fraction") << QByteArray(R"({"clippings":[{"type":1.0}],"magic":-18022398,"version":8.0})");
        QTest::newRow("exponent") << QByteArray(R"({"clippings":[],"magic":-18022398,"version":8e0})");
        QTest::newRow("huge number") << QByteArray(R"({"clippings":[],"magic":-18022398,"version":1e400})");
        QTest::newRow("unsigned magic") << QByteArray(R"({"clippings":[],"magic":4276944898})");
        QTest::newRow("leading zero") << QByteArray(R"({"clippings":[],"magic":0123})");
        QTest::newRow("escaped name") << QByteArray(R"({"clippings":[{"\u0074ext":"escaped"}],"magic":-18022398})");
        QTest::newRow("unknown escape") << QByteArray(R"({"clippings":[{"text":"\x41"}],"magic":-18022398})");
        QTest::newRow("raw control character") << QByteArray("{\"clippings\":[{\"text\":\"a\x01\"}],\"magic\":-18022398}");
        QTest::newRow("invalid utf-8") << QByteArray("{\"clippings\":[{\"text\":\"\xc0\x80\"}],\"magic\":-18022398}");
        QTest::newRow("encoded surrogate") << QByteArray("{\"clippings\":[{\"text\":\"\xed\xa0\x80\"}],\"magic\":-18022398}");
        QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf{\"clippings\":[],\"magic\":-18022398}");
        QTest::newRow("trailing garbage") << QByteArray(R"({"clippings":[],"magic":-18022398}x)");
        QTest::newRow("trailing comma") << QByteArray(R"({"clippings":[],"magic":-18022398,})");
        QTest::newRow("top-level array") << QByteArray(R"([{"clippings":[]}])");
        QTest::newRow("wrong types") << QByteArray(R"({"clippings":[{"text":5,"pinned":"true","type":"1","locked":1},7,null],"icons":{"a":3},"magic":-18022398})");
        QTest::newRow("deep nesting") << QByteArray(R"({"x":)") + QByteArray(600, '[') + QByteArray(600, ']') + QByteArray(R"(,"magic":-18022398})");
        QTest::newRow("unknown members") << QByteArray(R"({"extra":{"a":[true,false,null,-5,"s"]},"clippings":[{"future":[1,2]}],"magic":-18022398})");
        QTest::newRow("lock time and removals") << json("{'clippings':[{'changed':'2024-03-05T12:00:00+01:00','text':'a'}],'magic':-18022398,'removedItems':{'{00000000-0000-4000-8000-000000000001}':'2024-03-05T11:00:00Z'},'version':8}");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("whitespace") << QByteArray(" \n\t{ \"clippings\" : [ ] , \"magic\" : -18022398 } \r\n");
        // Texts shared by their bytes: a brief must never be taken for a text it only starts like.
        QTest::newRow("brief is the start of its text") << json("{'clippings':[{'brief':'ab','text':'abc'},{'text':'ab\\\\','brief':'ab\\\\\\''}],'magic':-18022398}");
        QTest::newRow("text before an equal brief") << json("{'clippings':[{'text':'same \\'x\\'','brief':'same \\'x\\''}],'magic':-18022398}");
        QTest::newRow("equal texts spelled apart") << json("{'clippings':[{'brief':'\\u0041','text':'A'},{'application':'\\u0041pp'},{'application':'App'},{'application':'\\u0041pp'}],'magic':-18022398}");
        QTest::newRow("lone surrogate escapes") << QByteArray(R"({"clippings":[{"text":"\udc00\ud800x"}],"magic":-18022398})");
    }

    void testQuickReaderAgreesOrDeclines()
    {
        QFETCH(QByteArray, json);
        HistoryDocument general;
        QString error;
        const bool generalRead = HistoryDocumentReader::readGeneral(json, &general, &error);
        HistoryDocument quick;
        if (HistoryDocumentReader::readFast(json, &quick)) {
            QVERIFY2(generalRead, qPrintable("QJsonDocument rejects it: " + error));
            QCOMPARE(describe(quick, general), QString());
        }
        HistoryDocument combined;
        QCOMPARE(HistoryDocumentReader::read(json, &combined, nullptr), generalRead);
        QCOMPARE(describe(combined, general), QString());
    }

    void testDamagedDocumentsAreReadAsQtReadsThem()
    {
        QRandomGenerator random(20240305);
        const QList<QByteArray> tokens = {"\"", "\\", ",", ":", "{", "}", "[", "]", "1.5", "-", "\\u00e9", "\xc3", "\xff", "null",
            "\"text\":\"x\",", " ", "\x01", "0", "true"};
        int quickTaken = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray json = m_document;
            const int edits = 1 + int(random.bounded(3));
            for (int e = 0; e < edits; ++e) {
                const int at = int(random.bounded(int(json.size())));
                switch (random.bounded(4)) {
                case 0: json.remove(at, 1 + int(random.bounded(4))); break;
                case 1: json.insert(at, tokens.at(int(random.bounded(int(tokens.size()))))); break;
                case 2: json[at] = char(random.bounded(256)); break;
                default: json.truncate(at); break;
                }
            }
            HistoryDocument general;
            const bool generalRead = HistoryDocumentReader::readGeneral(json, &general, nullptr);
            HistoryDocument quick;
            if (HistoryDocumentReader::readFast(json, &quick)) {
                ++quickTaken;
                if (!generalRead)
                    QFAIL(qPrintable("Quick reader took a document QJsonDocument rejects, round " + QString::number(round)));
                const QString difference = describe(quick, general);
                if (!difference.isEmpty())
                    QFAIL(qPrintable(QString("Round %1: %2").arg(round).arg(difference)));
            }
        }
        // Damage inside string values leaves valid documents: the comparison above did run.
        QVERIFY(quickTaken > 100);
    }

    // Long arrays are split at their commas and read side by side; damage at the splits must be
    // seen as it is in one pass.
    void testLongDocumentsAreReadInSlicesAsInOnePass()
    {
        QByteArray document = "{'clippings':[";
        const int count = 5000;
        for (int i = 0; i < count; ++i) {
            if (i)
                document += i % 11 ? "," : " ,\n ";
            const QByteArray number = QByteArray::number(i);
            const QByteArray text = i % 5 ? "text " + number : "tricky [{\\'" + number + "\\'}], \\\\";
            document += "{'application':'App " + QByteArray::number(i % 4) + "','brief':'" + (i % 2 ? text : "brief")
                + "','text':'" + text + "','type':0,'extra':{'a':[1,{'b':']'}]}}";
        }
        document += "],'icons':{'App 1':'aWNvbg=='},'magic':-18022398,'version':8}";
        const QByteArray json = ::json(document);

        HistoryDocument general;
        QVERIFY(HistoryDocumentReader::readGeneral(json, &general, nullptr));
        HistoryDocument quick;
        QVERIFY(HistoryDocumentReader::readFast(json, &quick));
        QCOMPARE(describe(quick, general), QString());
        QCOMPARE(quick.clippings.size(), count);

        QList<qsizetype> commas;
        for (qsizetype at = json.indexOf("},{"); at >= 0; at = json.indexOf("},{", at + 1))
            commas.append(at + 1);
        const QList<QByteArray> damages = {"", "]", "}", "\"", "[", ",,"};
        for (int split = 1; split < 8; ++split) {
            const qsizetype comma = commas.at(commas.size() * split / 8);
            for (const QByteArray &damage : damages) {
                const QByteArray damaged = QByteArray(json).replace(comma, 1, damage);
                HistoryDocument expected;
                const bool generalRead = HistoryDocumentReader::readGeneral(damaged, &expected, nullptr);
                HistoryDocument read;
                if (HistoryDocumentReader::readFast(damaged, &read)) {
                    QVERIFY2(generalRead, damage.constData());
                    QCOMPARE(describe(read, expected), QString());
                }
            }
        }
    }

    void testCanonicalTimesReadExactlyAsQDateTime()
    {
        // Every hour of a year, across both daylight saving changes of the test's time zone.
        QDateTime stamp(QDate(2023, 12, 31), QTime(0, 17, 43));
        for (int hour = 0; hour < 366 * 24 + 5; ++hour) {
            const QString text = stamp.toString("yyyy-MM-ddThh:mm:ss");
            ClippingItem item;
            item.setTimeText(text);
            const QDateTime expected = QDateTime::fromString(text, Qt::ISODate);
            if (item.timeMsecs() != expected.toMSecsSinceEpoch())
                QFAIL(qPrintable("Wrong time for " + text));
            QCOMPARE(item.time(), expected);
            QCOMPARE(item.timeText(), Utils::storedTime(expected));
            stamp = stamp.addSecs(3600);
        }
        // The hour that does not exist on the spring change, times with offsets, and odd forms.
        for (const QString &text : {QString("2024-03-31T03:30:00"), QString("2024-10-27T03:30:00"),
                 QString("2024-03-05T10:20:30.250"), QString("2024-03-05T10:20:30+05:00"), QString("2024-03-05T10:20:30Z"),
                 QString("2024-03-05T10:20:30-04:30"), QString("2024-03-05T10:20:30+25:00"),
                 QString("2024-02-30T10:00:00"), QString("not a time"), QString()}) {
            ClippingItem item;
            item.setTimeText(text);
            const QDateTime expected = QDateTime::fromString(text, Qt::ISODate);
            QCOMPARE(item.timeMsecs(), ClippingItem::toMsecs(expected));
            QCOMPARE(item.time(), expected);
            QCOMPARE(item.timeText(), Utils::storedTime(expected));
        }
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestHistoryDocument)
#include "tst_historydocument.moc"
