#!/usr/bin/env bash
# Without Direct3D 8 (d3d8.dll hidden) the saver shows "Direct3D 8.0 could not be
# initialized..." instead of failing to start: in a box drifting over the test window or
# the full-screen window, and in a message box for the settings.
#
#   no_direct3d_test.sh [--prefix DIR] SCR test|full|config
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
session_begin "$@"
run=${session_args[0]:-}
SAVER_HIDE_D3D=1

# OCR misreads a few glyphs of small fonts ("3D" as "30"), so the check is on the
# parts of the message that it reads reliably.
expect_message() {
  local text=$1
  case "$text" in
    *couldnotbeinitialized*installthelatestversionof*) ;;
    *) fail "the message reads \"$text\"" ;;
  esac
}

# The box: 300 x 150 pixels (the black frame is not white), inside `area`, with the
# message, moving.
check_drifting_box() {
  local area=$1 first second box moved
  sleep 1
  first=$(screenshot first)
  box=$(white_area "$first" "$area")
  case "$box" in
    298x148+*) ;;
    *) fail "the white area in $area is $box, not the 300 x 150 box" ;;
  esac
  expect_message "$(read_text "$first" "$box")"
  sleep 1
  second=$(screenshot second)
  moved=$(white_area "$second" "$area")
  [ "$moved" != "$box" ] || fail "the box did not move in a second ($box)"
  echo "box at $box, then at $moved"
}

case "$run" in
  test)
    start_saver /t
    window=$(wait_for_window "Celestra Screensaver")
    check_drifting_box "$(client_geometry "Celestra Screensaver")"
    xdotool windowfocus "$window" key alt+F4
    wait_for_exit 15
    ;;
  full)
    start_saver /s
    window=$(wait_for_window "Celestra Screensaver")
    geometry=$(window_geometry "$window")
    screen=$(screen_size)
    [ "${geometry%%+*}" = "$screen" ] || fail "the saver window is $geometry on a $screen screen"
    check_drifting_box "$geometry"
    xdotool key space
    wait_for_exit 15
    ;;
  config)
    start_saver /c
    window=$(wait_for_window "Celestra Screensaver")
    sleep 1
    shot=$(screenshot message)
    expect_message "$(read_text "$shot" "$(window_geometry "$window")")"
    xdotool windowfocus "$window" key Return
    wait_for_exit 15
    ;;
  *)
    fail "unknown run $run"
    ;;
esac
