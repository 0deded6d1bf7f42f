#pragma once

#include <QNetworkReply>
#include <QTimer>

// A time-out for one network reply: when it runs out, the reply reports a time-out error through
// its own errorOccurred signal, so its owner handles it like any other network failure.
class O2Reply : public QTimer
{
    Q_OBJECT

public:
    O2Reply(QNetworkReply *reply, int timeOut, QObject *parent = nullptr);

    QNetworkReply *reply;

signals:
    void error(QNetworkReply::NetworkError error);

public slots:
    void onTimeOut();
};
