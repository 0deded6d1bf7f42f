#include <QProcess>
#include <QtTest>

// The program must start without the dynamic loader reading the script engine, Qt Multimedia, the
// audio libraries, Qt Network, Qt WebSockets, Kerberos or the proxy library: they load on first
// use. An include or a link added to the core would bring them back silently, slowing every start.
class TestStartupLibraries : public QObject
{
    Q_OBJECT

    // The libraries the loader maps for `file`, as ldd lists them.
    static QString loadedBy(const QString &file)
    {
        QProcess ldd;
        ldd.setProcessChannelMode(QProcess::MergedChannels);
        ldd.start("ldd", {file});
        if (!ldd.waitForFinished(60000) || ldd.exitStatus() != QProcess::NormalExit || ldd.exitCode() != 0)
            return QString();
        return QString::fromLocal8Bit(ldd.readAll());
    }

private slots:
    void testProgramLoadsLibrariesOfLaterUseOnlyWhenUsed_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("library");
        QTest::addColumn<bool>("loaded");

        const QString program = KESTOVAN_BINARY_DIR "/kestovan";
        QTest::newRow("program: Qt Qml") << program << "libQt6Qml.so" << false;
        QTest::newRow("program: Qt Multimedia") << program << "libQt6Multimedia.so" << false;
        QTest::newRow("program: PulseAudio") << program << "libpulse.so" << false;
        QTest::newRow("program: script engine") << program << "libkestovanscript.so" << false;
        QTest::newRow("program: sound player") << program << "libkestovansound.so" << false;
        QTest::newRow("program: Qt Network") << program << "libQt6Network.so" << false;
        QTest::newRow("program: Qt WebSockets") << program << "libQt6WebSockets.so" << false;
        QTest::newRow("program: Kerberos") << program << "libgssapi_krb5.so" << false;
        QTest::newRow("program: proxy library") << program << "libproxy.so" << false;
        QTest::newRow("program: network library") << program << "libkestovannet.so" << false;
        // The same check sees the libraries where they belong.
        QTest::newRow("script engine: Qt Qml") << KESTOVAN_BINARY_DIR "/libkestovanscript.so" << "libQt6Qml.so" << true;
        QTest::newRow("sound player: Qt Multimedia")
            << KESTOVAN_BINARY_DIR "/libkestovansound.so" << "libQt6Multimedia.so" << true;
        const QString network = KESTOVAN_BINARY_DIR "/libkestovannet.so";
        QTest::newRow("network library: Qt Network") << network << "libQt6Network.so" << true;
        QTest::newRow("network library: Qt WebSockets") << network << "libQt6WebSockets.so" << true;
        QTest::newRow("network library: Kerberos") << network << "libgssapi_krb5.so" << true;
        QTest::newRow("network library: proxy library") << network << "libproxy.so" << true;
    }

    void testProgramLoadsLibrariesOfLaterUseOnlyWhenUsed()
    {
        QFETCH(QString, file);
        QFETCH(QString, library);
        QFETCH(bool, loaded);
        const QString libraries = loadedBy(file);
        QVERIFY2(!libraries.isEmpty(), qPrintable("ldd failed on " + file));
        QVERIFY2(libraries.contains(library) == loaded, qPrintable(libraries));
    }
};

QTEST_GUILESS_MAIN(TestStartupLibraries)
#include "tst_startuplibraries.moc"
