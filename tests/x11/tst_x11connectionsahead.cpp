#include "platform/x11connectionsahead.h"
#include "scopedenvironment.h"

#include <QtTest>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

class X11ConnectionsAheadTest : public QObject
{
    Q_OBJECT

private slots:
    // Connections opened for nothing would be a waste, and in a Wayland session they could even
    // start the X server on demand.
    void testOpensAheadOnlyWhereTheToolkitGoesToX11_data()
    {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<QByteArray>("session");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("x11");

        QTest::newRow("plain X session") << QByteArray(":3") << QByteArray() << QByteArray("x11") << QStringList() << true;
        QTest::newRow("no display") << QByteArray() << QByteArray() << QByteArray("x11") << QStringList() << false;
        QTest::newRow("offscreen asked for") << QByteArray(":3") << QByteArray("offscreen") << QByteArray() << QStringList() << false;
        QTest::newRow("xcb asked for") << QByteArray(":3") << QByteArray("xcb") << QByteArray("wayland") << QStringList() << true;
        QTest::newRow("Wayland session") << QByteArray(":3") << QByteArray() << QByteArray("wayland") << QStringList() << false;
        QTest::newRow("-platform offscreen") << QByteArray(":3") << QByteArray("xcb") << QByteArray()
                                             << QStringList{"-platform", "offscreen"} << false;
        QTest::newRow("--platform xcb") << QByteArray(":3") << QByteArray() << QByteArray("wayland")
                                        << QStringList{"--platform", "xcb"} << true;
        QTest::newRow("-display elsewhere") << QByteArray(":3") << QByteArray() << QByteArray()
                                            << QStringList{"-display", ":7"} << false;
        QTest::newRow("program option") << QByteArray(":3") << QByteArray() << QByteArray() << QStringList{"--debug"} << true;
    }

    void testOpensAheadOnlyWhereTheToolkitGoesToX11()
    {
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, platform);
        QFETCH(QByteArray, session);
        QFETCH(QStringList, arguments);
        QFETCH(bool, x11);

        ScopedEnvironment environment;
        environment.set("DISPLAY", display);
        environment.set("QT_QPA_PLATFORM", platform);
        environment.set("XDG_SESSION_TYPE", session);
        QList<QByteArray> bytes{"kestovan"};
        for (const QString &argument : arguments)
            bytes.append(argument.toLocal8Bit());
        QList<char *> argv;
        for (QByteArray &argument : bytes)
            argv.append(argument.data());
        QCOMPARE(X11ConnectionsAhead::toolkitGoesToX11(int(argv.size()), argv.data()), x11);
    }

    void testConnectionsGoOnlyToTheirOwnDisplay()
    {
        const QByteArray display = qgetenv("DISPLAY");
        QVERIFY(!display.isEmpty());
        char program[] = "kestovan";
        char *argv[] = {program};
        X11ConnectionsAhead::start(1, argv);

        // A display that does not exist gets no connection opened ahead for another.
        QCOMPARE(X11ConnectionsAhead::openDisplay(":4711"), nullptr);

        QList<Display *> displays;
        for (int i = 0; i < 6; ++i) {
            Display *opened = X11ConnectionsAhead::openDisplay(display);
            QVERIFY(opened);
            QCOMPARE(QByteArray(DisplayString(opened)), display);
            QVERIFY(!displays.contains(opened));
            displays.append(opened);
        }
        int screen = -1;
        xcb_connection_t *connection = X11ConnectionsAhead::connect(display, &screen);
        QVERIFY(!xcb_connection_has_error(connection));
        QCOMPARE(screen, 0);
        xcb_disconnect(connection);

        X11ConnectionsAhead::discardUnused();
        Display *later = X11ConnectionsAhead::openDisplay(display);
        QVERIFY(later);
        displays.append(later);
        for (Display *opened : std::as_const(displays))
            XCloseDisplay(opened);
    }
};

QTEST_GUILESS_MAIN(X11ConnectionsAheadTest)
#include "tst_x11connectionsahead.moc"
