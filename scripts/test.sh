#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (also under
# AddressSanitizer and UndefinedBehaviorSanitizer), short seeded runs of the fuzz
# targets (a clang build), then the Windows tests and the end-to-end tests under Wine on
# a virtual display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh

for preset in host host-asan host-fuzz; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

cmake --preset windows >/dev/null
cmake --build --preset windows
# One display for the whole run; the Wine prefix belongs to the build tree.
WINEPREFIX="$PWD/build/windows/wineprefix" scripts/with-display.sh ctest --preset windows
