#!/usr/bin/env bash
# Instructions per button event (press + release) on each thread, counted by
# callgrind: the input thread's read, decide, post and hand-off, and the main
# thread's formatting and writing of the texts. Two runs of different lengths,
# so start-up cancels out.
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

# Prints "<main thread Ir> <input thread Ir>" for a run of N events.
per_thread() {
  valgrind --tool=callgrind --separate-threads=yes --callgrind-out-file="$out/run-$1" \
    "$bench" --events "$1" >/dev/null 2>&1
  local main input
  main=$(sed -n 's/^summary: *//p' "$out/run-$1-01")
  input=$(cat "$out"/run-"$1"-0[2-9] | sed -n 's/^summary: *//p' | sort -n | tail -1)
  echo "$main $input"
}
read -r main_short input_short < <(per_thread 1000)
read -r main_long input_long < <(per_thread 5000)
echo "instructions per button event (press + release):"
echo "  input thread (read, decide, post, hand-off): $(( (input_long - input_short) / 4000 ))"
echo "  main thread (formatting and writing texts):  $(( (main_long - main_short) / 4000 ))"
