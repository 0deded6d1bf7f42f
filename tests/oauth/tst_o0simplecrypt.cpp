#include "oauth/o0cryptkey.h"
#include "oauth/o0simplecrypt.h"
#include "oauth/referencecipher.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

constexpr quint64 c_key = 0x0123456789ABCDEFULL;
// The store key of "BrindleHoxaqe".
constexpr quint64 c_storeKey = 0xE40C66D9153E3EF4ULL;

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

} // namespace

class TestO0SimpleCrypt : public QObject
{
    Q_OBJECT

private slots:
    void testKnownVectorsDecipher_data();
    void testKnownVectorsDecipher();
    void testBase64FormsDecipher();
    void testEncipherMatchesReferenceLayout_data();
    void testEncipherMatchesReferenceLayout();
    void testCompressesOnlyWhenStrictlySmaller();
    void testHashModeRoundTrip();
    void testAnyTamperedByteFailsIntegrity();
    void testKeyDifferingInEveryByteFails();
    void testNotACipherTextIsBadVersion();
    void testMissingKeyIsReported();
    void testEdgeInputs();
    void testTwoEnciphermentsDifferAndBothDecipher();
    void testKeyDerivation();
};

void TestO0SimpleCrypt::testKnownVectorsDecipher_data()
{
    QTest::addColumn<quint64>("key");
    QTest::addColumn<QByteArray>("cipher");
    QTest::addColumn<QByteArray>("plain");

    QTest::newRow("empty") << c_key << hex("0302ef2289") << QByteArray();
    QTest::newRow("hello") << c_key << hex("03024ab3a544466f204e") << QByteArray("hello");
    QTest::newRow("store key") << c_storeKey << hex("0302f41a5672") << QByteArray("1");
    QTest::newRow("utf-8") << c_storeKey << hex("0302e470a4f65df8486f045f") << QString("Grüße").toUtf8();
    QTest::newRow("compressed") << c_key << hex("0303d328c34a2d69661f2aac4bdebc3d1c1d2a4f95b1")
                                << QByteArray(300, 'a');
    QTest::newRow("zero key") << quint64(0) << hex("03027fe1c4a5c7a4") << QByteArray("abc");
    QTest::newRow("hash flag") << c_key
                               << hex("03044a2d723d47de38d19c8b9ec9a1dfb499afccce042e034528ab09")
                               << QByteArray("hello");
    QTest::newRow("no integrity") << c_key << hex("03004aef21c4cfe5") << QByteArray("hello");
}

void TestO0SimpleCrypt::testKnownVectorsDecipher()
{
    QFETCH(quint64, key);
    QFETCH(QByteArray, cipher);
    QFETCH(QByteArray, plain);

    O0SimpleCrypt crypt(key);
    QCOMPARE(crypt.decryptToByteArray(cipher), plain);
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptNoError);
}

void TestO0SimpleCrypt::testBase64FormsDecipher()
{
    O0SimpleCrypt crypt(c_key);
    QCOMPARE(crypt.decryptToString(QString("AwJKs6VERm8gTg==")), QString("hello"));
    // Characters outside the Base64 alphabet, such as line breaks in a settings file, are skipped.
    QCOMPARE(crypt.decryptToByteArray(QString("AwJKs6VE\nRm8g Tg==")), QByteArray("hello"));

    O0SimpleCrypt store(c_storeKey);
    QCOMPARE(store.decryptToString(QString("AwLkcKT2XfhIbwRf")), QString("Grüße"));
    QCOMPARE(store.decryptToString(hex("0302f41a5672")), QString("1"));
}

void TestO0SimpleCrypt::testEncipherMatchesReferenceLayout_data()
{
    QTest::addColumn<quint64>("key");
    QTest::addColumn<QByteArray>("plain");

    QTest::newRow("empty") << c_key << QByteArray();
    QTest::newRow("short") << c_key << QByteArray("hello");
    QTest::newRow("compressible") << c_key << QByteArray(300, 'a');
    QTest::newRow("zero key") << quint64(0) << QByteArray("abc");
    QTest::newRow("long text") << c_storeKey << QString("Grüße aus Kestovan. ").repeated(40).toUtf8();
}

// The random byte is the only free choice: once it is read back from the output, every other byte
// must be what a separate implementation of the format writes.
void TestO0SimpleCrypt::testEncipherMatchesReferenceLayout()
{
    QFETCH(quint64, key);
    QFETCH(QByteArray, plain);

    O0SimpleCrypt crypt(key);
    const QByteArray cipher = crypt.encryptToByteArray(plain);
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptNoError);
    QVERIFY(cipher.size() >= 5);
    const quint8 random = quint8(cipher[2]) ^ quint8(key & 0xFF);
    QCOMPARE(cipher.toHex(), ReferenceCipher::encrypt(key, random, plain).toHex());

    QByteArray decoded;
    QVERIFY(ReferenceCipher::decrypt(key, cipher, &decoded));
    QCOMPARE(decoded, plain);

    // The text form is the Base64 of the same layout.
    const QString text = crypt.encryptToString(plain);
    const QByteArray fromText = QByteArray::fromBase64(text.toLatin1());
    QCOMPARE(fromText.toBase64(), text.toLatin1());
    QVERIFY(ReferenceCipher::decrypt(key, fromText, &decoded));
    QCOMPARE(decoded, plain);
}

void TestO0SimpleCrypt::testCompressesOnlyWhenStrictlySmaller()
{
    O0SimpleCrypt crypt(c_key);

    const QByteArray repetitive(300, 'a');
    QByteArray cipher = crypt.encryptToByteArray(repetitive);
    QCOMPARE(quint8(cipher[1]), quint8(0x03));
    QCOMPARE(cipher.size(), 3 + 2 + qCompress(repetitive, 9).size());

    QByteArray random(200, '\0');
    QRandomGenerator generator(42);
    for (char &c : random)
        c = char(generator.bounded(256));
    cipher = crypt.encryptToByteArray(random);
    QCOMPARE(quint8(cipher[1]), quint8(0x02));
    QCOMPARE(cipher.size(), 3 + 2 + random.size());
    QCOMPARE(crypt.decryptToByteArray(cipher), random);

    crypt.setCompressionMode(O0SimpleCrypt::CompressAlways);
    cipher = crypt.encryptToByteArray(QByteArray("hi"));
    QCOMPARE(quint8(cipher[1]), quint8(0x03));
    QCOMPARE(crypt.decryptToByteArray(cipher), QByteArray("hi"));

    crypt.setCompressionMode(O0SimpleCrypt::CompressNever);
    cipher = crypt.encryptToByteArray(repetitive);
    QCOMPARE(quint8(cipher[1]), quint8(0x02));
    QCOMPARE(crypt.decryptToByteArray(cipher), repetitive);
}

void TestO0SimpleCrypt::testHashModeRoundTrip()
{
    // A cipher made without a key uses the SHA-1 integrity value once it is given one.
    O0SimpleCrypt crypt;
    crypt.setKey(c_key);
    const QByteArray cipher = crypt.encryptToByteArray(QByteArray("hello"));
    QCOMPARE(quint8(cipher[1]), quint8(0x04));
    QCOMPARE(cipher.size(), 3 + 20 + 5);
    const quint8 random = quint8(cipher[2]) ^ quint8(c_key & 0xFF);
    QCOMPARE(cipher, ReferenceCipher::encrypt(c_key, random, "hello", ReferenceCipher::Hash));
    QCOMPARE(crypt.decryptToByteArray(cipher), QByteArray("hello"));

    crypt.setIntegrityProtectionMode(O0SimpleCrypt::NoIntegrity);
    const QByteArray bare = crypt.encryptToByteArray(QByteArray("hello"));
    QCOMPARE(quint8(bare[1]), quint8(0x00));
    QCOMPARE(crypt.decryptToByteArray(bare), QByteArray("hello"));
}

void TestO0SimpleCrypt::testAnyTamperedByteFailsIntegrity()
{
    for (O0SimpleCrypt::IntegrityProtectionMode mode : {O0SimpleCrypt::ChecksumIntegrity, O0SimpleCrypt::HashIntegrity}) {
        O0SimpleCrypt crypt(c_key);
        crypt.setIntegrityProtectionMode(mode);
        for (const QByteArray &plain : {QByteArray("hello, world"), QByteArray(300, 'a')}) {
            const QByteArray cipher = crypt.encryptToByteArray(plain);
            // The random byte (offset 2) only masks; every later byte is covered.
            for (qsizetype i = 3; i < cipher.size(); ++i) {
                QByteArray tampered = cipher;
                tampered[i] = char(tampered[i] ^ 0x01);
                QVERIFY2(crypt.decryptToByteArray(tampered).isEmpty(), qPrintable(QString("offset %1").arg(i)));
                QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptIntegrityFailed);
            }
        }
    }

    O0SimpleCrypt crypt(c_key);
    QByteArray vector = hex("03024ab3a544466f204e");
    vector[vector.size() - 1] = char(vector.at(vector.size() - 1) ^ 0x01);
    QVERIFY(crypt.decryptToByteArray(vector).isEmpty());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptIntegrityFailed);

    // Too short to hold the integrity value its flags announce.
    QVERIFY(crypt.decryptToByteArray(hex("030200")).isEmpty());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptIntegrityFailed);
    QVERIFY(crypt.decryptToByteArray(hex("03040011223344")).isEmpty());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptIntegrityFailed);
}

// Key byte 0 only meets the random byte of a short text, so a wrong key must differ in every byte
// to be sure to be noticed.
void TestO0SimpleCrypt::testKeyDifferingInEveryByteFails()
{
    const quint64 wrongKey = c_key ^ 0xFFFFFFFFFFFFFFFFULL;
    O0SimpleCrypt wrong(wrongKey);
    QVERIFY(wrong.decryptToByteArray(hex("03024ab3a544466f204e")).isEmpty());
    QCOMPARE(wrong.lastError(), O0SimpleCrypt::CryptIntegrityFailed);

    O0SimpleCrypt right(c_key);
    for (const QByteArray &plain : {QByteArray("a secret"), QByteArray(400, 'x'), QByteArray()}) {
        const QByteArray cipher = right.encryptToByteArray(plain);
        QVERIFY(wrong.decryptToByteArray(cipher).isEmpty());
        QCOMPARE(wrong.lastError(), O0SimpleCrypt::CryptIntegrityFailed);
    }
}

void TestO0SimpleCrypt::testNotACipherTextIsBadVersion()
{
    O0SimpleCrypt crypt(c_key);
    QTest::ignoreMessage(QtWarningMsg, "Invalid version or not a cyphertext.");
    QVERIFY(crypt.decryptToByteArray(QByteArray("plain text")).isEmpty());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptBadVersion);

    // A future version is refused, not misread.
    QTest::ignoreMessage(QtWarningMsg, "Invalid version or not a cyphertext.");
    QByteArray future = hex("03024ab3a544466f204e");
    future[0] = 0x04;
    QVERIFY(crypt.decryptToByteArray(future).isEmpty());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptBadVersion);

    QTest::ignoreMessage(QtWarningMsg, "Invalid version or not a cyphertext.");
    QCOMPARE(crypt.decryptToString(QString("cGxhaW4=")), QString());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptBadVersion);

    // Empty input fails quietly.
    QVERIFY(crypt.decryptToByteArray(QByteArray()).isEmpty());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptBadVersion);
}

void TestO0SimpleCrypt::testMissingKeyIsReported()
{
    O0SimpleCrypt crypt;
    QVERIFY(!crypt.hasKey());
    QTest::ignoreMessage(QtWarningMsg, "No key set.");
    QVERIFY(crypt.encryptToByteArray(QByteArray("x")).isEmpty());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptNoKey);
    QTest::ignoreMessage(QtWarningMsg, "No key set.");
    QVERIFY(crypt.decryptToByteArray(hex("0302ef2289")).isEmpty());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptNoKey);
    QTest::ignoreMessage(QtWarningMsg, "No key set.");
    QCOMPARE(crypt.encryptToString(QString("x")), QString());

    // Key 0 is a key like any other.
    crypt.setKey(0);
    QVERIFY(crypt.hasKey());
    QCOMPARE(crypt.decryptToByteArray(crypt.encryptToByteArray(QByteArray("abc"))), QByteArray("abc"));
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptNoError);
}

void TestO0SimpleCrypt::testEdgeInputs()
{
    O0SimpleCrypt crypt(c_key);
    const QByteArray empty = crypt.encryptToByteArray(QByteArray());
    QCOMPARE(empty.size(), 5);
    QCOMPARE(quint8(empty[0]), quint8(0x03));
    QCOMPARE(quint8(empty[1]), quint8(0x02));
    QCOMPARE(crypt.decryptToByteArray(empty), QByteArray());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptNoError);

    QCOMPARE(crypt.decryptToByteArray(hex("03")), QByteArray());
    QCOMPARE(crypt.lastError(), O0SimpleCrypt::CryptNoError);

    // Unknown flag bits are ignored.
    QByteArray extraFlags = hex("03024ab3a544466f204e");
    extraFlags[1] = char(0x02 | 0x40);
    QCOMPARE(crypt.decryptToByteArray(extraFlags), QByteArray("hello"));

    // The text forms carry UTF-8.
    const QString text = QString::fromUtf8("Grüße, 世界");
    QCOMPARE(crypt.decryptToString(crypt.encryptToString(text)), text);
    QCOMPARE(crypt.decryptToString(crypt.encryptToByteArray(text)), text);
    QCOMPARE(crypt.decryptToByteArray(crypt.encryptToString(text.toUtf8())), text.toUtf8());
}

void TestO0SimpleCrypt::testTwoEnciphermentsDifferAndBothDecipher()
{
    O0SimpleCrypt crypt(c_key);
    const QByteArray plain("the same text");
    QSet<QByteArray> seen;
    for (int i = 0; i < 8; ++i) {
        const QByteArray cipher = crypt.encryptToByteArray(plain);
        QCOMPARE(crypt.decryptToByteArray(cipher), plain);
        seen.insert(cipher);
    }
    // Eight draws of the random byte all equal would be a broken generator.
    QVERIFY(seen.size() > 1);
}

void TestO0SimpleCrypt::testKeyDerivation()
{
    QCOMPARE(O0CryptKey::storeKey(), c_storeKey);
    QCOMPARE(O0CryptKey::fromBytes("correct horse"), quint64(0x2F9E53523B62ABC1ULL));
    // User passphrases are digested as UTF-8, never Latin-1.
    QCOMPARE(O0CryptKey::fromBytes(QString("pässword").toUtf8()), quint64(0x23B74494475F5F87ULL));
    QCOMPARE(O0CryptKey::fromBytes(QString("pässword").toUtf8()), ReferenceCipher::passphraseKey("pässword"));
    QCOMPARE(O0CryptKey::fromBytes(QByteArray()), ReferenceCipher::passphraseKey(QString()));
}

QTEST_GUILESS_MAIN(TestO0SimpleCrypt)
#include "tst_o0simplecrypt.moc"
