#!/usr/bin/env bash
# tools/music/make_track.sh: the same tools make the same bytes twice; the track is an
# MP3 of two to four minutes, audible, and silent at both ends so that the saver's
# restart at the end of the track makes no click.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$root/tools/music/make_track.sh" "$work/first.mp3"
"$root/tools/music/make_track.sh" "$work/second.mp3"
cmp -s "$work/first.mp3" "$work/second.mp3" || fail "two runs made different files"
[ "$(head -c 3 "$work/first.mp3")" = ID3 ] || fail "no ID3 tag at the start of the MP3"

lame --quiet --decode "$work/first.mp3" "$work/track.wav"
seconds=$(soxi -D "$work/track.wav")
awk -v s="$seconds" 'BEGIN { exit !(s >= 120 && s <= 240) }' || fail "$seconds s long"

# Peak level in dB of the whole track, or of its first or last 50 ms.
peak() {
  sox "$work/track.wav" -n "$@" stats 2>&1 | awk '/^Pk lev dB/ { print $4 }'
}
below() {
  awk -v level="$1" -v limit="$2" 'BEGIN { exit !(level == "-inf" || level < limit) }'
}
start=$(peak trim 0 0.05)
end=$(peak reverse trim 0 0.05)
whole=$(peak)
below "$start" -50 || fail "the track starts at $start dB"
below "$end" -50 || fail "the track ends at $end dB"
below "$whole" -12 && fail "the track peaks at only $whole dB"
echo "OK ${seconds} s, peak $whole dB, ends at $start and $end dB, reproducible"
