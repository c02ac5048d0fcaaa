#!/usr/bin/env bash
# Builds one fuzzer with clang in build/fuzz and runs it for the given number
# of seconds (default 60), starting from its seed files in fuzz/corpus/NAME:
#   fuzz/run-fuzzer.sh config [SECONDS]       the configuration reader
#   fuzz/run-fuzzer.sh descriptor [SECONDS]   the HID report-descriptor parser
# New inputs collect in fuzz/corpus-work/NAME; a crash leaves its input in
# build/fuzz/artifacts and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

name=${1:-}
case "$name" in
  config)     target=bindwell_config_reader_fuzzer; options=(-dict=fuzz/config.dict -max_len=65536) ;;
  descriptor) target=bindwell_descriptor_parser_fuzzer; options=(-max_len=4096) ;;
  *) echo "usage: fuzz/run-fuzzer.sh config|descriptor [SECONDS]" >&2; exit 2 ;;
esac
seconds=${2:-60}
build=build/fuzz
work=fuzz/corpus-work/$name
mkdir -p "$work" "$build/artifacts"

cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
  -DBINDWELL_SANITIZE=ON -DBINDWELL_BUILD_FUZZERS=ON \
  -DBINDWELL_BUILD_TESTS=OFF -DBINDWELL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target "$target"

log="$build/$name-fuzzer.log"
status=0
"$build/fuzz/$target" "$work" "fuzz/corpus/$name" "${options[@]}" \
  -max_total_time="$seconds" -artifact_prefix="$build/artifacts/" \
  -print_final_stats=1 >"$log" 2>&1 || status=$?

executions=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
echo "executions: ${executions:-unknown} in ${seconds} s"
echo "corpus: $(ls "$work" | wc -l) inputs in $work"
if [ "$status" -ne 0 ]; then
  echo "fuzzer failed (exit $status); see $log and $build/artifacts" >&2
  tail -40 "$log" >&2
  exit "$status"
fi
echo "no crashes"
