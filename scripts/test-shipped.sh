#!/usr/bin/env bash
# Tests the shipped 32-bit build (build/windows: ssaver.scr and its installer) inside an
# emulated machine whose own kernel runs 32-bit programs, under its 32-bit Wine: the test
# window's scene, full-screen runs ended by a key, the settings dialog's OK, the silent
# installer and uninstaller, and the x87 unit's precision after device creation.
#
# scripts/test.sh runs this where the machine refuses 32-bit programs; run it by hand on
# any machine to test the shipped build that way. The machine's image is made on the
# first run (about 5 minutes) under ${XDG_CACHE_HOME:-~/.cache}/celestra and reused
# while its recipe (tests/shipped/guest_image.sh) stays the same. KVM is used where
# /dev/kvm can be opened; CELESTRA_GUEST_ACCEL=tcg (or kvm) chooses.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

CELESTRA_TEST_SHIPPED=1 scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target celestra_packages e2e_helper
status=0
ctest --preset shipped || status=$?
results=build/windows/shipped32/results
shopt -s nullglob
if [ -d "$results" ]; then
  echo "The shipped 32-bit build in the emulated machine (saver output and screenshots in $results):"
  for result in "$results"/*.result; do
    echo "  $(basename "$result" .result): $(cat "$result")"
  done
fi
exit "$status"
