# Shared by the scripts: a throwaway Wine prefix, never the user's own.
# Source it, set WINEPREFIX, then call ensure_prefix (or ensure_prefix unmanaged).
# `wine` is the Wine of the chosen Windows build (lib/windows-build.sh).
. "$(dirname "${BASH_SOURCE[0]}")/windows-build.sh"

export WINEDEBUG="${WINEDEBUG:--all}"
# No offers to install Mono or Gecko; keep any overrides the caller asked for.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

# Initialises the prefix once; concurrent callers wait for the first one. With the
# argument "unmanaged" Wine's windows are not handed to a window manager: without one
# (as on a bare Xvfb), hiding a managed window stalls for two seconds waiting for it.
ensure_prefix() {
  local unmanaged=${1:-}
  check_wine || return 1
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.celestra-ready" ]; then
      # Wine's own set-up warnings are not failures of ours; a prefix that is unusable
      # shows in the first program run in it.
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
      touch "$WINEPREFIX/.celestra-ready"
    fi
    if [ "$unmanaged" = unmanaged ] && [ ! -f "$WINEPREFIX/.celestra-unmanaged" ]; then
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
      wineserver -w || true
      touch "$WINEPREFIX/.celestra-unmanaged"
    fi
  ) 9>"$WINEPREFIX.lock"
}
