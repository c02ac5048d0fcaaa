#!/usr/bin/env bash
# bindwellctl focus under a headless sway: Qt windows of different app ids
# are opened, focused with swaymsg, retitled and closed as wlroots.table
# says; the printed lines must be exactly its last column, in order.
#   usage: tests/support/on-desktop.sh sway wlroots-focus-test.sh BINDWELLCTL TEST_WINDOW
set -euo pipefail
here=$(dirname "$0")
source "$here/focus-table.sh"
bindwellctl=$1
testWindow=$2
unset XDG_CURRENT_DESKTOP KDE_SESSION_VERSION

start_focus

declare -A windows titles
act() {
    case $1 in
        start)
            mkfifo "$work/$2"
            "$testWindow" "$2" "$3" <"$work/$2" 2>/dev/null &
            windows[$2]=$!
            pids+=($!)
            exec {fd}>"$work/$2"
            titles[$2]=$fd ;;
        focus) swaymsg -q "[app_id=\"$2\"] focus" ;;
        retitle) echo "$3" >&"${titles[$2]}" ;;
        close) kill "${windows[$2]}" ;;
    esac
}

play_table wlroots "$here/wlroots.table" || exit 1
echo "$(wc -l <"$work/expected") passed, 0 failed"
