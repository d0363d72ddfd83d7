# Shared by the end-to-end scripts that run ssaver.scr the way a user would: start it
# under Wine, find its windows on the X display, look at the screen, end it.
#
#   . lib/saver_session.sh
#   session_begin "$@"          # parses [--prefix DIR] SCR ARGS...; sets SAVER and
#                               # session_args (the ARGS)
#   start_saver /t              # SAVER_HIDE_D3D=1 first to run without d3d8.dll
#   window=$(wait_for_window "Celestra Screensaver")
#   ...
#   wait_for_exit 15 || fail "..."

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
. "$e2e_root/scripts/lib/display.sh"
. "$e2e_root/scripts/lib/wine-prefix.sh"

SAVER=""
session_args=()
saver_pid=""
e2e_work=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

session_end() {
  # A saver still running after a failed check is ours to stop.
  if [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null; then
    kill "$saver_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
  fi
  release_display
  if [ -n "$e2e_work" ]; then
    rm -rf "$e2e_work"
  fi
}

session_begin() {
  if [ "${1:-}" = "--prefix" ]; then
    export WINEPREFIX=$2
    shift 2
  else
    export WINEPREFIX="${CELESTRA_WINEPREFIX:?set CELESTRA_WINEPREFIX or pass --prefix}"
  fi
  SAVER=${1:?path of ssaver.scr}
  shift
  session_args=("$@")
  [ -f "$SAVER" ] || fail "no $SAVER"
  command -v tesseract >/dev/null || fail "tesseract is missing (scripts/install-deps.sh installs it)"
  trap session_end EXIT
  ensure_display || fail "no X display"
  ensure_prefix
  e2e_work=$(mktemp -d "${TMPDIR:-/tmp}/celestra-e2e.XXXXXX")
}

# Starts the saver with the given switch in the background. With SAVER_HIDE_D3D=1 the
# program finds no d3d8.dll, as on a system without Direct3D 8.
start_saver() {
  local overrides=$WINEDLLOVERRIDES
  if [ "${SAVER_HIDE_D3D:-0}" = 1 ]; then
    overrides="$overrides;d3d8="
  fi
  WINEDLLOVERRIDES=$overrides wine "$SAVER" "$@" >"$e2e_work/saver.log" 2>&1 &
  saver_pid=$!
}

saver_running() {
  kill -0 "$saver_pid" 2>/dev/null
}

# Prints the X id of the first mapped window with exactly this name.
wait_for_window() {
  local name=$1 i id
  for i in $(seq 1 150); do
    id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    saver_running || fail "the saver ended before its window \"$name\" appeared"
    sleep 0.2
  done
  fail "no window \"$name\" appeared"
}

# Waits up to $1 seconds for the saver to end; fails unless it ended with code 0.
wait_for_exit() {
  local i
  for i in $(seq 1 $(($1 * 5))); do
    if ! saver_running; then
      wait "$saver_pid"
      local code=$?
      saver_pid=""
      [ "$code" -eq 0 ] || fail "the saver ended with code $code"
      return 0
    fi
    sleep 0.2
  done
  fail "the saver was still running $1 s after it was asked to end"
}

# The window's rectangle on the screen as WxH+X+Y.
window_geometry() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /Width:/ {w = $NF} /Height:/ {h = $NF}
    END {printf "%dx%d+%d+%d\n", w, h, x, y}'
}

# Takes a screenshot of the whole screen into $e2e_work/$1.png and prints its path.
screenshot() {
  local file="$e2e_work/$1.png"
  import -window root "$file" || fail "no screenshot"
  echo "$file"
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
