#!/usr/bin/env bash
# ssaver.scr /s covers the screen with a topmost window that a key press ends, and says
# so to a debugger.
set -euo pipefail
. "$(dirname "$0")/lib/saver_session.sh"
session_begin "$@"

start_saver /s
wait_for_window "Celestra Screensaver" >/dev/null
description=$(helper describe "Celestra Screensaver")
screen=$(screen_size)
case "$description" in
  "client ${screen}+0+0 topmost 1 popup 1 child 0") ;;
  *) fail "not a topmost pop-up covering the ${screen} screen: $description" ;;
esac

sleep 1
expect_x87_precision_kept
xdotool key space
wait_for_exit 5
# What it tells a debugger is what a support request would start from.
grep -q "the run ends: a key or a mouse button was pressed" "$e2e_work/saver.log" ||
  fail "the saver did not say why its run ended: $(tail -n 3 "$e2e_work/saver.log")"
echo "full screen: $description; ended ${saver_exit_ms} ms after the key"
