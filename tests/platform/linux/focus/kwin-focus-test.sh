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
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

checks=0
for generation in 5 6; do
    "$mock" $generation "$here/kwin.table" >"$work/mock" &
    mockPid=$!
    pids+=($mockPid)
    wait_lines "$work/mock" 1
    XDG_CURRENT_DESKTOP=KDE "$bindwellctl" focus >"$work/lines" &
    ctlPid=$!
    pids+=($ctlPid)
    printf '[Bindwell] Per-application actions follow the focus through KWin\n' >"$work/expected"
    while IFS='|' read -r action fields line; do
        expected_line "$line" >>"$work/expected"
    done < <(table_rows "$here/kwin.table")
    wait_lines "$work/lines" "$(wc -l <"$work/expected")"
    wait_lines "$work/mock" 4
    kill -TERM $ctlPid
    wait $ctlPid
    wait $mockPid
    printf 'ready\nloadScript bindwell-focus-%s\n' $ctlPid >>"$work/expected-mock"
    printf 'spoof answered: org.freedesktop.DBus.Error.AccessDenied\n' >>"$work/expected-mock"
    printf 'loadScript bindwell-focus-%s\n' $ctlPid >>"$work/expected-mock"
    printf 'unloadScript bindwell-focus-%s\n' $ctlPid >>"$work/expected-mock"
    echo "Plasma $generation"
    diff -u "$work/expected" "$work/lines"
    cat "$work/mock" >>"$work/mocks"
    checks=$((checks + $(wc -l <"$work/expected")))
done
diff -u "$work/expected-mock" "$work/mocks"
echo "$checks passed, 0 failed"
