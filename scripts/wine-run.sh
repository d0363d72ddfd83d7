#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix, on an X display.
#
#   scripts/wine-run.sh [--prefix DIR] [--unmanaged] PROGRAM [ARGS...]
#
# The prefix is DIR, or $CELESTRA_WINEPREFIX, or else a new temporary one that is
# removed afterwards; the user's own ~/.wine is never used. When DISPLAY is unset an
# Xvfb display is started for the run and stopped afterwards. --unmanaged keeps Wine's
# windows away from any window manager (tests use it: on a bare Xvfb it saves a
# two-second stall whenever a window is hidden). The exit status is the program's.
# CTest uses this script to run the cross-compiled tests.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/lib/display.sh"
. "$here/lib/wine-prefix.sh"

prefix="${CELESTRA_WINEPREFIX:-}"
unmanaged=""
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix=$2; shift 2 ;;
    --unmanaged) unmanaged=unmanaged; shift ;;
    *) break ;;
  esac
done
if [ $# -lt 1 ]; then
  echo "usage: $0 [--prefix DIR] [--unmanaged] PROGRAM [ARGS...]" >&2
  exit 2
fi

temporary_prefix=""
if [ -z "$prefix" ]; then
  temporary_prefix=$(mktemp -d "${TMPDIR:-/tmp}/celestra-wine.XXXXXX")
  prefix=$temporary_prefix
fi
export WINEPREFIX=$prefix

cleanup() {
  # A display or prefix made for this run goes away with the run, and Wine with it.
  if [ -n "$temporary_prefix" ]; then
    wineserver -k 2>/dev/null || true
  fi
  release_display
  if [ -n "$temporary_prefix" ]; then
    rm -rf "$temporary_prefix" "$temporary_prefix.lock"
  fi
}
trap cleanup EXIT

ensure_display || exit 1
ensure_prefix $unmanaged
wine "$@"
