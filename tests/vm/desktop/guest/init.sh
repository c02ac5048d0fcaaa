#!/bin/busybox sh
# /init of the desktop guest: the kernel's file systems, the input modules,
# systemd-udevd with Debian's rules and Bindwell's, then the walk on each
# display server in turn. Everything prints to the serial console.
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
for dir in /tmp /run /dev/shm; do mount -t tmpfs tmpfs $dir; done
chmod 1777 /tmp /dev/shm
for module in hid uhid hid-generic evdev uinput; do
    insmod /lib/modules/$module.ko || echo "desktop: could not load $module"
done
export PATH=/usr/bin:/usr/sbin LANG=C.UTF-8 HOME=/root XDG_CACHE_HOME=/tmp/cache
cp /desk/60-bindwell.rules /desk/70-bindwell-remotes.rules /usr/lib/udev/rules.d/
mkdir -p /run/user/1000 && chown desk:desk /run/user/1000 && chmod 700 /run/user/1000
systemd-udevd --daemon
udevadm trigger --action=add
udevadm settle --timeout=30
echo "desktop: booted with udevd"

for script in walk x11 sway gui focus-latency; do . /desk/$script.sh; done
mkdir -p /tmp/marks
server_walk x11 catalogue apps gestures presenter
server_walk sway catalogue apps gestures presenter gui
echo "desktop: $passed passed, $failed failed"
poweroff -f
