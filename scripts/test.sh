#!/usr/bin/env bash
# Sets up a fresh Debian machine and runs every test: the sanitizer build under
# ctest, the UI tests and launches on X servers of their own under a window
# manager (and on headless sway), and the real-kernel suite
# when qemu is present; then the tests that cross the input thread again under
# ThreadSanitizer, built alone so the whole run stays short. (The shell tests
# run the simulated platform, whose input loop is the main thread: with a
# single thread TSan would check nothing there, and building the whole UI a
# second time would cost minutes.)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
# Before the first build, so that the real-kernel suite's own build shares it.
. scripts/compiler-cache.sh
scripts/build.sh test

# Only for the tests that make a Qt application but show no window, so they
# need no display; every test that shows one runs on a desktop of its own.
export QT_QPA_PLATFORM=offscreen
export QT_QUICK_BACKEND=software
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

(cd build/test && ctest --output-on-failure -j"$(nproc)" --timeout 600)

tsan_tests=(engine/bindwell_engine_tests platform/linux/bindwell_platform_linux_tests
            platform/linux/bindwell_input_handoff_tests)
scripts/build.sh tsan bindwellctl $(basename -a "${tsan_tests[@]}")
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp"
for test in "${tsan_tests[@]}"; do
    echo "[tsan] $test"
    build/tsan/tests/$test --gtest_brief=1 >build/tsan/last-test.log 2>&1 ||
        { cat build/tsan/last-test.log; exit 1; }
done
(cd build/tsan && ctest --output-on-failure -j"$(nproc)" -R '^engine_scenario_')
