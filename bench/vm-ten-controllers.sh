#!/usr/bin/env bash
# Ten controllers at once: `bindwellctl run` inside the test VM with ten uhid
# units of one model (distinct serial numbers) and ten active profiles, one
# naming each serial, against one unit under one profile. Prints, for each:
# the process's context switches (voluntary and involuntary, all threads)
# over ten seconds with every unit plugged and nothing pressed, its VmRSS and
# VmHWM, and how many units' presses arrived as their own key.
#   bench/vm-ten-controllers.sh
# A few minutes under software emulation; prints figures, asserts none.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
export BINDWELL_VM_PROGRAM=bindwell_vm_bench BINDWELL_VM_ONLY=ten
status=0
tests/vm/run-vm-suite.sh >build/vm-ten-controllers.log 2>&1 || status=$?
grep -E '^(ten controllers:|FAIL)' build/vm-ten-controllers.log || true
if [ "$status" -ne 0 ]; then
    echo "the VM run failed (status $status); its console: build/vm-ten-controllers.log" >&2
    exit "$status"
fi
