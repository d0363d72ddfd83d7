#!/usr/bin/env bash
# The exit contract under load, on two monitors (Xvfb with Xinerama, as two_monitors.sh):
# a key, a click and the sixth mouse move each end a full-screen run whose scene is busy
# on both screens, and nothing of the saver is left running; a preview ends when its
# host window is destroyed. A run that has not ended 10 s after its input fails; how
# soon each ended is a figure, not a pass mark: the time from input to exit, median and
# worst, and how many took over a second.
#
#   exit_trials.sh [--prefix DIR] [SCR] [TRIALS]    TRIALS per kind of input (default 3);
#                                                   EXIT_INPUTS picks some of "key click move preview"
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
unset DISPLAY  # two heads of its own
export XVFB_SCREENS="+xinerama -screen 0 800x600x24 -screen 1 640x480x24"
CELESTRA_WINEPREFIX="${CELESTRA_WINEPREFIX}-two-monitors"
session_begin "$@"
trials=${session_args[0]:-3}
input_ns=0
elapsed_ms=0
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
  sort -n | awk '{ v[NR] = $1; slow += $1 > 1000 } END {
    printf "median %d ms, worst %d ms over %d trials, %d over 1 s", v[int((NR + 1) / 2)], v[NR], NR, slow }'
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

# Waits up to 3 s more for the saver to end after the input at input_ns; sets elapsed_ms
# to the time since the input.
ended_after_input() {
  local start
  start=$(date +%s%N)
  while saver_running && [ $((($(date +%s%N) - start) / 1000000)) -lt 3000 ]; do
    sleep 0.05
  done
  elapsed_ms=$((($(date +%s%N) - input_ns) / 1000000))
  ! saver_running
}

# One full-screen run ended by input $1; appends the time from input to exit to $2. A
# move ends the run only as the sixth the saver sees, and under Wine the first one or
# two after the windows appear may not reach them, so moves go on (at most twelve)
# until the run ends; the one that ended it is counted in $2.moves.
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
    key) xdotool key space && input_ns=$(date +%s%N) ;;
    click) xdotool click 1 && input_ns=$(date +%s%N) ;;
    move)
      for i in $(seq 1 12); do
        xdotool mousemove $((100 + 37 * i)) $((100 + 23 * i))
        input_ns=$(date +%s%N)
        if ended_after_input; then
          echo "$i" >>"$2.moves"
          break
        fi
      done
      saver_running && fail "twelve mouse moves did not end the run"
      ;;
  esac
  local ms=$elapsed_ms
  if [ "$1" != move ]; then
    ended_after_input || ended_after_input || ended_after_input || ended_after_input ||
      fail "$1: the saver was still running 12 s after it"
    ms=$elapsed_ms
  fi
  local code=0
  wait "$saver_pid" || code=$?
  saver_pid=""
  if [ "$code" -ne 0 ]; then
    grep -v ':fixme:' "$e2e_work/saver.log" | tail -40 >&2 || true
    fail "$1: the saver ended with code $code $ms ms after it"
  fi
  echo "$ms" >>"$2"
  nothing_left
}

inputs=" ${EXIT_INPUTS:-key click move preview} "
for input in key click move; do
  [[ "$inputs" == *" $input "* ]] || continue
  : >"$e2e_work/$input.times"
  for n in $(seq 1 "$trials"); do
    trial "$input" "$e2e_work/$input.times"
  done
  echo "$input: $(summary <"$e2e_work/$input.times")"
done
if [ -f "$e2e_work/move.times.moves" ]; then
  echo "move: the run ended at move $(sort -n "$e2e_work/move.times.moves" | uniq -c | awk '{printf "%s%d (%d times)", sep, $2, $1; sep = ", "}')"
fi

: >"$e2e_work/preview.times"
[[ "$inputs" == *" preview "* ]] || exit 0
for n in $(seq 1 "$trials"); do
  result=$(helper preview "$SAVER") || fail "preview trial $n: $result"
  ms=$(echo "$result" | awk '/preview ended/ {print $3}')
  [ -n "$ms" ] || fail "preview trial $n: $result"
  echo "$ms" >>"$e2e_work/preview.times"
done
nothing_left
echo "preview after its host is destroyed: $(summary <"$e2e_work/preview.times")"
