#!/usr/bin/env bash
# ssaver.scr /s covers the screen with a black topmost window that a key press ends.
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup

start_saver /s
wait_for_window "Celestra Screensaver" >/dev/null || fail "no saver window"
description=$(helper describe "Celestra Screensaver" | tr -d '\r')
read -r width height < <(xdpyinfo | awk '/dimensions:/{split($2, d, "x"); print d[1], d[2]}')
[ "${description%% topmost*}" = "client ${width}x${height}" ] || fail "does not cover ${width}x${height}: $description"
case "$description" in *"topmost 1 popup 1"*) ;; *) fail "not a topmost pop-up: $description" ;; esac

sleep 1
maximum=$(screen_maximum "${width}x${height}+0+0")
[ "$maximum" = 0 ] || fail "the screen is not black (maximum $maximum)"

xdotool key space
wait_for_saver_exit 5 || fail "a key press did not end the saver"
[ "$saver_status" -eq 0 ] || fail "exit status $saver_status"
echo "full screen: $description; ended $((saver_exit_tenths * 100)) ms after the key"
