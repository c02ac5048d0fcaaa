#!/usr/bin/env bash
# bindwellctl focus under a headless sway: Qt windows of different app ids
# are opened, focused with swaymsg, retitled and closed as wlroots.table
# says; the printed lines must be exactly its last column, in order.
#   usage: wlroots-focus-test.sh BINDWELLCTL TEST_WINDOW
set -euo pipefail
here=$(dirname "$0")
source "$here/focus-table.sh"
bindwellctl=$1
testWindow=$2
command -v sway >/dev/null || { echo "SKIP: sway is missing"; exit 77; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# sway refuses to run as root: it then runs as nobody, in a runtime folder of its own.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
asUser=()
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$work"
    chown 65534:65534 "$XDG_RUNTIME_DIR"
    asUser=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
printf 'xwayland disable\n' >"$work/sway.conf"
unset DISPLAY WAYLAND_DISPLAY XDG_CURRENT_DESKTOP KDE_SESSION_VERSION
WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 HOME=$XDG_RUNTIME_DIR \
    "${asUser[@]}" sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" >/dev/null && break
    sleep 0.05
done
export SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock")
export WAYLAND_DISPLAY=$(compgen -G "$XDG_RUNTIME_DIR/wayland-*[0-9]")
export QT_QPA_PLATFORM=wayland

"$bindwellctl" focus >"$work/lines" 2>"$work/errors" &
pids+=($!)

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
