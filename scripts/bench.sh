#!/usr/bin/env bash
# Prints the performance figures of docs/performance.md: our own CPU per frame, the
# cost of a frame and of each drawing step under Wine, start-up, texture decoding,
# memory, the executable's size, and scaling with screens and sphere detail. It never
# fails on a figure: speed targets are for reading, not for tests.
#
#   scripts/bench.sh [--quick] [--before DIR]
#                                  --quick: fewer frames and runs (a minute less);
#                                  --before: DIR holds ssaver.scr and scene_frame_bench.exe
#                                  of another build (an earlier commit's, made as below),
#                                  whose frame costs and full-screen frame rates are
#                                  printed beside this build's, from the same run
#   scripts/bench.sh --power [SAVER]
#                                  only what a running saver costs (CPU, frames, the dark:
#                                  scripts/lib/power-bench.sh), beside SAVER if given
#
# An earlier build for --before, from its own copy of the sources:
#   git archive COMMIT | tar -x -C /tmp/before && cd /tmp/before &&
#   cmake --preset windows && cmake --build --preset windows --target ssaver scene_frame_bench
#   (then DIR is /tmp/before/build/windows: the two files are found in src/ and tests/windows/)
#
# Every figure of one kind comes from one run of one program, side by side, so that they
# can be compared on a busy machine. Each Wine part runs on a virtual display and in a
# throwaway prefix of its own.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
here=$(pwd)

frames=300
large_frames=120
cpu_frames=3000
runs=7
power_seconds=60
rate_seconds=20
power_only=0
other_saver=""
before_dir=""
while [ $# -gt 0 ]; do
  case "$1" in
    --quick) frames=100 large_frames=50 cpu_frames=500 runs=3 power_seconds=20 rate_seconds=10 ;;
    --before) before_dir=$(realpath "$2"); shift ;;
    --power)
      power_only=1
      if [ -n "${2:-}" ]; then other_saver=$(realpath "$2"); shift; fi ;;
  esac
  shift
done

scripts/install-deps.sh >/dev/null
# The native figures come from an optimised build of their own (the host preset is a
# debug build for the tests).
cmake --preset host -B build/host-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/host-bench --target scene_bench >/dev/null
. scripts/lib/windows-build.sh
cmake --preset "$windows_preset" >/dev/null
cmake --build --preset "$windows_preset" --target ssaver scene_frame_bench close_ups e2e_helper >/dev/null

bench=$windows_build_dir/tests/windows/scene_frame_bench.exe
saver=$windows_build_dir/src/ssaver.scr
native=build/host-bench/tests/native/scene_bench
export E2E_HELPER=$windows_build_dir/tests/e2e/e2e_helper.exe
before_bench=""
before_saver=""
if [ -n "$before_dir" ]; then
  before_bench=$(find "$before_dir" -name scene_frame_bench.exe -print -quit)
  before_saver=$(find "$before_dir" -name ssaver.scr -print -quit)
  if [ -z "$before_bench" ] || [ -z "$before_saver" ]; then
    echo "$before_dir holds no scene_frame_bench.exe and ssaver.scr" >&2
    exit 2
  fi
fi

echo "== machine"
echo "$(nproc) cores: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); $(wine --version), the ${CELESTRA_WINDOWS_BUILD}-bit build"

# A running saver's cost, full screen on a 1024 x 768 display and in the test window.
run_power_figures() {
  . scripts/lib/display.sh
  . scripts/lib/wine-prefix.sh
  . scripts/lib/power-bench.sh
  unset DISPLAY XVFB_SCREENS
  # A run that stops half-way leaves no saver behind (release_display ends Wine first),
  # nor the full run's prefixes (cleanup, once it is set).
  trap 'release_display; if declare -F cleanup >/dev/null; then cleanup; fi' EXIT
  ensure_display
  echo
  echo "== under Wine: a running saver at the default settings, ${power_seconds} s a mode"
  if [ -n "$other_saver" ]; then
    power_figures "$other_saver" before "$power_seconds"
  fi
  power_figures "$saver" now "$power_seconds"
  release_display
}
if [ "$power_only" = 1 ]; then
  run_power_figures
  exit 0
fi

echo
echo "== native (no Wine): the frame update and texture decoding"
"$native"
if command -v valgrind >/dev/null; then
  # Instructions are steady where microseconds are not: the difference of two runs that
  # differ only in their number of frames is the cost of the frames.
  instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$native" "$1" "$2" 2>&1 |
      sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
  }
  few=$(instructions update 100)
  many=$(instructions update 1100)
  echo "callgrind: frame update (planet view, distance lines) $(((many - few) / 1000)) instructions per frame"
  few=$(instructions ribbons 100)
  many=$(instructions ribbons 1100)
  echo "callgrind: the same with the ribbons of every line $(((many - few) / 1000)) instructions per frame"
fi

# Everything below runs under Wine.
. scripts/lib/display.sh
. scripts/lib/wine-prefix.sh
prefix=$(mktemp -d "${TMPDIR:-/tmp}/celestra-bench.XXXXXX")
cleanup() {
  release_display
  rm -rf "$prefix" "$prefix.lock" "$prefix-two" "$prefix-two.lock"
}
trap cleanup EXIT
export WINEPREFIX=$prefix
unset DISPLAY
ensure_display
ensure_prefix unmanaged
wineserver -p  # Wine stays up between the runs below, as it would on a desktop
settings_key='HKCU\Software\Nebulart\Screensavers\Celestra'
for pair in "Audio=0" "Custom Audio=0" "Camera Settings=1" "Names=1" "Distances=1" "Trajectories=1" "FPS=1"; do
  wine reg add "$settings_key" /v "${pair%=*}" /t REG_DWORD /d "${pair#*=}" /f >/dev/null 2>&1
done

echo
echo "== under Wine: our own CPU per frame"
wine "$bench" cpu "$cpu_frames" 2>/dev/null
echo
echo "== under Wine: vertices per frame"
wine "$bench" vertices 1024 768 2>/dev/null
wine "$bench" vertices 1920 1080 2>/dev/null

# Every frame-cost figure of the earlier build comes right before this build's.
for size in "600 400 $frames" "1024 768 $large_frames"; do
  read -r width height count <<<"$size"
  if [ -n "$before_bench" ]; then
    echo
    echo "== under Wine: frame cost at ${width}x${height}, before ($before_bench)"
    wine "$before_bench" steps "$width" "$height" "$count" 2>/dev/null
  fi
  echo
  echo "== under Wine: frame cost at ${width}x${height}"
  wine "$bench" steps "$width" "$height" "$count" 2>/dev/null
done
echo
echo "== under Wine: sphere detail"
wine "$bench" detail 600 400 "$frames" 2>/dev/null
echo
echo "== under Wine: the lines' smoothness at 1920x1080"
# The same frame of the elliptic camera with the lines as now and as before: of the orbit
# pixels, those that hold part of a line and those that hold a whole one.
. scripts/lib/line-smoothness.sh
close_out="Z:$(echo "$prefix/close" | tr / '\\')"  # Wine maps the Unix root to Z:
wine "$windows_build_dir/tests/windows/close_ups.exe" lines 1920 1080 "$close_out" >/dev/null 2>&1
for variant in before after; do
  if [ -f "$prefix/close-lines-$variant.bmp" ]; then
    read -r part full < <(orbit_pixel_counts "$prefix/close-lines-$variant.bmp" 1920x1080+0+0)
    echo "$variant: $part orbit pixels hold part of a line, $full a whole one:" \
      "$((100 * part / (part + full > 0 ? part + full : 1))) % partial"
  fi
done

echo
echo "== under Wine: texture decoding"
wine "$bench" decode "$runs" 2>/dev/null

# From the launch of a program to its first Present, told by Wine's d3d8 trace, in ms
# ("none" when no Present came within 15 s).
first_present_ms() {
  local log start took="" pid
  log=$(mktemp)
  start=$(date +%s%N)
  WINEDEBUG=+d3d8 wine "$@" 2>"$log" &
  pid=$!
  for _ in $(seq 1 3000); do
    if grep -q 'd3d8_device_Present' "$log"; then
      took=$((($(date +%s%N) - start) / 1000000))
      break
    fi
    sleep 0.005
  done
  xdotool key space 2>/dev/null || true
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -f "$log"
  echo "${took:-none}"
}
median() {
  local sorted count
  sorted=$(printf '%s\n' "$@" | grep -v none | sort -n || true)
  count=$(echo "$sorted" | grep -c . || true)
  if [ "$count" -gt 0 ]; then
    echo "$sorted" | sed -n "$(((count + 1) / 2))p"
  fi
}

# The saver's runs alternate with those of the floor: a program that only makes a
# 1024 x 768 device and presents empty frames.
echo
echo "== under Wine: start-up to the first presented frame (Wine running)"
saver_times=()
floor_times=()
for run in $(seq 1 "$runs"); do
  saver_times+=("$(first_present_ms "$saver" /s)")
  floor_times+=("$(first_present_ms "$bench" empty 1 1024 768)")
done
saver_median=$(median "${saver_times[@]}")
floor_median=$(median "${floor_times[@]}")
echo "ssaver.scr /s, runs (ms):                 ${saver_times[*]}"
echo "empty-frame program 1024x768, runs (ms):  ${floor_times[*]}"
echo "median: ssaver.scr ${saver_median:-none} ms, empty-frame program ${floor_median:-none} ms"
echo
echo "== under Wine: one screen's start, step by step (time, memory, objects)"
wine "$bench" start 1024 768 2>/dev/null

# VmHWM of the Windows process is its peak working set.
peak_kb() {
  local seconds=$1
  shift
  wine "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep "$seconds"
  local kb
  kb=$(sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status" 2>/dev/null || true)
  xdotool key space 2>/dev/null || true
  sleep 1
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "${kb:-0}"
}
echo
echo "== under Wine: memory and size"
scene_kb=$(peak_kb 8 "$saver" /s)
empty_kb=$(peak_kb 8 "$bench" empty 12 1024 768)
echo "peak working set, ssaver.scr /s full screen 1024x768: $((scene_kb / 1024)) MB"
echo "peak working set, empty-frame program 1024x768:       $((empty_kb / 1024)) MB"
echo "ours (the difference):                                $(((scene_kb - empty_kb) / 1024)) MB"
echo "ssaver.scr: $(stat -c %s "$saver") bytes"

# Full screen on this machine's software renderer with the bench's settings (every
# overlay on), paced as the saver paces itself: 60 frames a second at most, or an even
# fraction of it while the machine cannot keep up.
. scripts/lib/power-bench.sh
echo
echo "== under Wine: full screen, frames a second over ${rate_seconds} s (every overlay on)"
for size in 1024x768 1920x1080; do
  wineserver -k || true
  release_display
  unset DISPLAY
  XVFB_SCREENS="-screen 0 ${size}x24" ensure_display
  if [ -n "$before_saver" ]; then
    echo "$size before: $(power_full_screen_rate "$before_saver" "$rate_seconds") frames/s"
  fi
  echo "$size now:    $(power_full_screen_rate "$saver" "$rate_seconds") frames/s"
done
wineserver -k || true
release_display

# Two screens need a display with two heads and a prefix told not to use XRandR.
echo
echo "== under Wine: one and two screen devices (two-head Xvfb)"
export WINEPREFIX=$prefix-two
export XVFB_SCREENS="+xinerama -screen 0 800x600x24 -screen 1 640x480x24"
unset DISPLAY
ensure_display
ensure_prefix unmanaged
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
wineserver -w
wine "$bench" screens 600 400 "$frames" 2>/dev/null
wineserver -k || true
release_display
run_power_figures
cd "$here"
