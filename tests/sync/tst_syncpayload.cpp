#include "sync/synctestsupport.h"

#include "oauth/referencecipher.h"

using namespace SyncTest;

class TestSyncPayload : public QObject
{
    Q_OBJECT

    static std::unique_ptr<Sync> engineWith(const QString &passphrase, const QString &previous = QString(),
        bool encrypt = true)
    {
        auto engine = std::make_unique<Sync>();
        engine->initialize("None", ReportState, settingsMap(QString(), encrypt, passphrase, previous));
        return engine;
    }

private slots:
    void init() { SyncLogDialog::c_log.clear(); }
    void testEncryptedPayloadLayout();
    void testIndependentEncoderIsRead();
    void testPreviousPassphraseIsTriedOnce();
    void testWrongPassphraseGivesNothing();
    void testEncryptionRefusesAnEmptyPassphrase();
    void testPrefixIsExactAndAtTheStart();
    void testStoredPassphraseDeciphers();
    void testVersionNames();
    void testVersionPatternMatchesOnlyVersions_data();
    void testVersionPatternMatchesOnlyVersions();
    void testPlainJsonNeedsADocumentMagic();
};

void TestSyncPayload::testEncryptedPayloadLayout()
{
    auto engine = engineWith("correct horse");
    const QByteArray plain = documentBytes({"one", "two"});
    const QByteArray payload = engine->encrypt(qCompress(plain, -1));

    QVERIFY(payload.startsWith("|ENCRYPTED|"));
    QCOMPARE(quint8(payload.at(11)), quint8(0x03));
    QVERIFY(quint8(payload.at(12)) == 0x02 || quint8(payload.at(12)) == 0x03);
    QVERIFY(logHas("Sync: Encrypting the payload"));

    // Read without the program's code: strip the prefix, decipher with the passphrase's key,
    // uncompress.
    QByteArray compressed;
    QVERIFY(ReferenceCipher::decrypt(0x2F9E53523B62ABC1ULL, payload.mid(11), &compressed));
    QCOMPARE(qUncompress(compressed), plain);

    // Round trips of what is stored: documents compressed, actions and images as they are.
    for (const QByteArray &bytes : {qCompress(plain), QByteArray(5000, 'x'), QByteArray("\x89PNG\r\n\x1a\n", 8)})
        QCOMPARE(engine->decrypt(engine->encrypt(bytes)), bytes);
    QVERIFY(logHas("Sync: Decrypting the payload"));
}

void TestSyncPayload::testIndependentEncoderIsRead()
{
    auto engine = engineWith("correct horse");
    const QByteArray bytes = qCompress(documentBytes({"from another computer"}));
    const quint64 key = ReferenceCipher::passphraseKey("correct horse");
    QCOMPARE(key, quint64(0x2F9E53523B62ABC1ULL));
    const QByteArray payload = Sync::c_encryptedPrefix + ReferenceCipher::encrypt(key, 0x42, bytes);
    QCOMPARE(engine->decrypt(payload), bytes);
}

void TestSyncPayload::testPreviousPassphraseIsTriedOnce()
{
    const QByteArray bytes("the action file");
    const QByteArray fromFirst = engineWith("first")->encrypt(bytes);
    const QByteArray fromSecond = engineWith("second")->encrypt(bytes);

    // After one change the old payloads still read.
    auto changedOnce = engineWith("second", "first");
    QCOMPARE(changedOnce->decrypt(fromSecond), bytes);
    QCOMPARE(changedOnce->decrypt(fromFirst), bytes);

    // Two changes back they do not.
    auto changedTwice = engineWith("third", "second");
    QCOMPARE(changedTwice->decrypt(fromSecond), bytes);
    QVERIFY(changedTwice->decrypt(fromFirst).isEmpty());
}

void TestSyncPayload::testWrongPassphraseGivesNothing()
{
    const QByteArray payload = engineWith("right")->encrypt(QByteArray(300, 'd'));
    QVERIFY(engineWith("wrong")->decrypt(payload).isEmpty());
    QVERIFY(engineWith(QString())->decrypt(payload).isEmpty());

    // A truncated payload fails the same way.
    QVERIFY(engineWith("right")->decrypt(payload.left(payload.size() - 3)).isEmpty());
}

// The key of the empty text can be computed by anyone: enciphering under it would only pretend.
void TestSyncPayload::testEncryptionRefusesAnEmptyPassphrase()
{
    auto engine = engineWith(QString());
    QVERIFY(engine->encrypt("secret").isEmpty());
    QVERIFY(logHas("Sync: Encryption is on but no passphrase is set"));

    // A stored value that does not decipher counts as no passphrase.
    auto damaged = std::make_unique<Sync>();
    QMap<QString, QVariant> map = settingsMap(QString(), true);
    map["Passphrase"] = "bm90IGEgY2lwaGVy";
    damaged->initialize("None", ReportState, map);
    QTest::ignoreMessage(QtWarningMsg, "Invalid version or not a cyphertext.");
    QVERIFY(damaged->encrypt("secret").isEmpty());
}

void TestSyncPayload::testPrefixIsExactAndAtTheStart()
{
    QVERIFY(Sync::isEncrypted("|ENCRYPTED|\x03\x02"));
    QVERIFY(!Sync::isEncrypted("|encrypted|\x03\x02"));
    QVERIFY(!Sync::isEncrypted(" |ENCRYPTED|"));
    QVERIFY(!Sync::isEncrypted("|ENCRYPTED"));
    QCOMPARE(Sync::c_encryptedPrefix, QByteArray("|ENCRYPTED|"));
    QCOMPARE(Sync::c_encryptedPrefix.size(), 11);
}

void TestSyncPayload::testStoredPassphraseDeciphers()
{
    QCOMPARE(Sync::decipherPassphrase(storedPassphrase("pässword")), QString("pässword"));
    QCOMPARE(Sync::decipherPassphrase(QVariant()), QString());
    // Written by the store cipher with a known random byte.
    QCOMPARE(Sync::decipherPassphrase(QString("AwL0GlZy")), QString("1"));
}

void TestSyncPayload::testVersionNames()
{
    const QByteArray plain = documentBytes({"a"});
    const QString hash = sha256(plain);
    QCOMPARE(Sync::addHash(plain, "History.json"), "History#" + hash + ".json");
    QCOMPARE(Sync::addHash(plain, "Snippets-demo.json"), "Snippets-demo#" + hash + ".json");
    QCOMPARE(Sync::addHash(plain, "History.txt"), QString("History.txt"));
    QCOMPARE(Sync::onlineHash("History#abc.json"), QString("abc"));
    QCOMPARE(Sync::onlineHash("History.json"), QString("History"));
    QCOMPARE(Sync::onlineHash("History#a#b.json"), QString("b"));
}

void TestSyncPayload::testVersionPatternMatchesOnlyVersions_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("matches");

    const QString hash(64, 'a');
    QTest::newRow("plain") << "History" << "History.json" << true;
    QTest::newRow("version") << "History" << "History#" + hash + ".json" << true;
    QTest::newRow("action named History") << "History" << "action_20230101T000000_History.json" << false;
    QTest::newRow("image named History") << "History" << "image_{8f1c0000-0000-0000-0000-000000000000}_History#1.json" << false;
    QTest::newRow("longer base") << "History" << "MyHistory#abc.json" << false;
    QTest::newRow("suffix after") << "History" << "History#abc.json.part" << false;
    QTest::newRow("hidden temporary") << "History" << ".History#abc.json.1f.part" << false;
    QTest::newRow("other document") << "History" << "Snippets#abc.json" << false;
    QTest::newRow("demo document") << "History" << "History-demo#abc.json" << false;
    QTest::newRow("dot in hash") << "History" << "History#a.b.json" << false;
    QTest::newRow("any character as dot") << "History" << "History#abcxjson" << false;
    QTest::newRow("regex characters") << "Hist(o)ry+" << "Hist(o)ry+#abc.json" << true;
    QTest::newRow("regex characters literal") << "Hist(o)ry+" << "Histoyry.json" << false;
}

void TestSyncPayload::testVersionPatternMatchesOnlyVersions()
{
    QFETCH(QString, base);
    QFETCH(QString, name);
    QFETCH(bool, matches);
    QCOMPARE(Sync::versionPattern(base, "json").match(name).hasMatch(), matches);
}

void TestSyncPayload::testPlainJsonNeedsADocumentMagic()
{
    QVERIFY(Sync::isPlainJson(documentBytes({"a"}, c_historyMagic)));
    QVERIFY(Sync::isPlainJson(documentBytes({"a"}, c_snippetsMagic)));
    QVERIFY(!Sync::isPlainJson(documentBytes({"a"}, 42)));
    QVERIFY(!Sync::isPlainJson("{\"magic\": 4276944898}"));
    QVERIFY(!Sync::isPlainJson("[-18022398]"));
    QVERIFY(!Sync::isPlainJson("{\"magic\": -18022398"));
    QVERIFY(!Sync::isPlainJson(qCompress(documentBytes({"a"}))));
    QVERIFY(!Sync::isPlainJson(QByteArray()));
}

KESTOVAN_SYNC_TEST_MAIN(TestSyncPayload)
#include "tst_syncpayload.moc"
