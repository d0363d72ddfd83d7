#!/usr/bin/env bash
# Makes the release: builds the saver and its music, then the installer and the zip,
#   build/windows/release/Celestra-Setup-<version>.exe
#   build/windows/release/celestra-<version>.zip
# with the version of the CMake project. The same commit gives the same bytes (every
# file dated with the commit's time; SOURCE_DATE_EPOCH chooses another).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
# Packed afresh every time, so that the files carry the time of the current commit.
rm -rf build/windows/release
cmake --build --preset windows --target celestra_packages
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
for file in "build/windows/release/Celestra-Setup-$version.exe" "build/windows/release/celestra-$version.zip"; do
  [ -f "$file" ] || { echo "release: $file was not made" >&2; exit 1; }
  echo "$file  $(sha256sum "$file" | cut -c1-16)"
done
