# The desktop suite's walker, the same on both display servers. Every check
# is a row "usage TAB label TAB what it posts": the remote's button, the
# action's label and its evdev names. A row is pressed, waited on and
# collected by one step, and judged by judge.awk from the focused client's
# events, or by the mark the desktop's own binding for the combination
# leaves. The tables: the catalogue (every action of `bindwellctl actions` on
# a button of its own) and /desk/apps. A server's script (x11.sh, sway.sh)
# starts and stops it and gives the walker SERVER_focus, SERVER_keys and so
# on; each client's events, as events.awk prints them, grow in
# /tmp/events-CLIENT (main: the server's xev or wev).
passed=0
failed=0

result() { # LABEL TEXT: one DESKTOP line, counted
    echo "DESKTOP $server $1: $2"
    case "$2" in failed*) failed=$((failed + 1)) ;; *) passed=$((passed + 1)) ;; esac
}

as_desk() { su -p desk -s /bin/sh -c "$*"; }

# The parts to run (desktop.parts=catalogue,apps,gui on the kernel's command
# line narrows them while one is being worked on).
parts=$(sed -n 's/.*desktop\.parts=\([^ ]*\).*/\1/p' /proc/cmdline)
part() { case ",${parts:-all}," in *",$1,"* | ",all,") return 0 ;; esac; return 1; }

# Polls every 50 ms, at most SECONDS, until the command succeeds.
until_true() { # SECONDS COMMAND...
    local tries=$(($1 * 20))
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep 0.05
    done
}
has() { grep -q "$2" "$1" 2>/dev/null; } # FILE PATTERN
wait_for() { until_true "$1" has "$2" "$3"; } # SECONDS FILE PATTERN
# The events CLIENT received after its first AFTER lines.
since() { tail -n +$(($2 + 1)) "/tmp/events-$1"; } # CLIENT AFTER
saw() { since "$1" "$2" | grep -q "$3"; } # CLIENT AFTER PATTERN
# Every key and button that went down since AFTER has come up again.
settled() { # CLIENT AFTER
    since "$1" "$2" | awk '/^key down/ { k++ } /^key up/ { k-- } /^button down/ { b++ }
        /^button up/ { b-- } END { exit k != 0 || b != 0 }'
}
count() { wc -l <"/tmp/events-$1"; } # CLIENT

# The remote's commands go through a fifo that stays open between checks.
start_remote() {
    rm -f /tmp/remote.fifo && mkfifo /tmp/remote.fifo
    bindwell_desktop_remote </tmp/remote.fifo &
    remote_pid=$!
    exec 3>/tmp/remote.fifo
}
remote() { echo "$*" >&3; }
# Whatever started meanwhile inherited the fifo, so its end is no EOF.
stop_remote() { exec 3>&-; kill $remote_pid; wait $remote_pid; }

# The display server has opened COUNT more input devices than BEFORE.
inputs_grew() { [ "$(${server}_inputs)" -ge $(($1 + $2)) ]; } # BEFORE COUNT

# `bindwellctl run` on the rows' config, until the display server has opened
# its virtual device and the tap's clone.
start_bindwellctl() { # TABLE
    local home=/tmp/config-$1 before
    mkdir -p $home/Bindwell
    bindwell_desktop_profile $home/Bindwell/config.json </tmp/$1.rows >/tmp/$1.plan
    before=$(${server}_inputs)
    XDG_CONFIG_HOME=$home bindwellctl run >/tmp/run.log 2>&1 &
    run_pid=$!
    wait_for 20 /tmp/run.log "Event tap installed" || { cat /tmp/run.log; return 1; }
    until_true 20 inputs_grew "$before" "$new_inputs" || echo "desktop: $server opened no new device"
}
stop_bindwellctl() { kill $run_pid; wait $run_pid; }

judge() { # POSTED [ALLOWED]
    awk -v posted="$1" -v allow="$2" -v server=$server -f /desk/judge.awk /desk/keycodes /tmp/mid /tmp/all
}

# The event line that shows POSTED's key or button going DIRECTION (down or
# up), as a pattern; "." when the client cannot receive it at all (X11's
# keycodes stop at 255).
arrival() { # POSTED DIRECTION
    local key=${1#hold } code
    key=${key##*+}
    case $key in
        BTN_LEFT) echo "^button $2 1\$" ;;
        BTN_RIGHT) echo "^button $2 3\$" ;;
        BTN_MIDDLE) echo "^button $2 2\$" ;;
        *)
            code=$(awk -v key="$key" '$1 == key { print $2 }' /desk/keycodes)
            if [ $server = x11 ] && [ "${code:-0}" -gt 247 ]; then echo .; else echo "^key $2 $code "; fi ;;
    esac
}

# The one press-wait-collect step: USAGE down, until POSTED arrives in
# CLIENT (or the desktop's binding for it runs), what arrived while the
# button was down (/tmp/mid), then released, until everything is up again
# (/tmp/all). A held action is given a moment down to show it stays down.
# With "twice", a quick press and release comes first (a double press); with
# "tap", that quick press and release is all, and what it posts comes after.
press_collect() { # USAGE CLIENT POSTED [twice|tap]
    local before down limit=3
    before=$(count $2)
    down=$(arrival "$3" down)
    [ "$down" = . ] && limit=1
    rm -f /tmp/marks/*
    case "${4:-}" in twice | tap) remote press "$1"; sleep 0.08; remote release; sleep 0.08 ;; esac
    [ "${4:-}" = tap ] || remote press "$1"
    if grep -q "^${3#hold } " /desk/bindings; then
        until_true 3 test -e "/tmp/marks/$3" || true
    else
        until_true $limit saw $2 "$before" "$down" || true
    fi
    case "$3" in hold* | *BTN_*) sleep 0.3 ;; esac
    since $2 "$before" >/tmp/mid
    [ "${4:-}" = tap ] || remote release
    [ "$down" = . ] || until_true 2 saw $2 "$before" "$(arrival "$3" up)" || true
    until_true 2 settled $2 "$before" || true
    since $2 "$before" >/tmp/all
}

# One row, judged. With two clients up, the other must receive nothing.
# (Openbox grabs Print on the first key code with that symbol, Print
# Screen's, which is why "Print" posts KEY_SYSRQ.)
walk_row() { # CLIENT USAGE LABEL POSTED
    local other='' other_before verdict
    [ "$2" = - ] && { result "$3" "failed $4"; return; }
    if [ "$1" != main ]; then
        other=$([ "$1" = alpha ] && echo beta || echo alpha)
        ${server}_focus "$1" || { result "$3" "failed $1 did not get the focus"; return; }
        # The focus source hands the change to the engine on the main loop.
        sleep 0.7
        other_before=$(count $other)
    fi
    press_collect "$2" "$1" "$4"
    if [ -e "/tmp/marks/$4" ]; then
        verdict="fired ($(cat "/tmp/marks/$4"))"
    elif grep -q "^$4 " /desk/bindings; then
        verdict="failed its $server binding did not run; the client $(judge "$4")"
    else
        verdict=$(judge "$4")
    fi
    if [ -n "$other" ] && saw $other "$other_before" '^key'; then
        verdict="failed $other received keys too"
    fi
    result "$3" "$verdict"
    case "$verdict" in failed*) sed 's/^/    while held: /' /tmp/mid; sed 's/^/    in all: /' /tmp/all ;; esac
}

# The trackball moves the pointer through the tap's clone.
motion_check() {
    local before
    before=$(count main)
    for step in 1 2 3 4 5; do remote mouse 0 -20 -15; done
    if until_true 2 saw main "$before" '^motion'; then
        result "trackball motion" "received $(since main "$before" | grep -c '^motion') motion events"
    else
        result "trackball motion" "failed the pointer did not move"
    fi
}

# Every action of the catalogue, a recorded shortcut and its held form, and
# an extra mouse button that the tap takes off the pointer.
catalogue_part() {
    local tab usage label posted
    tab=$(printf '\t')
    bindwellctl actions | awk -F'\t' '!/^#/ && NF > 1 && $2 != "passthrough" && $2 != "nothing" {
        print "*\t" $1 }' >/tmp/catalogue.rows
    printf '*\tCtrl+Shift+K\n*\tHold Ctrl+Shift+K\nb4\tEscape\n' >>/tmp/catalogue.rows
    start_bindwellctl catalogue || { result "bindwellctl run" "failed remapping did not start"; return; }
    echo "desktop: $(grep -c . /tmp/catalogue.plan) actions to check"
    while IFS=$tab read -r usage label posted; do
        case "$usage" in b*) label="$label (mouse button ${usage#b})" ;; esac
        walk_row main "$usage" "$label" "$posted"
    done </tmp/catalogue.plan
    motion_check
    stop_bindwellctl
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
        walk_row $client "$(cut -f1 /tmp/apps.plan | head -1)" "apps: $client focused, expecting $label" \
            "$(awk -F'\t' -v label="$label" '$2 == label { print $3; exit }' /tmp/apps.plan)"
    done
    stop_bindwellctl
    # The focus latency figures are a benchmark (bench/vm-focus-latency.sh).
    case ",$parts," in *,latency,*) focus_latency ;; esac
    pkill -f 'bindwell-[ab]'
}

# A button that taps Enter, holds Escape and double-taps Tab: a long press
# arrives as Escape while the button is still down, a double press as Tab,
# and neither brings its Enter; a short press gives Enter once the
# double-tap window closes.
gestures_part() {
    local tab label way posted
    tab=$(printf '\t')
    printf '183\tEnter / Return\t(hold)\tEscape\t(double tap)\tTab\n' >/tmp/gestures.rows
    start_bindwellctl gestures || { result "gestures: bindwellctl run" "failed remapping did not start"; return; }
    ${server}_focus main
    while IFS=$tab read -r label way; do
        posted=$(awk -F'\t' -v label="$label" '$2 == label { print $3; exit }' /tmp/gestures.plan)
        press_collect 183 main "$posted" $way
        result "gestures: $label" "$(judge "$posted")"
    done <<EOF
(hold) Escape${tab}held
(double tap) Tab${tab}twice
Enter / Return${tab}tap
EOF
    stop_bindwellctl
}

# One display server's share: SERVER_start, every part, SERVER_stop.
server_walk() { # SERVER
    echo "desktop: starting $1 at $(cut -d' ' -f1 /proc/uptime)s"
    # The clients of the last server may have run as another user.
    rm -f /tmp/events-*
    ${1}_start || { server=$1; result "display server" "failed it did not start"; return; }
    start_remote
    for name in catalogue apps gestures gui; do
        part $name || continue
        ${name}_part
        echo "desktop: $1 $name done at $(cut -d' ' -f1 /proc/uptime)s"
    done
    stop_remote
    ${1}_stop
}
