# Shared by the scripts: a throwaway Wine prefix, never the user's own.
# Source it, set WINEPREFIX (or let default_prefix choose one), then ensure_prefix.

export WINEDEBUG="${WINEDEBUG:--all}"
# No offers to install Mono or Gecko; keep any overrides the caller asked for.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

# Initialises the prefix once; concurrent callers wait for the first one.
ensure_prefix() {
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.celestra-ready" ]; then
      wineboot -i >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.celestra-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}
