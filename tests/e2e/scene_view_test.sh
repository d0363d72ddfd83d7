#!/usr/bin/env bash
# The scene as a user sees it, measured on screenshots of ssaver.scr with chosen
# settings. Each check holds at any moment of the animation: cameras 0 to 4 look at the
# Sun, so its glow sits at the centre; the planet view keeps its planet at the centre;
# names, the panel and the frame rate are found by comparing regions, not by timing.
#
#   scene_view_test.sh [--prefix DIR] SCR sun-glow|planet-view|names|smooth-lines|full-screen
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
. "$e2e_root/scripts/lib/line-smoothness.sh"
session_begin "$@"
scenario=${session_args[0]:-}
key='HKCU\Software\Nebulart\Screensavers\Celestra'

# Settings for the next run: NAME=NUMBER pairs on top of the defaults, no music. The
# saver reads stored settings only when "Arrangement" is among them.
choose_settings() {
  wine reg delete "$key" /f >/dev/null 2>&1 || true
  local setting
  for setting in "Arrangement=2" "Audio=0" "$@"; do
    wine reg add "$key" /v "${setting%%=*}" /t REG_DWORD /d "${setting#*=}" /f >/dev/null ||
      fail "could not store $setting"
  done
}

# Starts the test window, waits $1 seconds and sets cw, ch, cx, cy to its client area.
run_test_window() {
  start_saver /t
  wait_for_window "Celestra Screensaver" >/dev/null
  local geometry
  geometry=$(client_geometry "Celestra Screensaver")
  read -r cw ch cx cy < <(echo "$geometry" | tr 'x+' '  ')
  sleep "$1"
  saver_running || fail "the saver ended by itself"
}

close_test_window() {
  helper close "Celestra Screensaver"
  wait_for_exit 15
}

# A region given relative to the client area (left top width height) as screen geometry.
region() {
  echo "${3}x${4}+$((cx + $1))+$((cy + $2))"
}

bright='r > 0.8 && g > 0.7'
white='r > 0.9 && g > 0.9 && b > 0.9'
yellow='r > 0.6 && g > 0.6 && b < 0.35'
lit='r + g + b > 0.25'
visible='r + g + b > 0.5'

expect_at_least() {
  [ "$1" -ge "$2" ] || fail "$3: $1 pixels, expected at least $2"
  echo "$3: $1 pixels"
}

expect_at_most() {
  [ "$1" -le "$2" ] || fail "$3: $1 pixels, expected at most $2"
  echo "$3: $1 pixels"
}

# The centre of the picture is a lit planet, not the Sun's white and yellow glow.
expect_planet_at_centre() {
  local centre
  centre=$(region $((cw / 2 - 10)) $((ch / 2 - 10)) 20 20)
  expect_at_least "$(count_pixels "$1" "$centre" "$lit")" 360 "lit $2 in the central 20 x 20"
  expect_at_most "$(count_pixels "$1" "$centre" "$bright")" 40 "glow-bright pixels in the central 20 x 20"
}

case "$scenario" in
  sun-glow)
    # Cameras 0 to 4 look at the Sun. The static camera sees its glow large, white and
    # yellow at the centre, with stars scattered over the black elsewhere; the elliptic
    # camera, early on far out, still shows its bright core there.
    choose_settings "Camera Settings=0" "Stars=1"
    run_test_window 3
    shot=$(screenshot sun-glow-static)
    glow=$(count_pixels "$shot" "$(region $((cw / 2 - 10)) $((ch / 2 - 10)) 20 20)" "$bright")
    expect_at_least "$glow" 120 "bright glow in the central 20 x 20"
    # The corners show the sky: stars, but nothing as bright as the glow over any area
    # (the denser sky's haze and a passing planet are not that bright).
    stars=0
    glare=0
    for corner in "0 0" "$((cw - 150)) 0" "0 $((ch - 100))" "$((cw - 150)) $((ch - 100))"; do
      read -r left top <<<"$corner"
      area=$(region "$left" "$top" 150 100)
      stars=$((stars + $(count_pixels "$shot" "$area" "$visible")))
      glare=$((glare + $(count_pixels "$shot" "$area" "$bright")))
    done
    expect_at_least "$stars" 8 "stars in the four 150 x 100 corners"
    expect_at_most "$glare" 3000 "glow-bright pixels in the four corners"
    close_test_window

    choose_settings "Camera Settings=2"
    run_test_window 3
    shot=$(screenshot sun-glow-elliptic)
    core=$(count_pixels "$shot" "$(region $((cw / 2 - 10)) $((ch / 2 - 10)) 20 20)" "$bright")
    expect_at_least "$core" 8 "bright core of the far glow in the central 20 x 20"
    close_test_window
    ;;
  planet-view)
    # The planet view of Jupiter: the lit planet at the centre, the panel typing its
    # lines in yellow at the bottom left, the frame rate in the top-left corner.
    choose_settings "Camera Settings=5" "Planet to View=5" "FPS=1"
    run_test_window 10
    shot=$(screenshot planet-view)
    expect_planet_at_centre "$shot" Jupiter
    panel_top=$((ch * 95 / 100 - 140))
    panel=$(count_pixels "$shot" "$(region $((cw / 50)) "$panel_top" $((cw / 2)) 60)" "$yellow")
    expect_at_least "$panel" 150 "yellow panel text of the first two lines"
    below=$(count_pixels "$shot" "$(region $((cw / 50)) $((ch * 95 / 100 + 5)) $((cw / 2)) 15)" "$yellow")
    expect_at_most "$below" 5 "yellow below the panel"
    rate=$(count_pixels "$shot" "$(region 0 0 80 16)" "$yellow")
    expect_at_least "$rate" 40 "yellow frame rate in the top-left corner"
    close_test_window
    ;;
  names)
    # The viewed planet's name stands just above it when "Names" is on, and nothing
    # white is there when it is off.
    label_area() { region $((cw / 2 - 70)) $((ch / 2 - 90)) 140 80; }
    choose_settings "Camera Settings=5" "Planet to View=5" "Names=1"
    run_test_window 4
    with=$(count_pixels "$(screenshot names-on)" "$(label_area)" "$white")
    close_test_window
    choose_settings "Camera Settings=5" "Planet to View=5" "Names=0"
    run_test_window 4
    without=$(count_pixels "$(screenshot names-off)" "$(label_area)" "$white")
    close_test_window
    expect_at_least "$with" 40 "white name above the planet with Names on"
    expect_at_most "$without" $((with / 3)) "white above the planet with Names off"
    ;;
  smooth-lines)
    # The orbits are drawn smooth: most of their pixels hold only part of a line, blended
    # with the sky, where lines drawn a pixel wide without smoothing are all of them full
    # (under 1 % of them partial in this measure, on a screenshot of such lines).
    choose_settings "Camera Settings=2" "Trajectories=1"
    run_test_window 3
    # A busy machine may take a while for the first frames.
    for _ in $(seq 1 10); do
      read -r part full < <(orbit_pixel_counts "$(screenshot smooth-lines)" "$(region 0 0 "$cw" "$ch")")
      [ $((part + full)) -lt 400 ] || break
      sleep 2
    done
    expect_at_least $((part + full)) 400 "orbit pixels"
    share=$((part * 100 / (part + full)))
    [ "$share" -ge 25 ] || fail "only $share % of the orbit pixels hold part of a line, expected at least 25 %"
    echo "$share % of the orbit pixels hold part of a line"
    close_test_window
    ;;
  full-screen)
    # Full screen over the whole display: the planet of the planet view at its centre.
    choose_settings "Camera Settings=5" "Planet to View=4" "Names=1" "Trajectories=1" "Distances=1"
    start_saver /s
    window=$(wait_for_window "Celestra Screensaver")
    read -r cw ch cx cy < <(window_geometry "$window" | tr 'x+' '  ')
    sleep 4
    saver_running || fail "the saver ended by itself"
    shot=$(screenshot full-screen)
    expect_planet_at_centre "$shot" Saturn
    xdotool key space
    wait_for_exit 15
    ;;
  *)
    fail "unknown scenario $scenario"
    ;;
esac
