#!/usr/bin/env bash
# Builds the screensaver and writes a small gallery of screenshots into
# build/screenshots/: the camera modes, the three arrangements, the overlays and the
# planet view with its information panel, each in the test window, one full-screen
# run and the settings dialog. Every shot starts from the default settings plus its own.
#
#   scripts/gallery.sh [NAME...]     only the named shots (see the list below)
#   scripts/gallery.sh --docs        renew the README's pictures in docs/screenshots/
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=build/screenshots
docs=docs/screenshots

# The README's pictures: small JPEGs of the scene, a PNG of the dialog's crisp text.
docs_shots=(static-camera elliptic-names-distances planet-view-saturn full-screen-elliptic settings-dialog)

# name | seconds before the shot | --mode | settings (NAME=NUMBER, comma-separated)
shots=(
  "static-camera|5|t|Camera Settings=0,Names=1,Trajectories=1"
  "around-real-orbits|6|t|Camera Settings=1,Arrangement=0,Trajectories=1"
  "elliptic-names-distances|6|t|Camera Settings=2,Names=1,Distances=1,Trajectories=1"
  "chaotic-more-stars|8|t|Camera Settings=3,Arrangement=1,Stars=1"
  "panoramic-ambient|6|t|Camera Settings=4,Ambient=1,Trajectories=1,FPS=1"
  "planet-view-saturn|14|t|Camera Settings=5,Planet to View=4,Names=1,Trajectories=1,FPS=1"
  "planet-view-earth|20|t|Camera Settings=5,Planet to View=7,Arrangement=0,Distances=1,Names=1"
  "full-screen-elliptic|6|s|Camera Settings=2,Names=1,Trajectories=1,Distances=1"
  "settings-dialog|4|c|Camera Settings=5,Planet to View=4,Trajectories=1,Names=1"
)

wanted() {
  [ $# -eq 0 ] && return 0
  local name
  for name in "${@:2}"; do
    [ "$name" = "$1" ] && return 0
  done
  return 1
}

for_docs=0
if [ "${1:-}" = "--docs" ]; then
  for_docs=1
  set -- "${docs_shots[@]}"
fi

. scripts/lib/windows-build.sh
scripts/install-deps.sh
cmake --preset "$windows_preset" >/dev/null
cmake --build --preset "$windows_preset" --target ssaver
mkdir -p "$out"

for shot in "${shots[@]}"; do
  IFS='|' read -r name after mode settings <<<"$shot"
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
  echo "== $name: $settings"
  scripts/show.sh "${args[@]}"
done
echo "Screenshots in $out/"

if [ "$for_docs" = 1 ]; then
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
