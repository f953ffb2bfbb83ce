# shellcheck shell=bash
# Sourced: a Debian 12 virtual machine whose kernel runs 32-bit programs, for the wine32 tests
# on kernels booted without 32-bit emulation. QEMU emulates it in software (there is no KVM on
# the machines this is for), so it boots straight into the kernel and one job, without a
# service manager, and powers off when the job ends.
#
# The guest is made once with debootstrap from this machine's own package sources and kept in
# SORABELL_VM_DIR (default /var/cache/sorabell-i386-vm, outside every clone); it is made again
# only when what goes into it changes. Each run boots it with a throw-away overlay, so the kept
# image never changes.

SORABELL_VM_DIR=${SORABELL_VM_DIR:-/var/cache/sorabell-i386-vm}
SORABELL_VM_HOST_PACKAGES=(qemu-system-x86 debootstrap e2fsprogs)

# What the tests call in the guest: wine32 with the X libraries it loads, a virtual display, the
# Japanese fonts and locale, ctest.
SORABELL_VM_GUEST_PACKAGES=(
    linux-image-amd64 initramfs-tools kmod
    wine wine32:i386
    libxrender1:i386 libxcomposite1:i386 libxcursor1:i386 libxfixes3:i386 libxi6:i386
    libxinerama1:i386 libxrandr2:i386 libxxf86vm1:i386
    xvfb fonts-ipafont-gothic fonts-ipafont-mincho locales cmake procps
)

# The guest's first program. The host shares three folders: "src" (the clone, read-only), "job"
# (the job to run and its results) and "cache" (what later runs of this guest reuse). Whatever
# the job does, the machine powers off.
sorabell_vm_init_text() {
    cat <<'EOF'
#!/bin/bash
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mountpoint -q /dev || mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
modprobe 9pnet_virtio
modprobe 9p
mkdir -p /mnt/src /mnt/job /mnt/cache
opts=trans=virtio,version=9p2000.L,msize=1048576
if mount -t 9p -o "$opts,ro" src /mnt/src && mount -t 9p -o "$opts" job /mnt/job &&
    mount -t 9p -o "$opts" cache /mnt/cache; then
    echo "sorabell-guest: running the job"
    bash /mnt/job/run.sh >/mnt/job/job.log 2>&1
    echo "$?" >/mnt/job/rc
    echo "sorabell-guest: job ended"
    sync
else
    echo "sorabell-guest: the shared folders did not mount"
fi
echo o >/proc/sysrq-trigger
sleep 60
EOF
}

# Names what the kept guest was made from: a change to any of it makes the guest again.
sorabell_vm_key() {
    {
        printf '%s\n' "${SORABELL_VM_GUEST_PACKAGES[@]}"
        sorabell_vm_init_text
        echo "format 1"
    } | sha256sum | cut -c1-16
}

sorabell_vm_mirror() {
    local mirror
    mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
    [[ -n $mirror ]] || mirror=$(awk '$1 == "deb" {print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
    printf '%s\n' "$mirror"
}

# Leaves nothing mounted under the guest tree being made, whatever stopped the making.
sorabell_vm_unmount() {
    local root=$1 m
    for m in dev/pts dev proc sys; do
        mountpoint -q "$root/$m" 2>/dev/null && umount -l "$root/$m"
    done
    return 0
}

# Removes a guest or a making cut short; never while something is still mounted in it (a bound
# /dev would be emptied with it).
sorabell_vm_remove() {
    local path=$1
    [[ -d $path/root ]] && sorabell_vm_unmount "$path/root"
    [[ -d $path/proc ]] && sorabell_vm_unmount "$path"
    if grep -q " $path/" /proc/self/mountinfo; then
        echo "vm: $path still has mounts; not removing it" >&2
        return 1
    fi
    rm -rf "$path"
}

# Shows the end of the making's log and fails.
sorabell_vm_failed() {
    tail -n 20 "$1" >&2
    return 1
}

# Makes the guest in SORABELL_VM_DIR/KEY (a root file system image, its kernel and initrd),
# first into a folder of its own, so that a making cut short is never taken for a guest.
sorabell_vm_make() {
    local key=$1 dir mirror work root size
    dir=$SORABELL_VM_DIR/$key
    mirror=$(sorabell_vm_mirror)
    [[ -n $mirror ]] || { echo "vm: no Debian source found in the apt configuration" >&2; return 1; }
    work=$SORABELL_VM_DIR/making-$key
    root=$work/root
    sorabell_vm_remove "$work" || return 1
    mkdir -p "$work"
    echo "vm: making the guest system (once; several minutes) in $dir"
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/make.log" 2>&1 ||
        sorabell_vm_failed "$work/make.log" || return 1
    rm -f "$root/etc/apt/sources.list"
    mkdir -p "$root/etc/apt/sources.list.d"
    cp /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/" 2>/dev/null ||
        cp /etc/apt/sources.list "$root/etc/apt/"
    echo 'ja_JP.UTF-8 UTF-8' >"$root/etc/locale.gen"
    mount -t proc proc "$root/proc"
    mount -t sysfs sys "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    local status=0
    chroot "$root" /bin/bash -c "
        set -e
        export DEBIAN_FRONTEND=noninteractive
        dpkg --add-architecture i386
        $(declare -f sorabell_apt_update)
        sorabell_apt_update
        apt-get install -y -qq --no-install-recommends ${SORABELL_VM_GUEST_PACKAGES[*]}
        locale-gen
        apt-get clean
        rm -rf /var/lib/apt/lists/*
    " >>"$work/make.log" 2>&1 || status=$?
    sorabell_vm_unmount "$root"
    ((status == 0)) || sorabell_vm_failed "$work/make.log" || return 1
    sorabell_vm_init_text >"$root/sbin/sorabell-init"
    chmod 755 "$root/sbin/sorabell-init"
    cp "$root"/boot/vmlinuz-* "$work/vmlinuz"
    cp "$root"/boot/initrd.img-* "$work/initrd.img"
    # Room for the clone's copy and the Wine prefix beside the system.
    size=$(($(du -sm "$root" | cut -f1) + 3072))
    mkfs.ext4 -q -F -L sorabell -d "$root" "$work/root.img" "${size}M" >>"$work/make.log" 2>&1 ||
        sorabell_vm_failed "$work/make.log" || return 1
    sorabell_vm_remove "$root" || return 1
    sorabell_vm_remove "$dir" || return 1
    mv "$work" "$dir"
    mkdir -p "$dir/cache"
    touch "$dir/.ready"
}

# Ensures the guest for the current key; prints its folder. Older guests are removed.
sorabell_vm_ensure() {
    local key dir old
    key=$(sorabell_vm_key)
    dir=$SORABELL_VM_DIR/$key
    if [[ ! -f $dir/.ready ]]; then
        if [[ $(id -u) -ne 0 ]]; then
            echo "vm: the guest system is not made yet, and making it needs root" >&2
            return 1
        fi
        mkdir -p "$SORABELL_VM_DIR"
        # Two runs at once make it once: the second waits and finds it made.
        local lock
        exec {lock}>"$SORABELL_VM_DIR/.lock"
        flock "$lock"
    fi
    if [[ ! -f $dir/.ready ]]; then
        for old in "$SORABELL_VM_DIR"/*; do
            if [[ -e $old && $old != "$dir" ]]; then
                sorabell_vm_remove "$old" || return 1
            fi
        done
        sorabell_vm_make "$key" >&2 || return 1
    fi
    printf '%s\n' "$dir"
}

# Boots the guest on a job folder (holding run.sh) with the clone shared read-only; waits at
# most LIMIT seconds. The console goes to JOB/console.log.
sorabell_vm_boot() {
    local guest=$1 src=$2 job=$3 limit=$4 cpus memory
    cpus=$(nproc)
    ((cpus > 4)) && cpus=4
    memory=${SORABELL_VM_MEMORY:-4096}
    # Without SMAP: QEMU 7.2's emulated iret back into 32-bit code reads the user stack as the
    # kernel would, so every wine32 signal return faults where SMAP is on. Four-level paging
    # spares the emulator a fifth table walk.
    timeout -k 10 "$limit" qemu-system-x86_64 \
        -accel tcg,thread=multi -cpu "${SORABELL_VM_CPU:-max,la57=off,smap=off}" -smp "$cpus" -m "$memory" \
        -nographic -monitor none -serial "file:$job/console.log" -no-reboot -nic none \
        -kernel "$guest/vmlinuz" -initrd "$guest/initrd.img" \
        -append "root=/dev/vda rw init=/sbin/sorabell-init console=ttyS0 panic=1 quiet" \
        -drive "file=$guest/root.img,format=raw,if=virtio,snapshot=on" \
        -virtfs "local,path=$src,mount_tag=src,security_model=none,readonly=on" \
        -virtfs "local,path=$job,mount_tag=job,security_model=none" \
        -virtfs "local,path=$guest/cache,mount_tag=cache,security_model=none" \
        </dev/null >/dev/null 2>"$job/qemu.log"
}
