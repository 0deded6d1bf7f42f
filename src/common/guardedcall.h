#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <utility>

// How a job on a worker thread hands its result back to an object on the GUI thread. The call is
// posted to an object of the application's and made there only if the receiver still exists: the
// receiver is looked at on the GUI thread alone, so it may go at any time, even while a job ends.
class GuardedCall
{
public:
    // A call to nobody: post() does nothing.
    GuardedCall() = default;
    // Made on the GUI thread, where receiver lives.
    explicit GuardedCall(QObject *receiver);

    // From any thread; call runs later on the GUI thread, or never once the receiver is gone.
    template<typename Call>
    void post(Call call) const;

    // Makes the calls posted so far now: for a flush that cannot wait for the event loop.
    static void deliverPosted();

private:
    static QObject *relay();

    QPointer<QObject> m_receiver;
    // A child of the application, which outlives every job of the global pool.
    QObject *m_relay = nullptr;
};

template<typename Call>
void GuardedCall::post(Call call) const
{
    if (!m_relay)
        return;
    QMetaObject::invokeMethod(
        m_relay,
        [receiver = m_receiver, call = std::move(call)]() mutable {
            if (receiver)
                call();
        },
        Qt::QueuedConnection);
}
