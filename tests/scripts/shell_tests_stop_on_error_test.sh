#!/usr/bin/env bash
# Every shell test, and every library the tests source, stops at its first error: its
# first command is `set -euo pipefail`, before anything is sourced. Without it a test
# whose helpers are missing runs on through "command not found" and passes.
set -euo pipefail
cd "$(dirname "$0")/../.."

status=0
checked=0
while IFS= read -r script; do
  first=$(awk '!/^[[:space:]]*(#|$)/ { print; exit }' "$script")
  if [ "$first" != "set -euo pipefail" ]; then
    echo "$script: the first command is '$first', not 'set -euo pipefail'" >&2
    status=1
  fi
  checked=$((checked + 1))
done < <(find tests -type f \( -name '*.sh' -o -path 'tests/e2e/lib/*' \) | sort)

[ "$checked" -gt 0 ] || { echo "no shell tests found" >&2; exit 1; }
[ "$status" -eq 0 ] && echo "all $checked shell test scripts stop at their first error"
exit "$status"
