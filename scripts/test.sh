#!/usr/bin/env bash
# Sets up a fresh Debian machine and runs every test: the sanitizer build under
# ctest, the UI tests on Qt's offscreen platform, and the real-kernel suite
# when qemu is present.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh test

export QT_QPA_PLATFORM=offscreen
export QT_QUICK_BACKEND=software
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cd build/test
ctest --output-on-failure -j"$(nproc)" --timeout 600
