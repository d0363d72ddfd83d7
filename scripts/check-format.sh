#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes of it.
#   scripts/check-format.sh        list the files that need formatting
#   scripts/check-format.sh --fix  format them in place
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# A list that could not be made must not pass as a tree with nothing to check.
list=$(git ls-files '*.cpp' '*.h')
[ -n "$list" ] || { echo "no C++ files found (is this a git checkout?)" >&2; exit 1; }
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
