#!/usr/bin/env bash
# Runs a command with an X display: the current one, or an Xvfb started for the command.
#   scripts/with-display.sh COMMAND [ARGS...]
# With WINEPREFIX set, Wine in that prefix is ended before a started display goes away.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/lib/display.sh"
trap release_display EXIT
ensure_display || exit 1
"$@"
