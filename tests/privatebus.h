#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QString>

// Writes the configuration of a session bus of the test's own into FOLDER, where the bus also puts
// its socket; returns the file's path, or an empty one. It names no service folders, so a call to a
// name starts nothing: a service the machine has installed (the desktop portal, a notification
// server) never takes part in a test.
inline QString writePrivateBusConfig(const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("session-bus.conf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    const QByteArray config =
        "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
        "<busconfig>\n"
        "  <type>session</type>\n"
        "  <listen>unix:dir=" + QDir(folder).absolutePath().toHtmlEscaped().toUtf8() + "</listen>\n"
        "  <auth>EXTERNAL</auth>\n"
        "  <policy context=\"default\">\n"
        "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
        "    <allow eavesdrop=\"true\"/>\n"
        "    <allow own=\"*\"/>\n"
        "  </policy>\n"
        "</busconfig>\n";
    if (file.write(config) != config.size() || !file.flush())
        return QString();
    return path;
}

// A bus daemon of the test's own from that configuration, ended with the test.
class PrivateBus
{
public:
    ~PrivateBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    // Starts the daemon and returns its address, or an empty one when it did not start.
    QByteArray start()
    {
        const QString config = m_folder.isValid() ? writePrivateBusConfig(m_folder.path()) : QString();
        if (config.isEmpty())
            return {};
        m_daemon.start(QStringLiteral("dbus-daemon"), {"--config-file=" + config, "--nofork", "--print-address=1"});
        if (!m_daemon.waitForStarted(5000) || !m_daemon.waitForReadyRead(5000))
            return {};
        return m_daemon.readLine().trimmed();
    }

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
};
