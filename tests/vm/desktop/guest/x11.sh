# Xorg with the dummy video driver and libinput for input, openbox, and xev
# in a window that has the focus and the pointer.
x11_start() {
    server=x11 new_inputs=2
    mkdir -p /etc/X11 /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix /tmp/marks
    cp /desk/xorg.conf /etc/X11/xorg.conf
    /usr/lib/xorg/Xorg :0 -nolisten tcp -noreset -logfile /tmp/Xorg.log vt1 >/dev/null 2>&1 &
    export DISPLAY=:0
    until_true 20 x11_has_wm '' || { tail -20 /tmp/Xorg.log; return 1; }
    {
        echo '<?xml version="1.0"?><openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard>'
        grep -v '^#' /desk/bindings | while read -r posted key _; do
            echo "<keybind key=\"$key\"><action name=\"Execute\"><command>sh -c 'echo openbox $key &gt; /tmp/marks/$posted'</command></action></keybind>"
        done
        echo '</keyboard></openbox_config>'
    } >/tmp/openbox.xml
    openbox --config-file /tmp/openbox.xml >/tmp/openbox.log 2>&1 &
    until_true 10 x11_has_wm 'window id' || cat /tmp/openbox.log
    stdbuf -oL xev -geometry 1000x700+0+0 2>&1 | awk -f /desk/events.awk >/tmp/events-main &
    xdotool search --sync --name 'Event Tester' >/dev/null
    x11_focus main || echo "desktop: xev did not get the focus"
    xdotool mousemove 500 400
}
# The root window answers, with a window manager's mark if PATTERN says so.
x11_has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "$1"; } # PATTERN

x11_stop() {
    kill $(pidof xev) $(pidof openbox) 2>/dev/null
    kill $(pidof Xorg) 2>/dev/null
    until_true 5 gone Xorg
}

# The per-application check's clients are xev windows given the class
# Bindwell-<name> (xev sets no WM_CLASS).
x11_app_start() { # NAME
    local window
    stdbuf -oL xev -name "bindwell-$1" -geometry 500x700+0+0 2>&1 | awk -f /desk/events.awk >/tmp/events-$1 &
    window=$(xdotool search --sync --name "^bindwell-$1\$" | head -1)
    xdotool set_window --classname "bindwell-$1" --class "Bindwell-$1" "$window"
}
# Openbox may still be adopting a new window and take the focus back, so the
# activation is repeated until the window holds the focus.
x11_focus() { # NAME (main: xev's own window)
    local name="bindwell-$1" tries=20
    [ "$1" = main ] && name="Event Tester"
    until [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "$name" ]; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        xdotool search --name "^$name\$" windowactivate --sync >/dev/null 2>&1
        sleep 0.2
    done
}
x11_inputs() { grep -c 'Adding input device' /tmp/Xorg.log; }
