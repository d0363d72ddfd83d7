#!/usr/bin/env bash
# The exit contract under load, on two monitors (Xvfb with Xinerama, as two_monitors.sh):
# a key, a click and the sixth mouse move each end a full-screen run whose scene is busy
# on both screens, and nothing of the saver is left running; a preview ends within a
# second of its host window being destroyed. Prints the time from input to exit, median
# and worst, for each.
#
#   exit_trials.sh [--prefix DIR] [SCR] [TRIALS]    TRIALS per kind of input (default 3)
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
unset DISPLAY  # two heads of its own
export XVFB_SCREENS="+xinerama -screen 0 800x600x24 -screen 1 640x480x24"
CELESTRA_WINEPREFIX="${CELESTRA_WINEPREFIX}-two-monitors"
session_begin "$@"
trials=${session_args[0]:-3}
if [ ! -f "$WINEPREFIX/.celestra-no-xrandr" ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.celestra-no-xrandr"
fi
[ "$(helper monitors | wc -l)" -eq 2 ] || fail "Wine reports no two monitors"
key='HKCU\Software\Nebulart\Screensavers\Celestra'
wine reg delete "$key" /f >/dev/null 2>&1 || true
for setting in "Arrangement=1" "Camera Settings=5" "Names=1" "FPS=1" "Distances=1" "Trajectories=1" "Audio=0"; do
  wine reg add "$key" /v "${setting%%=*}" /t REG_DWORD /d "${setting#*=}" /f >/dev/null
done

# Median and worst of the numbers on standard input.
summary() {
  sort -n | awk '{ v[NR] = $1 } END { printf "median %d ms, worst %d ms over %d trials", v[int((NR + 1) / 2)], v[NR], NR }'
}

# Nothing of this saver may be left: no window, no process started from this file.
nothing_left() {
  [ -z "$(helper list "Celestra Screensaver")" ] || fail "a saver window outlived the run"
  # Wine shows the program as a Unix or a Windows path: match either separator. Only
  # processes of this prefix count (a soak may run the same file elsewhere).
  local pid
  for pid in $(pgrep -f "${SAVER//\//.}" || true); do
    ! grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null || fail "a saver process outlived the run"
  done
}

# One full-screen run ended by input $1; appends the time from input to exit to $2.
trial() {
  start_saver /s
  wait_for_window "Celestra Screensaver" >/dev/null
  local i
  for i in $(seq 1 50); do
    [ "$(helper list "Celestra Screensaver" | grep -c 'topmost 1')" -lt 2 ] || break
    sleep 0.2
  done
  sleep 2  # both scenes running
  case "$1" in
    key) xdotool key space ;;
    click) xdotool click 1 ;;
    move) for i in 1 2 3 4 5 6; do xdotool mousemove $((100 + 37 * i)) $((100 + 23 * i)); done ;;
  esac
  wait_for_exit 10
  echo "$saver_exit_ms" >>"$2"
  nothing_left
}

for input in key click move; do
  : >"$e2e_work/$input.times"
  for n in $(seq 1 "$trials"); do
    trial "$input" "$e2e_work/$input.times"
  done
  echo "$input: $(summary <"$e2e_work/$input.times")"
done

: >"$e2e_work/preview.times"
for n in $(seq 1 "$trials"); do
  result=$(helper preview "$SAVER") || fail "preview trial $n: $result"
  ms=$(echo "$result" | awk '/preview ended/ {print $3}')
  [ -n "$ms" ] && [ "$ms" -le 1000 ] || fail "preview trial $n: $result"
  echo "$ms" >>"$e2e_work/preview.times"
done
nothing_left
echo "preview after its host is destroyed: $(summary <"$e2e_work/preview.times")"
