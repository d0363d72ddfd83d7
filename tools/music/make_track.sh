#!/usr/bin/env bash
# Composes the saver's own music, "Celestra Ambient", from nothing but SoX's synthesiser
# and encodes it as MP3 with LAME: slow pad chords over a quiet wind, with a few bell
# notes on each chord. Three minutes, silent at both ends, so that the player's restart
# at the end of the track (the saver loops it) makes no click.
#
#   tools/music/make_track.sh OUTPUT.mp3
#
# The same SoX and LAME give the same bytes every time: SoX runs in its repeatable mode
# (-R: fixed seeds for the noise and dither), and LAME writes no time of its own.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTPUT.mp3" >&2
  exit 2
fi
output=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/celestra-music.XXXXXX")
trap 'rm -rf "$work"' EXIT

rate=44100
step=15       # seconds from one chord to the next
chord_len=21  # each chord overlaps the next by six seconds
length=180    # the whole track
sox_n() { sox -R -V1 "$@"; }

# A progression in D minor, one chord per line: the pad's notes (as offsets in
# semitones from A4 for SoX's "%N" notation) | three bell notes over it.
chords=(
  "-19 -12 -7 -4|3 7 12"      # Dm
  "-23 -16 -11 -7|0 3 7"      # Bb
  "-26 -14 -9 -5|-2 3 10"     # F
  "-22 -15 -10 -7|2 5 10"     # C
  "-19 -12 -7 -4|7 5 3"       # Dm
  "-24 -12 -8 -5|3 0 -2"      # A
  "-23 -16 -11 -7|7 10 14"    # Bb
  "-28 -16 -12 -9|12 10 7"    # C/E
  "-19 -12 -7 -4|5 3 0"       # Dm
  "-26 -14 -9 -5|3 5 10"      # F
  "-22 -15 -10 -7|7 5 2"      # C
  "-24 -12 -8 -5|0 -2 -5"     # A, leading back to the start
)

segments=()
for i in "${!chords[@]}"; do
  IFS='|' read -r pad bells <<<"${chords[$i]}"
  synth=()
  for note in $pad; do
    # Each note twice, a few cents apart: the slow beating makes it breathe.
    synth+=(sine "%$note" sine "%$note.07")
  done
  sox_n -r "$rate" -n "$work/pad$i.wav" synth "$chord_len" "${synth[@]}" \
    remix - lowpass 1800 tremolo 0.11 18 fade q 6 "$chord_len" 6 gain -n -12
  bell=()
  for note in $bells; do
    bell+=(sine "%$note")
  done
  # One channel per bell, struck 2.5 s apart from the fourth second, then mixed down.
  sox_n -r "$rate" -n "$work/bell$i.wav" synth 6 "${bell[@]}" fade p 0.02 6 5.9 \
    delay 4 6.5 9 remix - pad 0 2 gain -n -20
  sox_n -m "$work/pad$i.wav" "$work/bell$i.wav" "$work/chord$i.wav" \
    trim 0 "$chord_len" pad "$((i * step))" 0
  segments+=("$work/chord$i.wav")
done

# The wind: brown noise, filtered low and swelling slowly.
sox_n -r "$rate" -n "$work/wind.wav" synth "$length" brownnoise \
  lowpass 500 tremolo 0.05 60 gain -n -30

sox_n -m "${segments[@]}" "$work/wind.wav" "$work/mix.wav" \
  trim 0 "$length" channels 2 reverb 60 50 90 100 20 gain -n -3 fade q 4 "$length" 8

lame --quiet --noreplaygain -V 5 --tt "Celestra Ambient" --ta "Nebulart" \
  --tl "Celestra Screensaver" --tc "Made with SoX for Celestra" \
  "$work/mix.wav" "$work/track.mp3"
mv "$work/track.mp3" "$output"
