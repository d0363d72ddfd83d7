# Shared by the scripts: an X display for Wine, started on demand.
# Source it, then call ensure_display; release_display stops what ensure_display started
# (and first ends Wine in $WINEPREFIX, whose processes would otherwise hold on to it).

started_xvfb_pid=""

# Starts Xvfb on a free display when DISPLAY is unset. XVFB_SCREENS may hold other
# Xvfb screen arguments (for example two -screen options and +xinerama).
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  local n
  for n in $(seq 90 200); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      break
    fi
  done
  # shellcheck disable=SC2086
  Xvfb ":${n}" ${XVFB_SCREENS:--screen 0 1024x768x24} -nolisten tcp >/dev/null 2>&1 &
  started_xvfb_pid=$!
  export DISPLAY=":${n}"
  local i
  for i in $(seq 1 100); do
    if xdpyinfo >/dev/null 2>&1; then
      return 0
    fi
    if ! kill -0 "$started_xvfb_pid" 2>/dev/null; then
      break
    fi
    sleep 0.1
  done
  echo "could not start Xvfb on :${n}" >&2
  return 1
}

release_display() {
  if [ -n "$started_xvfb_pid" ]; then
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
      wineserver -k 2>/dev/null || true
    fi
    kill "$started_xvfb_pid" 2>/dev/null || true
    wait "$started_xvfb_pid" 2>/dev/null || true
    started_xvfb_pid=""
  fi
}
