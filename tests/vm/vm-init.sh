#!/bin/busybox sh
# /init of the test VM: mount the kernel's file systems, load the input
# modules, run the suite, power off. Everything prints to the serial console.
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
mount -t tmpfs tmp /tmp
for module in hid uhid hid-generic evdev uinput; do
    insmod /lib/modules/$module.ko || echo "vm: could not load $module"
done
export LANG=C.UTF-8 PATH=/bin
echo "vm: booted, running the suite"
/bin/${BINDWELL_VM_PROGRAM:-bindwell_vm_driver}
echo "vm: program exit $?"
poweroff -f
