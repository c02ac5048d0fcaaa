#!/usr/bin/env bash
# Instructions per button event (a press and its release) on the real input
# path of `bindwellctl run`: the input thread's read, decision, write and
# hand-off, and apart from it the main thread's turning of the handed-off
# records into log lines and texts. Counted by callgrind inside the test VM,
# where a uhid controller is read through evdev and the output goes to uinput:
# the kernel-facing complement of a host benchmark that feeds the input thread
# through a pipe.
#   bench/vm-input-path-callgrind.sh
# The counted functions are settings, so the figures survive a rename of the
# input path's entry points (both are glob patterns of demangled names):
#   BINDWELL_CALLGRIND_INPUT   the input thread's handling of one readiness
#                              (default *InputThread::dispatch*)
#   BINDWELL_CALLGRIND_FORMAT  the main thread's formatting of handed-off records
#                              (default *InputThread::drain*)
# Takes several minutes under software emulation; prints figures, asserts none.
set -euo pipefail
cd "$(dirname "$0")/.."
export BINDWELL_VM_PROGRAM=bindwell_vm_bench BINDWELL_VM_ONLY=callgrind
status=0
tests/vm/run-vm-suite.sh >build/vm-input-path-callgrind.log 2>&1 || status=$?
grep '^callgrind:' build/vm-input-path-callgrind.log || true
if [ "$status" -ne 0 ]; then
    echo "the VM run failed (status $status); its console: build/vm-input-path-callgrind.log" >&2
    exit "$status"
fi
