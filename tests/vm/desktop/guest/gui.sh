# The GUI app itself on sway, as the user "desk": the first run driven from
# the keyboard alone, from the guide to "Start Remapping", the app's item on
# swaybar's tray, then remapping on across an unplug and a replug. One
# launch, which must end only when it is told to. The same walk on Xorg would
# prove nothing more: the host's launch checks show the window there without
# a tray, and the catalogue the keys of the one virtual device.

start_gui() {
    # No GPU and no Mesa in the guest: Qt Quick draws in software.
    as_desk "HOME=/home/desk XDG_CONFIG_HOME=/home/desk/.config XDG_RUNTIME_DIR=/run/user/1000 \
        QT_QUICK_BACKEND=software QT_QPA_PLATFORM=wayland sh -c 'bindwell; echo \$? >/tmp/gui.status' \
        >>/tmp/gui.log 2>&1 &"
}

# Stops the app; a launch that ended before (by a crash, say) is a failure.
stop_gui() {
    local status
    [ -e /tmp/gui.status ] && { result "launch" "failed the app ended by itself with status $(cat /tmp/gui.status)"; return; }
    kill $(pidof bindwell) 2>/dev/null
    wait_for 10 /tmp/gui.status . || true
    status=$(cat /tmp/gui.status 2>/dev/null)
    case "$status" in
        0 | 143) result "launch" "received exit status $status when told to quit" ;;
        *) result "launch" "failed exit status ${status:-none} when told to quit" ;;
    esac
}

# What Volume Down (usage 234) does now in the server's own client. The
# remote's report also carries 234 as an array element, a row of its own in
# the generic layout that the walk leaves on Escape, so Escape may come too.
space_result() { focused=''; walk_row main 234 "$1" KEY_SPACE press KEY_ESC; } # LABEL

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

seizes() { grep -c 'Seized consumer' /tmp/gui.log; }
seized() { [ "$(seizes)" -ge "$1" ]; } # COUNT

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$(pidof bindwell)/stat" 2>/dev/null; }
# The app's CPU time grew by at most a tick in half a second: its page is
# drawn, so the next key meets that page's focus chain, however slow the host.
settled_app() { local before=$(cpu_ticks); sleep 0.5; [ $(($(cpu_ticks) - before)) -le 1 ]; }

# The setup window, walked as /desk/first-run says, until the remote is seized.
# A step whose effect never shows ends the walk and names itself.
gui_first_run() {
    local before tabs key pause file effect
    before=$(sway_inputs)
    start_gui
    until_true -s 30 sway_tree_has '"name": "Bindwell"' || { result "setup window" "failed it did not appear"; return 1; }
    until_true -s 15 settled_app || true
    grep -v '^#' /desk/first-run >/tmp/first-run.steps
    while IFS=$(printf '\t') read -r tabs key pause file effect; do
        case $tabs in
            grant) chmod 666 /dev/uinput && chmod 644 /dev/input/event* ;;
            -1) as_desk wtype -M shift -k Tab -m shift -s 50 -k $key ;;
            *) as_desk wtype $(seq $tabs | sed 's/.*/-k Tab -s 50/') -k $key ;;
        esac
        [ -z "$file" ] || wait_for 15 "$file" "$effect" ||
            { result "first run from the keyboard" "failed $tabs Tabs and $key left no $effect in $file"; return 1; }
        sleep ${pause:-0}
        until_true -s 15 settled_app || true
    done </tmp/first-run.steps
    until_true -s 30 inputs_grew "$before" "$new_inputs" && until_true 20 seized 1 || true
}

# The new nodes are opened to the user by udev before anyone hears of them,
# as the package's uaccess rules do on a desktop (the guest has no logind to
# apply uaccess, so a mode stands in for it).
replug() {
    local before
    before=$(seizes)
    mkdir -p /etc/udev/rules.d
    echo 'SUBSYSTEM=="input", KERNEL=="event*", ATTRS{id/vendor}=="1209", MODE="0644"' \
        >/etc/udev/rules.d/99-stand-in-for-uaccess.rules
    udevadm control --reload
    remote unplug
    sleep 1
    remote plug
    until_true 20 seized $((before + 1)) || true
}

gui_part() {
    rm -rf /home/desk && mkdir -p /home/desk && chown desk:desk /home/desk
    rm -f /tmp/gui.log /tmp/gui.status
    # The guide shows while Bindwell may neither send input nor read the remote.
    chmod 600 /dev/uinput /dev/input/event*
    if gui_first_run; then
        space_result "first run from the keyboard"
        tray_result
        replug
        space_result "remapping after an unplug and a replug"
    fi
    stop_gui
    grep '^\[Bindwell\]' /tmp/gui.log | sed "s/^/    sway app: /"
}
