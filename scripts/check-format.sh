#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes of it.
#   scripts/check-format.sh        list the files that need formatting
#   scripts/check-format.sh --fix  format them in place
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
unformatted=$(clang-format --dry-run "${files[@]}" 2>&1 | grep -o '^[^:]*: warning' | cut -d: -f1 | sort -u || true)
if [ -n "$unformatted" ]; then
  echo "These files need clang-format (scripts/check-format.sh --fix):"
  echo "$unformatted"
  exit 1
fi
