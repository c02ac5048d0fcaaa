# The GUI app itself on the running display server, as the user "desk": the
# first run driven from the keyboard alone, then remapping with no window.

gui_env() {
    local qpa=xcb
    [ $server = sway ] && qpa=wayland
    # No GPU and no Mesa in the guest: Qt Quick draws in software.
    echo "HOME=/home/desk XDG_CONFIG_HOME=/home/desk/.config XDG_RUNTIME_DIR=/run/user/1000" \
        "QT_QUICK_BACKEND=software QT_QPA_PLATFORM=$qpa"
}

press_keys() { # KEY...: to the focused window, one at a time
    local key
    for key in "$@"; do
        if [ $server = x11 ]; then
            xdotool key "$key"
        elif [ "$key" = shift+Tab ]; then
            as_desk "wtype -M shift -k Tab -m shift"
        else
            as_desk "wtype -k $key"
        fi
        sleep 0.4
    done
    sleep 0.8
}

shot() { # NAME: the whole screen, X11 only (the host turns it into a PNG)
    [ $server = x11 ] || return 0
    xwd -root -silent >/tmp/shot.xwd && artefact "$server-$1" /tmp/shot.xwd
}

start_gui() { # [ARG]
    as_desk "$(gui_env) bindwell $* >>/tmp/gui.log 2>&1 &"
    sleep 1
    gui_pid=$(pidof bindwell)
}
stop_gui() { [ -n "$gui_pid" ] && kill $gui_pid 2>/dev/null; sleep 1; gui_pid=; }

# What a remote button does now, as the focused client saw it.
remote_result() { # USAGE POSTED
    local before
    before=$(events | wc -l)
    remote press "$1"
    wait_for_events $before
    events | tail -n +$((before + 1)) >/tmp/mid
    remote release
    sleep 0.6
    events | tail -n +$((before + 1)) >/tmp/all
    judge "$2"
}

# Waits (at most 30 s) for the setup window to be shown and drawn.
wait_for_window() {
    local tries=60
    until if [ $server = x11 ]; then xdotool search --name '^Bindwell$' >/dev/null 2>&1
          else as_desk "swaymsg -t get_tree" | grep -q '"app_id": "bindwell"'; fi; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep 0.5
    done
    sleep 3
}

focus_client() {
    if [ $server = x11 ]; then
        xdotool search --name 'Event Tester' windowactivate --sync >/dev/null 2>&1
    else
        as_desk "swaymsg '[app_id=wev] focus'" >/dev/null 2>&1
    fi
    sleep 0.5
}

# One DESKTOP line for a check whose press of Volume Down should give Space.
space_result() { # LABEL
    focus_client
    result "$1" "$(remote_result 234 KEY_SPACE)"
}

# The setup window, from the guide to "Start Remapping", with Tab and Space
# only; Volume Down gets "Space Bar" in the editor. With "relaunch", the app
# is quit and started again on the last page, before "Start Remapping".
gui_first_run() { # [relaunch]
    rm -rf /home/desk && mkdir -p /home/desk && chown desk:desk /home/desk
    rm -f /tmp/gui.log
    # The guide shows while Bindwell may neither send input nor read the remote.
    chmod 600 /dev/uinput /dev/input/event*
    start_gui
    if wait_for_window; then
        [ $server = x11 ] && grep -q "showing the window instead" /tmp/gui.log &&
            result "no tray" "received the setup window instead"
    else
        result "setup window" "failed it did not appear"
    fi
    shot gui-1-guide
    # "Skip for Now" closes the focus chain, after one or two cards' buttons.
    press_keys shift+Tab
    shot gui-2-skip-focused
    press_keys space
    # Each page change is given time to finish before the next key.
    sleep 2
    # What the guide asked for, done as its help page says.
    chmod 666 /dev/uinput
    chmod 644 /dev/input/event*
    # The remote is the second device; then Refresh, then Next.
    press_keys Tab Tab space
    shot gui-3-device-picked
    press_keys Tab Tab space
    sleep 2
    # Volume Down is the third row; "Space Bar" the picker's eighth.
    press_keys Tab Tab Tab space
    press_keys Tab Tab Tab Tab Tab Tab Tab Tab
    shot gui-4-picker
    press_keys space
    sleep 1
    # Ten rows and Back lie before "Activate Bindwell".
    press_keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
    shot gui-5-activate-focused
    press_keys space
    sleep 2
    if [ "$1" = relaunch ]; then
        stop_gui
        start_gui
        wait_for_window
    fi
    # "Start at login" comes before "Start Remapping".
    press_keys Tab Tab
    shot gui-6-start-focused
    press_keys space
    wait_for 10 /tmp/gui.log "Remapping started" || true
    shot gui-7-remapping
}

# swaybar's tray lists the app's StatusNotifierItem on the session bus.
tray_result() {
    local items
    items=$(as_desk "dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:RegisteredStatusNotifierItems" 2>&1 | grep -o 'string "[^"]*"' | tr '\n' ' ')
    case "$items" in
        *StatusNotifierItem*) result "tray" "received a StatusNotifierItem on swaybar's tray ($items)" ;;
        *) result "tray" "failed no StatusNotifierItem registered (${items:-none})" ;;
    esac
}

# With setup finished, --login remaps with no window, also across an unplug.
gui_login() {
    local windows
    stop_gui
    start_gui --login
    wait_for 15 /tmp/gui.log "Event tap installed" || true
    sleep 3
    if [ $server = x11 ]; then
        windows=$(xdotool search --name '^Bindwell$' 2>/dev/null | wc -l)
    else
        windows=$(as_desk "swaymsg -t get_tree" | grep -c '"name": "Bindwell"')
    fi
    space_result "bindwell --login"
    [ $server = sway ] && tray_result
    [ "$windows" -eq 0 ] || result "bindwell --login" "failed $windows window(s) opened"
    # The new nodes are opened to the user by udev before anyone hears of
    # them, as the package's uaccess rules do on a desktop (the guest has no
    # logind to apply uaccess, so a mode stands in for it).
    mkdir -p /etc/udev/rules.d
    echo 'SUBSYSTEM=="input", KERNEL=="event*", ATTRS{id/vendor}=="1209", MODE="0644"' \
        >/etc/udev/rules.d/99-stand-in-for-uaccess.rules
    udevadm control --reload
    remote unplug
    sleep 2
    remote plug
    sleep 6
    space_result "bindwell --login after unplug and replug"
}

gui_checks() {
    if [ $server = x11 ]; then
        gui_first_run
        space_result "first run from the keyboard"
    else
        gui_first_run relaunch
        space_result "first run from the keyboard, relaunched before Start Remapping"
    fi
    gui_login
    stop_gui
    grep '^\[Bindwell\]' /tmp/gui.log | sed "s/^/    $server app: /"
}
