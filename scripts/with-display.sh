#!/usr/bin/env bash
# Runs a command in a session for Wine: an X display (the current one, or an Xvfb
# started for the command) and a sound server with a null sink (the running one, or one
# started for the command, so that DirectShow can play music).
#   scripts/with-display.sh COMMAND [ARGS...]
# With WINEPREFIX set, Wine in that prefix is ended before a started display goes away.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/lib/display.sh"
. "$here/lib/audio.sh"
trap 'release_audio; release_display' EXIT
ensure_display || exit 1
ensure_audio || true
"$@"
