# Sourced by the focus tests. Their tables have rows "action | fields |
# expected line", the expected line written "backend; appId; wmClass; title"
# (empty when the step must print nothing, a log line as it is).

# The rows of TABLE that are steps, comments and blank lines left out.
table_rows() { grep -v -E '^ *(#|$)' "$1"; }

# A row's expected lines as bindwellctl focus prints them ("//" between
# two), or nothing.
expected_line() {
    local line
    line=$(sed 's/^ *//; s/ *$//' <<<"$1")
    [ -z "$line" ] || sed 's/ *; */\t/g; s| *// *|\n|g' <<<"$line"
}

# A row's fields, trimmed, into the array named by $2.
row_fields() {
    local -n into=$2
    IFS=',' read -r -a into <<<"$1"
    for i in "${!into[@]}"; do into[i]=$(sed 's/^ *//; s/ *$//' <<<"${into[i]}"); done
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
