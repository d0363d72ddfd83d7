#!/usr/bin/env bash
# A first full-screen run stores the complete default set; later runs keep what the
# user stored, and garbage in the registry neither crashes a run nor gets rewritten.
set -euo pipefail
. "$(dirname "$0")/lib/saver_session.sh"
session_begin "$@"
key=$saver_key

run_until_key() {
  start_saver /s
  wait_for_window "Celestra Screensaver" >/dev/null
  sleep 1
  xdotool key space
  wait_for_exit 10
}

wine reg delete "$key" /f >/dev/null 2>&1 || true
run_until_key
for name in "Arrangement=0x2" "Camera Settings=0x2" "Planet to View=0x2" "Trajectories=0x0" "Names=0x0" \
            "FPS=0x0" "Distances=0x0" "Ambient=0x0" "Stars=0x0" "Desktop=0x0" "Audio=0x1" "Custom Audio=0x0" \
            "Red val=0xff" "Green val=0xff" "Blue val=0x0" "Speed of Camera=0x3" "AllScreensSame=0x0"; do
  actual=$(stored_value "${name%%=*}")
  [ "$actual" = "${name#*=}" ] || fail "${name%%=*} is '$actual', expected ${name#*=}"
done
[ "$(stored_value "Audio Path")" = "" ] || fail "Audio Path is not the one-space path"
wine reg query "$key" /v "Audio Path" | tr -d '\r' | grep 'REG_SZ     $' >/dev/null || fail "Audio Path is not ' '"
echo "first run stored the default set"

wine reg add "$key" /v "Camera Settings" /t REG_DWORD /d 0 /f >/dev/null
wine reg add "$key" /v "Trajectories" /t REG_DWORD /d 1 /f >/dev/null
run_until_key
[ "$(stored_value "Camera Settings")" = 0x0 ] || fail "a run rewrote Camera Settings"
[ "$(stored_value "Trajectories")" = 0x1 ] || fail "a run rewrote Trajectories"

wine reg add "$key" /v "Camera Settings" /t REG_SZ /d "not a number" /f >/dev/null
wine reg add "$key" /v "Audio Path" /t REG_SZ /d "$(printf 'x%.0s' $(seq 1 300))" /f >/dev/null
wine reg add "$key" /v "Arrangement" /t REG_DWORD /d 4294967295 /f >/dev/null
run_until_key
[ "$(stored_value "Camera Settings")" = "not a number" ] || fail "garbage was rewritten"
echo "garbage in the registry neither crashed a run nor was rewritten"
wine reg delete "$key" /f >/dev/null 2>&1 || true
exit 0
