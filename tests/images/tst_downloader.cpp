#include "window/viewtestsupport.h"

#include "images/downloader.h"

#include <QProgressDialog>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

// A web server on the loopback interface that answers every request with the scripted reply.
class LoopbackServer : public QTcpServer
{
public:
    QByteArray status = "200 OK";
    QByteArray body;
    bool sendLength = true;
    // Sends the body in chunks of this size, one every 50 ms.
    int trickle = -1;
    QList<QByteArray> paths;

    LoopbackServer() { listen(QHostAddress::LocalHost, 0); }

    QUrl url(const QString &path) const { return QUrl(QString("http://127.0.0.1:%1%2").arg(serverPort()).arg(path)); }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        auto *request = new QByteArray;
        connect(socket, &QObject::destroyed, socket, [request] { delete request; });
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            request->append(socket->readAll());
            if (!request->contains("\r\n\r\n"))
                return;
            paths.append(request->split(' ').value(1));
            QByteArray head = "HTTP/1.0 " + status + "\r\nContent-Type: application/octet-stream\r\n";
            if (sendLength)
                head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
            head += "Connection: close\r\n\r\n";
            socket->write(head);
            if (trickle > 0) {
                auto *timer = new QTimer(socket);
                auto *sent = new int(0);
                connect(timer, &QObject::destroyed, timer, [sent] { delete sent; });
                connect(timer, &QTimer::timeout, socket, [this, socket, timer, sent] {
                    socket->write(body.mid(*sent, trickle));
                    *sent += trickle;
                    if (*sent >= body.size()) {
                        timer->stop();
                        socket->disconnectFromHost();
                    }
                });
                timer->start(50);
                return;
            }
            socket->write(body);
            socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
};

} // namespace

class TestDownloader : public QObject
{
    Q_OBJECT

private slots:
    void testDownloadKeepsTheBody()
    {
        LoopbackServer server;
        server.body = "installer bytes";
        Downloader downloader;
        QSignalSpy finished(&downloader, &Downloader::downloadFinished);
        downloader.download(server.url("/files/setup.exe"), false);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(downloader.downloadedData(), QByteArray("installer bytes"));
        QCOMPARE(server.paths, QList<QByteArray>{"/files/setup.exe"});
        QVERIFY(!downloader.progressDialog());
    }

    void testFailedDownloadKeepsThePreviousBody()
    {
        LoopbackServer server;
        Downloader downloader;
        QSignalSpy finished(&downloader, &Downloader::downloadFinished);
        server.status = "404 Not Found";
        server.body = "not found page";
        downloader.download(server.url("/missing"), false);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(downloader.downloadedData(), QByteArray());

        server.status = "200 OK";
        server.body = "list";
        downloader.download(server.url("/list"), false);
        QTRY_COMPARE(finished.count(), 2);
        server.status = "500 Internal Server Error";
        downloader.download(server.url("/list"), false);
        QTRY_COMPARE(finished.count(), 3);
        QCOMPARE(downloader.downloadedData(), QByteArray("list"));
    }

    void testEveryDownloadFinishesOnce()
    {
        LoopbackServer server;
        Downloader downloader;
        QSignalSpy finished(&downloader, &Downloader::downloadFinished);
        for (int i = 1; i <= 3; ++i) {
            server.body = QByteArray::number(i);
            downloader.download(server.url("/n"), false);
            QTRY_COMPARE(finished.count(), i);
            QCOMPARE(downloader.downloadedData(), QByteArray::number(i));
        }
        bool waited = false;
        QTimer::singleShot(100, this, [&waited] { waited = true; });
        QTRY_VERIFY(waited);
        QCOMPARE(finished.count(), 3);
    }

    void testProgressWithoutSizeDoesNotDivideByZero()
    {
        LoopbackServer server;
        server.body = QByteArray(300000, 'x');
        server.sendLength = false;
        Downloader downloader;
        QSignalSpy finished(&downloader, &Downloader::downloadFinished);
        downloader.download(server.url("/big/file.bin"), true);
        QProgressDialog *dialog = downloader.progressDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->labelText(), QString("Downloading: file.bin"));
        QVERIFY(!dialog->isModal());
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(downloader.downloadedData().size(), 300000);

        downloader.downloadProgress(5, 0);
        QCOMPARE(dialog->maximum(), 0);
        downloader.downloadProgress(5, -1);
        QCOMPARE(dialog->maximum(), 0);
        downloader.downloadProgress(50, 200);
        QCOMPARE(dialog->maximum(), 100);
        QCOMPARE(dialog->value(), 25);
    }

    void testCancelAbortsTheDownload()
    {
        LoopbackServer server;
        server.body = QByteArray(100000, 'y');
        server.trickle = 1000;
        Downloader downloader;
        QSignalSpy finished(&downloader, &Downloader::downloadFinished);
        downloader.download(server.url("/slow.bin"), true);
        downloader.progressDialog()->cancel();
        // Aborted at the next progress report, long before the 5 s the whole body takes.
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 2000);
        QCOMPARE(downloader.downloadedData(), QByteArray());
    }
};

KESTOVAN_VIEW_TEST_MAIN(TestDownloader)
#include "tst_downloader.moc"
