#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes of it.
#   scripts/check-format.sh        list the files that need formatting
#   scripts/check-format.sh --fix  format them in place
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# The files git tracks, or in a source archive without git every C++ file of the source
# folders. A list that could not be made must not pass as a tree with nothing to check.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  list=$(git ls-files '*.cpp' '*.h')
else
  folders=()
  for folder in src tests tools; do [ ! -d "$folder" ] || folders+=("$folder"); done
  list=""
  if [ ${#folders[@]} -gt 0 ]; then
    list=$(find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
  fi
fi
[ -n "$list" ] || { echo "no C++ files found to check" >&2; exit 1; }
mapfile -t files <<<"$list"
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
# clang-format itself failing (a configuration it rejects) fails the check too.
report=$(clang-format --dry-run "${files[@]}" 2>&1) || {
  grep -q ': warning: ' <<<"$report" || { echo "$report" >&2; exit 1; }
}
# Each finding reads "FILE:LINE:COLUMN: warning: code should be clang-formatted".
unformatted=$(sed -n 's/^\(.*\):[0-9]*:[0-9]*: warning: .*/\1/p' <<<"$report" | sort -u)
if [ -n "$unformatted" ]; then
  echo "These files need clang-format (scripts/check-format.sh --fix):"
  echo "$unformatted"
  exit 1
fi
