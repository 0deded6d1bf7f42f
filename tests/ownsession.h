#pragma once

#include "privatebus.h"

#include <QByteArray>
#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Runs this test program a second time inside `dbus-run-session` with a temporary folder of its
// own as TMPDIR, so that the session bus and the debug log (whose path is fixed before main runs)
// belong to the test; the bus is a private one that starts no installed service. Returns the exit
// code of that run, or -1 in the run itself.
inline int rerunInOwnSession(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("KESTOVAN_OWN_SESSION"))
        return -1;

    const QByteArray base = qEnvironmentVariableIsEmpty("TMPDIR") ? QByteArray("/tmp") : qgetenv("TMPDIR");
    QByteArray folder = base + "/kestovan-session-XXXXXX";
    if (!mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const QByteArray config = "--config-file=" + QFile::encodeName(writePrivateBusConfig(QFile::decodeName(folder)));
    if (config.endsWith('=')) {
        std::fputs("cannot write the bus configuration\n", stderr);
        QDir(QFile::decodeName(folder)).removeRecursively();
        return 1;
    }
    setenv("TMPDIR", folder.constData(), 1);
    setenv("KESTOVAN_OWN_SESSION", "1", 1);

    const pid_t child = fork();
    if (child == 0) {
        std::vector<char *> arguments{const_cast<char *>("dbus-run-session"), const_cast<char *>(config.constData()),
                                      const_cast<char *>("--")};
        arguments.insert(arguments.end(), argv, argv + argc);
        arguments.push_back(nullptr);
        execvp(arguments.front(), arguments.data());
        std::perror("dbus-run-session");
        _exit(127);
    }
    int status = 0;
    const bool waited = child > 0 && waitpid(child, &status, 0) == child;
    QDir(QString::fromLocal8Bit(folder)).removeRecursively();
    if (!waited)
        return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
