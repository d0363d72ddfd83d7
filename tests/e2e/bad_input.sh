#!/usr/bin/env bash
# Bad input from outside, each with its defined answer:
#   - /p with the handle of a destroyed window, or with a number that is no window (a
#     handle of another process's event): no window can be made, the run ends by itself
#     with code 0 and leaves nothing behind;
#   - /p inside a minimised host: the preview lives in it and ends with it;
#   - /c with a garbage owner: the settings dialog still opens, unowned, and Cancel ends it;
#   - a music path to a missing file, a folder, a zero-byte file, a text file named .mp3:
#     nothing plays, no message box appears, the scene runs;
#   - a settings key that refuses access: the saver runs on its defaults, full screen.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
session_begin "$@"
key='HKCU\Software\Nebulart\Screensavers\Celestra'
key_path='Software\Nebulart\Screensavers\Celestra'

no_message_box() {
  ! xdotool search --onlyvisible --name '^(Error|Celestra Screensaver Error)$' >/dev/null 2>&1 ||
    fail "$1: a message box appeared"
}

# /p without a usable host.
for host in "$(helper deadwindow)" "$(helper nonwindow)"; do
  start_saver /p "$host"
  wait_for_exit 10
  [ -z "$(helper list "Celestra Screensaver")" ] || fail "/p $host left a window"
  echo "/p $host (no window): ended by itself after ${saver_exit_ms} ms"
done

# /p in a minimised host.
helper preview "$SAVER" minimised || fail "the preview in a minimised host misbehaved"

# /c with a garbage owner.
start_saver /c:3735928559
dialog=$(wait_for_window "Celestra Screensaver settings" 2>/dev/null || true)
if [ -n "$dialog" ]; then
  # Cancel through Win32: Wine may have replaced the dialog's X window since it was found.
  helper click "Celestra Screensaver settings" 2 >/dev/null || fail "/c with a garbage owner: cannot cancel"
fi
wait_for_exit 15
echo "/c with a garbage owner: ${dialog:+the dialog opened, }ended after ${saver_exit_ms} ms"

# Music that cannot be played.
mkdir -p "$e2e_work/folder.mp3"
: >"$e2e_work/empty.mp3"
printf 'This is not music.\r\n' >"$e2e_work/text.mp3"
for music in "$e2e_work/missing.mp3" "$e2e_work/folder.mp3" "$e2e_work/empty.mp3" "$e2e_work/text.mp3"; do
  wine reg delete "$key" /f >/dev/null 2>&1 || true
  for setting in "Arrangement=1" "Camera Settings=2" "Audio=1" "Custom Audio=1"; do
    wine reg add "$key" /v "${setting%%=*}" /t REG_DWORD /d "${setting#*=}" /f >/dev/null
  done
  wine reg add "$key" /v "Audio Path" /t REG_SZ /d "Z:${music//\//\\}" /f >/dev/null
  start_saver /t
  wait_for_window "Celestra Screensaver" >/dev/null
  sleep 4
  no_message_box "$(basename "$music")"
  saver_running || fail "$(basename "$music"): the saver ended"
  [ "$(screen_maximum "$(client_geometry "Celestra Screensaver")")" -gt 0 ] ||
    fail "$(basename "$music"): the scene is black"
  helper close "Celestra Screensaver" >/dev/null
  wait_for_exit 10
  echo "music $(basename "$music"): silent, no message, the scene ran"
done

# A settings key that refuses access.
wine reg delete "$key" /f >/dev/null 2>&1 || true
helper denykey "$key_path" on || fail "could not lock the settings key"
trap 'helper denykey "$key_path" off >/dev/null 2>&1 || true; session_end' EXIT
! wine reg add "$key" /v Names /t REG_DWORD /d 1 /f >/dev/null 2>&1 || fail "the key still takes values"
start_saver /s
wait_for_window "Celestra Screensaver" >/dev/null
sleep 4
no_message_box "locked key"
shot=$(screenshot locked-key)
screen=$(xdpyinfo | awk '/dimensions:/ && !d {d = $2} END {print d}')
[ "$(white_pixels "$shot" "${screen}+0+0")" -lt 20000 ] || fail "locked key: the error box is showing"
saver_running || fail "locked key: the saver ended"
xdotool key space
wait_for_exit 10
helper denykey "$key_path" off
echo "settings key without access: ran full screen on the defaults, ended ${saver_exit_ms} ms after the key"
