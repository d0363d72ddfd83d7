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
# The real program's first run stores the set; value by value, from the settings' own
# table, the Windows layer checks it (SettingsRegistry.AFirstRunStoresTheCompleteDefaultSet).
[ "$(stored_value Arrangement)" = 0x2 ] || fail "the first run stored no settings"
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
