#include "app/application.h"
#include "privatebus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QString LogindService = QStringLiteral("org.freedesktop.login1");
} // namespace

class ApplicationTest : public QObject
{
    Q_OBJECT

public:
    explicit ApplicationTest(Application *app)
        : m_app(app)
    {
    }

public slots:
    void countShutdown() { ++m_shutdowns; }

private slots:
    void initTestCase()
    {
        const QByteArray address = m_bus.start();
        QVERIFY2(!address.isEmpty(), "the test's own bus did not start");
        // The bus stands in for the system bus, where logind lives.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        m_logind = QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("logind"));
        QVERIFY(m_logind.registerService(LogindService));
        m_app->watchForWake();
        QVERIFY(QDBusConnection::systemBus().connect(LogindService, "/org/freedesktop/login1",
                                                     "org.freedesktop.login1.Manager", "PrepareForShutdown", this,
                                                     SLOT(countShutdown())));
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
    }

    void testWakeFromSleepResynchronises_data()
    {
        QTest::addColumn<bool>("sleeping");
        QTest::addColumn<int>("resumes");
        QTest::newRow("going to sleep") << true << 0;
        QTest::newRow("woken") << false << 1;
    }

    void testWakeFromSleepResynchronises()
    {
        QFETCH(bool, sleeping);
        QFETCH(int, resumes);
        QSignalSpy resumed(m_app, &Application::powerResume);
        QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                                                         "PrepareForSleep");
        signal << sleeping;
        QVERIFY(m_logind.send(signal));
        // QtDBus hands one sender's signals over in order: once the next one has arrived, so has
        // the one the application heard.
        const int shutdowns = m_shutdowns;
        QVERIFY(m_logind.send(QDBusMessage::createSignal("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                                                         "PrepareForShutdown")
                              << false));
        QTRY_COMPARE(m_shutdowns, shutdowns + 1);
        QCOMPARE(resumed.count(), resumes);
    }

private:
    Application *m_app;
    int m_shutdowns = 0;
    PrivateBus m_bus;
    QDBusConnection m_logind{QString()};
};

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    ApplicationTest test(&app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
