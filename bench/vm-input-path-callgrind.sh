#!/usr/bin/env bash
# Instructions per button event (a press and its release) of `bindwellctl
# run`, the whole process and each thread (1 the main thread, 2 the input
# thread), counted by callgrind inside the test VM, where a uhid controller is
# read through evdev and the output goes to uinput: a run with 200 button
# events minus a run with none, divided by 200, so start-up and shutdown
# cancel out and the figure compares with a peer's counted the same way.
#   bench/vm-input-path-callgrind.sh
# Takes several minutes under software emulation; prints figures, asserts none.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
export BINDWELL_VM_PROGRAM=bindwell_vm_bench BINDWELL_VM_ONLY=callgrind
status=0
tests/vm/run-vm-suite.sh >build/vm-input-path-callgrind.log 2>&1 || status=$?
grep '^callgrind:' build/vm-input-path-callgrind.log || true
if [ "$status" -ne 0 ]; then
    echo "the VM run failed (status $status); its console: build/vm-input-path-callgrind.log" >&2
    exit "$status"
fi
