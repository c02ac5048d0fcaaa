# Sourced by both VM suites. Sets src, build (the one unsanitized build both
# suites boot, which may run side by side) and cache (the guest's kernel and
# base image, kept outside any build tree so a fresh build reuses them), and:
#   vm_fetch_kernel  Debian's current linux-image-amd64, downloaded once into
#                    $cache with apt-get download (no other source); sets
#                    vmlinuz and moduledir, or returns non-zero
#   vm_build         configures $build and builds what either suite boots; a
#                    second suite waits for the first's build, then finds it done
#   vm_accel         qemu's accelerator: software emulation, the same on every
#                    machine; BINDWELL_VM_ACCEL=kvm asks for KVM first (on some
#                    hosts /dev/kvm opens but the guest kernel never boots)
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${BINDWELL_VM_BUILD:-$src/build/vm}
cache=${BINDWELL_VM_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/bindwell-vm}
modules=(hid uhid hid-generic evdev uinput)

vm_fetch_kernel() {
    mkdir -p "$cache" || return 1
    (
        cd "$cache" && flock 9 || exit 1
        if ! ls linux-image-[0-9]*.deb >/dev/null 2>&1; then
            # A machine that never refreshed its package lists knows no kernel yet.
            apt-get download linux-image-amd64 >/dev/null 2>&1 ||
                { apt-get update -qq >/dev/null 2>&1 && apt-get download linux-image-amd64 >/dev/null 2>&1; } ||
                exit 1
            image=$(dpkg-deb -f linux-image-amd64_*.deb Depends | grep -o 'linux-image-[0-9][^ ,]*' | head -1)
            apt-get download "$image" >/dev/null 2>&1 || exit 1
        fi
        if [ ! -d kernel ]; then
            rm -rf kernel.tmp && dpkg-deb -x linux-image-[0-9]*.deb kernel.tmp && mv kernel.tmp kernel
        fi
    ) 9>"$cache/.lock" || return 1
    vmlinuz=$(ls "$cache"/kernel/boot/vmlinuz-* | head -1)
    moduledir=$(ls -d "$cache"/kernel/lib/modules/* | head -1)
}

# Copies the input modules out of the kernel package into DIR, uncompressed.
vm_copy_modules() { # DIR
    local module file
    for module in "${modules[@]}"; do
        file=$(find "$moduledir" -name "$module.ko*" | head -1)
        [ -n "$file" ] || { echo "[vm] module $module not found in the kernel package"; return 1; }
        case "$file" in
            *.xz) xz -dc "$file" >"$1/$module.ko" ;;
            *.zst) zstd -qdc "$file" >"$1/$module.ko" ;;
            *) cp "$file" "$1/$module.ko" ;;
        esac
    done
}

vm_build() {
    mkdir -p "$build"
    (
        flock 9
        echo "[vm] building unsanitized programs in $build"
        # Optimised as shipped but without debug information: the guests need
        # speed, not symbols, and debug information is a good part of the compile.
        cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
            -DBINDWELL_SANITIZE=OFF -DBINDWELL_BUILD_BENCHMARKS=ON \
            >"$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
        cmake --build "$build" -j"$(nproc)" --target bindwellctl bindwell bindwell_vm_driver \
            bindwell_vm_bench bindwell_vm_forwarder bindwell_desktop_profile bindwell_desktop_remote \
            bindwell_test_window bindwell_focus_stamp >"$build.build.log" 2>&1 ||
            { tail -50 "$build.build.log"; exit 1; }
    ) 9>"$build.lock"
}

vm_accel=(-accel tcg)
[ "${BINDWELL_VM_ACCEL:-}" != kvm ] || vm_accel=(-accel kvm -accel tcg)
