#!/usr/bin/env bash
# Full screen at 1920 x 1080 in the planet view of Jupiter: the name above the planet is
# drawn many times larger than the screen texts, yet its letters have sharp edges, and
# it keeps the size it has always had.
#
# With the slowest camera the eye passes its farthest point from the planet 22 s after
# the start, where the name's size hardly changes from one moment to the next; the
# screenshot is taken then. The name is found as the large white shapes above the planet
# (stars are small); its sharpness is the share of its pixels that are neither text nor
# background, on the image of each pixel's smallest channel (the planet and its halo are
# orange, so only white counts).
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/saver_session.sh"
unset DISPLAY  # a display of its own, the size of today's common screens
export XVFB_SCREENS="-screen 0 1920x1080x24"
session_begin "$@"
key='HKCU\Software\Nebulart\Screensavers\Celestra'

wine reg delete "$key" /f >/dev/null 2>&1 || true
for setting in "Arrangement=2" "Audio=0" "Camera Settings=5" "Planet to View=5" "Names=1" \
               "Speed of Camera=0"; do
  wine reg add "$key" /v "${setting%%=*}" /t REG_DWORD /d "${setting#*=}" /f >/dev/null
done

start_saver /s
wait_for_window "Celestra Screensaver" >/dev/null
sleep 21
saver_running || fail "the saver ended by itself"
shot=$(screenshot sharp-name-1080p)
xdotool key space
wait_for_exit 15

# The white of the area above the planet: each pixel's smallest channel.
area=800x300+560+250
convert "$shot" -crop "$area" +repage -fx "min(r, min(g, b))" -colorspace gray "$e2e_work/white.png"

# Letters are the white shapes of more than 300 pixels (the dot of the i and the stars
# are smaller); their union is the name's box, in the area's coordinates.
box=$(convert "$e2e_work/white.png" -threshold 50% -define connected-components:verbose=true \
  -define connected-components:area-threshold=300 -connected-components 8 null: |
  awk '$NF == "gray(255)" {
         split($2, g, /[x+]/); l = g[3]; t = g[4]; r = l + g[1]; b = t + g[2]; n++
         if (n == 1 || l < L) L = l; if (n == 1 || t < T) T = t
         if (n == 1 || r > R) R = r; if (n == 1 || b > B) B = b
       }
       END { if (n > 0) printf "%dx%d+%d+%d %d\n", R - L, B - T, L, T, n }')
read -r geometry letters <<<"${box:-none 0}"
echo "name: ${letters} letters in ${geometry}"
[ "$letters" -ge 6 ] || fail "no name of six large letters above the planet (${letters})"
read -r width height < <(echo "$geometry" | awk -F'[x+]' '{print $1, $2}')

# The size the name has always had at this moment, within a few pixels.
[ "$width" -ge 188 ] && [ "$width" -le 198 ] || fail "the name is ${width} pixels wide, not about 193"
[ "$height" -ge 46 ] && [ "$height" -le 56 ] || fail "the name is ${height} pixels high, not about 51"

# Sharp edges: few pixels between the text's white and the background.
share=$(convert "$e2e_work/white.png" -crop "$geometry" +repage \
  -fx "(u > 0.15 && u < 0.85) ? 1 : 0" -format "%[fx:mean]" info:)
text=$(convert "$e2e_work/white.png" -crop "$geometry" +repage -fx "u > 0.15 ? 1 : 0" -format "%[fx:mean]" info:)
ratio=$(awk -v s="$share" -v t="$text" 'BEGIN { printf "%.3f", (t > 0) ? s / t : 1 }')
echo "edge pixels: ${ratio} of the name's pixels"
awk -v r="$ratio" 'BEGIN { exit !(r <= 0.25) }' || fail "blurred name: ${ratio} of its pixels are edge grey"
