# Focus latency figures, printed and never asserted: the time from issuing a
# focus switch between the per-application check's two clients to
# `bindwellctl focus` printing the newly focused application, over
# $latency_switches switches. bench/vm-focus-latency.sh collects the
# "focus-latency:" lines. Both times come from one clock
# (bindwell_focus_stamp), each line of bindwellctl's stamped as it is read.
latency_switches=20

# Issues one switch and prints the time it was issued and the time its
# command had returned: under emulation starting a program takes long, and
# the second figure leaves that out. On Xorg a single activation without
# waiting (x11_focus repeats and polls, which would be counted); sway's
# command returns once sway has moved the focus.
issue_focus() { # NAME
    case $server in
        x11)
            bindwell_focus_stamp now
            xdotool search --name "^bindwell-$1\$" windowactivate >/dev/null 2>&1
            bindwell_focus_stamp now ;;
        sway)
            as_desk "bindwell_focus_stamp now; swaymsg '[app_id=bindwell-$1] focus' >/dev/null;
                     bindwell_focus_stamp now" ;;
    esac
}

# The stamp of the first line after line AFTER whose app id is bindwell-NAME.
focus_seen() { # AFTER NAME
    awk -F'\t' -v after="$1" -v app="bindwell-$2" 'NR > after && $3 == app { print $1; exit }' /tmp/focus.log
}

focus_latency() {
    local i name after times seen tries
    local focus_pid
    rm -f /tmp/latency /tmp/focus.fifo && mkfifo /tmp/focus.fifo
    bindwell_focus_stamp </tmp/focus.fifo >/tmp/focus.log &
    bindwellctl focus >/tmp/focus.fifo 2>&1 &
    focus_pid=$!
    wait_for 10 /tmp/focus.log "$(printf '\t')" ||
        { echo "focus-latency: $server bindwellctl focus printed nothing"; kill $focus_pid; return; }
    ${server}_focus beta
    sleep 1
    for i in $(seq $latency_switches); do
        name=alpha
        [ $((i % 2)) -eq 0 ] && name=beta
        after=$(grep -c . /tmp/focus.log)
        times=$(issue_focus $name)
        tries=50
        until seen=$(focus_seen "$after" $name) && [ -n "$seen" ]; do
            tries=$((tries - 1))
            [ $tries -gt 0 ] || break
            sleep 0.05
        done
        set -- $times
        [ -n "$seen" ] && echo "$(((seen - $1) / 1000)) $(((seen - $2) / 1000))" >>/tmp/latency
        sleep 0.3
    done
    kill $focus_pid 2>/dev/null
    wait $focus_pid 2>/dev/null
    latency_figures 1 "from issuing the switch"
    latency_figures 2 "from its command's return"
}

latency_figures() { # COLUMN WHAT
    cut -d' ' -f$1 /tmp/latency 2>/dev/null | sort -n | awk -v server=$server -v what="$2" -v wanted=$latency_switches '
        { us[NR] = $1 }
        END {
            if (NR == 0) { print "focus-latency: " server " no switch was seen"; exit }
            printf "focus-latency: %s %s: median %.1f ms, p90 %.1f ms, min %.1f ms, max %.1f ms over %d of %d switches\n",
                server, what, us[int((NR + 1) / 2)] / 1000, us[int(NR * 0.9 + 0.999)] / 1000, us[1] / 1000, us[NR] / 1000, NR, wanted
        }'
}
