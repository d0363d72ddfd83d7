#!/usr/bin/env bash
# A full-screen saver told that the display is off stops drawing: its process uses at
# most a tenth of the processor time it uses while the display is on, draws again when
# the display comes back, and still ends on the first key while the display is off.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
session_begin "$@"
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

# The planet view with names and the frame rate, no music.
wine reg delete "$key" /f >/dev/null 2>&1 || true
for setting in "Arrangement=2" "Audio=0" "Camera Settings=5" "Planet to View=5" "Names=1" "FPS=1"; do
  wine reg add "$key" /v "${setting%%=*}" /t REG_DWORD /d "${setting#*=}" /f >/dev/null
done

start_saver /s
wait_for_window "$title" >/dev/null
sleep 3
saver_running || fail "the saver ended by itself"
[ -r "/proc/$saver_pid/stat" ] || fail "no process $saver_pid to measure"

on=$(cpu_ticks_over 3)
helper display "$title" 0
sleep 0.5
off=$(cpu_ticks_over 3)
saver_running || fail "the saver ended when told that the display is off"
echo "processor time over 3 s: display on ${on} ticks, off ${off} ticks"
[ "$on" -ge 20 ] || fail "too little work while on (${on} ticks) to compare with"
[ $((off * 10)) -le "$on" ] || fail "off uses more than a tenth of on: ${off} of ${on} ticks"

helper display "$title" 2
sleep 0.5
dimmed=$(cpu_ticks_over 2)
echo "processor time over 2 s once dimmed: ${dimmed} ticks"
[ "$dimmed" -gt $((off * 2 + 5)) ] || fail "no frames once the display dims: ${dimmed} ticks"

helper display "$title" 0
sleep 0.5
xdotool key space
wait_for_exit 5
echo "ended ${saver_exit_ms} ms after a key while the display was off"
