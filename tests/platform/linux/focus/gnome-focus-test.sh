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
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

printf '[Bindwell] Per-application actions follow the focus through GNOME Shell\n' >"$work/expected"
while IFS='|' read -r action fields line; do
    expected_line "$line" >>"$work/expected"
done < <(table_rows "$here/gnome.table")

checks=0
for generation in 43 45; do
    gjs "$here/mock-gnome-shell.js" $generation "$data" "$here/gnome.table" >"$work/mock" &
    mockPid=$!
    pids+=($mockPid)
    wait_lines "$work/mock" 1
    XDG_CURRENT_DESKTOP=ubuntu:GNOME "$bindwellctl" focus >"$work/lines" &
    ctlPid=$!
    pids+=($ctlPid)
    wait $mockPid
    kill -TERM $ctlPid
    wait $ctlPid
    echo "GNOME Shell $generation"
    diff -u <(printf 'ready\ndone\n') "$work/mock"
    diff -u "$work/expected" "$work/lines"
    checks=$((checks + $(wc -l <"$work/expected")))
done
# Installed but disabled (2), failed (3) or out of date (4): bindwellctl says
# what the shell says and exits 1.
while IFS='|' read -r state reason; do
    gjs "$here/mock-gnome-shell.js" 45 "$data" "$here/gnome.table" "$state" >"$work/mock" &
    mockPid=$!
    pids+=($mockPid)
    wait_lines "$work/mock" 1
    status=0
    XDG_CURRENT_DESKTOP=GNOME "$bindwellctl" focus >"$work/lines" || status=$?
    kill $mockPid
    echo "GNOME Shell, extension state $state"
    [ $status -eq 1 ]
    grep -qF "; GNOME Shell: the extension bindwell-focus@bindwell $reason; X11: " "$work/lines" ||
        { cat "$work/lines"; exit 1; }
done <<'STATES'
2|is not enabled (gnome-extensions enable bindwell-focus@bindwell)
3|failed in the shell: TypeError: boom
4|is out of date for GNOME Shell 48
STATES
# Another program holds Bindwell's name first: bindwellctl says so and exits 1.
gjs -c "const {Gio, GLib} = imports.gi;
Gio.bus_own_name(Gio.BusType.SESSION, 'org.bindwell.Focus', 0, null, () => print('ready'), null);
new GLib.MainLoop(null, false).run();" >"$work/thief" &
pids+=($!)
wait_lines "$work/thief" 1
gjs "$here/mock-gnome-shell.js" 45 "$data" "$here/gnome.table" >"$work/mock" &
mockPid=$!
pids+=($mockPid)
wait_lines "$work/mock" 1
status=0
XDG_CURRENT_DESKTOP=GNOME timeout 10 "$bindwellctl" focus >"$work/lines" || status=$?
echo "GNOME Shell, name held by another program"
[ $status -eq 1 ]
diff -u <(printf '%s\n' '[Bindwell] Per-application actions follow the focus through GNOME Shell' \
    '[Bindwell] ⚠️ Per-application actions are inactive: GNOME Shell: org.bindwell.Focus is held by another program' \
    $'GNOME Shell\t\t\t') "$work/lines"
echo "$((checks + 8)) passed, 0 failed"
