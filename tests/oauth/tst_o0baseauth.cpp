#include "oauth/oauthtestsupport.h"

#include "oauth/o0simplecrypt.h"

#include <QFile>
#include <QSignalSpy>

Q_DECLARE_METATYPE(QList<O0RequestParameter>)

class TestO0BaseAuth : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_fileNumber = 0;
    QString m_file;

    // A client on a fresh INI store of its own.
    std::unique_ptr<O2> client(const QString &clientId, const QString &file = QString())
    {
        auto o2 = std::make_unique<O2>();
        o2->setClientId(clientId);
        o2->setStore(iniStore(file.isEmpty() ? m_file : file));
        return o2;
    }

    QSettings *readBack() { return new QSettings(m_file, QSettings::IniFormat, this); }

private slots:
    void init() { m_file = m_dir.filePath(QString("store%1.ini").arg(++m_fileNumber)); }

    void testFreshStoreReadsEmptyAndWritesNothing()
    {
        auto o2 = client("id1");
        QVERIFY(!o2->linked());
        QVERIFY(o2->token().isEmpty());
        QVERIFY(o2->extraTokens().isEmpty());
        QVERIFY(o2->refreshToken().isEmpty());
        QCOMPARE(o2->expires(), 0);
        o2.reset();
        QVERIFY(readBack()->allKeys().isEmpty());
    }

    void testEveryValueIsEncipheredUnderItsClientKey()
    {
        {
            auto o2 = client("cid");
            o2->setLinked(true);
            o2->setToken("access-plain-A1");
            o2->setTokenSecret("secret-plain");
            o2->setExtraTokens({{"id_token", "idtok-plain"}});
            o2->setRefreshToken("refresh-plain-R1");
            o2->setExpires(4102444800LL);
            o2->setCode("code-plain-C1");
        }
        QSettings *settings = readBack();
        QStringList keys = settings->allKeys();
        keys.sort();
        QCOMPARE(keys, QStringList({"code.cid", "expires.cid", "extratokens.cid", "linked.cid", "refreshtoken.cid",
                                    "token.cid", "tokensecret.cid"}));

        O0SimpleCrypt crypt(O0CryptKey::storeKey());
        const QMap<QString, QString> expected = {{"linked.cid", "1"}, {"token.cid", "access-plain-A1"},
                                                 {"tokensecret.cid", "secret-plain"},
                                                 {"refreshtoken.cid", "refresh-plain-R1"},
                                                 {"expires.cid", "4102444800"}, {"code.cid", "code-plain-C1"}};
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QString stored = settings->value(it.key()).toString();
            QVERIFY2(stored.startsWith("Aw"), qPrintable(it.key()));
            QCOMPARE(crypt.decryptToString(stored), it.value());
        }
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (const char *plain : {"access-plain", "refresh-plain", "code-plain", "idtok-plain", "secret-plain"})
            QVERIFY2(!bytes.contains(plain), plain);
    }

    void testExtraTokensKeepTheirTypesAndFormat()
    {
        const QVariantMap tokens = {{"b", true}, {"n", 42}, {"s", "x"}};
        client("id1")->setExtraTokens(tokens);

        const QVariantMap read = client("id1")->extraTokens();
        QCOMPARE(read, tokens);
        QCOMPARE(read.value("b").typeId(), QMetaType::Bool);
        QCOMPARE(read.value("n").typeId(), QMetaType::Int);
        QCOMPARE(read.value("s").typeId(), QMetaType::QString);
        // Other builds read this blob: a data-stream map, in Base64, enciphered.
        O0SimpleCrypt crypt(O0CryptKey::storeKey());
        QCOMPARE(crypt.decryptToString(readBack()->value("extratokens.id1").toString()),
                 QString("AAAAAwAAAAIAYgAAAAEAAQAAAAIAbgAAAAIAAAAAKgAAAAIAcwAAAAoAAAAAAgB4"));
    }

    void testUnreadableEntriesReadAsMissing_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("not cipher text") << "hello";
        QTest::newRow("other key") << O0SimpleCrypt(0x1234).encryptToString(QString("1"));
        QTest::newRow("damaged") << O0SimpleCrypt(O0CryptKey::storeKey()).encryptToString(QString("1")).replace(6, 4, "AAAA");
    }

    void testUnreadableEntriesReadAsMissing()
    {
        QFETCH(QString, stored);
        {
            QSettings settings(m_file, QSettings::IniFormat);
            for (const char *key : {"linked.id1", "token.id1", "extratokens.id1", "expires.id1"})
                settings.setValue(key, stored);
        }
        auto o2 = client("id1");
        QVERIFY(!o2->linked());
        QVERIFY(o2->token().isEmpty());
        QVERIFY(o2->extraTokens().isEmpty());
        QCOMPARE(o2->expires(), 0);
    }

    void testChangeSignals()
    {
        auto o2 = client("id1");
        QSignalSpy linkedChanged(o2.get(), &O0BaseAuth::linkedChanged);
        QSignalSpy tokenChanged(o2.get(), &O0BaseAuth::tokenChanged);
        o2->setLinked(true);
        o2->setLinked(true);
        QCOMPARE(linkedChanged.count(), 1);
        o2->setLinked(false);
        QCOMPARE(linkedChanged.count(), 2);
        o2->setToken("t");
        o2->setToken("t");
        QCOMPARE(tokenChanged.count(), 2);
    }

    void testClientIdsKeepSeparateEntries()
    {
        auto first = client("first");
        auto second = client("second");
        first->setToken("token of first");
        first->setLinked(true);
        second->setToken("token of second");
        QCOMPARE(first->token(), QString("token of first"));
        QVERIFY(!second->linked());

        second->setClientId("first");
        QCOMPARE(second->token(), QString("token of first"));
        QVERIFY(second->linked());
    }

    void testDefaultStoreIsTheUserSettings()
    {
        const QString file = QSettings(QSettings::NativeFormat, QSettings::UserScope, "MorvaTest", "KestovanOAuthTest").fileName();
        QVERIFY(file.startsWith(qEnvironmentVariable("HOME") + '/'));
        {
            O2 o2;
            o2.setClientId("default");
            o2.setLinked(true);
        }
        QSettings settings(file, QSettings::IniFormat);
        QVERIFY2(settings.contains("linked.default"), qPrintable(file));

        // A null store falls back to the same settings.
        O2 o2;
        o2.setClientId("default");
        o2.setStore(iniStore(m_file));
        QVERIFY(!o2.linked());
        o2.setStore(nullptr);
        QVERIFY(o2.linked());
    }

    void testQueryParametersEncodeEverythingButUnreserved_data()
    {
        QTest::addColumn<QList<O0RequestParameter>>("parameters");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty") << QList<O0RequestParameter>{} << QByteArray();
        QTest::newRow("separators") << QList<O0RequestParameter>{{"a b", "x&y=z"}, {"c", ""}}
                                    << QByteArray("a%20b=x%26y%3Dz&c=");
        QTest::newRow("unreserved kept") << QList<O0RequestParameter>{{"k", "Az09-._~"}} << QByteArray("k=Az09-._~");
        QTest::newRow("reserved and utf-8")
            << QList<O0RequestParameter>{{"u", "http://h:1/?+é"}} << QByteArray("u=http%3A%2F%2Fh%3A1%2F%3F%2B%C3%A9");
    }

    void testQueryParametersEncodeEverythingButUnreserved()
    {
        QFETCH(QList<O0RequestParameter>, parameters);
        QFETCH(QByteArray, expected);
        QCOMPARE(O0BaseAuth::createQueryParameters(parameters), expected);
    }

    void testRequestBodyIsInKeyOrder()
    {
        QCOMPARE(O2::buildRequestBody({{"z", "1"}, {"client_id", "a b"}, {"code", "4/x"}}),
                 QByteArray("client_id=a%20b&code=4%2Fx&z=1"));
    }
};

KESTOVAN_OAUTH_TEST_MAIN(TestO0BaseAuth)
#include "tst_o0baseauth.moc"
