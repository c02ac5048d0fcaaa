#!/usr/bin/env bash
# Instructions per button event (press + release) on each thread, counted by
# callgrind: the input thread's read, decide, post and hand-off, and the main
# thread's formatting and writing of the texts. Two runs of different lengths,
# so start-up cancels out. Then the same with ten controllers pressed in turn:
# the session's part (finding the press's controller, deciding, performing)
# must cost what it costs with one. And with one controller whose buttons
# carry application rules: a press may cost at most a tenth more. And a
# keyboard-key device's key passed through, next to one remapped: passing
# must cost no more than remapping.
#   bench/input-path-callgrind.sh [BUILD_DIR]   (an optimised build with benchmarks)
# The default BUILD_DIR is made by:
#   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBINDWELL_BUILD_TESTS=OFF
#   cmake --build build/bench --target bindwell_input_path_benchmark
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/bench}
bench="$build/bench/bindwell_input_path_benchmark"
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)" >&2; exit 1; }
[ -x "$bench" ] || { echo "no $bench; build the benchmarks first" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Prints "<main thread Ir> <input thread Ir> <session Ir>" for a run of N
# events with K controllers; the session's figure is what
# RemapSession::handleInputValue costs, all it calls included.
per_thread() {
  local flags="${*:3}"
  local run="$out/run-$1-$2-${flags// /_}"
  valgrind --tool=callgrind --separate-threads=yes --callgrind-out-file="$run" \
    "$bench" --events "$1" --controllers "$2" "${@:3}" >/dev/null 2>&1
  local main input thread session
  main=$(sed -n 's/^summary: *//p' "$run-01")
  thread=$(grep -l '^summary:' "$run"-0[2-9] | while read -r f; do
    echo "$(sed -n 's/^summary: *//p' "$f") $f"; done | sort -n | tail -1)
  input=${thread%% *}
  session=$(callgrind_annotate --inclusive=yes "${thread#* }" 2>/dev/null |
    awk '/RemapSession::handleInputValue/ && !found++ { gsub(",", "", $1); print $1 }')
  echo "$main $input ${session:-0}"
}
report() {
  read -r main_short input_short session_short < <(per_thread 1000 "$@")
  read -r main_long input_long session_long < <(per_thread 5000 "$@")
  echo "  input thread (read, decide, post, hand-off): $(( (input_long - input_short) / 4000 ))"
  echo "    of which the session (find controller, decide, perform): $(( (session_long - session_short) / 4000 ))"
  echo "  main thread (formatting and writing texts):  $(( (main_long - main_short) / 4000 ))"
}
echo "instructions per button event (press + release):"
echo "one controller:"
report 1
echo "ten controllers, pressed in turn:"
report 10
echo "one controller, three application rules on every button:"
report 1 --app-rules
echo "a presenter (keyboard keys), a key mapped to Escape:"
report 1 --keyboard mapped
echo "the same presenter, a key no mapping names, passed through unchanged:"
report 1 --keyboard passed
