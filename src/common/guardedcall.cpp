#include "common/guardedcall.h"

#include <QCoreApplication>
#include <QThread>

GuardedCall::GuardedCall(QObject *receiver)
    : m_receiver(receiver), m_relay(receiver ? relay() : nullptr)
{
    Q_ASSERT(!receiver || !m_relay || receiver->thread() == m_relay->thread());
}

void GuardedCall::deliverPosted()
{
    if (QObject *target = relay())
        QCoreApplication::sendPostedEvents(target, QEvent::MetaCall);
}

QObject *GuardedCall::relay()
{
    static QPointer<QObject> relay;
    if (!relay && QCoreApplication::instance())
        relay = new QObject(QCoreApplication::instance());
    return relay;
}
