#!/usr/bin/env bash
# Configures and builds one flavour of Bindwell: scripts/build.sh release|test
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DBINDWELL_BUILD_TESTS=OFF -DBINDWELL_BUILD_BENCHMARKS=OFF) ;;
  test)    args=(-DCMAKE_BUILD_TYPE=Debug -DBINDWELL_SANITIZE=ON) ;;
  *) echo "usage: scripts/build.sh release|test" >&2; exit 2 ;;
esac

cmake -S . -B "build/$flavour" -G Ninja "${args[@]}" >/dev/null
cmake --build "build/$flavour" -j"$(nproc)"
