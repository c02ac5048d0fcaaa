#!/usr/bin/env bash
# bindwellctl focus against a mock KWin of each generation on a private
# session bus: the real script from data/kwin, loaded over D-Bus and run in a
# QJSEngine, reports the windows of kwin.table back to bindwellctl.
#   usage: dbus-run-session -- kwin-focus-test.sh MOCK_KWIN BINDWELLCTL
set -euo pipefail
here=$(dirname "$0")
source "$here/focus-table.sh"
mock=$1
bindwellctl=$2

table_expected KWin "$here/kwin.table" >"$work/expected"
for generation in 5 6; do
    start_mock "$mock" $generation "$here/kwin.table"
    start_focus XDG_CURRENT_DESKTOP=KDE
    wait_lines "$work/lines" "$(wc -l <"$work/expected")"
    wait_lines "$work/mock" 4
    kill -TERM $ctlPid
    wait $ctlPid
    wait $mockPid
    echo "Plasma $generation"
    diff -u "$work/expected" "$work/lines"
    # KWin's side: the script loaded, the spoof refused, the script loaded
    # again after KWin's restart, and unloaded when bindwellctl ends.
    script=bindwell-focus-$ctlPid
    diff -u <(printf '%s\n' ready "loadScript $script" \
        'spoof answered: org.freedesktop.DBus.Error.AccessDenied' \
        "loadScript $script" "unloadScript $script") "$work/mock"
done
echo "$((2 * ($(wc -l <"$work/expected") + 5))) passed, 0 failed"
