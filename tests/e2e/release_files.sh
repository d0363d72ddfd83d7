#!/usr/bin/env bash
# The installer and the zip read as files, without running them (7z unpacks NSIS
# installers): what each holds, where each file goes, and that these are the shipped
# saver and the built music. Runs whichever Windows build is tested, so the release is
# checked even where its 32-bit installer cannot run.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ -f "${CELESTRA_SETUP:-}" ] || fail "CELESTRA_SETUP does not name the installer"
[ -f "${CELESTRA_RELEASE_ZIP:-}" ] || fail "CELESTRA_RELEASE_ZIP does not name the zip"
[ -f "${CELESTRA_SHIPPED_SAVER:-}" ] || fail "CELESTRA_SHIPPED_SAVER does not name the shipped ssaver.scr"
[ -f "${CELESTRA_TRACK:-}" ] || fail "CELESTRA_TRACK does not name the music"
unpacked=$(mktemp -d "${TMPDIR:-/tmp}/celestra-unpacked.XXXXXX")
trap 'rm -rf "$unpacked"' EXIT

# Unpacks archive $1 into a folder of its own and prints its files, relative and sorted;
# fails unless its file $2 is the shipped saver and $3 the music.
unpack() {
  local into=$unpacked/$(basename "$1")
  7z x -y -o"$into" "$1" >/dev/null || fail "7z cannot read $1"
  cmp -s "$into/$2" "$CELESTRA_SHIPPED_SAVER" || fail "$1: $2 is not the shipped saver"
  cmp -s "$into/$3" "$CELESTRA_TRACK" || fail "$1: $3 is not the built music"
  (cd "$into" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
}

# In the installer $SYSDIR is the system folder, and a file without a folder goes to the
# installation folder ($INSTDIR), where the uninstaller is written at install time. The
# installer's own plug-ins ($PLUGINSDIR) are not installed.
files=$(unpack "$CELESTRA_SETUP" '$SYSDIR/ssaver.scr' celestra-ambient.mp3 | { grep -v '^\$PLUGINSDIR/' || true; } | paste -sd ' ')
[ "$files" = '$SYSDIR/ssaver.scr celestra-ambient.mp3 read-me.txt uninstall.exe' ] ||
  fail "the installer holds: $files"
folder=$(basename "$CELESTRA_RELEASE_ZIP" .zip)
files=$(unpack "$CELESTRA_RELEASE_ZIP" "$folder/ssaver.scr" "$folder/celestra-ambient.mp3" | paste -sd ' ')
[ "$files" = "$folder/celestra-ambient.mp3 $folder/read-me.txt $folder/ssaver.scr" ] || fail "the zip holds: $files"
echo "the installer and the zip hold the shipped saver, the music and the read-me, each where it belongs"
