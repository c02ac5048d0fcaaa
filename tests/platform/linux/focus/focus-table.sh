# Sourced by the focus tests. Their tables have rows "action | fields |
# expected line", the expected line written "backend; appId; wmClass; title"
# (empty when the step must print nothing, a log line as it is). It gives the
# test a scratch folder, $work, and ends the processes in pids with it.

work=$(mktemp -d)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

trim() { sed 's/^ *//; s/ *$//' <<<"$1"; }

# The rows of TABLE that are steps, comments and blank lines left out.
table_rows() { grep -v -E '^ *(#|$)' "$1"; }

# A row's expected lines as bindwellctl focus prints them ("//" between
# two), or nothing.
expected_line() {
    local line
    line=$(trim "$1")
    [ -z "$line" ] || sed 's/ *; */\t/g; s| *// *|\n|g' <<<"$line"
}

# A row's fields, trimmed, into the array named by $2.
row_fields() {
    local -n into=$2
    IFS=',' read -r -a into <<<"$1"
    for i in "${!into[@]}"; do into[i]=$(trim "${into[i]}"); done
}

# What bindwellctl focus prints through BACKEND over TABLE's rows, played
# before it starts: the probe's line, then each row's.
table_expected() { # BACKEND TABLE
    printf '[Bindwell] Per-application actions follow the focus through %s\n' "$1"
    local action fields line
    while IFS='|' read -r action fields line; do
        expected_line "$line"
    done < <(table_rows "$2")
}

# Waits up to ten seconds for FILE to have N lines; says so when it gives up.
wait_lines() {
    for _ in $(seq 200); do
        [ -f "$1" ] && [ "$(wc -l <"$1")" -ge "$2" ] && return 0
        sleep 0.05
    done
    echo "gave up waiting for $2 lines in $1" >&2
    return 1
}

# Starts `bindwellctl focus` ($bindwellctl), after any VAR=value arguments,
# printing into $work/lines and its warnings into $work/errors; ctlPid is its.
start_focus() {
    env "$@" "$bindwellctl" focus >"$work/lines" 2>"$work/errors" &
    ctlPid=$!
    pids+=($ctlPid)
}

# Starts a mock desktop, the command given, printing into $work/mock, and
# waits for its first line (not the last mock's); mockPid is its.
start_mock() {
    rm -f "$work/mock"
    "$@" >"$work/mock" &
    mockPid=$!
    pids+=($mockPid)
    wait_lines "$work/mock" 1
}

# Plays TABLE's rows through the caller's `act` while bindwellctl focus runs,
# each after the lines of the one before, and compares what it printed with
# table_expected; on a difference shows it and $work/errors, and fails.
play_table() { # BACKEND TABLE
    table_expected "$1" "$2" >"$work/expected"
    local action fields line args printed=1
    while IFS='|' read -r action fields line; do
        row_fields "$fields" args
        act $action "${args[@]}"
        printed=$((printed + $(expected_line "$line" | wc -l)))
        wait_lines "$work/lines" $printed || break
    done < <(table_rows "$2")
    diff -u "$work/expected" "$work/lines" || { cat "$work/errors"; return 1; }
}
