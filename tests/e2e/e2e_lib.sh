# Shared by the end-to-end scripts. CTest sets SAVER (ssaver.scr), E2E_HELPER
# (e2e_helper.exe) and CELESTRA_WINEPREFIX (the build tree's Wine prefix).
set -uo pipefail
e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$e2e_root/scripts/lib/display.sh"
export WINEPREFIX="$CELESTRA_WINEPREFIX"
. "$e2e_root/scripts/lib/wine-prefix.sh"

saver_pid=""
e2e_work=$(mktemp -d "${TMPDIR:-/tmp}/celestra-e2e.XXXXXX")

e2e_cleanup() {
  if [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null; then
    kill "$saver_pid" 2>/dev/null
  fi
  release_display
  rm -rf "$e2e_work"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

e2e_setup() {
  ensure_display || fail "no display"
  ensure_prefix unmanaged
  # Every scenario starts from a quiet prefix.
  wineserver -w
}

start_saver() {
  wine "$SAVER" "$@" &
  saver_pid=$!
}

helper() {
  wine "$E2E_HELPER" "$@"
}

# Waits until a window with exactly this title exists; prints its X window id.
wait_for_window() {
  local title=$1 tries=${2:-100} id
  for _ in $(seq 1 "$tries"); do
    id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds (default 10) for the saver to end; its exit status in $saver_status.
wait_for_saver_exit() {
  local limit=${1:-10} tenths
  for tenths in $(seq 1 $((limit * 10))); do
    if ! kill -0 "$saver_pid" 2>/dev/null; then
      wait "$saver_pid"
      saver_status=$?
      saver_pid=""
      saver_exit_tenths=$tenths
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Largest channel value (0..65535) in a rectangle WxH+X+Y of the screen: 0 means black.
screen_maximum() {
  import -window root -crop "$1" +repage "$e2e_work/crop.png" &&
    convert "$e2e_work/crop.png" -format '%[max]' info:
}
