#!/usr/bin/env bash
# Instructions per button event (press + release) of the engine's dispatch,
# counted by callgrind: two runs of different lengths, so start-up cancels out.
#   bench/engine-dispatch-callgrind.sh [BUILD_DIR]   (an optimised build with benchmarks)
# The default BUILD_DIR is made by:
#   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBINDWELL_BUILD_TESTS=OFF
#   cmake --build build/bench --target bindwell_engine_dispatch_benchmark
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/bench}
bench="$build/bench/bindwell_engine_dispatch_benchmark"
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)" >&2; exit 1; }
[ -x "$bench" ] || { echo "no $bench; build the benchmarks first" >&2; exit 1; }

instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$bench" --events "$1" 2>&1 |
    sed -n 's/.*I *refs: *//p' | tr -d ,
}
short=$(instructions 1000)
long=$(instructions 11000)
echo "instructions per button event, including one event-loop turn: $(( (long - short) / 10000 ))"
