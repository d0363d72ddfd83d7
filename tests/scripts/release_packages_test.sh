#!/usr/bin/env bash
# packaging/make_packages.sh makes the same installer and zip whatever the builder's
# umask: the zip stores each file's mode, so the staged files get fixed ones.
#   release_packages_test.sh ICON
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
icon=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

printf 'MZ not really a saver' >"$work/ssaver.scr"
printf 'ID3 not really music' >"$work/track.mp3"
for mask in 022 002 077; do
  (umask "$mask" && SOURCE_DATE_EPOCH=1767225600 "$root/packaging/make_packages.sh" \
    "$work/ssaver.scr" "$work/track.mp3" "$icon" 1.0 "$work/$mask") >/dev/null
done
for mask in 002 077; do
  cmp -s "$work/022/celestra-1.0.zip" "$work/$mask/celestra-1.0.zip" || fail "umask $mask changes the zip"
  cmp -s "$work/022/Celestra-Setup-1.0.exe" "$work/$mask/Celestra-Setup-1.0.exe" ||
    fail "umask $mask changes the installer"
done
modes=$(7z l -slt "$work/022/celestra-1.0.zip" | sed -n 's/^Attributes = *//p' | sort -u | paste -sd ' ')
[ "$modes" = "-rw-r--r--" ] || fail "the zip's files have modes $modes"
echo "the same release files under three umasks"
