# The desktop suite's walker, the same on both display servers. Every check
# is a row "unit TAB client TAB usage TAB label TAB what it posts": the unit
# of the remote that presses (- for the one without a serial), the client
# that has the focus (main: the server's xev or wev), and the action's
# evdev names. A row is pressed, waited on and collected by one step, and
# judged by judge.awk from the client's events, or by the mark the desktop's
# own binding for the combination leaves. The tables: the catalogue (every
# action of `bindwellctl actions` on a button of its own), /desk/units and
# /desk/apps. A server's script (x11.sh, sway.sh) starts and stops it and
# gives the walker SERVER_focus, SERVER_events, SERVER_keys and so on.
passed=0
failed=0

result() { # LABEL TEXT: one DESKTOP line, counted
    echo "DESKTOP $server $1: $2"
    case "$2" in failed*) failed=$((failed + 1)) ;; *) passed=$((passed + 1)) ;; esac
}

as_desk() { su -p desk -s /bin/sh -c "$*"; }

# The parts to run (desktop.parts=catalogue,units,apps,gui on the kernel's
# command line narrows them while one is being worked on).
parts=$(sed -n 's/.*desktop\.parts=\([^ ]*\).*/\1/p' /proc/cmdline)
part() { case ",${parts:-all}," in *",$1,"* | ",all,") return 0 ;; esac; return 1; }

wait_for() { # SECONDS FILE TEXT [COUNT]
    local tries=$(($1 * 5)) count
    # grep prints no count for a file that is not there yet.
    until count=$(grep -c "$3" "$2" 2>/dev/null); [ "${count:-0}" -ge "${4:-1}" ]; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep 0.2
    done
}

# The remote's commands go through a fifo that stays open between checks.
start_remote() {
    rm -f /tmp/remote.fifo && mkfifo /tmp/remote.fifo
    bindwell_desktop_remote </tmp/remote.fifo &
    remote_pid=$!
    exec 3>/tmp/remote.fifo
}
remote() { echo "$*" >&3; }
stop_remote() { exec 3>&-; wait $remote_pid; }

# `bindwellctl run` on the rows' config, once the units it must seize are in.
start_bindwellctl() { # TABLE ROWS
    local home=/tmp/config-$1
    mkdir -p $home/Bindwell
    bindwell_desktop_profile $home/Bindwell/config.json </tmp/$1.rows >/tmp/$1.plan
    XDG_CONFIG_HOME=$home bindwellctl run >/tmp/run.log 2>&1 &
    run_pid=$!
    wait_for 20 /tmp/run.log "Event tap installed" || { cat /tmp/run.log; return 1; }
    # The display server opens the new virtual devices on udev's word.
    sleep 3
}
stop_bindwellctl() { kill $run_pid; wait $run_pid; }

judge() { # POSTED [ALLOWED]
    awk -v posted="$1" -v allow="$2" -v server=$server -f /desk/judge.awk /desk/keycodes /tmp/mid /tmp/all
}

# The one press-wait-collect step: USAGE down on the selected unit, at most
# 3 s for CLIENT's first event, what it received while the button was down
# (/tmp/mid) and until after its release (/tmp/all).
press_collect() { # USAGE CLIENT
    local before tries=15
    before=$(${server}_events $2 | wc -l)
    rm -f /tmp/marks/*
    remote press "$1"
    while [ $tries -gt 0 ] && [ "$(${server}_events $2 | wc -l)" -le $before ]; do
        sleep 0.2
        tries=$((tries - 1))
    done
    sleep 0.3
    ${server}_events $2 | tail -n +$((before + 1)) >/tmp/mid
    remote release
    sleep 0.6
    ${server}_events $2 | tail -n +$((before + 1)) >/tmp/all
}

# One row, judged. With two clients up, the other must receive nothing.
# (Openbox grabs Print on the first key code with that symbol, Print
# Screen's, which is why "Print" posts KEY_SYSRQ.)
walk_row() { # UNIT CLIENT USAGE LABEL POSTED
    local other='' other_before verdict
    [ "$3" = - ] && { result "$4" "failed $5"; return; }
    remote unit "${1#-}"
    if [ "$2" != main ]; then
        other=$([ "$2" = alpha ] && echo beta || echo alpha)
        ${server}_focus "$2" || { result "$4" "failed $2 did not get the focus"; return; }
        # The focus source hands the change to the engine on the main loop.
        sleep 0.7
        other_before=$(${server}_events $other | wc -l)
    fi
    press_collect "$3" "$2"
    if [ -e "/tmp/marks/$5" ]; then
        verdict="fired ($(cat "/tmp/marks/$5"))"
    elif grep -q "^$5 " /desk/bindings; then
        verdict="failed its $server binding did not run; the client $(judge "$5")"
    else
        verdict=$(judge "$5")
    fi
    if [ -n "$other" ] && ${server}_events $other | tail -n +$((other_before + 1)) | grep -q '^key'; then
        verdict="failed $other received keys too"
    fi
    result "$4" "$verdict"
    case "$verdict" in failed*) sed 's/^/    while held: /' /tmp/mid; sed 's/^/    in all: /' /tmp/all ;; esac
    remote unit
}

walk() { # PLAN: its rows, each pressed by the unit on the main client
    local tab unit usage label posted
    tab=$(printf '\t')
    while IFS=$tab read -r unit usage label posted; do
        case "$usage" in b*) label="$label (mouse button ${usage#b})" ;; esac
        [ "$unit" = - ] || label="unit $unit: $label"
        walk_row "$unit" main "$usage" "$label" "$posted"
    done <"$1"
}

# The trackball moves the pointer through the tap's clone.
motion_check() {
    local before
    before=$(${server}_events main | wc -l)
    for step in 1 2 3 4 5; do remote mouse 0 -20 -15; sleep 0.1; done
    sleep 1
    if ${server}_events main | tail -n +$((before + 1)) | grep -q '^motion'; then
        result "trackball motion" "received $(${server}_events main | grep -c '^motion') motion events"
    else
        result "trackball motion" "failed the pointer did not move"
    fi
}

# Every action of the catalogue, a recorded shortcut and its held form, and
# an extra mouse button that the tap takes off the pointer.
catalogue_part() {
    bindwellctl actions | awk -F'\t' '!/^#/ && NF > 1 && $2 != "passthrough" && $2 != "nothing" {
        print "-\t*\t" $1 }' >/tmp/catalogue.rows
    printf -- '-\t*\tCtrl+Shift+K\n-\t*\tHold Ctrl+Shift+K\n-\tb4\tEscape\n' >>/tmp/catalogue.rows
    start_bindwellctl catalogue || { result "bindwellctl run" "failed remapping did not start"; return; }
    echo "desktop: $(grep -c . /tmp/catalogue.plan) actions to check"
    walk /tmp/catalogue.plan
    motion_check
    stop_bindwellctl
}

# Units of one model, each remapped by the profile naming its serial: in
# turn, then the first two rows' buttons held at once and let go in the
# order they went down.
units_part() {
    local tab s1 u1 l1 p1 s2 u2 l2 p2 before first second
    tab=$(printf '\t')
    cp /desk/units /tmp/units.rows
    cut -f1 /desk/units | grep -v '^#' | sort -u >/tmp/units.serials
    while read -r serial; do remote unit "$serial"; done </tmp/units.serials
    remote unit
    udevadm settle --timeout=10
    start_bindwellctl units && wait_for 10 /tmp/run.log "Seized consumer" "$(grep -c . /tmp/units.serials)" ||
        { result "units: bindwellctl run" "failed not every unit was seized"; cat /tmp/run.log; return; }
    walk /tmp/units.plan
    { IFS=$tab read -r s1 u1 l1 p1; IFS=$tab read -r s2 u2 l2 p2; } </tmp/units.plan
    before=$(${server}_events main | wc -l)
    remote unit "$s1"; remote press "$u1"; sleep 0.3
    remote unit "$s2"; remote press "$u2"; sleep 1
    remote unit "$s1"; remote release
    remote unit "$s2"; remote release; sleep 0.6
    ${server}_events main | tail -n +$((before + 1)) >/tmp/all
    cp /tmp/all /tmp/mid
    first=$(judge "$p1" "$p2")
    second=$(judge "$p2" "$p1")
    case "$first $second" in
        *failed*) result "units held at once ($l1, $l2)" "failed $first; $second" ;;
        *) result "units held at once ($l1, $l2)" "$first; $second" ;;
    esac
    stop_bindwellctl
    while read -r serial; do remote unit "$serial"; remote unplug; done </tmp/units.serials
    remote unit
}

# Per-application rules: two clients of different application identity,
# alpha and beta, and one button whose rule fits alpha only.
apps_part() {
    local kind client label
    grep -v '^walk' /desk/apps >/tmp/apps.rows
    for client in alpha beta; do
        ${server}_app_start $client || { result "apps: client $client" "failed it did not start"; return; }
    done
    start_bindwellctl apps || { result "apps: bindwellctl run" "failed remapping did not start"; return; }
    grep "^walk$(printf '\t')$server" /desk/apps | while IFS="$(printf '\t')" read -r kind kind client label; do
        walk_row - $client "$(cut -f2 /tmp/apps.plan | head -1)" "apps: $client focused, expecting $label" \
            "$(awk -F'\t' -v label="$label" '$3 == label { print $4; exit }' /tmp/apps.plan)"
    done
    stop_bindwellctl
    # The focus latency figures are a benchmark (bench/vm-focus-latency.sh).
    case ",$parts," in *,latency,*) focus_latency ;; esac
    kill $app_pids $(pidof bindwell_desktop_key_window) 2>/dev/null
    app_pids=
}

# One display server's share: SERVER_start, every part, SERVER_stop.
server_walk() { # SERVER
    echo "desktop: starting $1 at $(cut -d' ' -f1 /proc/uptime)s"
    ${1}_start || { server=$1; result "display server" "failed it did not start"; return; }
    start_remote
    part catalogue && catalogue_part
    part units && units_part
    part apps && apps_part
    part gui && gui_part
    stop_remote
    echo "desktop: $1 done at $(cut -d' ' -f1 /proc/uptime)s"
    ${1}_stop
}
