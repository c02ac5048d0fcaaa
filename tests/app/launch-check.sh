#!/usr/bin/env bash
# Launches the real program as a new user would, each time from a fresh
# configuration folder, and asks of every launch that the window manager
# shows its setup window and that the program still runs a while after.
# Run it on a desktop: tests/support/on-desktop.sh x11|sway launch-check.sh ...
#   launch-check.sh BINDWELL [LAUNCHES]
set -euo pipefail

binary=$1
launches=${2:-10}
title=Bindwell

# Whether the display server shows a window with our title.
window_shown() {
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        swaymsg -t get_tree 2>/dev/null | grep -q "\"name\": \"$title\""
    else
        xwininfo -root -tree 2>/dev/null | grep -q "\"$title\": "
    fi
}

# A dead child stays a zombie until it is waited for, and kill -0 still
# reaches a zombie.
alive() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]
}

# Each launch gets a runtime folder of its own (its single-instance socket
# lives there), so the compositor's socket is named by its full path.
if [ -n "${WAYLAND_DISPLAY:-}" ] && [[ $WAYLAND_DISPLAY != /* ]]; then
    export WAYLAND_DISPLAY=$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY
fi

launch() {
    local n=$1 home
    home=$(mktemp -d)
    mkdir -m 0700 "$home/runtime"
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
        "$binary" >"$home/out.log" 2>&1 &
    local pid=$! verdict="showed no window"
    # Sanitized builds start slowly: give the window a minute to appear.
    for _ in $(seq 600); do
        alive "$pid" || { verdict="died before its window appeared"; break; }
        window_shown && { verdict=""; break; }
        sleep 0.1
    done
    if [ -z "$verdict" ]; then
        # The window manager places and resizes the window after it maps:
        # that pass is where layouts fail, so the program has to outlive it.
        sleep 3
        alive "$pid" || verdict="died after its window appeared"
    fi
    kill "$pid" 2>/dev/null || true
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
echo "$((launches - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
