# Shared by the scripts: an X display for Wine, started on demand.
# Source it, then call ensure_display; release_display stops what ensure_display started
# (and first ends Wine in $WINEPREFIX, whose processes would otherwise hold on to it).

started_xvfb_pid=""

# Starts Xvfb on a free display when DISPLAY is unset. XVFB_SCREENS may hold other
# Xvfb screen arguments (for example two -screen options and +xinerama). Xvfb chooses the
# display number itself (-displayfd): a lock file tells only of this root's servers.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  local number_file i number=""
  number_file=$(mktemp "${TMPDIR:-/tmp}/celestra-display.XXXXXX")
  # shellcheck disable=SC2086
  Xvfb -displayfd 3 ${XVFB_SCREENS:--screen 0 1024x768x24} -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  started_xvfb_pid=$!
  for i in $(seq 1 100); do
    number=$(cat "$number_file")
    if [ -n "$number" ] || ! kill -0 "$started_xvfb_pid" 2>/dev/null; then
      break
    fi
    sleep 0.1
  done
  rm -f "$number_file"
  if [ -z "$number" ]; then
    echo "could not start Xvfb" >&2
    return 1
  fi
  export DISPLAY=":${number}"
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
