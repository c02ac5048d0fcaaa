# Xorg with the dummy video driver and libinput for input, openbox, and xev
# in a window that has the focus and the pointer.
x11_start() {
    server=x11 new_inputs=2
    mkdir -p /etc/X11 /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix /tmp/marks
    cp /desk/xorg.conf /etc/X11/xorg.conf
    /usr/lib/xorg/Xorg :0 -nolisten tcp -noreset -logfile /tmp/Xorg.log vt1 >/dev/null 2>&1 &
    export DISPLAY=:0
    local tries=50
    until xprop -root >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || { tail -20 /tmp/Xorg.log; return 1; }
        sleep 0.4
    done
    {
        echo '<?xml version="1.0"?><openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard>'
        grep -v '^#' /desk/bindings | while read -r posted key _; do
            echo "<keybind key=\"$key\"><action name=\"Execute\"><command>sh -c 'echo openbox $key &gt; /tmp/marks/$posted'</command></action></keybind>"
        done
        echo '</keyboard></openbox_config>'
    } >/tmp/openbox.xml
    openbox --config-file /tmp/openbox.xml >/tmp/openbox.log 2>&1 &
    sleep 1
    pidof openbox >/dev/null || cat /tmp/openbox.log
    stdbuf -oL xev -geometry 1000x700+0+0 2>&1 | awk -f /desk/events.awk >/tmp/events-main &
    # Openbox may still be adopting the window and take the focus back to
    # itself, so the activation is repeated until xev holds the focus.
    tries=20
    until [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "Event Tester" ]; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || { echo "desktop: xev did not get the focus"; break; }
        xdotool search --sync --name 'Event Tester' windowactivate --sync windowfocus --sync >/dev/null 2>&1
        sleep 0.3
    done
    xdotool mousemove 500 400
    sleep 0.5
}

x11_stop() {
    kill $(pidof xev) $(pidof openbox) 2>/dev/null
    kill $(pidof Xorg) 2>/dev/null
    sleep 1
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
x11_keys() { for key in "$@"; do xdotool key "$key"; sleep 0.4; done; }
x11_windows() { xdotool search --name '^Bindwell$' 2>/dev/null | wc -l; }
