#!/usr/bin/env bash
# The real-kernel suite: boots Debian's kernel under QEMU with an initramfs of
# busybox, the input modules, an unsanitized bindwellctl and the test driver,
# and reads the driver's verdict from the serial console.
# Exit 77 (ctest's skip) when qemu, busybox-static or the kernel is missing.
# These settings pass through to the guest when set:
#   BINDWELL_VM_ONLY=soak,twins          only these scenarios (driver/steps, driver/Soak.cpp)
#   BINDWELL_SOAK_STEPS=3000             the long soak (the default is a short one)
#   BINDWELL_SOAK_SEED=N                 replay a soak that printed this seed
#   BINDWELL_VM_PROGRAM=bindwell_vm_bench  the VM's measurements instead (bench/vm-*.sh)
set -euo pipefail

# shellcheck source=vm-common.sh
. "$(dirname "$0")/vm-common.sh"

skip() { echo "SKIP vm suite: $*"; exit 77; }

command -v qemu-system-x86_64 >/dev/null || skip "qemu-system-x86_64 is not installed (scripts/setup.sh installs it)"
command -v cpio >/dev/null || skip "cpio is not installed"
[ -x /bin/busybox ] && ! ldd /bin/busybox >/dev/null 2>&1 || skip "busybox-static is not installed"
vm_fetch_kernel || skip "could not download Debian's linux-image-amd64 with apt-get download"
vm_build

root=$build/initramfs
rm -rf "$root"
mkdir -p "$root"/{bin,lib/modules,proc,sys,dev,tmp,etc,vm}
cp "$src"/tests/vm/driver/steps/* "$root/vm/"
cp /bin/busybox "$root/bin/"
copy_with_libraries() {
    cp "$1" "$root/bin/"
    ldd "$1" | grep -o '/[^ ]*' | while read -r lib; do
        mkdir -p "$root$(dirname "$lib")"
        cp -L "$lib" "$root$lib"
    done
}
copy_with_libraries "$build/tools/bindwellctl/bindwellctl"
copy_with_libraries "$build/tests/vm/bindwell_vm_driver"
# The measurements' program and what they measure against.
[ -z "${BINDWELL_VM_PROGRAM:-}" ] || . "$src/bench/vm/image.sh"
# udev's own udevadm with Debian's input and seat rules and ours, for `udevadm test`.
command -v udevadm >/dev/null || skip "udevadm is not installed (scripts/setup.sh installs udev)"
copy_with_libraries "$(command -v udevadm)"
mkdir -p "$root/usr/lib/udev/rules.d" "$root/etc/udev/rules.d" "$root/run"
for rules in 50-udev-default 60-input-id 70-uaccess 71-seat 73-seat-late; do
    cp "/usr/lib/udev/rules.d/$rules.rules" "$root/usr/lib/udev/rules.d/"
done
cp "$src/packaging/60-bindwell.rules" "$src/packaging/70-bindwell-remotes.rules" "$root/usr/lib/udev/rules.d/"
vm_copy_modules "$root/lib/modules"
cp "$src/tests/vm/vm-init.sh" "$root/init"
chmod +x "$root/init"
(cd "$root" && find . | cpio -o -H newc --quiet) >"$build/initramfs.cpio"

# Unknown name=value words of the kernel command line become /init's environment.
settings=()
for name in BINDWELL_VM_ONLY BINDWELL_SOAK_STEPS BINDWELL_SOAK_SEED BINDWELL_VM_PROGRAM; do
    if [ -n "${!name:-}" ]; then settings+=("$name=${!name}"); fi
done
echo "[vm] booting $(basename "$vmlinuz") ${settings[*]}"
log=$build/vm-console.log
# A long soak takes about a second a step under software emulation.
timeout $((600 + ${BINDWELL_SOAK_STEPS:-0})) qemu-system-x86_64 "${vm_accel[@]}" -m 512 -smp 1 -nographic -no-reboot \
    -kernel "$vmlinuz" -initrd "$build/initramfs.cpio" \
    -append "console=ttyS0 panic=-1 quiet ${settings[*]}" </dev/null | stdbuf -oL tr -d '\r' | tee "$log"

summary=$(grep -E '^vm: [0-9]+ passed, [0-9]+ failed' "$log" | tail -1 || true)
[ -n "$summary" ] || { echo "[vm] the suite did not finish"; exit 1; }
echo "$summary"
grep -q ', 0 failed' <<<"$summary"
