#!/usr/bin/env bash
# Builds the configuration-reader fuzzer with clang in build/fuzz and runs it
# for the given number of seconds (default 60), starting from the seed files in
# fuzz/corpus/config. New inputs collect in fuzz/corpus-work/config; a crash
# leaves its input in build/fuzz/artifacts and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=build/fuzz
work=fuzz/corpus-work/config
mkdir -p "$work" "$build/artifacts"

cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
  -DBINDWELL_SANITIZE=ON -DBINDWELL_BUILD_FUZZERS=ON \
  -DBINDWELL_BUILD_TESTS=OFF -DBINDWELL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target bindwell_config_reader_fuzzer

log="$build/config-fuzzer.log"
status=0
"$build/fuzz/bindwell_config_reader_fuzzer" "$work" fuzz/corpus/config \
  -dict=fuzz/config.dict -max_total_time="$seconds" -max_len=65536 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 >"$log" 2>&1 || status=$?

executions=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
echo "executions: ${executions:-unknown} in ${seconds} s"
echo "corpus: $(ls "$work" | wc -l) inputs in $work"
if [ "$status" -ne 0 ]; then
  echo "fuzzer failed (exit $status); see $log and $build/artifacts" >&2
  tail -40 "$log" >&2
  exit "$status"
fi
echo "no crashes"
