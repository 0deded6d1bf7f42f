#include "app/unixsignalquitter.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalSockets[2] = {-1, -1};
constexpr int quitSignals[] = {SIGTERM, SIGINT, SIGHUP};

void writeSignal(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

} // namespace

UnixSignalQuitter::UnixSignalQuitter(QObject *parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0) {
        qWarning("Could not create the signal socket pair; termination signals end the program at once");
        return;
    }
    m_notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignalQuitter::readSignal);

    struct sigaction action = {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : quitSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

UnixSignalQuitter::~UnixSignalQuitter()
{
    if (!m_notifier)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : quitSignals)
        ::sigaction(signalNumber, &action, nullptr);
    ::close(signalSockets[0]);
    ::close(signalSockets[1]);
    signalSockets[0] = signalSockets[1] = -1;
}

void UnixSignalQuitter::readSignal()
{
    unsigned char byte = 0;
    if (::read(signalSockets[1], &byte, 1) != 1)
        return;
    qDebug() << "Received signal" << int(byte) << "- quitting";
    emit signalReceived(int(byte));
    QCoreApplication::quit();
}
