#!/usr/bin/env bash
# Builds the screensaver and writes a small gallery of screenshots into
# build/screenshots/: the camera modes, the four arrangements, the overlays and the
# planet view with its information panel, each in the test window, full-screen runs
# (at 100 % and 200 % scaling too) and the settings dialog. Every shot starts from the
# default settings plus its own.
#
#   scripts/gallery.sh [NAME...]     only the named shots (see the list below)
#   scripts/gallery.sh --docs        renew the README's pictures in docs/screenshots/
#   scripts/gallery.sh --dpi         renew the pictures of docs/dpi.md in docs/dpi/: the
#                                    planet view on today's three shapes of screen at
#                                    96 and 192 dpi, the stars at 1:1 on 3840 x 2160, a
#                                    distant planet over 60 frames with and without
#                                    mipmaps, and close-ups of the lines and of the
#                                    viewed planet's outline, now and before
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=build/screenshots
docs=docs/screenshots
dpi_docs=docs/dpi

# The README's pictures: small JPEGs of the scene, a PNG of the dialog's crisp text.
docs_shots=(static-camera elliptic-names-distances planet-view-saturn full-screen-elliptic settings-dialog
            planet-view-96dpi planet-view-192dpi todays-sky)

# The planet view of Jupiter with the slowest camera, near the eye's farthest point.
jupiter="Camera Settings=5,Planet to View=5,Names=1,Speed of Camera=0"

# name | seconds before the shot | --mode | settings (NAME=NUMBER, comma-separated) |
# more options of scripts/show.sh (the screen's DPI and size)
shots=(
  "static-camera|5|t|Camera Settings=0,Names=1,Trajectories=1|"
  "around-real-orbits|6|t|Camera Settings=1,Arrangement=0,Trajectories=1|"
  "elliptic-names-distances|6|t|Camera Settings=2,Names=1,Distances=1,Trajectories=1|"
  "chaotic-more-stars|8|t|Camera Settings=3,Arrangement=1,Stars=1|"
  "panoramic-ambient|6|t|Camera Settings=4,Ambient=1,Trajectories=1,FPS=1|"
  "planet-view-saturn|14|t|Camera Settings=5,Planet to View=4,Names=1,Trajectories=1,FPS=1|"
  "planet-view-earth|20|t|Camera Settings=5,Planet to View=7,Arrangement=0,Distances=1,Names=1|"
  "full-screen-elliptic|6|s|Camera Settings=2,Names=1,Trajectories=1,Distances=1|"
  "settings-dialog|4|c|Camera Settings=5,Planet to View=4,Trajectories=1,Names=1|"
  "planet-view-96dpi|22|s|$jupiter|--dpi 96 --screen 1920x1080"
  "planet-view-192dpi|22|s|$jupiter|--dpi 192 --screen 1920x1080"
  "todays-sky|12|s|Arrangement=3,Camera Settings=2,Names=1,Trajectories=1,Distances=1|--screen 1920x1080"
)

# The shapes of screen of docs/dpi.md; a full-screen frame there takes a while.
for screen in 3840x2160 3440x1440 1080x1920; do
  for dpi in 96 192; do
    shots+=("shape-$screen-${dpi}dpi|40|s|$jupiter,Trajectories=1,FPS=1|--dpi $dpi --screen $screen")
  done
done
dpi_shots=(shape-3840x2160-96dpi shape-3840x2160-192dpi shape-3440x1440-96dpi shape-3440x1440-192dpi
           shape-1080x1920-96dpi shape-1080x1920-192dpi)

wanted() {
  [ $# -eq 0 ] && return 0
  local name
  for name in "${@:2}"; do
    [ "$name" = "$1" ] && return 0
  done
  return 1
}

target=""
if [ "${1:-}" = "--docs" ]; then
  target=docs
  set -- "${docs_shots[@]}"
elif [ "${1:-}" = "--dpi" ]; then
  target=dpi
  set -- "${dpi_shots[@]}"
fi

. scripts/lib/windows-build.sh
scripts/install-deps.sh
cmake --preset "$windows_preset" >/dev/null
cmake --build --preset "$windows_preset" --target ssaver
mkdir -p "$out"

for shot in "${shots[@]}"; do
  IFS='|' read -r name after mode settings options <<<"$shot"
  if [ $# -gt 0 ] && ! wanted "$name" "$@"; then
    continue
  fi
  args=(--no-build --reset --mode "$mode" --after "$after" --screenshot "$out/$name.png")
  # The scene's runs stay quiet; the dialog shows the music on, as it is by default.
  [ "$mode" = c ] || args+=(--set "Audio=0")
  IFS=',' read -r -a pairs <<<"$settings"
  for pair in "${pairs[@]}"; do
    args+=(--set "$pair")
  done
  read -r -a more <<<"$options"
  echo "== $name: $settings ${options}"
  scripts/show.sh "${args[@]}" "${more[@]}"
done
echo "Screenshots in $out/"

if [ "$target" = docs ]; then
  mkdir -p "$docs"
  rm -f "$docs"/*.jpg "$docs"/*.png
  for name in "${docs_shots[@]}"; do
    if [ "$name" = settings-dialog ]; then
      convert "$out/$name.png" -strip -colors 256 "PNG8:$docs/$name.png"
    else
      convert "$out/$name.png" -strip -resize '800x600>' -quality 82 "$docs/$name.jpg"
    fi
  done
  du -ch "$docs"/* | tail -n 1
  echo "README pictures in $docs/"
fi

if [ "$target" = dpi ]; then
  mkdir -p "$dpi_docs"
  rm -f "$dpi_docs"/*.jpg "$dpi_docs"/*.png
  for name in "${dpi_shots[@]}"; do
    convert "$out/$name.png" -strip -resize '800x800>' -quality 72 "$dpi_docs/$name.jpg"
  done
  # The stars and texts at their own size: a part of the 4K screen, 1:1.
  convert "$out/shape-3840x2160-96dpi.png" -crop 960x540+1440+560 +repage -strip -quality 80 \
    "$dpi_docs/stars-3840x2160-1to1.jpg"
  # A distant planet, the Earth seen from Jupiter at 1920 x 1080, frame by frame.
  cmake --build --preset "$windows_preset" --target distant_planet_strip
  strip_prefix="$PWD/$windows_build_dir/gallery-prefix"
  strip_out="Z:$(echo "$PWD/$out/earth" | tr / '\\')"  # Wine maps the Unix root to Z:
  XVFB_SCREENS="-screen 0 1920x1080x24" scripts/wine-run.sh --prefix "$strip_prefix" \
    "$windows_build_dir/tests/windows/distant_planet_strip.exe" 1920 1080 60 7 "$strip_out" |
    tee "$out/earth-strip.txt"
  # Each frame's middle, the name over the planet, at twice its size, ten to a row.
  for variant in before after; do
    convert "$out/earth-$variant.bmp" -crop 128x80 +repage -gravity center -crop 64x40+0+4 +repage miff:- |
      montage - -tile 10x -geometry +0+0 miff:- |
      convert - -scale 200% -strip "PNG8:$dpi_docs/distant-earth-$variant.png"
  done
  # The lines at 1920 x 1080 and Jupiter's outline at 3840 x 2160, as drawn now and
  # before, at four and twice their size.
  cmake --build --preset "$windows_preset" --target close_ups
  close_out="Z:$(echo "$PWD/$out/close" | tr / '\\')"
  XVFB_SCREENS="-screen 0 1920x1080x24" scripts/wine-run.sh --prefix "$strip_prefix" \
    "$windows_build_dir/tests/windows/close_ups.exe" lines 1920 1080 "$close_out"
  XVFB_SCREENS="-screen 0 1920x1080x24" scripts/wine-run.sh --prefix "$strip_prefix" \
    "$windows_build_dir/tests/windows/close_ups.exe" outline 3840 2160 "$close_out"
  for variant in before after; do
    convert "$out/close-lines-$variant.bmp" -crop 200x100+380+560 +repage -scale 400% -strip \
      "PNG8:$dpi_docs/lines-$variant.png"
    convert "$out/close-outline-$variant.bmp" -scale 200% -strip -quality 85 "$dpi_docs/outline-$variant.jpg"
  done
  du -ch "$dpi_docs"/* | tail -n 1
  echo "docs/dpi.md pictures in $dpi_docs/"
fi
