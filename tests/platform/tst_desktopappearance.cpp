#include "platform/desktopappearance.h"

#include "privatebus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QThread>
#include <QtTest>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// A stand-in for the desktop portal's settings interface, answering from its own thread.
class FakePortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    std::atomic<uint> colorScheme{0};

public slots:
    QDBusVariant Read(const QString &group, const QString &key)
    {
        if (group != QLatin1String("org.freedesktop.appearance") || key != QLatin1String("color-scheme"))
            return QDBusVariant(QString());
        // Read answers a variant inside a variant.
        return QDBusVariant(QVariant::fromValue(QDBusVariant(uint(colorScheme))));
    }
};

} // namespace

class DesktopAppearanceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QByteArray address = m_bus.start();
        QVERIFY2(!address.isEmpty(), "the test's own bus did not start");
        // Before anything opens the session bus.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        QVERIFY(QDBusConnection::sessionBus().isConnected());

        m_portalThread.start();
        m_portal.moveToThread(&m_portalThread);
        m_portalBus = QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("portal"));
        QVERIFY(m_portalBus.isConnected());
    }

    void cleanupTestCase()
    {
        m_portalThread.quit();
        m_portalThread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
    }

    void testNoPortalMeansNoPreference()
    {
        DesktopAppearance appearance;
        QCOMPARE(appearance.prefersDark(), std::nullopt);
    }

    void testPortalColorSchemeIsRead()
    {
        publishPortal();
        m_portal.colorScheme = 1;
        QCOMPARE(DesktopAppearance().prefersDark(), std::optional<bool>(true));
        m_portal.colorScheme = 2;
        QCOMPARE(DesktopAppearance().prefersDark(), std::optional<bool>(false));
        m_portal.colorScheme = 0;
        QCOMPARE(DesktopAppearance().prefersDark(), std::nullopt);
    }

    void testChangedColorSchemeIsFollowed()
    {
        publishPortal();
        m_portal.colorScheme = 2;
        DesktopAppearance appearance;
        QCOMPARE(appearance.prefersDark(), std::optional<bool>(false));

        m_portal.colorScheme = 1;
        QDBusMessage changed = QDBusMessage::createSignal(portalPath, QStringLiteral("org.freedesktop.portal.Settings"),
                                                          QStringLiteral("SettingChanged"));
        changed << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme")
                << QVariant::fromValue(QDBusVariant(uint(1)));
        QVERIFY(m_portalBus.send(changed));
        QTRY_COMPARE(appearance.prefersDark(), std::optional<bool>(true));
    }

private:
    void publishPortal()
    {
        if (m_published)
            return;
        QVERIFY(m_portalBus.registerObject(portalPath, &m_portal, QDBusConnection::ExportAllSlots));
        QVERIFY(m_portalBus.registerService(portalService));
        m_published = true;
    }

    PrivateBus m_bus;
    QThread m_portalThread;
    FakePortal m_portal;
    QDBusConnection m_portalBus{QString()};
    bool m_published = false;
};

QTEST_MAIN(DesktopAppearanceTest)
#include "tst_desktopappearance.moc"
