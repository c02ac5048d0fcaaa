# Xorg with the dummy video driver and libinput for input, openbox, and xev
# in a window that has the focus and the pointer.
x11_start() {
    server=x11 reader=events-xev.awk
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
    stdbuf -oL xev -geometry 1000x700+0+0 >/tmp/client.log 2>&1 &
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
