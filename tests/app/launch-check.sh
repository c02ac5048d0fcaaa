#!/usr/bin/env bash
# Launches the real program as a new user would, each time from a fresh
# configuration folder, and asks of every launch that the window manager
# shows its setup window and that the program still runs a while after.
# The first launch then meets a second one, which must hand off: it ends at
# once, and the running program shows its closed window again. Every launch
# is killed, as a crash would end it, and all share one runtime folder (the
# single-instance lock and socket live there), so each later launch also
# proves that a dead one blocks nothing.
# Run it on a desktop: tests/support/on-desktop.sh x11|sway launch-check.sh ...
#   launch-check.sh BINDWELL [LAUNCHES]
set -euo pipefail

binary=$1
launches=${2:-10}
title=Bindwell
runtime=$(mktemp -d)

# Whether the display server shows a window with our title.
window_shown() {
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        # grep -q would end the pipe early, and pipefail take that for no match.
        swaymsg -t get_tree 2>/dev/null | grep -F "\"name\": \"$title\"" >/dev/null
    else
        # Mapped ones only: a closed window may stay in the tree, unmapped.
        xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1
    fi
}
window_gone() { ! window_shown; }

# Asks the window manager to close our window, as its close button does.
close_window() {
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        swaymsg "[title=\"^$title\$\"] kill" >/dev/null
    else
        # Apart: chained, the keys go to the window, whose closing leaves them down.
        xdotool search --onlyvisible --name "^$title\$" windowactivate --sync
        xdotool key alt+F4
    fi
}

# Polls CONDITION for up to a minute: sanitized builds start slowly.
within_a_minute() {
    for _ in $(seq 600); do "$@" && return 0; sleep 0.1; done
    return 1
}

# A dead child stays a zombie until it is waited for, and kill -0 still
# reaches a zombie.
alive() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]
}

# The compositor's socket is named by its full path, as the runtime folder
# is not the compositor's.
if [ -n "${WAYLAND_DISPLAY:-}" ] && [[ $WAYLAND_DISPLAY != /* ]]; then
    export WAYLAND_DISPLAY=$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY
fi
export XDG_RUNTIME_DIR=$runtime

# A second launch while the running one (PID) has its window closed; prints
# what went wrong, if anything.
hand_off() {
    local home=$1 pid=$2 status=0
    close_window
    within_a_minute window_gone || { echo "kept its window open when closed"; return; }
    HOME=$home XDG_CONFIG_HOME=$home/config timeout 60 "$binary" >>"$home/out.log" 2>&1 ||
        status=$?
    [ "$status" -eq 0 ] || { echo "a second launch ended with status $status"; return; }
    within_a_minute window_shown || { echo "did not show its window to a second launch"; return; }
    alive "$pid" || echo "died when a second launch handed off"
}

launch() {
    local n=$1 home pid verdict=""
    home=$(mktemp -d)
    HOME=$home XDG_CONFIG_HOME=$home/config "$binary" >"$home/out.log" 2>&1 &
    pid=$!
    if within_a_minute window_shown; then
        # The window manager places and resizes the window after it maps:
        # that pass is where layouts fail, so the program has to outlive it.
        sleep 3
        alive "$pid" || verdict="died after its window appeared"
    else
        verdict="showed no window"
    fi
    [ -n "$verdict" ] || [ "$n" -ne 1 ] || verdict=$(hand_off "$home" "$pid")
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if [ -n "$verdict" ]; then
        echo "launch $n: $verdict"
        head -60 "$home/out.log"
        rm -rf "$home"
        return 1
    fi
    echo "launch $n: window shown, still running"
    rm -rf "$home"
}

failed=0
for n in $(seq "$launches"); do launch "$n" || failed=$((failed + 1)); done
rm -rf "$runtime"
echo "$((launches - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
