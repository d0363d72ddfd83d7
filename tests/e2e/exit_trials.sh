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
#                                                   EXIT_TRIALS_DURING_STARTUP=1: input as soon as
#                                                   both windows exist, not once the scene shows
#
# A failed trial leaves its evidence in EXIT_TRIALS_KEEP (default: exit-trials/ in the
# build tree of SCR), one folder per failure: the saver's output with Wine's messages,
# the trial's timeline and, for a run that did not end, its threads, windows and stacks.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
unset DISPLAY  # two heads of its own
export XVFB_SCREENS="+xinerama -screen 0 800x600x24 -screen 1 640x480x24"
CELESTRA_WINEPREFIX="${CELESTRA_WINEPREFIX}-two-monitors"
session_begin "$@"
trials=${session_args[0]:-3}
input_ns=0
elapsed_ms=0
kept=${EXIT_TRIALS_KEEP:-$(cd "$(dirname "$SAVER")/.." && pwd)/exit-trials}
trial_name=""
trial_start_ns=0

# One line of the trial's timeline: milliseconds since the trial began, then what happened.
note() {
  echo "$((($(date +%s%N) - trial_start_ns) / 1000000)) ms: $*" >>"$e2e_work/timeline"
}

note_stuck_run() {
  note "still running; its threads, windows and stacks follow"
  describe_stuck_saver >>"$e2e_work/timeline" 2>&1 || true
}

keep_failed_trial() {
  if [ -n "$trial_name" ]; then
    local dir
    dir="$kept/$(date +%Y%m%d-%H%M%S)-$trial_name"
    mkdir -p "$dir" && cp "$e2e_work/timeline" "$e2e_work/saver.log" "$dir/" &&
      echo "the failed trial's logs: $dir" >&2
  fi
}
trap 'keep_failed_trial || true; session_end' EXIT
# The saver's log gets Wine's errors (saver_wine_debug); a crash ends the run with Wine's
# backtrace in that log instead of a crash dialog that would keep the process alive.
saver_wine_debug=fixme-all
if [ ! -f "$WINEPREFIX/.celestra-exit-trials" ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.celestra-exit-trials"
fi
[ "$(helper monitors | wc -l)" -eq 2 ] || fail "Wine reports no two monitors"
first_monitor=$(helper monitors | head -1)
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
  trial_name="$1-$3"
  trial_start_ns=$(date +%s%N)
  : >"$e2e_work/timeline"
  WINEDEBUG=$saver_wine_debug start_saver /s
  note "started ssaver.scr /s, process $saver_pid"
  wait_for_window "Celestra Screensaver" >/dev/null
  note "first saver window"
  local i
  for i in $(seq 1 50); do
    [ "$(helper list "Celestra Screensaver" | grep -c 'topmost 1')" -lt 2 ] || break
    sleep 0.2
  done
  note "$(helper list "Celestra Screensaver" | grep -c 'topmost 1') topmost windows"
  if [ "${EXIT_TRIALS_DURING_STARTUP:-0}" != 1 ]; then
    # Input reaches the saver only once both screens are prepared and its loop runs; on a
    # busy machine that takes seconds. The first frame on the first monitor shows it.
    for i in $(seq 1 150); do
      [ "$(screen_maximum "$first_monitor")" = 0 ] || break
      sleep 0.2
    done
    note "scene shown (maximum $(screen_maximum "$first_monitor"))"
    sleep 1
  fi
  case "$1" in
    key) xdotool key space && input_ns=$(date +%s%N) && note "key" ;;
    click)
      note "pointer at $(xdotool getmouselocation 2>&1 || true)"
      xdotool click 1 && input_ns=$(date +%s%N) && note "click"
      ;;
    move)
      for i in $(seq 1 12); do
        xdotool mousemove $((100 + 37 * i)) $((100 + 23 * i))
        input_ns=$(date +%s%N)
        note "move $i"
        if ended_after_input; then
          echo "$i" >>"$2.moves"
          break
        fi
      done
      saver_running && note_stuck_run && fail "twelve mouse moves did not end the run"
      ;;
  esac
  local ms=$elapsed_ms
  if [ "$1" != move ]; then
    ended_after_input || ended_after_input || ended_after_input || ended_after_input ||
      { note_stuck_run && fail "$1: the saver was still running 12 s after it"; }
    ms=$elapsed_ms
  fi
  reap_saver
  note "ended with code $saver_code, $ms ms after the input"
  if [ "$saver_code" -ne 0 ]; then
    grep -v ':fixme:' "$e2e_work/saver.log" | tail -40 >&2 || true
    fail "$1: the saver ended with code $saver_code $ms ms after it"
  fi
  echo "$ms" >>"$2"
  nothing_left
  trial_name=""
}

inputs=" ${EXIT_INPUTS:-key click move preview} "
for input in key click move; do
  [[ "$inputs" == *" $input "* ]] || continue
  : >"$e2e_work/$input.times"
  for n in $(seq 1 "$trials"); do
    trial "$input" "$e2e_work/$input.times" "$n"
  done
  echo "$input: $(summary <"$e2e_work/$input.times")"
done
if [ -f "$e2e_work/move.times.moves" ]; then
  echo "move: the run ended at move $(sort -n "$e2e_work/move.times.moves" | uniq -c | awk '{printf "%s%d (%d times)", sep, $2, $1; sep = ", "}')"
fi

: >"$e2e_work/preview.times"
[[ "$inputs" == *" preview "* ]] || exit 0
for n in $(seq 1 "$trials"); do
  trial_name="preview-$n"
  trial_start_ns=$(date +%s%N)
  : >"$e2e_work/timeline"
  code=0
  result=$(WINEDEBUG=$saver_wine_debug helper preview "$SAVER" 2>"$e2e_work/saver.log") || code=$?
  note "$result (code $code)"
  ms=$(echo "$result" | awk '/preview ended/ {print $3}')
  [ "$code" -eq 0 ] && [ -n "$ms" ] ||
    fail "preview trial $n: $result $(grep -v ':fixme:' "$e2e_work/saver.log" | tail -5)"
  echo "$ms" >>"$e2e_work/preview.times"
  trial_name=""
done
nothing_left
echo "preview after its host is destroyed: $(summary <"$e2e_work/preview.times")"
