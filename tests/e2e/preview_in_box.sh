#!/usr/bin/env bash
# The preview as a user first sees it: ssaver.scr /p inside the 152 x 112 box of a larger
# window, as the Screen Saver settings host it (e2e_helper preview SAVER box). Within a
# few seconds the box shows the scene: the two title words, stars, the Sun's glow at its
# centre; the window around the box shows none of it. Closing the window then ends the
# saver, as in the other preview tests.
#
# The installed Wine shows no child window's Direct3D picture, so this runs under a
# private copy whose X11 driver does (lib/child_window_wine.sh), kept in the build tree
# beside e2e_helper.exe. Where that copy cannot be made (another Wine build), the test
# says why and counts as skipped.
set -euo pipefail
. "$(dirname "$0")/lib/saver_session.sh"
. "$(dirname "$0")/lib/child_window_wine.sh"
[ -f "${E2E_HELPER:-}" ] || fail "E2E_HELPER does not name e2e_helper.exe"
private_wine="$(dirname "$E2E_HELPER")/child-window-wine"
if ! reason=$(make_child_window_wine "$private_wine" "$CELESTRA_WINDOWS_BUILD"); then
  echo "SKIPPED, THE PREVIEW'S PICTURE WAS NOT CHECKED: no Wine that shows child windows" \
    "could be made: $reason"
  exit 77
fi
session_begin "$@"
export PATH="$private_wine/bin:$PATH"
# What the host found (the preview's end, or why it failed) goes to the log in any case.
trap 'tr -d "\r" <"$e2e_work/host.log" 2>/dev/null || true; session_end' EXIT

started=$(date +%s%N)
elapsed_ms() { echo $((($(date +%s%N) - started) / 1000000)); }

# The host runs until it is closed below; as saver_pid, a failed check stops it. Its
# log exists before it starts, to be read at once.
: >"$e2e_work/host.log"
wine "$E2E_HELPER" preview "$SAVER" box >>"$e2e_work/host.log" 2>&1 &
saver_pid=$!
box=""
for _ in $(seq 1 150); do
  box=$(tr -d '\r' <"$e2e_work/host.log" | awk '$1 == "box" {print $2}')
  [ -n "$box" ] && break
  saver_running || fail "the host ended before it showed its box"
  sleep 0.2
done
[ -n "$box" ] || fail "the host showed no box"
read -r bw bh bx by < <(echo "$box" | tr 'x+' '  ')
[ "${bw}x${bh}" = 152x112 ] || fail "the box is $box, not 152 x 112"

visible='r + g + b > 0.5'
dark_sky='r + g + b < 0.3'
warm='r > 0.55 && g > 0.35 && b < 0.6 * r'
not_light='r + g + b < 1.5'
light_grey='min(r, min(g, b)) > 0.4 && max(r, max(g, b)) - min(r, min(g, b)) < 0.15'

# A region given relative to the box (left top width height) as screen geometry.
region() {
  echo "${3}x${4}+$((bx + $1))+$((by + $2))"
}

# The checks of one screenshot; prints what it found and succeeds when all hold. Most of
# the box is dark sky; stars are the lit specks of its strips above and below the words
# (a box left light, as the window around it, has no sky). The Sun is where every
# camera of the preview looks: its warm glow is at the centre. The window's light
# background around the box stays without a dark pixel. The words, read last (reading
# is slow on a busy machine), are read from the title's light grey alone.
scene_in_box() {
  local shot=$1 words="" sky stars glow spill=0 strip
  sky=$(count_pixels "$shot" "$box" "$dark_sky")
  stars=$(($(count_pixels "$shot" "$(region 0 0 152 22)" "$visible") +
    $(count_pixels "$shot" "$(region 0 90 152 22)" "$visible")))
  glow=$(count_pixels "$shot" "$(region 70 50 12 12)" "$warm")
  for strip in "-6 -6 164 6" "-6 112 164 6" "-6 0 6 112" "152 0 6 112"; do
    # shellcheck disable=SC2086
    spill=$((spill + $(count_pixels "$shot" "$(region $strip)" "$not_light")))
  done
  if [ "$sky" -ge $((bw * bh / 2)) ] && [ "$stars" -ge 10 ] && [ "$glow" -ge 3 ] &&
    [ "$spill" -eq 0 ]; then
    convert "$shot" -crop "$box" +repage -fx "$light_grey ? 0 : 1" -scale 400% "$e2e_work/words.png"
    words=$(OMP_THREAD_LIMIT=1 tesseract "$e2e_work/words.png" - 2>/dev/null |
      tr -cd '[:alpha:]' | tr '[:upper:]' '[:lower:]')
  fi
  echo "$sky sky pixels, $stars star pixels, $glow glow pixels," \
    "$spill dark pixels around the box, words \"$words\""
  [[ "$words" == *nebulart*celestra* ]]
}

# Looks until the scene shows, for a minute at most: the saver starts Direct3D half a
# second after its window, then makes its textures, which takes seconds on a busy machine.
shown=""
attempt=0
while [ -z "$shown" ] && [ "$(elapsed_ms)" -lt 60000 ]; do
  saver_running || fail "the host ended while the box was watched"
  attempt=$((attempt + 1))
  if found=$(scene_in_box "$(screenshot "box-$attempt")"); then
    shown=$(elapsed_ms)
  fi
done
[ -n "$shown" ] || fail "the box did not show the scene within 60 s; last look: $found"
echo "the box showed the scene $shown ms after the host started: $found"

helper close "Preview host"
wait_for_exit 20
