#!/usr/bin/env bash
# With Direct3D the test window and the full-screen saver get a device and keep
# running, showing the scene rather than an error box, until the user ends them. So does
# a test window whose saver lies in a folder beside a d3d8.dll of no use (planted), in
# the order Windows looks for DLLs: it loads the system's own.
#
#   device_run_test.sh [--prefix DIR] SCR test|full|planted
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
session_begin "$@"
run=${session_args[0]:-}

# An error box would fill about 45000 pixels with pure white.
expect_no_error_box() {
  local shot white
  shot=$(screenshot running)
  white=$(white_pixels "$shot" "$1")
  [ "$white" -lt 20000 ] || fail "$white white pixels in $1: the error box is showing"
}

case "$run" in
  planted)
    [ -f "${PLANTED_D3D8:-}" ] || fail "PLANTED_D3D8 does not name planted_d3d8.dll"
    folder="$e2e_work/Downloads"
    mkdir -p "$folder" && cp "$SAVER" "$folder/ssaver.scr" && cp "$PLANTED_D3D8" "$folder/d3d8.dll"
    SAVER="$folder/ssaver.scr" WINEDEBUG="$WINEDEBUG,+loaddll" WINEDLLOVERRIDES="$WINEDLLOVERRIDES;d3d8=n,b" \
      start_saver /t
    window=$(wait_for_window "Celestra Screensaver")
    sleep 4
    saver_running || fail "the test run ended by itself"
    loads=$(grep -i 'Loaded L".*d3d8\.dll"' "$e2e_work/saver.log" || true)
    [ -n "$loads" ] || fail "no d3d8.dll was loaded"
    ! grep -qi downloads <<<"$loads" || fail "the saver loaded the d3d8.dll beside it: $loads"
    expect_no_error_box "$(client_geometry "Celestra Screensaver")"
    xdotool windowfocus "$window" key alt+F4
    wait_for_exit 15
    ;;
  test)
    start_saver /t
    window=$(wait_for_window "Celestra Screensaver")
    geometry=$(client_geometry "Celestra Screensaver")
    [ "${geometry%%+*}" = 600x400 ] || fail "the test window's client area is $geometry"
    sleep 4
    saver_running || fail "the test run ended by itself"
    expect_no_error_box "$geometry"
    xdotool windowfocus "$window" key alt+F4
    wait_for_exit 15
    ;;
  full)
    start_saver /s
    window=$(wait_for_window "Celestra Screensaver")
    sleep 4
    saver_running || fail "the saver ended by itself"
    expect_no_error_box "$(window_geometry "$window")"
    xdotool key space
    wait_for_exit 15
    ;;
  *)
    fail "unknown run $run"
    ;;
esac
