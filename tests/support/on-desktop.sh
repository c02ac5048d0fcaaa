#!/usr/bin/env bash
# Runs a command on a display server of its own, the way a user's session
# shows our windows:
#   x11   Xvfb on a free display, managed by openbox; Qt draws through xcb.
#   sway  headless sway, run as an unprivileged user (as a desktop user runs
#         it), with the command as that user too; Qt draws through wayland.
# The offscreen platform is no stand-in: a window manager maps and resizes
# windows on its own schedule, and layout faults that only show then never
# happen offscreen. On x11, DESKTOP_SERVER_PID is the X server's, for a
# command that tests its going away.
#   tests/support/on-desktop.sh x11|sway COMMAND [ARG...]
set -euo pipefail

kind=$1
shift

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "on-desktop: $tool is not installed (scripts/setup.sh installs it)" >&2; exit 1; }
    done
}

workdir=$(mktemp -d)
chmod 0755 "$workdir"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT

# Polls CONDITION (a command) for up to thirty seconds (a loaded machine
# starts servers slowly); on failure shows LOG.
wait_for() {
    local what=$1 log=$2
    shift 2
    for _ in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    cat "$log" >&2
    echo "on-desktop: $what did not start" >&2
    exit 1
}

start_x11() {
    need Xvfb openbox xprop
    # -noreset: a server that resets when its last client leaves can refuse
    # the window manager's connection while the readiness probe disconnects.
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$workdir/display" 2>"$workdir/xvfb.log" &
    pids+=($!)
    export DESKTOP_SERVER_PID=$!
    wait_for Xvfb "$workdir/xvfb.log" test -s "$workdir/display"
    export DISPLAY=":$(head -1 "$workdir/display")"
    openbox --sm-disable >"$workdir/openbox.log" 2>&1 &
    pids+=($!)
    # A window mapped before the window manager runs is adopted later, which
    # is not what a user's session does: wait until openbox owns the screen.
    wait_for openbox "$workdir/openbox.log" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
    export QT_QPA_PLATFORM=xcb
    "$@"
}

start_sway() {
    need sway swaymsg setpriv
    local user=nobody home="$workdir/home" runtime="$workdir/runtime"
    mkdir -p "$home" "$runtime"
    chmod 0700 "$runtime"
    printf 'output HEADLESS-1 resolution 1280x900\n' >"$workdir/sway.conf"
    chmod 0644 "$workdir/sway.conf"
    [ "$(id -u)" -ne 0 ] || chown -R "$user" "$home" "$runtime"
    as_user=()
    [ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups)
    export HOME=$home XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$home/.config
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        "${as_user[@]}" sway -c "$workdir/sway.conf" >"$workdir/sway.log" 2>&1 &
    pids+=($!)
    wait_for sway "$workdir/sway.log" sh -c "ls '$runtime' | grep -q '^wayland-[0-9]*$'"
    export WAYLAND_DISPLAY
    WAYLAND_DISPLAY=$(ls "$runtime" | grep '^wayland-[0-9]*$' | head -1)
    SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock 2>/dev/null | head -1)
    export SWAYSOCK
    unset DISPLAY
    export QT_QPA_PLATFORM=wayland
    "${as_user[@]}" "$@"
}

case "$kind" in
    x11) start_x11 "$@" ;;
    sway) start_sway "$@" ;;
    *) echo "usage: on-desktop.sh x11|sway COMMAND [ARG...]" >&2; exit 2 ;;
esac
