# The checks both display servers share. A server's script sets $server,
# starts its client (whose report goes to /tmp/client.log) and names the
# reader that turns that report into event lines ($reader, an awk file).
passed=0
failed=0
config=/tmp/config/Bindwell/config.json

result() { # LABEL TEXT: one DESKTOP line, counted
    echo "DESKTOP $server $1: $2"
    last=$2
    case "$2" in failed*) failed=$((failed + 1)) ;; *) passed=$((passed + 1)) ;; esac
}

prepare_checks() {
    mkdir -p /tmp/config/Bindwell /tmp/marks
    bindwellctl actions >/tmp/actions
    bindwell_desktop_profile $config </tmp/actions >/tmp/plan
    echo "desktop: $(grep -c . /tmp/plan) actions to check"
}

as_desk() { su -p desk -s /bin/sh -c "$*"; }

# The parts to run (desktop.parts=catalogue,units,apps,latency,gui on the kernel's command line
# narrows them while one is being worked on).
part() { case ",$parts," in *",$1,"*|",all,") return 0 ;; esac; return 1; }
# A part that only runs when named: the latency figures are a benchmark
# (bench/vm-focus-latency.sh), not a check, and would only lengthen the suite.
named() { case ",$parts," in *",$1,"*) return 0 ;; esac; return 1; }
parts=$(sed -n 's/.*desktop\.parts=\([^ ]*\).*/\1/p' /proc/cmdline)
parts=${parts:-all}

events() { awk -f /desk/$reader /tmp/client.log; }

# The remote's commands go through a fifo that stays open between checks.
start_remote() {
    rm -f /tmp/remote.fifo && mkfifo /tmp/remote.fifo
    bindwell_desktop_remote </tmp/remote.fifo &
    remote_pid=$!
    exec 3>/tmp/remote.fifo
}
remote() { echo "$*" >&3; }
stop_remote() { exec 3>&-; wait $remote_pid; }

wait_for() { # SECONDS FILE TEXT
    local tries=$(($1 * 5))
    while [ $tries -gt 0 ]; do
        grep -q "$3" "$2" 2>/dev/null && return 0
        sleep 0.2
        tries=$((tries - 1))
    done
    return 1
}

wait_for_count() { # SECONDS FILE TEXT COUNT
    local tries=$(($1 * 5))
    until [ "$(grep -c "$3" "$2" 2>/dev/null)" -ge "$4" ]; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep 0.2
    done
}

start_bindwellctl() { # [CONFIG_HOME]
    XDG_CONFIG_HOME=${1:-/tmp/config} bindwellctl run >/tmp/run.log 2>&1 &
    run_pid=$!
    wait_for 20 /tmp/run.log "Event tap installed" || { cat /tmp/run.log; return 1; }
    # The display server opens the new virtual devices on udev's word.
    sleep 3
}
stop_bindwellctl() { kill $run_pid; wait $run_pid; }

# Waits (at most 3 s) until events follow the first BEFORE, then a little
# longer for the rest of them.
wait_for_events() {
    local tries=15
    while [ $tries -gt 0 ] && [ "$(events | wc -l)" -le $1 ]; do sleep 0.2; tries=$((tries - 1)); done
    sleep 0.3
}

# What the focused client received for an action that posts POSTED, judged
# from the events while the button was down (/tmp/mid) and until after its
# release (/tmp/all).
judge() { # POSTED
    awk -v posted="$1" -v server=$server -f /desk/judge.awk /desk/keycodes /tmp/mid /tmp/all
}

# Presses a button and judges what arrived: "fired" when the desktop's own
# binding for the combination left its mark, else what the client received.
check_action() { # USAGE LABEL POSTED
    local before
    before=$(events | wc -l)
    rm -f /tmp/marks/*
    remote press "$1"
    wait_for_events $before
    events | tail -n +$((before + 1)) >/tmp/mid
    remote release
    sleep 0.6
    events | tail -n +$((before + 1)) >/tmp/all
    if [ -e "/tmp/marks/$3" ]; then
        result "$2" "fired ($(cat "/tmp/marks/$3"))"
    elif grep -q "^$3 " /desk/bindings; then
        binding_missed "$2" "$3"
    else
        result "$2" "$(judge "$3")"
        # A failure shows what did arrive, while held and after release.
        case "$last" in failed*) sed 's/^/    while held: /' /tmp/mid; sed 's/^/    in all: /' /tmp/all ;; esac
    fi
}

# The desktop's own binding for this combination should have run. (Openbox
# grabs Print on the first key code with that symbol, Print Screen's, which
# is why "Print" posts KEY_SYSRQ.)
binding_missed() { # LABEL POSTED
    result "$1" "failed its $server binding did not run; the client $(judge "$2")"
}

catalogue_checks() {
    local usage label posted
    while IFS="$(printf '\t')" read -r usage label posted; do
        if [ "$usage" = "-" ]; then
            result "$label" "failed not in the model's catalogue ($posted)"
        else
            check_action "$usage" "$label" "$posted"
        fi
    done </tmp/plan
}

# The trackball moves the pointer through the tap's clone; the mapped extra
# button (4) reaches the client as its action only, never as a button.
pointer_checks() {
    local before moved
    before=$(events | wc -l)
    for step in 1 2 3 4 5; do remote mouse 0 -20 -15; sleep 0.1; done
    wait_for_events $before
    moved=$(events | tail -n +$((before + 1)) | grep -c '^motion')
    if [ "$moved" -gt 0 ]; then
        result "trackball motion" "received $moved motion events ($(events | grep '^motion' | tail -1))"
    else
        result "trackball motion" "failed the pointer did not move"
    fi
    before=$(events | wc -l)
    remote mouse 8 0 0; sleep 0.4; remote mouse 0 0 0; sleep 0.6
    events | tail -n +$((before + 1)) >/tmp/all
    if grep -q '^button' /tmp/all; then
        result "filtered mouse button 4" "failed reached the client: $(grep '^button' /tmp/all | head -1)"
    elif grep -q '^key down 1 ' /tmp/all; then
        result "filtered mouse button 4" "received Escape only (its mapped action)"
    else
        result "filtered mouse button 4" "failed neither the button nor its action arrived"
    fi
}

# One display server's share: NAME_start, every check, NAME_stop.
server_checks() { # NAME
    echo "desktop: starting $1 at $(cut -d' ' -f1 /proc/uptime)s"
    ${1}_start || { server=$1; result "display server" "failed it did not start"; return; }
    start_remote
    if ! part catalogue; then
        :
    elif start_bindwellctl; then
        catalogue_checks
        pointer_checks
        stop_bindwellctl
    else
        result "bindwellctl run" "failed remapping did not start"
    fi
    part units && units_checks
    { part apps || named latency; } && apps_checks
    part gui && gui_checks
    stop_remote
    echo "desktop: $1 done at $(cut -d' ' -f1 /proc/uptime)s"
    ${1}_stop
}

artefact() { # NAME FILE: sends a file over the console for the host to save
    echo "ARTEFACT-BEGIN $1"
    gzip -c "$2" | base64
    echo "ARTEFACT-END"
}
