#!/usr/bin/env bash
# ssaver.scr /t opens "Celestra Screensaver" with a 600 x 400 client area, ignores
# input, and ends when the window is closed.
set -euo pipefail
. "$(dirname "$0")/lib/saver_session.sh"
session_begin "$@"

start_saver /t
wait_for_window "Celestra Screensaver" >/dev/null
description=$(helper describe "Celestra Screensaver")
case "$description" in
  "client 600x400+"*"topmost 0 popup 0 child 0") ;;
  *) fail "not an ordinary window with a 600 x 400 client area: $description" ;;
esac

sleep 1
xdotool key space
xdotool mousemove 10 10 mousemove 300 300 mousemove 500 400 click 1
sleep 1
saver_running || fail "input ended the test window"
expect_x87_precision_kept

helper close "Celestra Screensaver"
wait_for_exit 10
echo "test window: $description; ended ${saver_exit_ms} ms after it was closed"
