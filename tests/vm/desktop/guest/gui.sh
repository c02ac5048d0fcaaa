# The GUI app itself on the running display server, as the user "desk": the
# first run driven from the keyboard alone, quit and launched again before
# its last step, then launched with --login to remap with no window. Three
# launches, so a crash that depends on timing has three chances to show:
# each launch must end only when it is told to.

start_gui() { # [ARG]
    local qpa=xcb
    [ $server = sway ] && qpa=wayland
    # No GPU and no Mesa in the guest: Qt Quick draws in software.
    as_desk "HOME=/home/desk XDG_CONFIG_HOME=/home/desk/.config XDG_RUNTIME_DIR=/run/user/1000 \
        QT_QUICK_BACKEND=software QT_QPA_PLATFORM=$qpa sh -c 'bindwell $*; echo \$? >/tmp/gui.status' \
        >>/tmp/gui.log 2>&1 &"
    launches=$((launches + 1))
    sleep 1
}

# Stops the app; a launch that ended before (by a crash, say) is a failure.
stop_gui() {
    local status
    if [ -e /tmp/gui.status ]; then
        result "launch $launches" "failed the app ended by itself with status $(cat /tmp/gui.status)"
    else
        kill $(pidof bindwell) 2>/dev/null
        wait_for 10 /tmp/gui.status . || true
        status=$(cat /tmp/gui.status 2>/dev/null)
        case "$status" in
            0 | 143) result "launch $launches" "received exit status $status when told to quit" ;;
            *) result "launch $launches" "failed exit status ${status:-none} when told to quit" ;;
        esac
    fi
    rm -f /tmp/gui.status
}

keys() { ${server}_keys "$@"; sleep 0.8; }
tabs() { # COUNT
    local n=$1 list=""
    while [ "$n" -gt 0 ]; do list="$list Tab"; n=$((n - 1)); done
    keys $list
}

shot() { # NAME: the whole screen, X11 only (the host turns it into a PNG)
    [ $server = x11 ] || return 0
    xwd -root -silent >/tmp/shot.xwd && echo "ARTEFACT-BEGIN $server-$1" && gzip -c /tmp/shot.xwd | base64 &&
        echo "ARTEFACT-END"
}

# Waits (at most 30 s) for the setup window to be shown and drawn.
wait_for_window() {
    local tries=60
    until [ "$(${server}_windows)" -gt 0 ]; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep 0.5
    done
    sleep 3
}

# What Volume Down (usage 234) does now in the server's own client. The
# remote's report also carries 234 as an array element, a row of its own in
# the generic layout that the walk leaves on Escape, so Escape may come too.
space_result() { # LABEL
    ${server}_focus main
    sleep 0.5
    press_collect 234 main
    result "$1" "$(judge KEY_SPACE KEY_ESC)"
}

# The setup window, from the guide to "Start Remapping", with Tab and Space
# only; Volume Down gets "Space Bar" in the editor. The app is quit and
# launched again on the last page, before "Start Remapping".
gui_first_run() {
    rm -rf /home/desk && mkdir -p /home/desk && chown desk:desk /home/desk
    rm -f /tmp/gui.log /tmp/gui.status
    # The guide shows while Bindwell may neither send input nor read the remote.
    chmod 600 /dev/uinput /dev/input/event*
    start_gui
    # Openbox has no tray, so the window shows itself.
    wait_for_window || result "setup window" "failed it did not appear"
    shot gui-1-guide
    # "Skip for Now" closes the focus chain, after one or two cards' buttons.
    keys shift+Tab
    keys space
    # Each page change is given time to finish before the next key.
    sleep 2
    # What the guide asked for, done as its help page says.
    chmod 666 /dev/uinput
    chmod 644 /dev/input/event*
    # The remote is the second device; then Refresh, then Next.
    keys Tab Tab space
    keys Tab Tab space
    sleep 2
    # Volume Down is the third row, each row followed by its "Hold" and
    # "Double tap"; "Space Bar" is the picker's eighth.
    tabs 7
    keys space
    keys Tab Tab Tab Tab Tab Tab Tab Tab
    shot gui-2-picker
    keys space
    sleep 1
    # The chosen row keeps the focus: its two gesture rows, seven rows with
    # theirs, and Back lie between it and "Activate Bindwell".
    tabs 25
    keys space
    sleep 2
    stop_gui
    start_gui
    wait_for_window
    # "Start at login" comes before "Start Remapping".
    keys Tab Tab
    keys space
    wait_for 10 /tmp/gui.log "Remapping started" || true
    shot gui-3-remapping
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
    start_gui --login
    wait_for 15 /tmp/gui.log "Event tap installed" || true
    sleep 3
    windows=$(${server}_windows)
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

gui_part() {
    launches=0
    gui_first_run
    space_result "first run from the keyboard, relaunched before Start Remapping"
    stop_gui
    gui_login
    stop_gui
    grep '^\[Bindwell\]' /tmp/gui.log | sed "s/^/    $server app: /"
}
