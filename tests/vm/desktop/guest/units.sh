# Several units of one model remapped at once, each by the profile that names
# its serial number (the table in /desk/units): a unit's press reaches the
# focused client as that unit's own key and nothing else, pressed in turn and
# interleaved with the other's.
units_home=/tmp/units-config

# Prints the unit's udev ID_PATH, the other way a profile can name one unit.
unit_id_path() { # SERIAL
    local input node
    for input in /sys/class/input/input*; do
        [ "$(cat $input/uniq 2>/dev/null)" = "$1" ] || continue
        for node in $input/event*; do
            udevadm info -q property -n /dev/input/$(basename $node) | sed -n 's/^ID_PATH=//p'
            return
        done
    done
}

# Distinct keys pressed in /tmp/all.
keys_down() { awk '$1 == "key" && $2 == "down" { print $4 }' /tmp/all | sort -u | tr '\n' ' '; }

unit_check() { # SERIAL USAGE LABEL POSTED
    local got others
    remote unit "$1"
    got=$(remote_result "$2" "$4")
    others=$(keys_down)
    case "$got" in
        received*) [ "$(echo $others | wc -w)" -le 1 ] || got="failed more than its key arrived: $others" ;;
    esac
    result "unit $1 button $2 ($3)" "$got"
}

# The first two rows' units, their buttons held at once and let go in the
# order they went down.
interleaved_check() {
    local first second verdict before
    first=$(sed -n 1p /tmp/units-plan)
    second=$(sed -n 2p /tmp/units-plan)
    before=$(events | wc -l)
    remote unit "$(echo "$first" | cut -f1)"
    remote press "$(echo "$first" | cut -f2)"
    sleep 0.3
    remote unit "$(echo "$second" | cut -f1)"
    remote press "$(echo "$second" | cut -f2)"
    wait_for_events $before
    remote unit "$(echo "$first" | cut -f1)"
    remote release
    remote unit "$(echo "$second" | cut -f1)"
    remote release
    sleep 0.6
    events | tail -n +$((before + 1)) >/tmp/all
    cp /tmp/all /tmp/mid
    verdict="$(judge "$(echo "$first" | cut -f4)") and $(judge "$(echo "$second" | cut -f4)")"
    case "$verdict" in
        *failed*) result "units interleaved" "failed $verdict"; sed 's/^/    in all: /' /tmp/all ;;
        *) result "units interleaved" "$verdict" ;;
    esac
}

# What bindwellctl said, and which window had the focus.
units_diagnosis() {
    grep -v 'HID Event\|Unmapped' /tmp/run.log | sed 's/^/    run: /'
    [ $server = x11 ] && echo "    focus: $(xdotool getwindowfocus getwindowname 2>&1)"
    return 0
}

units_checks() {
    local serial count path failed_before=$failed
    mkdir -p $units_home/Bindwell
    bindwell_desktop_profile --units $units_home/Bindwell/config.json </desk/units >/tmp/units-plan
    cut -f1 /tmp/units-plan | sort -u >/tmp/units-serials
    count=$(grep -c . /tmp/units-serials)
    while read -r serial; do remote unit "$serial"; done </tmp/units-serials
    remote unit
    udevadm settle --timeout=10
    # udev's path_id knows no bus under uhid, so these units cannot show
    # that a profile naming a physicalPath takes its unit; say so if that changes.
    while read -r serial; do
        path=$(unit_id_path "$serial")
        [ -z "$path" ] || echo "desktop: unit $serial has ID_PATH $path: a physicalPath check could be added"
    done </tmp/units-serials
    if start_bindwellctl $units_home && wait_for_count 10 /tmp/run.log "Seized consumer" "$count"; then
        while IFS="$(printf '\t')" read -r serial usage label posted; do
            if [ "$usage" = "-" ]; then
                result "unit $serial $label" "failed $posted"
            else
                unit_check "$serial" "$usage" "$label" "$posted"
            fi
        done </tmp/units-plan
        interleaved_check
        stop_bindwellctl
        [ "$failed" = "$failed_before" ] || units_diagnosis
    else
        result "units: bindwellctl run" "failed $count units were not all seized"
        units_diagnosis
        stop_bindwellctl
    fi
    while read -r serial; do remote unit "$serial"; remote unplug; done </tmp/units-serials
    remote unit
}
