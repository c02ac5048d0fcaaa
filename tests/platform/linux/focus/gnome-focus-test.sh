#!/usr/bin/env bash
# bindwellctl focus against a mock GNOME Shell on a private session bus: the
# real extension of each generation (the ES module for 45 and later, the
# legacy script for 43 and 44) runs in gjs on a mock display and reports the
# windows of gnome.table to bindwellctl, which starts after the extension.
#   usage: dbus-run-session -- gnome-focus-test.sh BINDWELLCTL DATA_DIR
set -euo pipefail
here=$(dirname "$0")
source "$here/focus-table.sh"
bindwellctl=$1
data=$2
command -v gjs >/dev/null || { echo "SKIP: gjs is missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '[Bindwell] Per-application actions follow the focus through GNOME Shell\n' >"$work/expected"
while IFS='|' read -r action fields line; do
    expected_line "$line" >>"$work/expected"
done < <(table_rows "$here/gnome.table")

checks=0
for generation in 43 45; do
    gjs "$here/mock-gnome-shell.js" $generation "$data" "$here/gnome.table" >"$work/mock" &
    mockPid=$!
    wait_lines "$work/mock" 1
    XDG_CURRENT_DESKTOP=ubuntu:GNOME "$bindwellctl" focus >"$work/lines" &
    ctlPid=$!
    wait $mockPid
    kill -TERM $ctlPid
    wait $ctlPid
    echo "GNOME Shell $generation"
    diff -u <(printf 'ready\ndone\n') "$work/mock"
    diff -u "$work/expected" "$work/lines"
    checks=$((checks + $(wc -l <"$work/expected")))
done
echo "$checks passed, 0 failed"
