#!/usr/bin/env bash
# Shared by the scripts that make and boot the emulated machine of the shipped-build
# tests (guest_image.sh, run_guest.sh). Source it.
#
# The machine is qemu's x86_64 PC with its own Debian kernel, which runs 32-bit programs
# whatever the host's kernel does. It uses KVM where KVM runs that kernel, and software
# emulation (TCG) elsewhere; CELESTRA_GUEST_ACCEL=tcg or kvm chooses either.
set -euo pipefail

# The one line an unusable machine gets: what went wrong and what to do.
guest_problem() {
  echo "FAIL: the shipped 32-bit build cannot be tested: $*" >&2
}

guest_fail() {
  guest_problem "$@"
  exit 1
}

# True when KVM runs the guest's kernel: /dev/kvm opens, and the kernel, started without
# a disk, prints its first line within seconds. (Some hosts have a /dev/kvm that runs
# only kernels made for it, such as PVM in nested clouds: there nothing is printed.)
kvm_runs() {
  { exec 3<>/dev/kvm; } 2>/dev/null || return 1
  exec 3>&-
  local console pid deadline=$((SECONDS + 10)) seen=1
  console=$(mktemp "${TMPDIR:-/tmp}/celestra-kvm.XXXXXX")
  qemu-system-x86_64 -accel kvm -cpu host -m 256 -nodefaults -display none -no-reboot \
    -serial "file:$console" -kernel "$1" -append "console=ttyS0 panic=-1" >/dev/null 2>&1 &
  pid=$!
  while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    if grep -q 'Linux version' "$console"; then
      seen=0
      break
    fi
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -f "$console"
  return "$seen"
}

# The accelerator's qemu arguments for the kernel $1, into the array guest_accel.
choose_accel() {
  local accel=${CELESTRA_GUEST_ACCEL:-}
  if [ -z "$accel" ]; then
    accel=tcg
    if kvm_runs "$1" 2>/dev/null; then
      accel=kvm
    fi
  fi
  case "$accel" in
    kvm) guest_accel=(-accel kvm -cpu host) ;;
    # Emulated, the guest kernel oopses in every Wine process with SMAP offered, and
    # Mesa's llvmpipe stalls after its first frame with AVX2 offered.
    tcg) guest_accel=(-accel tcg,thread=multi -cpu max,-smap,-avx,-avx2) ;;
    *) guest_fail "CELESTRA_GUEST_ACCEL must be kvm or tcg, not '$accel'" ;;
  esac
}

# boot_guest IMAGE_DIR SHARE SERIAL_LOG SECONDS [-snapshot]: boots the machine of
# IMAGE_DIR with the folder SHARE as its 9p share "host", until it powers itself off;
# with -snapshot its disk is left as it was. The guest's init (see guest_image.sh) runs
# SHARE/job and writes its output to SHARE/job.log and its status to SHARE/job.status.
# Fails, saying why, when the guest did not run its job to the end within SECONDS.
boot_guest() {
  local image=$1 share=$2 serial=$3 seconds=$4
  shift 4
  command -v qemu-system-x86_64 >/dev/null ||
    guest_fail "qemu-system-x86_64 is not installed; run scripts/install-deps.sh"
  choose_accel "$image/vmlinuz"
  local status=0
  rm -f "$share/job.log" "$share/job.status"
  timeout "$seconds" qemu-system-x86_64 "${guest_accel[@]}" -smp 2 -m 3072 \
    -nodefaults -display none -no-reboot -serial "file:$serial" \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
    -append "root=/dev/vda rw console=ttyS0 quiet panic=1 init=/sbin/celestra-init" \
    -drive "file=$image/disk.img,format=raw,if=virtio,cache=unsafe" "$@" \
    -virtfs "local,path=$share,mount_tag=host,security_model=none,id=host0" &
  guest_pid=$!
  trap 'kill "$guest_pid" 2>/dev/null || true' EXIT
  trap 'exit 143' TERM INT
  wait "$guest_pid" || status=$?
  trap - EXIT TERM INT
  if [ "$status" -eq 124 ]; then
    guest_problem "the guest did not finish within $seconds s (on a busy machine, try again); its console: $serial"
  elif [ "$status" -ne 0 ]; then
    guest_problem "qemu ended with code $status; its console: $serial"
  elif [ ! -f "$share/job.status" ]; then
    guest_problem "the guest powered off without running its job; its console: $serial"
  else
    return 0
  fi
  return 1
}
