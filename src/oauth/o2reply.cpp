#include "oauth/o2reply.h"

O2Reply::O2Reply(QNetworkReply *watched, int timeOut, QObject *parent)
    : QTimer(parent)
    , reply(watched)
{
    setSingleShot(true);
    if (reply)
        connect(this, &O2Reply::error, reply, &QNetworkReply::errorOccurred, Qt::QueuedConnection);
    connect(this, &QTimer::timeout, this, &O2Reply::onTimeOut, Qt::QueuedConnection);
    start(timeOut);
}

void O2Reply::onTimeOut()
{
    emit error(QNetworkReply::TimeoutError);
}
