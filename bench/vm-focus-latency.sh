#!/usr/bin/env bash
# Focus latency on real display servers: the time from issuing a focus switch
# (xdotool under Xorg with openbox, swaymsg under sway) to `bindwellctl focus`
# printing the newly focused application, over 20 switches per server, in the
# desktop suite's VM. Runs only the suite's per-application part and this
# one. Takes several minutes under software emulation, whose slowness the
# figures include; prints figures, asserts none.
#   bench/vm-focus-latency.sh
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
export BINDWELL_DESKTOP_PARTS=apps,latency
status=0
tests/vm/desktop/run-desktop-suite.sh >build/vm-focus-latency.log 2>&1 || status=$?
grep '^focus-latency:' build/vm/desktop-console.log || true
if [ "$status" -ne 0 ]; then
    echo "the VM run failed (status $status); its console: build/vm-focus-latency.log" >&2
    exit "$status"
fi
