#!/usr/bin/env bash
# Makes the two release files from a built saver, its music and its icon:
#
#   packaging/make_packages.sh SAVER TRACK ICON VERSION OUTDIR
#
# OUTDIR/Celestra-Setup-VERSION.exe, the installer (NSIS, celestra.nsi), and
# OUTDIR/celestra-VERSION.zip, the saver, the music and a read-me in a folder
# celestra-VERSION/. Both are reproducible: every file carries the time
# SOURCE_DATE_EPOCH (by default that of the last commit), the zip stores its entries
# in a fixed order, in UTC, with fixed modes and without extra attributes.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ $# -ne 5 ]; then
  echo "usage: $0 SAVER TRACK ICON VERSION OUTDIR" >&2
  exit 2
fi
saver=$(realpath "$1")
track=$(realpath "$2")
icon=$(realpath "$3")
version=$4
out=$(realpath -m "$5")
case "$version" in
  *[!0-9.]* | "" | .* | *. | *..*) echo "not a version: $version" >&2; exit 2 ;;
esac
# Windows wants four numbers: 1.0 is 1.0.0.0.
version4=$version
while [ "$(tr -dc . <<<"$version4" | wc -c)" -lt 3 ]; do
  version4=$version4.0
done

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || true)}
epoch=${epoch:-1767225600}
export SOURCE_DATE_EPOCH=$epoch TZ=UTC

stage=$(mktemp -d "${TMPDIR:-/tmp}/celestra-release.XXXXXX")
trap 'rm -rf "$stage"' EXIT
folder=celestra-$version
mkdir -p "$stage/$folder" "$out"
cp "$saver" "$stage/$folder/ssaver.scr"
cp "$track" "$stage/$folder/celestra-ambient.mp3"
# Windows line ends for Notepad.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/read-me.txt" >"$stage/$folder/read-me.txt"
# The zip stores each file's mode, which would otherwise follow the builder's umask.
chmod 0644 "$stage/$folder"/*
chmod 0755 "$stage/$folder"
touch -d "@$epoch" "$stage/$folder"/* "$stage/$folder"

setup="$out/Celestra-Setup-$version.exe"
zip="$out/celestra-$version.zip"
makensis -V2 -INPUTCHARSET UTF8 \
  "-DVERSION=$version" "-DVERSION4=$version4" \
  "-DSAVER=$stage/$folder/ssaver.scr" "-DTRACK=$stage/$folder/celestra-ambient.mp3" \
  "-DREAD_ME=$stage/$folder/read-me.txt" "-DICON=$icon" "-DOUTFILE=$setup" \
  "$here/celestra.nsi"
touch -d "@$epoch" "$setup"

rm -f "$zip"
(cd "$stage" && zip -q -X -D "$zip" "$folder/ssaver.scr" "$folder/celestra-ambient.mp3" "$folder/read-me.txt")
touch -d "@$epoch" "$zip"
echo "$setup"
echo "$zip"
