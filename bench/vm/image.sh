# shellcheck shell=bash disable=SC2154
# Sourced by tests/vm/run-vm-suite.sh when BINDWELL_VM_PROGRAM is set: adds
# the VM's measurements to the guest's image ($root), with its
# copy_with_libraries and skip.
copy_with_libraries "$build/bench/bindwell_vm_bench"
copy_with_libraries "$build/bench/bindwell_vm_forwarder"
# interception-tools, the peer of the latency runs (skipped there when absent).
for peer in interception uinput; do
    if command -v "$peer" >/dev/null; then copy_with_libraries "$(command -v "$peer")"; fi
done
# Callgrind, for bench/vm-input-path-callgrind.sh only: it would double the image.
if [[ ",${BINDWELL_VM_ONLY:-}," == *,callgrind,* ]]; then
    command -v valgrind >/dev/null || skip "valgrind is not installed (scripts/setup.sh installs it)"
    # valgrind itself, without Debian's wrapper script, whose malloc settings
    # would change what is counted.
    copy_with_libraries /usr/bin/valgrind.bin
    tools=/usr/libexec/valgrind
    mkdir -p "$root$tools"
    cp "$tools/callgrind-amd64-linux" "$tools/vgpreload_core-amd64-linux.so" "$root$tools/"
fi
