#!/usr/bin/env bash
# Boots the emulated machine (guest_image.sh makes it, or reuses it) and runs the checks
# NAME... of checks.sh there on the shipped ssaver.scr ($SAVER), installer
# ($CELESTRA_SETUP) and e2e_helper.exe ($E2E_HELPER). The machine's disk is left as it was
# (qemu -snapshot). OUT is its share: the files go in OUT/in, and the results, the
# saver's output and the screenshots come back in OUT/results, where check_result.sh
# reads each one as a test of its own.
#
#   run_guest.sh OUT NAME...
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/lib/guest.sh"

out=$1
shift
for file in "${SAVER:-}" "${CELESTRA_SETUP:-}" "${E2E_HELPER:-}"; do
  [ -f "$file" ] || guest_fail "no file '$file' (SAVER, CELESTRA_SETUP, E2E_HELPER): build the windows preset first"
done
mkdir -p "$out"
rm -rf "$out/in" "$out/results"
mkdir -p "$out/in"
start=$SECONDS
image=$(bash "$here/guest_image.sh" "$out")
echo "guest image ready after $((SECONDS - start)) s: $image"

cp "$SAVER" "$out/in/ssaver.scr"
cp "$CELESTRA_SETUP" "$out/in/Celestra-Setup.exe"
cp "$E2E_HELPER" "$out/in/e2e_helper.exe"
cp "$here/checks.sh" "$here/../e2e/lib/exit_code.sh" "$out/in/"
printf 'exec bash /host/in/checks.sh /host/in /host/results' >"$out/job"
printf ' %q' "$@" >>"$out/job"
booted=$SECONDS
status=0
boot_guest "$image" "$out" "$out/guest-console.log" 2700 -snapshot || status=$?
cat "$out/job.log" 2>/dev/null || true
[ "$status" -eq 0 ] || exit 1
echo "the guest ran its checks in $((SECONDS - booted)) s (${guest_accel[*]:0:2}); results in $out/results"
[ "$(cat "$out/job.status")" = 0 ] || guest_fail "the checks could not run in the guest; see $out/job.log"
