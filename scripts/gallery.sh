#!/usr/bin/env bash
# Builds the screensaver and writes a small gallery of screenshots into
# build/screenshots/: the camera modes, the three arrangements, the overlays and the
# planet view with its information panel, each in the test window, and one full-screen
# run. Every shot starts from the default settings plus its own.
#
#   scripts/gallery.sh [NAME...]     only the named shots (see the list below)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=build/screenshots

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
)

wanted() {
  [ $# -eq 0 ] && return 0
  local name
  for name in "${@:2}"; do
    [ "$name" = "$1" ] && return 0
  done
  return 1
}

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target ssaver
mkdir -p "$out"

for shot in "${shots[@]}"; do
  IFS='|' read -r name after mode settings <<<"$shot"
  if [ $# -gt 0 ] && ! wanted "$name" "$@"; then
    continue
  fi
  args=(--no-build --reset --mode "$mode" --after "$after" --screenshot "$out/$name.png" --set "Audio=0")
  IFS=',' read -r -a pairs <<<"$settings"
  for pair in "${pairs[@]}"; do
    args+=(--set "$pair")
  done
  echo "== $name: $settings"
  scripts/show.sh "${args[@]}"
done
echo "Screenshots in $out/"
