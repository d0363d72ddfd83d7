#!/usr/bin/env bash
# "ssaver.scr /c" shows the settings dialog: it stores a complete set when it opens, OK
# stores what the user changed, Cancel leaves the registry alone, "&Set Default Values"
# gives the scene's defaults with the camera speed 5.0, and the Display Settings dialog
# opens from it and closes again.
#
#   settings_dialog.sh [--prefix DIR] [SCR]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
session_begin "$@"
key=$saver_key
title="Celestra Screensaver settings"


expect_value() {
  local actual
  actual=$(stored_value "$1")
  [ "$actual" = "$2" ] || fail "$1 is '$actual', expected $2 ($3)"
}

# "checked C enabled E text T" of a control of the settings dialog.
control() {
  helper control "$title" "$1"
}

expect_control() {
  local actual
  actual=$(control "$1")
  case "$actual" in
    $2) ;;
    *) fail "control $1 is \"$actual\": $3" ;;
  esac
}

click() {
  helper click "$1" "$2" || fail "cannot click $2 of \"$1\""
}

open_settings() {
  start_saver /c
  wait_for_window "$title" >/dev/null
}

close_with() {
  click "$title" "$1"
  wait_for_exit 10
}

wine reg delete "$key" /f >/dev/null 2>&1 || true
open_settings
expect_value "Arrangement" 0x2 "opening the dialog stores the settings"
expect_value "Speed of Camera" 0x3 "the first run's camera speed, 4.0"
expect_value "Audio Path" "" "the unset path"
expect_control 2221 "checked 1 enabled 1 text move elliptic" "the default camera"
expect_control 2225 "checked 0 enabled 0 *" "the planet list outside informative mode"
expect_control 1014 "checked 1 enabled 1 text Default" "the default music"
expect_control 1015 "checked 0 enabled 0 *" "the path box without custom music"
[ "$(screen_maximum 1024x768+0+0)" -gt 0 ] || fail "the dialog left the screen black"

click "$title" 2226 # show planet trajectories
click "$title" 2224 # informative mode
expect_control 2225 "checked 0 enabled 1 *" "the planet list in informative mode"
helper select "$title" 2225 4 || fail "cannot pick Jupiter"
click "$title" 1033 # custom music
expect_control 1014 "checked 0 *" "checking Custom clears Default"
expect_control 1015 "checked 0 enabled 1 *" "the path box with custom music"
click "$title" 1006
wait_for_window "Display Settings" >/dev/null
click "Display Settings" 2
for _ in $(seq 1 50); do
  xdotool search --name '^Display Settings$' >/dev/null 2>&1 || break
  sleep 0.1
done
if xdotool search --name '^Display Settings$' >/dev/null 2>&1; then
  fail "Display Settings did not close"
fi
close_with 1
expect_value "Trajectories" 0x1 "checked before OK"
expect_value "Camera Settings" 0x5 "informative mode chosen before OK"
expect_value "Planet to View" 0x5 "Jupiter picked before OK"
expect_value "Custom Audio" 0x1 "Custom checked before OK"
expect_value "Audio" 0x0 "Default cleared by Custom"
echo "OK stored the changed settings"

open_settings
expect_control 2224 "checked 1 *" "the stored camera"
expect_control 2226 "checked 1 *" "the stored trajectories"
click "$title" 2227 # show planet names
helper select "$title" 2225 0 || fail "cannot pick Pluto"
close_with 2
expect_value "Names" 0x0 "Cancel stores nothing"
expect_value "Planet to View" 0x5 "Cancel undoes the planet picked at once"
echo "Cancel left the registry alone"

open_settings
click "$title" 2229 # Set Default Values
expect_control 2221 "checked 1 *" "the default camera after Set Default Values"
expect_control 2226 "checked 0 *" "trajectories cleared by Set Default Values"
expect_control 2225 "checked 0 enabled 0 *" "the planet list after Set Default Values"
expect_control 1033 "checked 1 *" "Set Default Values leaves the music alone"
close_with 1
expect_value "Camera Settings" 0x2 "move elliptic"
expect_value "Speed of Camera" 0x2 "Set Default Values gives the speed 5.0"
expect_value "Trajectories" 0x0 "cleared by Set Default Values"
expect_value "Custom Audio" 0x1 "Set Default Values leaves the music alone"
echo "Set Default Values gave the default scene with the camera speed 5.0"
wine reg delete "$key" /f >/dev/null 2>&1 || true
