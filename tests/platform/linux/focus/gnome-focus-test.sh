#!/usr/bin/env bash
# bindwellctl focus against a mock GNOME Shell on a private session bus: the
# real extension of each generation (the ES module for 45 and later, the
# legacy script for 43 and 44) runs in gjs on a mock display and reports the
# windows of gnome.table to bindwellctl, which starts after the extension;
# then each state of gnome-states.table, which stops bindwellctl.
#   usage: dbus-run-session -- gnome-focus-test.sh BINDWELLCTL DATA_DIR
set -euo pipefail
here=$(dirname "$0")
source "$here/focus-table.sh"
bindwellctl=$1
data=$2
command -v gjs >/dev/null || { echo "SKIP: gjs is missing"; exit 77; }

# The mock shell of GENERATION with the extension in STATE (1, enabled, unless given).
shell() { start_mock gjs "$here/mock-gnome-shell.js" "$1" "$data" "$here/gnome.table" "${2:-1}"; }

table_expected "GNOME Shell" "$here/gnome.table" >"$work/expected"
for generation in 43 45; do
    shell $generation
    start_focus XDG_CURRENT_DESKTOP=ubuntu:GNOME
    wait $mockPid
    kill -TERM $ctlPid
    wait $ctlPid
    echo "GNOME Shell $generation"
    diff -u <(printf 'ready\ndone\n') "$work/mock"
    diff -u "$work/expected" "$work/lines"
done
while IFS='|' read -r state reason; do
    shell 45 "$(trim "$state")"
    status=0
    XDG_CURRENT_DESKTOP=GNOME timeout 10 "$bindwellctl" focus >"$work/lines" || status=$?
    kill $mockPid
    echo "GNOME Shell, $(trim "$state")"
    [ $status -eq 1 ] && grep -qF "GNOME Shell: $(trim "$reason")" "$work/lines" ||
        { echo "status $status"; cat "$work/lines"; exit 1; }
done < <(table_rows "$here/gnome-states.table")
echo "$((2 * $(wc -l <"$work/expected") + $(table_rows "$here/gnome-states.table" | wc -l))) passed, 0 failed"
