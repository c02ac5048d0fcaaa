#!/usr/bin/env bash
# Press and motion latency inside the test VM, per round: from a uhid report
# to the event read back from the output device, through Bindwell (its main
# thread free and kept busy), a bare evdev-to-uinput forwarder and
# interception-tools, with the ratios between them; then a presenter's keys
# that Bindwell passes through against those it remaps.
#   bench/vm-latency.sh   (BINDWELL_VM_ONLY=passed-latency: the presenter only)
# A few minutes under software emulation; prints figures, asserts none.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
export BINDWELL_VM_PROGRAM=bindwell_vm_bench BINDWELL_VM_ONLY=${BINDWELL_VM_ONLY:-latency,passed-latency}
status=0
tests/vm/run-vm-suite.sh >build/vm-latency.log 2>&1 || status=$?
grep -E '^(latency|FAIL)' build/vm-latency.log || true
if [ "$status" -ne 0 ]; then
    echo "the VM run failed (status $status); its console: build/vm-latency.log" >&2
    exit "$status"
fi
