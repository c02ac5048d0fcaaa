#!/usr/bin/env bash
# bindwellctl focus on a real X server with openbox: clients of different
# classes focused in turn, and _NET_ACTIVE_WINDOW pointed at windows that lack
# WM_CLASS. x11.table drives the steps; the printed lines must be exactly its
# last column, in order.
#   usage: tests/support/on-desktop.sh x11 x11-focus-test.sh BINDWELLCTL TEST_WINDOW
set -euo pipefail
here=$(dirname "$0")
source "$here/focus-table.sh"
bindwellctl=$1
testWindow=$2
for tool in xdotool xwininfo xeyes xlogo xcalc; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP KDE_SESSION_VERSION

start_focus

# A window by its whole title, written with printf's escapes (\033).
window() {
    local title
    title=$(printf '%b' "$1" | sed 's/[][\.*^$]/\\&/g')
    xdotool search --sync --name "^$title\$" | head -n1
}
setActive() { xprop -root -f _NET_ACTIVE_WINDOW 32c -set _NET_ACTIVE_WINDOW "$(($1))"; }
act() {
    case $1 in
        # Xt clients refuse the focus unless told they take input, and
        # openbox may keep the focus where it is when a window maps.
        start)
            $2 -xrm '*input: true' 2>/dev/null &
            pids+=($!)
            xdotool windowactivate --sync "$(window "${2##* }")" ;;
        activate) xdotool windowactivate --sync "$(window "$2")" ;;
        rename) xdotool set_window --name "$(printf '%b' "$3")" "$(window "$2")" ;;
        frame) setActive "$(xwininfo -tree -id "$(window "$2")" | awk '/Parent window id/ {print $4}')" ;;
        widget) setActive "$(xwininfo -children -id "$(window "$2")" | awk '/^ +0x/ {print $1; exit}')" ;;
        dialog)
            local dialog
            dialog=$(window "$2")
            xprop -id "$dialog" -remove WM_CLASS
            xprop -id "$dialog" -f WM_TRANSIENT_FOR 32c -set WM_TRANSIENT_FOR "$(($(window "$3")))"
            setActive "$dialog" ;;
        none) setActive 0 ;;
        # A window the window manager does not manage, named active, then
        # closed: nothing updates _NET_ACTIVE_WINDOW, as when openbox leaves it.
        unmanaged)
            "$testWindow" x11 "$2" unmanaged </dev/null 2>/dev/null &
            pids+=($!)
            unmanagedPid=$!
            setActive "$(window "$2")" ;;
        close) kill "$unmanagedPid" ;;
        server-gone) kill "$DESKTOP_SERVER_PID" ;;
    esac
}

play_table X11 "$here/x11.table" || exit 1
status=0
wait $ctlPid || status=$?
[ $status -eq 1 ] || { echo "bindwellctl ended with status $status"; exit 1; }
echo "$(wc -l <"$work/expected") passed, 0 failed"
