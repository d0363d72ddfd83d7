#!/usr/bin/env bash
# "ssaver.scr /c" shows the settings dialog: it stores a complete set when it opens, OK
# stores what the user changed, Cancel leaves the registry alone, and the Display
# Settings dialog opens from it and closes again.
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup
key='HKCU\Software\Nebulart\Screensavers\Celestra'
title="Celestra Screensaver settings"

value_of() {
  wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '
    index($0, name) { sub(/^[ \t]*/, ""); sub(name, ""); sub(/^[ \t]*REG_[A-Z]*[ \t]*/, ""); print; exit }'
}

# "checked C enabled E text T" of a control of the settings dialog.
control() {
  helper control "$title" "$1" | tr -d '\r'
}

open_settings() {
  start_saver /c
  wait_for_window "$title" >/dev/null || fail "no settings dialog"
}

close_with() {
  helper click "$title" "$1" || fail "cannot click $1"
  wait_for_saver_exit 10 || fail "the saver did not end with its dialog"
  [ "$saver_status" -eq 0 ] || fail "exit status $saver_status"
}

wine reg delete "$key" /f >/dev/null 2>&1
open_settings
[ "$(value_of "Arrangement")" = 0x2 ] || fail "opening the dialog did not store the settings"
[ "$(value_of "Speed of Camera")" = 0x3 ] || fail "Speed of Camera is not the default"
case "$(control 2221)" in "checked 1 enabled 1 text move elliptic") ;; *) fail "camera: $(control 2221)" ;; esac
case "$(control 2225)" in "checked 0 enabled 0 "*) ;; *) fail "planet list: $(control 2225)" ;; esac
case "$(control 1014)" in "checked 1 enabled 1 text Default") ;; *) fail "audio: $(control 1014)" ;; esac
[ "$(screen_maximum 1024x768+0+0)" -gt 0 ] || fail "the dialog left the screen black"

helper click "$title" 2226                            # show planet trajectories
helper click "$title" 2224                            # informative mode
case "$(control 2225)" in "checked 0 enabled 1 "*) ;; *) fail "planet list not enabled: $(control 2225)" ;; esac
helper select "$title" 2225 4                         # Jupiter
helper click "$title" 1006
wait_for_window "Display Settings" >/dev/null || fail "no Display Settings dialog"
helper click "Display Settings" 2
for _ in $(seq 1 50); do
  xdotool search --name '^Display Settings$' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --name '^Display Settings$' >/dev/null 2>&1 && fail "Display Settings did not close"
close_with 1
[ "$(value_of "Trajectories")" = 0x1 ] || fail "Trajectories: $(value_of "Trajectories")"
[ "$(value_of "Camera Settings")" = 0x5 ] || fail "Camera Settings: $(value_of "Camera Settings")"
[ "$(value_of "Planet to View")" = 0x5 ] || fail "Planet to View: $(value_of "Planet to View")"
echo "OK stored the changed settings"

open_settings
case "$(control 2224)" in "checked 1 "*) ;; *) fail "stored camera not shown: $(control 2224)" ;; esac
helper click "$title" 2227                            # show planet names
helper select "$title" 2225 0                         # Pluto
close_with 2
[ "$(value_of "Names")" = 0x0 ] || fail "Cancel stored Names"
[ "$(value_of "Planet to View")" = 0x5 ] || fail "Cancel stored the planet"
echo "Cancel left the registry alone"
wine reg delete "$key" /f >/dev/null 2>&1
exit 0
