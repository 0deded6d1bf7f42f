#!/usr/bin/env bash
# "kestovan --debug" writes the start-up banner into its debug log, stores every default setting,
# warns of nothing on a first start, and quits cleanly (exit code 0) on SIGTERM. Under the usual
# umask its folders are 0700 and its files 0600, also those an earlier version left open; a
# copy of the program alone in a folder loads none of its libraries from anywhere else; and a pipe
# in place of the settings file holds no part of the start, the Google sign-in's store included.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin

debug_log=$TMPDIR/Kestovan-debug-log.txt
settings=$XDG_CONFIG_HOME/Morva/Kestovan.conf
stars=$(printf '*%.0s' {1..58})
day_before=$(date +%F)

umask 022
# Left open to every local user by an earlier version.
own_folders=("$XDG_CONFIG_HOME/Morva" "$XDG_DATA_HOME/Morva")
mkdir -p "$XDG_CONFIG_HOME/Morva" "$XDG_DATA_HOME/Morva/Kestovan/backups"
: >"$settings"
echo '{}' >"$XDG_DATA_HOME/Morva/Kestovan/backups/Snippets-2020-01-01.json"
chmod 755 "$XDG_CONFIG_HOME/Morva" "$XDG_DATA_HOME/Morva" "$XDG_DATA_HOME/Morva/Kestovan"
chmod 644 "$settings" "$XDG_DATA_HOME/Morva/Kestovan/backups/Snippets-2020-01-01.json"
# Any folder not 0700 or file not 0600 under the program's folders (the settings' lock file comes
# and goes while a store writes).
open_entries() {
    find "${own_folders[@]}" \( -type d ! -perm 700 -printf '%m %p\n' \) \
        -o \( -type f ! -perm 600 ! -name '*.lock' -printf '%m %p\n' \)
}

start_kestovan --debug
wait_for_file "$debug_log" 20 || fail "no debug log at $debug_log"
wait_for_log "$debug_log" 'Launched new instance successfully' 20 || fail "start-up did not get past the single-instance guard"
day_after=$(date +%F)

# Splits "[hh:mm:ss.zzz] [Level] text" into level and text; false for any other shape.
parse_line() {
    [[ $1 =~ ^\[[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}\]\ \[([A-Za-z!]*)\]\ (.*)$ ]] || return 1
    level=${BASH_REMATCH[1]}
    text=${BASH_REMATCH[2]}
}

mapfile -t lines <"$debug_log"
# The banner: five lines in a row, starting with the enabled engines. The logger keeps its engines
# in a hash, so either order of the two names is right.
banner_at=-1
for i in "${!lines[@]}"; do
    parse_line "${lines[i]}" || continue
    if [[ $level == Debug && ($text == 'QList("file", "std")' || $text == 'QList("std", "file")') ]]; then
        banner_at=$i
        break
    fi
done
((banner_at >= 0)) || fail "no debug line listing the engines \"file\" and \"std\" in $debug_log"

expect_banner_line() { # OFFSET LEVEL TEXT...
    local line=${lines[banner_at + $1]:-} want_level=$2
    shift 2
    parse_line "$line" || fail "banner line $1 is not a log line: '$line'"
    [[ $level == "$want_level" ]] || fail "banner line '$line' should be at level $want_level"
    local candidate
    for candidate in "$@"; do
        [[ $text == "$candidate" ]] && return 0
    done
    fail "banner line '$line' should read '$1'"
}
expect_banner_line 1 Info "$stars"
# A start just before midnight may print either date.
expect_banner_line 2 Info "Started new log at $day_before" "Started new log at $day_after"
expect_banner_line 3 Info "Logging to $debug_log"
expect_banner_line 4 Info "$stars"

# Info lines also go to standard output, with the upper-case level word.
grep -Eq "^\[[0-9:.]{12}\] \[INFO\] Started new log at ($day_before|$day_after)\$" "$KESTOVAN_LOG" \
    || fail "standard output lacks the [INFO] banner line (see $KESTOVAN_LOG)"

# Every default key lands in the settings store's top-level group.
keys=(StartAutomatically OpenOnMouse Shortcut ShortcutPlainText IgnoreSize IgnoreLength KeepItems WindowSize
    SyncHistory SyncSnippets SyncActions SendDumps Theme IncludeImages PastePlainText ClearHistory RequireSpace
    SyncTarget SyncFolder CompactList InitialSelection Language)
missing_keys() {
    local key section='' line
    declare -A found=()
    if [[ -r $settings ]]; then
        while IFS= read -r line; do
            if [[ $line =~ ^\[(.*)\]$ ]]; then
                section=${BASH_REMATCH[1]}
            elif [[ ($section == "" || $section == General) && $line =~ ^([A-Za-z]+)= ]]; then
                found[${BASH_REMATCH[1]}]=1
            fi
        done <"$settings"
    fi
    missing=()
    for key in "${keys[@]}"; do
        [[ -n ${found[$key]:-} ]] || missing+=("$key")
    done
    ((${#missing[@]} == 0))
}
e2e_poll 20 missing_keys || fail "settings store $settings lacks: ${missing[*]}"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "SIGTERM ended kestovan with exit code $rc, expected 0"
grep -Eq '^\[[0-9:.]{12}\] \[Debug\] Quitting the application$' "$debug_log" \
    || fail "no 'Quitting the application' line after SIGTERM"
# The store is complete on disk after a clean exit, too.
missing_keys || fail "after exit, settings store $settings lacks: ${missing[*]}"
# Nothing is amiss on a first start: no history or snippet file yet is no warning. With no sync
# target chosen the sync engine says so.
warnings=$(grep -F '[Warning]' "$debug_log" | grep -vF 'No valid sync available')
[[ -z $warnings ]] || fail "a first start logged warnings: $warnings"
open=$(open_entries)
[[ -z $open ]] || fail "others may read what the program keeps: $open"

# The libraries of a copy come from beside it or not at all: the build tree is open to its builder.
copy=$E2E_RUN_DIR/copy
mkdir "$copy" && cp "$E2E_BUILD_DIR/kestovan" "$copy/" || fail "cannot copy the program"
copy_log=$E2E_RUN_DIR/logs/copy.log
KESTOVAN_LOG=$copy_log E2E_BUILD_DIR=$copy start_kestovan
# Once the window is up the program looks for its network library.
wait_for_log "$copy_log" 'No TLS library:' 30 || fail "the copy alone found its network library (see $copy_log)"
loaded=$(grep -F libkestovan "/proc/$KESTOVAN_PID/maps")
[[ -z $loaded ]] || fail "the copy loaded a library from elsewhere: $loaded"
stop_pid "$KESTOVAN_PID" TERM 15 || fail "the copy did not quit on SIGTERM"

# The sign-in's store is opened when the sync engine builds the Drive target, the default one,
# which needs a client identity; nothing signed in, nothing is sent.
rm -f "$settings" && mkfifo -m 600 "$settings" || fail "cannot put a pipe in place of $settings"
export KESTOVAN_GOOGLE_CLIENT_ID=e2e-client.apps.example KESTOVAN_GOOGLE_CLIENT_SECRET=e2e-secret
export KESTOVAN_GOOGLE_API_URL=http://127.0.0.1:9 KESTOVAN_GOOGLE_ACCOUNTS_URL=http://127.0.0.1:9
pipe_log=$E2E_RUN_DIR/logs/pipe.log
KESTOVAN_LOG=$pipe_log start_kestovan --debug
wait_for_log "$pipe_log" 'Sync all: ' 30 || fail "the start stopped short of the first sync pass (see $pipe_log)"
stop_pid "$KESTOVAN_PID" TERM 15 || fail "with a pipe as its settings file, SIGTERM ended kestovan with $LAST_EXIT_CODE"
[[ -p $settings ]] || fail "the pipe in place of the settings file was replaced"
echo "startup banner, default settings, SIGTERM exit, private files, own libraries and a piped settings file are right"
