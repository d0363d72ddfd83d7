#!/usr/bin/env bash
# The recipe of the emulated machine that runs the shipped 32-bit build: a Debian 12 root
# with 32-bit Wine, X tools and the kernel that boots it, packed into an ext4 disk image,
# and a 32-bit Wine prefix made on the machine's first boot.
#
#   guest_image.sh LOG_DIR      prints the folder that holds disk.img, vmlinuz, initrd.img
#
# The image lives outside the source tree, in ${XDG_CACHE_HOME:-~/.cache}/celestra, in a
# folder named by the hash of this file: it is made again whenever this recipe changes,
# and reused otherwise. The packages come from the host's own Debian sources, as its apt
# configuration names them. The root is made with debootstrap and a chroot, which need no
# 32-bit program to run on the host.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/lib/guest.sh"

log_dir=$1
mkdir -p "$log_dir"
log=$log_dir/guest-image.log
suite=bookworm
packages=(
  linux-image-amd64 wine wine32:i386 xvfb xauth xdotool x11-utils imagemagick fonts-liberation fonts-wine
  libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
  libxcomposite1:i386 libxrandr2:i386 libxinerama1:i386 libxi6:i386
  libxcursor1:i386 libxxf86vm1:i386 libxrender1:i386 libxfixes3:i386
)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/celestra
image=$cache/guest-$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-16)
if [ -f "$image/ready" ]; then
  echo "$image"
  exit 0
fi

# The host's Debian sources of the release and its updates, as "URI SUITE" lines.
host_sources() {
  apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Created-By: Packages' 'Component: main' |
    awk -v suite="$suite" '$2 == suite || index($2, suite "-") == 1' | sort -u
}

# The host's apt settings that reaching those sources may need.
host_apt_settings() {
  local name
  for name in Acquire::Check-Valid-Until Acquire::Check-Date Acquire::http::Proxy Acquire::https::Proxy; do
    apt-config dump "$name" | awk -v name="$name" '$1 == name'
  done
}

in_root() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C DEBIAN_FRONTEND=noninteractive "$@"
}

unmount_root() {
  local mount
  for mount in $(awk -v root="$root/" 'index($2, root) == 1 { print $2 }' /proc/mounts | sort -r); do
    umount -l "$mount" || true
  done
}

# With one suite's index for one architecture missing (a mirror caught mid-sync), an
# amd64 package and its i386 twin can come from different suites: the release has both.
install_packages() {
  local try
  for try in 1 2 3; do
    in_root apt-get update -q && break
  done
  in_root apt-get install -y -q --no-install-recommends "${packages[@]}" ||
    in_root apt-get install -y -q --no-install-recommends -o "APT::Default-Release=$suite" "${packages[@]}"
}

# The machine's first process, instead of an init system: it mounts what programs need,
# runs the job the host left on its share, writes back what it printed and how it ended,
# and powers off.
write_init() {
  cat >"$root/sbin/celestra-init" <<'INIT'
#!/bin/bash
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mountpoint -q /dev || mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm /host
mount -t devpts devpts /dev/pts
for folder in /dev/shm /run /tmp; do mount -t tmpfs tmpfs "$folder"; done
modprobe 9pnet_virtio
modprobe 9p
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 host /host && [ -f /host/job ]; then
  status=0
  HOME=/root bash /host/job >/host/job.log 2>&1 || status=$?
  echo "$status" >/host/job.status
  sync
  umount /host
fi
mount -o remount,ro /
echo o >/proc/sysrq-trigger
while :; do sleep 60; done
INIT
  chmod 755 "$root/sbin/celestra-init"
}

make_root() {
  local mirror
  mirror=$(host_sources | awk -v suite="$suite" '$2 == suite { print $1; exit }')
  [ -n "$mirror" ] || guest_fail "the host's apt configuration names no source of Debian's $suite; add one"
  command -v debootstrap >/dev/null || guest_fail "debootstrap is not installed; run scripts/install-deps.sh"
  eval "$(apt-config shell http_proxy Acquire::http::Proxy)"
  [ -z "${http_proxy:-}" ] || export http_proxy
  echo "debootstrap of $suite from $mirror" >&2
  debootstrap --variant=minbase --include=kmod,procps "$suite" "$root" "$mirror" >>"$log" 2>&1 ||
    guest_fail "debootstrap of $suite from $mirror failed; see $log"
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod 755 "$root/usr/sbin/policy-rc.d"
  # A root to be packed once needs no syncing, nor documentation.
  echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/unsafe-io"
  printf 'path-exclude=/usr/share/%s/*\n' doc man info locale >"$root/etc/dpkg/dpkg.cfg.d/lean"
  # A small initramfs, which the emulated machine unpacks faster: only the drivers of
  # its root disk.
  mkdir -p "$root/etc/initramfs-tools/conf.d" "$root/etc/initramfs-tools/hooks"
  echo MODULES=list >"$root/etc/initramfs-tools/conf.d/celestra"
  cat >"$root/etc/initramfs-tools/hooks/celestra" <<'HOOK'
#!/bin/sh
[ "$1" = prereqs ] && exit 0
. /usr/share/initramfs-tools/hook-functions
for module in virtio_pci virtio_blk ext4; do force_load "$module"; done
HOOK
  chmod 755 "$root/etc/initramfs-tools/hooks/celestra"
  rm -f "$root/etc/apt/sources.list"
  host_sources | awk '{ print "deb " $1 " " $2 " main" }' >"$root/etc/apt/sources.list.d/host.list"
  host_apt_settings >"$root/etc/apt/apt.conf.d/90host"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
  in_root dpkg --add-architecture i386
  echo "guest image: debootstrap done after $((SECONDS - start)) s" | tee -a "$log" >&2
  install_packages >>"$log" 2>&1 || guest_fail "the guest's packages could not be installed; see $log"
  in_root apt-get clean
  unmount_root
  rm -rf "$root/var/lib/apt/lists/"*
  write_init
}

# The first boot makes the 32-bit Wine prefix every run starts from.
make_prefix() {
  local share=$work/share
  mkdir -p "$share"
  cat >"$share/job" <<'JOB'
set -euo pipefail
export WINEPREFIX=/root/prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i
# Wine's windows are not handed to a window manager, as in the end-to-end tests.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
wineserver -w
[ -f "$WINEPREFIX/system.reg" ]
JOB
  local status=0
  boot_guest "$work" "$share" "$log_dir/guest-first-boot.log" 1800 || status=$?
  cat "$share/job.log" >>"$log" 2>/dev/null || true
  [ "$status" -eq 0 ] || exit 1
  [ "$(cat "$share/job.status")" = 0 ] || guest_fail "the guest could not make its Wine prefix; see $log"
}

mkdir -p "$cache"
available_kib=$(df --output=avail -k "$cache" | tail -n 1)
[ "$available_kib" -ge $((8 * 1024 * 1024)) ] ||
  guest_fail "$((available_kib / 1024 / 1024)) GB are free under $cache, and the guest image needs 8;" \
    "free some, or set XDG_CACHE_HOME to a roomier folder"
exec 9>"$cache/guest.lock"
flock 9
if [ ! -f "$image/ready" ]; then
  work=$image.part
  root=$work/root
  trap unmount_root EXIT
  unmount_root
  rm -rf --one-file-system "$work"
  mkdir -p "$root"
  : >"$log"
  start=$SECONDS
  make_root
  echo "guest image: root made in $((SECONDS - start)) s" | tee -a "$log" >&2
  cp "$(ls "$root"/boot/vmlinuz-* | tail -n 1)" "$work/vmlinuz"
  cp "$(ls "$root"/boot/initrd.img-* | tail -n 1)" "$work/initrd.img"
  truncate -s 6G "$work/disk.img"
  mkfs.ext4 -q -F -d "$root" "$work/disk.img" >>"$log" 2>&1 || guest_fail "mkfs.ext4 could not pack the root; see $log"
  rm -rf --one-file-system "$root"
  echo "guest image: packed after $((SECONDS - start)) s" | tee -a "$log" >&2
  make_prefix
  touch "$work/ready"
  echo "guest image: its Wine prefix made, $((SECONDS - start)) s in all" | tee -a "$log" >&2
  mv "$work" "$image"
  # Older recipes' images are of no more use.
  find "$cache" -mindepth 1 -maxdepth 1 -name 'guest-*' ! -name "$(basename "$image")" -exec rm -rf {} +
fi
echo "$image"
