#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into an orderly QCoreApplication::quit(), so aboutToQuit runs.
// The handler only writes a byte to a socket; the quit happens in the event loop.
class UnixSignalQuitter : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignalQuitter(QObject *parent = nullptr);
    ~UnixSignalQuitter() override;

signals:
    void signalReceived(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};
