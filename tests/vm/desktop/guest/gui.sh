# The GUI app itself on the running display server: the first run driven
# from the keyboard alone, as a user without a mouse would.
gui_env() {
    echo "HOME=/home/desk XDG_CONFIG_HOME=/home/desk/.config XDG_RUNTIME_DIR=/run/user/1000 QT_QPA_PLATFORM=$1"
}

press_keys() { # KEY...: to the focused window
    if [ $server = x11 ]; then
        xdotool key --delay 120 "$@"
    else
        for key in "$@"; do as_desk "wtype -k $key"; sleep 0.12; done
    fi
    sleep 0.6
}

shot() { [ $server = x11 ] && xwd -root -silent >/tmp/shot.xwd && artefact "$server-$1" /tmp/shot.xwd; }

gui_first_run() { # QPA
    rm -rf /home/desk && mkdir -p /home/desk && chown desk:desk /home/desk
    # Without access to /dev/uinput the guide has something to say.
    chmod 600 /dev/uinput
    as_desk "$(gui_env $1) bindwell >/tmp/gui.log 2>&1 &"
    sleep 8
    shot gui-0
    for step in 1 2 3 4 5; do press_keys Tab; shot gui-tab$step; done
    press_keys space; shot gui-space
    cat /tmp/gui.log
    kill $(pidof bindwell)
}

gui_checks() {
    if [ $server = x11 ]; then gui_first_run xcb; else gui_first_run wayland; fi
}
