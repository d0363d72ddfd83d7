#!/usr/bin/env bash
# ssaver.scr /t opens "Celestra Screensaver" with a 600 x 400 client area, ignores
# input, and ends when the window is closed.
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup

start_saver /t
wait_for_window "Celestra Screensaver" >/dev/null || fail "no test window"
description=$(helper describe "Celestra Screensaver" | tr -d '\r')
[ "${description%% topmost*}" = "client 600x400" ] || fail "unexpected window: $description"
case "$description" in *"popup 0 child 0"*) ;; *) fail "the test window must be an ordinary window: $description" ;; esac

sleep 1
xdotool key space
xdotool mousemove 10 10 mousemove 300 300 mousemove 500 400 click 1
sleep 1
kill -0 "$saver_pid" 2>/dev/null || fail "input ended the test window"

helper close "Celestra Screensaver"
wait_for_saver_exit 10 || fail "closing the window did not end the run"
[ "$saver_status" -eq 0 ] || fail "exit status $saver_status"
echo "test window: $description; closed after $((saver_exit_tenths * 100)) ms"
