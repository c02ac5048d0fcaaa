# Per-application rules end to end (the table in /desk/apps): two clients of
# different application identity, named alpha and beta, and one button whose
# rule fits alpha only. With alpha focused the press reaches alpha as the
# rule's key; with beta focused it reaches beta as the button's own key.
# On Xorg the clients are xev windows given the class Bindwell-<name> (xev
# sets no WM_CLASS); on sway they are Qt windows with the app id
# bindwell-<name> (wev's is fixed).
apps_home=/tmp/apps-config

x11_app_start() { # NAME
    local window
    stdbuf -oL xev -name "bindwell-$1" -geometry 500x700+0+0 >/tmp/$server-app-$1.log 2>&1 &
    app_pids="$app_pids $!"
    window=$(xdotool search --sync --name "^bindwell-$1\$" | head -1)
    xdotool set_window --classname "bindwell-$1" --class "Bindwell-$1" "$window"
}
# Openbox may still be adopting a new window and take the focus back, so the
# activation is repeated until the window holds the focus.
x11_app_focus() { # NAME
    local tries=20
    until [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "bindwell-$1" ]; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        xdotool search --name "^bindwell-$1\$" windowactivate --sync >/dev/null 2>&1
        sleep 0.2
    done
}
x11_app_events() { awk -f /desk/events-xev.awk /tmp/$server-app-$1.log; }

sway_app_start() { # NAME
    as_desk "swaymsg exec 'QT_QPA_PLATFORM=wayland bindwell_desktop_key_window bindwell-$1 >/tmp/$server-app-$1.log 2>&1'" >/dev/null
    # Qt starts slowly under emulation.
    local tries=60
    until as_desk "swaymsg -t get_tree" | grep -q "\"app_id\": *\"bindwell-$1\""; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || { sed 's/^/    client: /' /tmp/$server-app-$1.log; return 1; }
        sleep 0.5
    done
}
sway_app_focus() { as_desk "swaymsg '[app_id=bindwell-$1] focus'" >/dev/null; }
sway_app_events() { cat /tmp/$server-app-$1.log 2>/dev/null; }

# The plan's "label TAB what it posts" lines, looked up by label.
app_posted() { awk -F'\t' -v label="$1" '$1 == label { print $2; exit }' /tmp/apps-plan; }

app_check() { # CLIENT LABEL
    local other=alpha before other_before posted verdict
    [ "$1" = alpha ] && other=beta
    posted=$(app_posted "$2")
    if ! ${server}_app_focus "$1"; then
        result "apps: $1 focused" "failed $1 did not get the focus"
        return
    fi
    # The focus source hands the change to the engine on the main loop.
    sleep 0.7
    before=$(${server}_app_events "$1" | wc -l)
    other_before=$(${server}_app_events $other | wc -l)
    remote press "$usage"
    local tries=15
    while [ $tries -gt 0 ] && [ "$(${server}_app_events "$1" | wc -l)" -le "$before" ]; do
        sleep 0.2
        tries=$((tries - 1))
    done
    sleep 0.3
    ${server}_app_events "$1" | tail -n +$((before + 1)) >/tmp/mid
    remote release
    sleep 0.6
    ${server}_app_events "$1" | tail -n +$((before + 1)) >/tmp/all
    verdict=$(judge "$posted")
    if ${server}_app_events $other | tail -n +$((other_before + 1)) | grep -q '^key'; then
        verdict="failed $other received keys too: $(${server}_app_events $other | tail -n +$((other_before + 1)) | tr '\n' ' ')"
    fi
    result "apps: $1 focused, expecting $2" "$verdict"
    case "$verdict" in failed*) sed 's/^/    in all: /' /tmp/all ;; esac
}

apps_checks() {
    local kind usage label glob rule_label name
    mkdir -p $apps_home/Bindwell
    grep '^profile' /desk/apps | cut -f2- | bindwell_desktop_profile --apps $apps_home/Bindwell/config.json >/tmp/apps-plan
    usage=$(grep '^profile' /desk/apps | head -1 | cut -f2)
    for name in alpha beta; do
        ${server}_app_start $name || { result "apps: client $name" "failed it did not start"; return; }
    done
    if ! start_bindwellctl $apps_home; then
        result "apps: bindwellctl run" "failed remapping did not start"
        return
    fi
    if ! part apps; then
        :
    elif grep -q "follow the focus through" /tmp/run.log; then
        result "apps: focus source" "$(grep -o 'follow the focus through.*' /tmp/run.log)"
    else
        result "apps: focus source" "failed $(grep -i 'Per-application' /tmp/run.log || echo 'no focus source line')"
    fi
    part apps && while IFS="$(printf '\t')" read -r kind name label; do
        [ "$kind" = $server ] && app_check "$name" "$label"
    done </desk/apps
    stop_bindwellctl
    named latency && focus_latency
    kill $app_pids $(pidof bindwell_desktop_key_window) 2>/dev/null
    app_pids=
}
