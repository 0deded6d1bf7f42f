#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Stand-in for the installer's maintenance tool, following what the program relies on: with
// "--checkupdates" it writes its answer and exits; any other start records its working folder
// and arguments in $TOOL_MARKER. Steered by the environment:
//   TOOL_OUTPUT  file whose content goes to standard output
//   TOOL_STDERR  text for standard error
//   TOOL_EXIT    exit code (default 0)
//   TOOL_MODE    "crash" (dies by SIGSEGV), "slow" (sleeps a minute), "stubborn" (also ignores
//                SIGTERM); the last two touch $TOOL_MARKER.ready first
namespace MaintenanceToolStandIn {

inline const char *script()
{
    return R"(#!/bin/sh
case "$1" in
--checkupdates)
    [ -n "$TOOL_STDERR" ] && printf '%s' "$TOOL_STDERR" >&2
    [ -f "$TOOL_OUTPUT" ] && cat "$TOOL_OUTPUT"
    case "$TOOL_MODE" in
    crash) kill -SEGV $$ ;;
    slow) touch "$TOOL_MARKER.ready"; exec sleep 60 ;;
    stubborn) trap '' TERM; touch "$TOOL_MARKER.ready"; exec sleep 60 ;;
    esac
    exit "${TOOL_EXIT:-0}"
    ;;
*)
    { pwd; for argument in "$@"; do echo "$argument"; done; } > "$TOOL_MARKER.tmp"
    mv "$TOOL_MARKER.tmp" "$TOOL_MARKER"
    ;;
esac
)";
}

inline bool install(const QString &path)
{
    QFile tool(path);
    if (!tool.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray text = script();
    if (tool.write(text) != text.size())
        return false;
    tool.close();
    return tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace MaintenanceToolStandIn
