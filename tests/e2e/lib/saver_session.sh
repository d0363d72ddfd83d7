# Shared by the end-to-end scripts, which run ssaver.scr the way a user would: start it
# under Wine, find its windows on the X display, look at the screen, end it.
#
#   . "$(dirname "$0")/lib/saver_session.sh"
#   session_begin "$@"          # [--prefix DIR] [SCR] ARGS...; the defaults come from
#                               # CELESTRA_WINEPREFIX and SAVER; ARGS land in session_args
#   start_saver /t              # SAVER_HIDE_D3D=1 first to run without d3d8.dll
#   window=$(wait_for_window "Celestra Screensaver")
#   ...
#   wait_for_exit 15 || ...
#
# E2E_HELPER names e2e_helper.exe, which does for Wine's windows what X tools cannot.
# The scripts stop at their first error; so does everything here, and it says where.
set -euo pipefail
set -E
trap 'echo "FAIL: $(basename "$0") line $LINENO: $BASH_COMMAND" >&2' ERR

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
. "$e2e_root/scripts/lib/display.sh"
. "$e2e_root/scripts/lib/wine-prefix.sh"
. "$e2e_root/tests/e2e/lib/exit_code.sh"

session_args=()
saver_pid=""
saver_exit_ms=0
saver_code=0
e2e_work=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

session_end() {
  # A saver or another program (a wizard, a dialog) still running after a failed check is
  # ours to stop: the prefix is the test's, and the next test would wait for it.
  if [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null; then
    kill "$saver_pid" 2>/dev/null || true
  fi
  wineserver -k 2>/dev/null || true
  release_display
  if [ -n "$e2e_work" ]; then
    rm -rf "$e2e_work"
  fi
}

session_begin() {
  WINEPREFIX=${CELESTRA_WINEPREFIX:-}
  if [ "${1:-}" = "--prefix" ]; then
    WINEPREFIX=$2
    shift 2
  fi
  export WINEPREFIX
  [ -n "$WINEPREFIX" ] || fail "set CELESTRA_WINEPREFIX or pass --prefix"
  if [ $# -gt 0 ] && [ -f "$1" ]; then
    SAVER=$1
    shift
  fi
  [ -f "${SAVER:-}" ] || fail "no ssaver.scr (set SAVER or pass its path)"
  session_args=("$@")
  trap session_end EXIT
  ensure_display || fail "no X display"
  # The tests' windows are not handed to a window manager (see scripts/wine-run.sh).
  ensure_prefix unmanaged
  wineserver -w  # start every scenario from a quiet prefix
  e2e_work=$(mktemp -d "${TMPDIR:-/tmp}/celestra-e2e.XXXXXX")
}

saver_key='HKCU\Software\Nebulart\Screensavers\Celestra'

# The data of the saver's stored value $1 as "wine reg query" prints it (0x2 for a
# DWORD, the text of a string), or nothing when it is missing. The readers of pipes here
# read to the end, so that no writer dies of a closed pipe (pipefail would count that).
stored_value() {
  { wine reg query "$saver_key" /v "$1" 2>/dev/null || true; } | tr -d '\r' | awk -v name="$1" '
    !found && index($0, name) {
      sub(/^[ \t]*/, ""); sub(name, ""); sub(/^[ \t]*REG_[A-Z]*[ \t]*/, ""); print; found = 1
    }'
}

# The size of the X screen, WxH.
screen_size() {
  xdpyinfo | awk '/dimensions:/ && !size { size = $2 } END { print size }'
}

# Starts the saver with the given switch in the background. With SAVER_HIDE_D3D=1 the
# program finds no d3d8.dll, as on a system without Direct3D 8. Its log holds what it
# tells a debugger, such as why its run ended.
start_saver() {
  local overrides=$WINEDLLOVERRIDES
  if [ "${SAVER_HIDE_D3D:-0}" = 1 ]; then
    overrides="$overrides;d3d8="
  fi
  (
    ulimit -c unlimited 2>/dev/null || true
    WINEDEBUG="$WINEDEBUG,+debugstr" WINEDLLOVERRIDES=$overrides exec wine "$SAVER" "$@"
  ) >"$e2e_work/saver.log" 2>&1 &
  saver_pid=$!
}

# For a saver whose Wine process $1 a Unix signal killed: the stacks of its threads, from
# the core file the kernel left in this folder (a fault of Wine or Mesa shows there, not in
# the saver's own output). The core file is large and is removed.
show_core_stacks() {
  local core=core.$1 loader=/usr/lib/wine/wine
  [ -f "$core" ] || core=core
  if [ ! -f "$core" ]; then
    echo "no core file here (the kernel's core_pattern: $(cat /proc/sys/kernel/core_pattern))"
    return
  fi
  # The core's ELF class (its fifth byte) tells which loader ran.
  [ "$(od -An -j4 -N1 -tu1 "$core" | tr -d ' ')" = 1 ] || loader=/usr/lib/wine/wine64
  echo "the stacks of its threads:"
  timeout 120 gdb -batch -nx -ex "thread apply all bt 12" "$loader" "$core" 2>&1 | grep -v "^warning:" || true
  rm -f "$core"
}

saver_running() {
  [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null
}

# Runs e2e_helper.exe in the prefix.
helper() {
  [ -f "${E2E_HELPER:-}" ] || fail "E2E_HELPER does not name e2e_helper.exe"
  wine "$E2E_HELPER" "$@" | tr -d '\r'
}

# The last lines of what the saver printed (its log holds what it told a debugger).
show_saver_output() {
  echo "what the saver printed:"
  tail -n 20 "$e2e_work/saver.log" || true
}

# Fails, with what the saver printed, when it ended before its window $1 appeared. (Its
# code is not known here: this runs in a subshell, which cannot wait for it.)
saver_ended_early() {
  show_saver_output >&2
  fail "the saver ended before its window \"$1\" appeared"
}

# Prints the X id of the first mapped window with exactly this name.
wait_for_window() {
  local name=$1 i id
  for i in $(seq 1 150); do
    id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | awk 'NR == 1' || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    saver_running || saver_ended_early "$name"
    sleep 0.2
  done
  fail "no window \"$name\" appeared"
}

# What a run that will not end is doing: its Unix threads (name, state, kernel wait) and
# their stacks, its windows, and the Windows stacks of the prefix's processes. (winedbg
# cannot attach to a process that is already ending; gdb still can.)
describe_stuck_saver() {
  local task
  for task in /proc/"$saver_pid"/task/*; do
    echo "thread $(basename "$task") $(cat "$task/comm") state $(awk '{print $3}' "$task/stat") wchan $(cat "$task/wchan")"
  done
  echo "the Unix stacks of its threads:"
  timeout 60 gdb -batch -nx -p "$saver_pid" -ex "thread apply all bt 12" 2>&1 | grep -v "^warning:" || true
  helper list "Celestra Screensaver" || true
  timeout 60 winedbg --command "bt all"
}

# Waits up to $1 seconds for the saver to end; fails unless it ended with code 0. Sets
# saver_exit_ms to how long it took. A saver that fails leaves on standard error what it
# printed and what it is doing if it does not end, or its stacks if a signal killed it.
wait_for_exit() {
  local start now
  start=$(date +%s%N)
  while saver_running; do
    now=$(date +%s%N)
    if [ $(((now - start) / 1000000)) -ge $(($1 * 1000)) ]; then
      {
        show_saver_output
        echo "what it is doing:"
        describe_stuck_saver || true
      } >&2
      fail "the saver was still running $1 s after it was asked to end"
    fi
    sleep 0.05
  done
  saver_exit_ms=$((($(date +%s%N) - start) / 1000000))
  reap_saver
  if [ "$saver_code" -ne 0 ]; then
    show_saver_output >&2
    fail "the saver ended with code $saver_code"
  fi
}

# Collects the ended saver's status: sets saver_code to its exit code (saver_exit_code),
# and when a Unix signal killed it, shows the stacks of its threads on standard error.
reap_saver() {
  local status=0 pid=$saver_pid
  wait "$saver_pid" || status=$?
  saver_pid=""
  saver_code=$(saver_exit_code "$status" "$e2e_work/saver.log")
  [ "$saver_code" -le 128 ] || show_core_stacks "$pid" >&2
}

# The X window's rectangle on the screen as WxH+X+Y (for an unmanaged window with a
# caption, Wine's own frame included).
window_geometry() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /Width:/ {w = $NF} /Height:/ {h = $NF}
    END {printf "%dx%d+%d+%d\n", w, h, x, y}'
}

# The client area of the window titled $1 on the screen, as WxH+X+Y.
client_geometry() {
  helper describe "$1" | awk '{print $2}'
}

# Fails unless the x87 unit of the saver's window thread, which made its device, still
# computes with 53 bits or more: Direct3D 8 sets it to single precision unless the device
# keeps it, and the 32-bit build's doubles are x87 arithmetic.
expect_x87_precision_kept() {
  local reading
  reading=$(helper precision "Celestra Screensaver")
  case "$reading" in
    *" precision double" | *" precision extended") ;;
    *) fail "after device creation the x87 unit computes in single precision: $reading" ;;
  esac
}

# Takes a screenshot of the whole screen into $e2e_work/$1.png and prints its path.
# With E2E_SCREENSHOTS naming a folder, a copy is kept there for looking at.
screenshot() {
  local file="$e2e_work/$1.png"
  import -window root "$file" || fail "no screenshot"
  if [ -n "${E2E_SCREENSHOTS:-}" ]; then
    mkdir -p "$E2E_SCREENSHOTS" && cp "$file" "$E2E_SCREENSHOTS/"
  fi
  echo "$file"
}

# The level (RMS, dB, or -inf) of what the sound server plays over the next $1 seconds.
sink_level() {
  timeout -s INT "$1" parecord -d @DEFAULT_MONITOR@ --file-format=wav "$e2e_work/heard.wav" || true
  sox "$e2e_work/heard.wav" -n stats 2>&1 | awk '/^RMS lev dB/ { print $4 }'
}

# True when level $1 is music rather than silence.
audible() {
  awk -v level="$1" 'BEGIN { exit !(level != "-inf" && level > -60) }'
}

# Waits until music reaches the sound server: a stream may reach it a moment before its
# first sound does. Prints the level; fails after about $1 seconds of silence.
wait_for_music() {
  local level=-inf i
  for i in $(seq 1 "$1"); do
    level=$(sink_level 1)
    audible "$level" && break
  done
  audible "$level" || fail "the music is silent ($level dB)"
  echo "$level"
}

# Largest channel value (0..65535) of the screen within the geometry $1: 0 means black.
screen_maximum() {
  import -window root -crop "$1" +repage "$e2e_work/crop.png" || fail "no screenshot"
  convert "$e2e_work/crop.png" -format '%[max]' info:
}

# Pixels of screenshot $1 within geometry $2 for which the ImageMagick expression $3
# (over r, g, b from 0 to 1) holds.
count_pixels() {
  convert "$1" -crop "$2" +repage -fx "$3" -format "%[fx:round(mean*w*h)]" info:
}

# Number of pure white pixels of the screenshot $1 within the geometry $2.
white_pixels() {
  convert "$1" -crop "$2" +repage -fill black +opaque white -fill white -opaque white \
    -format "%[fx:round(mean*w*h)]" info:
}

# Bounding box (WxH+X+Y, screen coordinates) of the white pixels of screenshot $1
# within the geometry $2.
white_area() {
  local offset=${2#*+}
  local ox=${offset%%+*} oy=${offset#*+}
  convert "$1" -crop "$2" +repage -fill black +opaque white -format "%@" info: |
    awk -F'[x+]' -v ox="$ox" -v oy="$oy" '{printf "%dx%d+%d+%d\n", $1, $2, $3 + ox, $4 + oy}'
}

# The letters and digits that OCR reads in the area $2 of screenshot $1, lower-case,
# without spaces or punctuation (which OCR confuses most).
read_text() {
  convert "$1" -crop "$2" +repage -scale 400% "$e2e_work/ocr.png"
  tesseract "$e2e_work/ocr.png" - 2>/dev/null | tr -cd '[:alnum:]' | tr '[:upper:]' '[:lower:]'
}
