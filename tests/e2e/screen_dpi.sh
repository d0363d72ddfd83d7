#!/usr/bin/env bash
# The saver on a screen of a given DPI (Windows' scaling: 96 is 100 %, 144 is 150 %, 192 is
# 200 %), full screen at 1920 x 1080. Wine has one DPI for all monitors, its prefix's
# "LogPixels", read when Wine starts; this test sets it in a prefix of its own.
#
#   screen_dpi.sh [--prefix DIR] [SCR] DPI planet-view|settings-dialog
#
# planet-view: the planet view of Jupiter. The name above the planet is drawn many times
# larger than the screen texts, yet its letters have sharp edges, and it covers the same
# share of the screen at every DPI. The information panel's five lines lie one line
# spacing apart (25 pixels at 96 dpi, grown with the DPI), each clear of the next; the
# spacing found tells the DPI the saver drew for.
#
# With the slowest camera the eye passes its farthest point from the planet 22 s after
# the start, where the name's size hardly changes from one moment to the next and the
# panel shows all five lines; the screenshot is taken then. The name is found as the
# large white shapes above the planet (stars are small); its sharpness is the share of
# its pixels that are neither text nor background, on the image of each pixel's smallest
# channel (the planet and its halo are orange, so only white counts). The panel's lines
# are the bands of rows holding its yellow.
#
# settings-dialog: the settings dialog grows with the DPI, and its space picture grows
# with it to fill its control instead of keeping its size at 96 dpi; the Display
# Settings dialog opens from it with its buttons inside it.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
unset DISPLAY  # a display of its own, the size of today's common screens
export XVFB_SCREENS="-screen 0 1920x1080x24"
CELESTRA_WINEPREFIX="${CELESTRA_WINEPREFIX}-dpi"
session_begin "$@"
dpi=${session_args[0]:-}
scenario=${session_args[1]:-}
case "$dpi" in '' | *[!0-9]*) fail "usage: screen_dpi.sh DPI planet-view|settings-dialog" ;; esac
key='HKCU\Software\Nebulart\Screensavers\Celestra'

wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
echo "screen $(screen_size) at $dpi dpi ($((dpi * 100 / 96)) %)"

# Rows (top height) of the bands of screenshot $1 within geometry $2 in which the
# ImageMagick expression $3 holds for some pixel, one band a line.
bands() {
  local height=${2#*x}
  height=${height%%+*}
  convert "$1" -crop "$2" +repage -fx "$3 ? 1 : 0" -scale "1x${height}!" -depth 16 txt:- |
    awk -F'[,:() ]+' 'NR > 1 {
         on = $3 > 0
         if (on && !inside) top = $2
         if (!on && inside) print top, $2 - top
         inside = on
       }
       END { if (inside) print top, $2 + 1 - top }'
}

# True when the rectangle $1 (WxH+X+Y) lies within $2.
inside() {
  echo "$1 $2" | tr 'x+' '  ' |
    awk '{ exit !($3 >= $7 && $4 >= $8 && $3 + $1 <= $7 + $5 && $4 + $2 <= $8 + $6) }'
}

# The box of the name above the planet in screenshot $1, and its number of letters: the
# white shapes of more than 300 pixels (the dot of the i and the stars are smaller), in
# the coordinates of the area above the planet.
name_box() {
  # The white of the area: each pixel's smallest channel.
  local area=800x300+560+250
  convert "$1" -crop "$area" +repage -fx "min(r, min(g, b))" -colorspace gray "$e2e_work/white.png"
  convert "$e2e_work/white.png" -threshold 50% -define connected-components:verbose=true \
    -define connected-components:area-threshold=300 -connected-components 8 null: |
    awk '$NF == "gray(255)" {
           split($2, g, /[x+]/); l = g[3]; t = g[4]; r = l + g[1]; b = t + g[2]; n++
           if (n == 1 || l < L) L = l; if (n == 1 || t < T) T = t
           if (n == 1 || r > R) R = r; if (n == 1 || b > B) B = b
         }
         END { if (n > 0) printf "%dx%d+%d+%d %d\n", R - L, B - T, L, T, n }'
}

planet_view() {
  wine reg delete "$key" /f >/dev/null 2>&1 || true
  for setting in "Arrangement=2" "Audio=0" "Camera Settings=5" "Planet to View=5" "Names=1" \
                 "Speed of Camera=0"; do
    wine reg add "$key" /v "${setting%%=*}" /t REG_DWORD /d "${setting#*=}" /f >/dev/null
  done

  start_saver /s
  wait_for_window "Celestra Screensaver" >/dev/null
  sleep 21
  saver_running || fail "the saver ended by itself"
  # A screenshot may catch the screen as a frame is being put on it, so a shot that
  # shows no whole name is followed by up to two more, a second apart (the eye barely
  # moves meanwhile); the last is kept beside the test's output.
  local shot box geometry letters width height try
  for try in 1 2 3; do
    shot=$(screenshot "planet-view-${dpi}dpi")
    box=$(name_box "$shot")
    read -r geometry letters <<<"${box:-none 0}"
    [ "$letters" -lt 6 ] || break
    echo "shot ${try}: ${letters} large white shapes above the planet, not a name"
    cp "$shot" "$PWD/planet-view-${dpi}dpi-no-name.png" 2>/dev/null || true
    sleep 1
  done
  xdotool key space
  wait_for_exit 15

  [ "$letters" -ge 6 ] || fail "no name of six large letters above the planet (${letters})"
  read -r width height < <(echo "$geometry" | awk -F'[x+]' '{print $1, $2}')
  # The name's share of the screen at 96 dpi is 193 x 51 of 1920 x 1080 at this moment;
  # at every DPI within 5 % of it.
  awk -v w="$width" -v h="$height" -v d="$dpi" 'BEGIN {
    printf "name: %dx%d pixels, %.2f %% of the screen'"'"'s width and %.2f %% of its height;", w, h, 100 * w / 1920, 100 * h / 1080
    printf " %.3f of its size at 96 dpi\n", (w * h) / (193 * 51) }'
  [ "$width" -ge 188 ] && [ "$width" -le 198 ] || fail "the name is ${width} pixels wide, not about 193"
  [ "$height" -ge 46 ] && [ "$height" -le 56 ] || fail "the name is ${height} pixels high, not about 51"
  [ $((width * height * 100)) -ge $((193 * 51 * 95)) ] && [ $((width * height * 100)) -le $((193 * 51 * 105)) ] ||
    fail "the name covers ${width}x${height} pixels, not within 5 % of 193 x 51"

  # Sharp edges: few pixels between the text's white and the background.
  local share text ratio
  share=$(convert "$e2e_work/white.png" -crop "$geometry" +repage \
    -fx "(u > 0.15 && u < 0.85) ? 1 : 0" -format "%[fx:mean]" info:)
  text=$(convert "$e2e_work/white.png" -crop "$geometry" +repage -fx "u > 0.15 ? 1 : 0" -format "%[fx:mean]" info:)
  ratio=$(awk -v s="$share" -v t="$text" 'BEGIN { printf "%.3f", (t > 0) ? s / t : 1 }')
  echo "name: edge pixels ${ratio} of its pixels"
  awk -v r="$ratio" 'BEGIN { exit !(r <= 0.25) }' || fail "blurred name: ${ratio} of its pixels are edge grey"

  # The panel: five bands of yellow rows, one spacing apart, each clear of the next. Its
  # top line lies five spacings above 95 % of the height.
  local spacing top lines
  spacing=$(awk -v d="$dpi" 'BEGIN { printf "%d", 25 * d / 96 + 0.5 }')
  top=$((1080 * 95 / 100 - 6 * spacing))
  lines=$(bands "$shot" "1200x$((7 * spacing))+0+${top}" "r > 0.6 && g > 0.6 && b < 0.35")
  echo "panel: lines (top height, from row ${top}): $(echo "$lines" | paste -sd';' -)"
  [ "$(echo "$lines" | grep -c .)" -eq 5 ] || fail "the panel's lines make $(echo "$lines" | grep -c .) bands, not 5"
  echo "$lines" | awk -v s="$spacing" -v d="$dpi" '
    NR > 1 {
      pitch = $1 - top; gap = $1 - (top + height)
      if (pitch < s - 1 || pitch > s + 1) { printf "FAIL: lines %d pixels apart, not %d\n", pitch, s; bad = 1 }
      if (gap < 1) { printf "FAIL: line %d runs into the one above it\n", NR; bad = 1 }
      if (NR == 2 || gap < least) least = gap
    }
    { top = $1; height = $2 }
    END {
      if (!bad) printf "panel: five lines %d pixels apart, at least %d clear rows between them: the saver drew for %d dpi\n", s, least, d
      exit bad
    }' || fail "the panel's lines are not apart"
}

settings_dialog() {
  local title="Celestra Screensaver settings" area shot picture
  start_saver /c
  wait_for_window "$title" >/dev/null
  sleep 1
  area=$(helper area "$title" 1036)
  shot=$(screenshot "settings-dialog-${dpi}dpi")
  # The Display Settings dialog opens from it, its buttons inside it.
  helper click "$title" 1006 || fail "cannot open Display Settings"
  local window dialog button
  window=$(wait_for_window "Display Settings")
  dialog=$(window_geometry "$window")
  screenshot "display-settings-${dpi}dpi" >/dev/null
  for button in 1 2; do
    inside "$(helper area "Display Settings" "$button")" "$dialog" ||
      fail "button $button of Display Settings lies outside the dialog ($dialog)"
  done
  echo "Display Settings: ${dialog%%+*}, its buttons inside it"
  helper click "Display Settings" 2 || fail "cannot cancel Display Settings"
  helper click "$title" 2 || fail "cannot cancel the dialog"
  wait_for_exit 10
  # The picture is dark space; the control's empty rest is the dialog's light face.
  picture=$(convert "$shot" -crop "$area" +repage -colorspace gray -threshold 45% -negate -format "%@" info:)
  echo "space picture: ${picture%%+*} pixels in its control of ${area%%+*}"
  read -r pw ph cw ch < <(echo "${picture%%+*} ${area%%+*}" | tr 'x' ' ')
  # The control grows with the dialog's font, not quite in proportion to the DPI, and
  # not in the picture's own shape: the picture keeps its shape and fills the control in
  # the direction that limits it.
  awk -v pw="$pw" -v ph="$ph" -v cw="$cw" -v ch="$ch" 'BEGIN {
    fill = (pw / cw > ph / ch) ? pw / cw : ph / ch
    shape = (pw / ph) / (267 / 167)
    printf "space picture: fills %.0f %% of its control, %.2f times its width at 96 dpi\n", 100 * fill, pw / 267
    exit !(fill >= 0.95 && shape > 0.97 && shape < 1.03)
  }' || fail "the picture (${pw}x${ph}) does not fill its control (${cw}x${ch}) in its own shape"
  [ $((pw * 96 * 10)) -ge $((267 * dpi * 8)) ] || fail "the picture is ${pw} pixels wide, far less than $((267 * dpi / 96))"
}

case "$scenario" in
  planet-view) planet_view ;;
  settings-dialog) settings_dialog ;;
  *) fail "unknown scenario $scenario" ;;
esac
