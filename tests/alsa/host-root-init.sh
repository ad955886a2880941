#!/bin/sh
# /init of the test VM that runs programs of the host as they are: the host's
# root file system comes in read-only over 9p, a second, writable share
# carries what the guest writes back, and the guest chroots into the first
# after mounting its own /proc, /sys, /dev and /tmp there. The kernel's
# command line names the script to run in there and the writable folder
# (brevane.script=PATH brevane.rw=PATH, paths on the host). The VM powers off
# when the script ends, whatever happened.

/bin/busybox --install -s /bin
export PATH=/usr/bin:/usr/sbin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev

arg() { tr ' ' '\n' < /proc/cmdline | sed -n "s/^brevane\.$1=//p"; }
script=$(arg script)
rw=$(arg rw)

for module in virtio_pci 9pnet_virtio 9p; do
    modprobe "$module" || echo "guest: modprobe $module failed"
done
modprobe snd-virmidi midi_devs=2 || echo "guest: modprobe snd-virmidi failed"

mkdir -p /host
# The host's root does not change while the guest runs: the guest may cache it.
mount -t 9p -o trans=virtio,version=9p2000.L,msize=524288,ro,cache=loose host /host \
    || echo "guest: the host's root did not mount"
mount -t 9p -o trans=virtio,version=9p2000.L,msize=524288 rw "/host$rw" \
    || echo "guest: the writable share did not mount"
mount -t proc proc /host/proc
mount -t sysfs sys /host/sys
mount -t devtmpfs dev /host/dev
mkdir -p /host/dev/pts /host/dev/shm 2> /dev/null
mount -t devpts devpts /host/dev/pts
mount -t tmpfs shm /host/dev/shm
mount -t tmpfs tmp /host/tmp
mount -t tmpfs run /host/run

chroot /host /bin/bash "$script" "$rw" > /dev/console 2>&1
echo "guest: $script ended with status $?"
sync
poweroff -f
