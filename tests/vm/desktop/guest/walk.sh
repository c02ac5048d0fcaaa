# The desktop suite's walker, the same on both display servers: each part of
# /desk/walks runs its config under `bindwellctl run` and walks its press
# rows, each pressed, waited on and collected by one step and judged by
# events.awk from the focused client's event lines (/tmp/events-CLIENT; main
# is the server's xev or wev), or by the mark the desktop's own binding for
# the combination leaves. x11.sh and sway.sh start and stop their server and
# give the walker SERVER_focus, SERVER_inputs and so on.
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

# Polls every 50 ms, at most SECONDS, until the command succeeds; with -s
# every half second, for a command (su, swaymsg) whose own start would slow
# down what it waits for.
until_true() { # [-s] SECONDS COMMAND...
    local pause=0.05 per=20 tries
    [ "$1" = -s ] && { pause=0.5 per=2; shift; }
    tries=$(($1 * per))
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep $pause
    done
}
wait_for() { until_true "$1" grep -qs "$3" "$2"; } # SECONDS FILE PATTERN
gone() { ! pidof "$1" >/dev/null; } # PROGRAM
# The events CLIENT received after its first AFTER lines.
since() { tail -n +$(($2 + 1)) "/tmp/events-$1"; } # CLIENT AFTER
saw() { since "$1" "$2" | grep -q "$3"; } # CLIENT AFTER PATTERN
# Every key and button that went down since AFTER has come up again.
settled() { # CLIENT AFTER
    since "$1" "$2" | awk '/^[a-z]+ down/ { n++ } /^[a-z]+ up/ { n-- } END { exit n != 0 }'
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

# `bindwellctl run` on the rows' config (or the part's own, /desk/PART.json with
# its plan), until the display server has opened its virtual device and the
# tap's clone and the remote (and a keyboard-key device in the plan, kN) is
# seized: a press before the seize would reach the desktop as its own key.
start_bindwellctl() { # PART
    local home=/tmp/config-$1 before
    mkdir -p $home/Bindwell
    [ -e /desk/$1.json ] && cp /desk/$1.json $home/Bindwell/config.json && cp /desk/$1.plan /tmp/$1.plan ||
        bindwell_desktop_profile $home/Bindwell/config.json $(awk -F'\t' '$1 == "usages" { print $2 }' /desk/walks) \
            </tmp/$1.rows >/tmp/$1.plan
    before=$(${server}_inputs)
    XDG_CONFIG_HOME=$home bindwellctl run >/tmp/run.log 2>&1 &
    run_pid=$!
    until_true -s 30 inputs_grew "$before" "$new_inputs" && wait_for 30 /tmp/run.log 'Seized consumer' &&
        { ! grep -q '^k' /tmp/$1.plan || wait_for 30 /tmp/run.log 'Seized keyboard-key'; } ||
        { cat /tmp/run.log; return 1; }
}
stop_bindwellctl() { kill $run_pid; wait $run_pid; }

# The event line that shows POSTED's key or button going down, as a pattern;
# "." when the client cannot receive it at all (X11's keycodes stop at 255).
arrival() { # POSTED
    local key=${1#hold } code
    key=${key##*+}
    code=$(awk -v key="$key" '$1 == key { print $2 }' /desk/keycodes)
    case $key in
        BTN_*) echo "^button down $code\$" ;;
        *) [ $server = x11 ] && [ "${code:-0}" -gt 247 ] && echo . || echo "^key down $code " ;;
    esac
}

# The one press-wait-collect step: USAGE down until POSTED arrives in CLIENT
# (or the desktop's binding for it runs; a held action a moment longer), then
# up until everything is up again. /tmp/all holds what arrived, the first
# $mid lines while the button was down. "twice" presses and releases quickly
# first (a double press); "tap" does only that, and what it posts comes after.
press_collect() { # USAGE CLIENT POSTED [WAY]
    local before down limit=3
    before=$(count $2)
    down=$(arrival "$3")
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
    mid=$(($(count $2) - before))
    [ "${4:-}" = tap ] || remote release
    until_true 2 settled $2 "$before" || true
    since $2 "$before" >/tmp/all
}

judge() { # POSTED [ALLOWED]
    awk -v posted="$1" -v allow="$2" -v server=$server -v mid=$mid -f /desk/events.awk /desk/keycodes /tmp/all
}

# One row, judged. With two clients up, the other must receive nothing. A
# client other than the one walk_row last gave the focus ($focused, empty
# when unknown) is given it first. (Openbox grabs Print on the first key code
# with that symbol, Print Screen's, which is why "Print" posts KEY_SYSRQ.)
walk_row() { # CLIENT USAGE LABEL POSTED [WAY [ALLOWED]]
    local other='' other_before verdict
    [ "$2" = - ] && { result "$3" "failed $4"; return; }
    if [ "$1" != "$focused" ]; then
        ${server}_focus "$1" || { result "$3" "failed $1 did not get the focus"; return; }
        focused=$1
        # The focus source hands the change to the engine on the main loop;
        # only the apps clients have rules of their own.
        [ "$1" = main ] || sleep 0.7
    fi
    if [ "$1" != main ]; then
        other=$([ "$1" = alpha ] && echo beta || echo alpha)
        other_before=$(count $other)
    fi
    press_collect "$2" "$1" "$4" "$5"
    if [ -e "/tmp/marks/$4" ]; then
        verdict="fired ($(cat "/tmp/marks/$4"))"
    elif grep -q "^$4 " /desk/bindings; then
        verdict="failed its $server binding did not run; the client $(judge "$4")"
    else
        verdict=$(judge "$4" "$6")
    fi
    if [ -n "$other" ] && saw $other "$other_before" '^key'; then
        verdict="failed $other received keys too"
    fi
    result "$3" "$verdict"
    case "$verdict" in
        failed*) awk -v mid=$mid '{ print "    " (NR > mid ? "after release: " : "while held: ") $0 }' /tmp/all ;;
    esac
}

# One part of /desk/walks: its config rows, after any the part wrote to
# /tmp/PART.rows, under `bindwellctl run`, then its press rows for this
# server, each on the rows of the plan it names, then the part's own CHECK.
walk_part() { # PART [CHECK]
    local tab client way name usage label posted
    tab=$(printf '\t')
    awk -F'\t' -v part=$1 '$1 == part && $2 == "config"' /desk/walks | cut -f3- >>/tmp/$1.rows
    start_bindwellctl $1 || { result "$1: bindwellctl run" "failed remapping did not start"; stop_bindwellctl; return; }
    awk -F'\t' -v part=$1 -v server=$server '$1 == part && $2 == "press" && ($3 == server || $3 == "*")' \
        /desk/walks | cut -f4- >/tmp/$1.presses
    focused=''
    while IFS=$tab read -r client way name; do
        awk -F'\t' -v name="$name" 'name == "*" || $2 == name' /tmp/$1.plan >/tmp/rows
        [ -s /tmp/rows ] || result "$1: $name" "failed no config row for it"
        while IFS=$tab read -r usage label posted; do
            case "$usage" in b*) label="$label (mouse button ${usage#b})" ;; esac
            [ $client = main ] || label="$label in $client"
            [ $1 = catalogue ] || label="$1: $label"
            walk_row $client "$usage" "$label" "$posted" $way
        done </tmp/rows
    done </tmp/$1.presses
    ${2:-true}
    stop_bindwellctl
}

# The trackball moves the pointer through the tap's clone.
motion_check() {
    local before
    before=$(count main)
    for step in 1 2 3 4 5; do remote mouse 0 -20 -15; done
    until_true 2 saw main "$before" '^motion'
    result "trackball motion" "$(since main "$before" | awk '/^motion/ { n++ }
        END { print n ? "received " n " motion events" : "failed the pointer did not move" }')"
}

catalogue_part() {
    bindwellctl actions | awk -F'\t' '!/^#/ && NF > 1 && $2 != "passthrough" && $2 != "nothing" {
        print "*\t" $1 }' >/tmp/catalogue.rows
    walk_part catalogue motion_check
}

apps_part() {
    local client
    for client in alpha beta; do
        ${server}_app_start $client || { result "apps: client $client" "failed it did not start"; return; }
    done
    walk_part apps
    # The focus latency figures are a benchmark (bench/vm-focus-latency.sh).
    case ",$parts," in *,latency,*) focus_latency ;; esac
}

gestures_part() { walk_part gestures; }
presenter_part() { remote presenter on; walk_part presenter; remote presenter off; }

# One display server's share: SERVER_start, its parts, SERVER_stop.
server_walk() { # SERVER PART...
    echo "desktop: starting $1 at $(cut -d' ' -f1 /proc/uptime)s"
    # The clients of the last server may have run as another user.
    rm -f /tmp/events-* /tmp/*.rows
    ${1}_start || { server=$1; result "display server" "failed it did not start"; return; }
    start_remote
    shift
    for name in "$@"; do
        part $name || continue
        ${name}_part
        echo "desktop: $server $name done at $(cut -d' ' -f1 /proc/uptime)s"
    done
    stop_remote
    ${server}_stop
}
