#!/usr/bin/env bash
# Configures and builds one flavour of Bindwell, all of it or the targets named:
#   scripts/build.sh release|test|tsan [TARGET...]
# tsan is ThreadSanitizer, which cannot share a build with test's ASan.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/compiler-cache.sh

flavour=${1:-release}
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DBINDWELL_BUILD_TESTS=OFF -DBINDWELL_BUILD_BENCHMARKS=OFF) ;;
  # Line tables are all a sanitizer's report needs, and full debug information
  # is a good part of the compile.
  test)    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1
                 -DBINDWELL_SANITIZE=ON) ;;
  tsan)    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1
                 -DBINDWELL_TSAN=ON -DBINDWELL_BUILD_BENCHMARKS=OFF) ;;
  *) echo "usage: scripts/build.sh release|test|tsan [TARGET...]" >&2; exit 2 ;;
esac
shift || true
targets=()
for target in "$@"; do targets+=(--target "$target"); done

cmake -S . -B "build/$flavour" -G Ninja "${args[@]}" >/dev/null
cmake --build "build/$flavour" -j"$(nproc)" "${targets[@]}"
