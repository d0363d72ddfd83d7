#!/usr/bin/env bash
# Full screen on two monitors: Xvfb with Xinerama gives Wine two display devices and
# two Direct3D adapters (in a prefix of its own, set not to use XRandR). The saver puts a
# topmost window on each monitor, renders on both, and a key ends it.
#
# Xvfb places both heads at 0,0, so the two monitors overlap; the test counts windows
# and checks that both show the scene, not where each one lies.
set -euo pipefail
. "$(dirname "$0")/lib/saver_session.sh"
unset DISPLAY  # this test needs a display of its own, with two heads
export XVFB_SCREENS="+xinerama -screen 0 800x600x24 -screen 1 640x480x24"
CELESTRA_WINEPREFIX="${CELESTRA_WINEPREFIX}-two-monitors"
session_begin "$@"
if [ ! -f "$WINEPREFIX/.celestra-no-xrandr" ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.celestra-no-xrandr"
fi

monitors=$(helper monitors | wc -l)
[ "$monitors" -eq 2 ] || fail "Wine reports $monitors monitors, not 2: $(helper monitors | tr '\n' ' ')"

start_saver /s
wait_for_window "Celestra Screensaver" >/dev/null
sleep 3
windows=$(helper list "Celestra Screensaver")
[ "$(echo "$windows" | grep -c 'topmost 1')" -eq 2 ] || fail "expected two topmost saver windows: $windows"
shot=$(screenshot two-monitors)
[ "$(white_pixels "$shot" 800x600+0+0)" -lt 20000 ] || fail "the error box is showing"
bright=$(convert "$shot" -crop 800x600+0+0 +repage -threshold 60% -format "%[fx:round(mean*w*h)]" info:)
[ "$bright" -gt 20 ] || fail "nothing of the scene is drawn ($bright bright pixels)"

xdotool key space
wait_for_exit 10
echo "two monitors, two topmost windows: $(echo "$windows" | tr '\n' ';') $bright bright pixels; ended ${saver_exit_ms} ms after the key"
