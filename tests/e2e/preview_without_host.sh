#!/usr/bin/env bash
# ssaver.scr /p without a usable host window has nothing to show and ends by itself.
set -euo pipefail
. "$(dirname "$0")/lib/saver_session.sh"
session_begin "$@"

for arguments in "/p" "/p 4242"; do
  # shellcheck disable=SC2086
  start_saver $arguments
  wait_for_exit 10
  echo "ssaver.scr $arguments ended after ${saver_exit_ms} ms"
done
