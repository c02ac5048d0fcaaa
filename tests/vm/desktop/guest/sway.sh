# sway on its headless backend with libinput for input, run as an ordinary
# user on a seat from seatd (sway refuses to run as root), and wev as the
# focused client.
sway_start() {
    server=sway new_inputs=3
    chmod 1777 /tmp/marks
    export XDG_RUNTIME_DIR=/run/user/1000 LIBSEAT_BACKEND=seatd
    export WLR_BACKENDS=headless,libinput WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1
    seatd -u desk -g desk >/tmp/seatd.log 2>&1 &
    # A session bus, for swaybar's tray and the app's StatusNotifierItem.
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
    as_desk "dbus-daemon --session --address=$DBUS_SESSION_BUS_ADDRESS --fork --nopidfile"
    {
        echo "output HEADLESS-1 resolution 1024x768"
        echo "default_border none"
        echo "xwayland disable"
        printf 'bar {\n    status_command true\n    tray_output *\n}\n'
        grep -v '^#' /desk/bindings | while read -r posted _ key; do
            echo "bindsym $key exec sh -c 'echo sway $key > /tmp/marks/$posted'"
        done
    } >/tmp/sway.config
    until_true 5 test -S /run/seatd.sock
    as_desk "sway -c /tmp/sway.config >/tmp/sway.log 2>&1 &"
    until_true -s 30 sway_up || { tail -20 /tmp/sway.log; return 1; }
    export WAYLAND_DISPLAY=$(basename $(ls $XDG_RUNTIME_DIR/wayland-? | head -1))
    as_desk "swaymsg exec 'stdbuf -oL wev 2>&1 | tee /tmp/client.log | awk -f /desk/events.awk >/tmp/events-main'" >/dev/null
    wait_for 20 /tmp/client.log "wl_keyboard" || true
    as_desk "swaymsg seat seat0 cursor set 500 400" >/dev/null
}
sway_up() {
    SWAYSOCK=$(ls $XDG_RUNTIME_DIR/sway-ipc.*.sock 2>/dev/null) && export SWAYSOCK &&
        as_desk "swaymsg -t get_version" >/dev/null 2>&1
}

sway_stop() {
    kill $(pidof wev) $(pidof sway) 2>/dev/null
    until_true 5 gone sway
    kill $(pidof seatd) $(pidof dbus-daemon) 2>/dev/null
}

# The per-application check's clients are Qt windows with the app id
# bindwell-<name> (wev's is fixed), which print the suite's event lines.
sway_app_start() { # NAME
    as_desk "swaymsg exec 'QT_QPA_PLATFORM=wayland bindwell_test_window bindwell-$1 >/tmp/events-$1 2>&1'" >/dev/null
    # Qt starts slowly under emulation.
    until_true -s 30 sway_tree_has "\"app_id\": *\"bindwell-$1\"" || { sed 's/^/    client: /' /tmp/events-$1; return 1; }
}
sway_tree_has() { as_desk "swaymsg -t get_tree" | grep -q "$1"; } # PATTERN
sway_focus() { # NAME (main: wev)
    local id="bindwell-$1"
    [ "$1" = main ] && id=wev
    as_desk "swaymsg '[app_id=$id] focus'" >/dev/null 2>&1
}
sway_inputs() { as_desk "swaymsg -t get_inputs" | grep -c '"identifier"'; }
