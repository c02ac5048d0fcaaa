#!/usr/bin/env bash
# The desktop suite: boots Debian's kernel under QEMU with systemd-udevd,
# Xorg (dummy video, libinput) with openbox, then sway (headless, libinput),
# real clients and the app, and walks the table guest/walks (guest/walk.sh).
# The guest is two initramfs archives back to back: a compressed base of
# Debian's programs and data, kept in the VM cache outside the build tree and
# rebuilt only when its inputs change (the packages' versions, the paths it
# holds, the kernel), and a small archive of this build's programs.
# BINDWELL_DESKTOP_PARTS=catalogue,apps,gestures,gui runs only the parts named;
# =apps,latency adds the focus latency figures (bench/vm-focus-latency.sh).
# Exit 77 (ctest's skip) only when qemu is missing; anything else that is
# missing is a failure, since scripts/setup.sh installs it.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../vm-common.sh
. "$here/../vm-common.sh"
work=$build/desktop
# Debian packages whose files go into the base image; their versions key it.
packages=(xserver-xorg-core xserver-xorg-video-dummy xserver-xorg-input-libinput x11-xkb-utils
          xkb-data openbox sway seatd wev x11-utils x11-apps xdotool wtype udev dbus libinput10
          libqt6core6 qt6-wayland qt6-qpa-plugins qml6-module-qtquick fonts-dejavu-core busybox-static
          coreutils)

command -v qemu-system-x86_64 >/dev/null ||
    { echo "SKIP desktop suite: qemu-system-x86_64 is not installed (scripts/setup.sh installs it)"; exit 77; }
fail() { echo "[desktop] $*"; exit 1; }
for tool in cpio gzip Xorg sway seatd openbox xev wev xdotool wtype udevadm dbus-daemon; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup.sh installs it)"
done

vm_fetch_kernel || fail "could not download Debian's linux-image-amd64 with apt-get download"
vm_build

# Copies files and folders to the same paths under $1, each program and
# library with the libraries ldd names for it.
stage() {
    local root=$1 path file lib
    shift
    for path in "$@"; do
        [ -e "$path" ] || fail "missing $path"
        mkdir -p "$root$(dirname "$path")"
        cp -a --parents "$path" "$root/" 2>/dev/null || cp -rL "$path" "$root$path"
        find -L "$path" -type f \( -perm -u+x -o -name '*.so*' \) 2>/dev/null | while read -r file; do
            ldd "$file" 2>/dev/null | grep -o '/[^ ]*' || true
        done | sort -u | while read -r lib; do
            [ -e "$root$lib" ] && continue
            mkdir -p "$root$(dirname "$lib")"
            cp -L "$lib" "$root$lib"
        done
    done
}

qtlib=/usr/lib/x86_64-linux-gnu/qt6
base_paths=(
    /usr/bin/busybox /usr/bin/stdbuf /usr/libexec/coreutils/libstdbuf.so
    /usr/bin/udevadm /usr/lib/udev/rules.d /usr/lib/udev/libinput-device-group
    /usr/lib/udev/libinput-fuzz-extract /usr/lib/udev/libinput-fuzz-to-zero /usr/share/libinput
    /usr/lib/xorg/Xorg /usr/lib/xorg/modules /usr/share/X11/xorg.conf.d /usr/bin/xkbcomp
    /usr/share/X11/xkb /usr/share/X11/locale /usr/share/X11/XErrorDB
    /usr/bin/openbox /usr/share/themes/Clearlooks /usr/bin/xev /usr/bin/xdotool /usr/bin/xwd /usr/bin/xprop
    /usr/bin/sway /usr/bin/swaymsg /usr/bin/swaybar /usr/sbin/seatd /usr/bin/wev /usr/bin/wtype
    /usr/bin/dbus-daemon /usr/bin/dbus-send /usr/share/dbus-1/session.conf
    /etc/fonts /usr/share/fonts/truetype/dejavu
    "$qtlib/plugins" "$qtlib/qml"
    /usr/lib/x86_64-linux-gnu/gconv/gconv-modules
)
base_key=$( {
    dpkg-query -W -f='${Package} ${Version}\n' "${packages[@]}" 2>&1
    printf '%s\n' "${base_paths[@]}" "${modules[@]}" "$(basename "$vmlinuz")"
    sed -n '/^stage()/,/^}/p' "$0"
} | sha256sum | cut -c1-16)
base=$cache/desktop-base-$base_key.cpio.gz
if [ ! -f "$base" ]; then
    echo "[desktop] building the guest's base image ($base_key)"
    root=$work/root
    rm -rf "$root"
    mkdir -p "$root"/{usr/bin,usr/sbin,usr/lib,usr/lib64,proc,sys,dev,tmp,run,etc,var/lib/xkb,root}
    for link in bin sbin lib lib64; do ln -s "usr/$link" "$root/$link"; done
    stage "$root" "${base_paths[@]}"
    ln -s udevadm "$root/usr/bin/systemd-udevd"
    mkdir -p "$root/lib/modules"
    vm_copy_modules "$root/lib/modules" || exit 1
    printf 'root:x:0:0:root:/root:/bin/sh\ndesk:x:1000:1000:desk:/home/desk:/bin/sh\nmessagebus:x:100:101::/run:/bin/false\n' \
        >"$root/etc/passwd"
    printf 'root:x:0:\ninput:x:101:\nvideo:x:44:desk\nseat:x:102:desk\ndesk:x:1000:\nmessagebus:x:103:\n' \
        >"$root/etc/group"
    echo "hosts: files" >"$root/etc/nsswitch.conf"
    (cd "$root" && find . | cpio -o -H newc --quiet | gzip -1) >"$work/base.cpio.gz"
    # The kernel reads the next archive only from a 4-byte boundary; zeros between are skipped.
    truncate -s %512 "$work/base.cpio.gz"
    rm -f "$cache"/desktop-base-*
    (cd "$root" && find . ! -type d | cut -c2-) >"${base%.cpio.gz}.files"
    mv "$work/base.cpio.gz" "$base"
    rm -rf "$root"
fi

# This build's programs, with whatever libraries the base lacks.
app=$work/app
rm -rf "$app"
mkdir -p "$app/usr/bin" "$app/desk"
for program in tools/bindwellctl/bindwellctl src/app/bindwell tests/vm/desktop/bindwell_desktop_profile \
               tests/vm/desktop/bindwell_desktop_remote tests/support/bindwell_test_window \
               bench/bindwell_focus_stamp; do
    strip --strip-debug -o "$app/usr/bin/$(basename "$program")" "$build/$program"
    ldd "$build/$program" | grep -o '/[^ ]*' | while read -r lib; do
        # /lib, /lib64 and /bin are links into /usr in the base.
        grep -qxF -e "$lib" -e "/usr$lib" "${base%.cpio.gz}.files" || { mkdir -p "$app$(dirname "$lib")"; cp -L "$lib" "$app$lib"; }
    done
done
cp "$here"/guest/* "$src/bench/vm/focus-latency.sh" "$src/tests/vm/driver/steps/keyboard.hid" "$app/desk/"
cp "$src/packaging/60-bindwell.rules" "$src/packaging/70-bindwell-remotes.rules" "$app/desk/"
# The catalogue's key names as evdev codes, from the kernel's header.
sed -n 's/^#define \(\(KEY\|BTN\)_[A-Z0-9_]*\)[[:space:]]*\(0x[0-9a-f]*\|[0-9]\+\).*/\1 \3/p' \
    /usr/include/linux/input-event-codes.h | while read -r name value; do echo "$name $((value))"; done \
    >"$app/desk/keycodes"
mv "$app/desk/init.sh" "$app/init"
chmod +x "$app/init"
(cd "$app" && find . | cpio -o -H newc --quiet) >"$work/app.cpio"
cat "$base" "$work/app.cpio" >"$work/initramfs"
echo "[desktop] guest image: $(du -h "$base" | cut -f1) base (compressed), $(du -h "$work/app.cpio" | cut -f1) programs"

echo "[desktop] booting $(basename "$vmlinuz")"
log=$build/desktop-console.log
timeout 900 qemu-system-x86_64 "${vm_accel[@]}" -m 2048 -smp 2 -nographic -no-reboot \
    -kernel "$vmlinuz" -initrd "$work/initramfs" \
    -append "console=ttyS0 panic=-1 quiet rdinit=/init desktop.parts=${BINDWELL_DESKTOP_PARTS:-all}" </dev/null | stdbuf -oL tr -d '\r' | tee "$log" || true

summary=$(grep -E '^desktop: [0-9]+ passed, [0-9]+ failed' "$log" | tail -1 || true)
[ -n "$summary" ] || { tail -40 "$log"; fail "the suite did not finish"; }
echo "$summary"
grep -q ', 0 failed' <<<"$summary"
