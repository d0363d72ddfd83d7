#!/usr/bin/env bash
# A full-screen saver told that the display is off rests: no frames, the music stopped so
# that the sound server hears nothing (an open stream keeps Windows from sleeping), and a
# loop that waits for messages, using almost no processor time. When the display comes
# back (a dimmed display counts as on), frames and music go on, and a key still ends the
# saver while the display is off.
# Needs a sound server (scripts/with-display.sh starts one).
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
session_begin "$@"
[ -f "${CELESTRA_TRACK:-}" ] || fail "CELESTRA_TRACK does not name the music"
pactl info >/dev/null 2>&1 || fail "no sound server (run under scripts/with-display.sh)"
key='HKCU\Software\Nebulart\Screensavers\Celestra'
title="Celestra Screensaver"

# Processor time (clock ticks, user and system, all threads) of the saver's process
# over the next $1 seconds.
cpu_ticks_over() {
  local before after
  before=$(awk '{print $14 + $15}' "/proc/$saver_pid/stat")
  sleep "$1"
  after=$(awk '{print $14 + $15}' "/proc/$saver_pid/stat")
  echo $((after - before))
}

# The planet view with names, the frame rate and the music.
wine reg delete "$key" /f >/dev/null 2>&1 || true
for setting in "Arrangement=2" "Audio=1" "Camera Settings=5" "Planet to View=5" "Names=1" "FPS=1"; do
  wine reg add "$key" /v "${setting%%=*}" /t REG_DWORD /d "${setting#*=}" /f >/dev/null
done
wine reg add "$key" /v "Default Audio" /t REG_SZ /d "$(winepath -w "$CELESTRA_TRACK")" /f >/dev/null

start_saver /s
wait_for_window "$title" >/dev/null
sleep 2
saver_running || fail "the saver ended by itself"
[ -r "/proc/$saver_pid/stat" ] || fail "no process $saver_pid to measure"
level=$(wait_for_music 8)

on=$(cpu_ticks_over 3)
helper display "$title" 0
sleep 0.5
off=$(cpu_ticks_over 3)
dark_level=$(sink_level 1)
saver_running || fail "the saver ended when told that the display is off"
echo "processor time over 3 s: display on ${on} ticks, off ${off} ticks; music ${level} dB, in the dark ${dark_level} dB"
[ "$on" -ge 20 ] || fail "too little work while on (${on} ticks) to compare with"
[ $((off * 30)) -le "$on" ] || fail "off uses more than a thirtieth of on: ${off} of ${on} ticks"
! audible "$dark_level" || fail "the music plays on while the display is off (${dark_level} dB)"

helper display "$title" 2
sleep 0.5
dimmed=$(cpu_ticks_over 2)
echo "processor time over 2 s once dimmed: ${dimmed} ticks"
[ "$dimmed" -gt $((off * 2 + 5)) ] || fail "no frames once the display dims: ${dimmed} ticks"
echo "music once dimmed: $(wait_for_music 4) dB"

helper display "$title" 0
sleep 0.5
xdotool key space
wait_for_exit 5
echo "ended ${saver_exit_ms} ms after a key while the display was off"
