#!/usr/bin/env bash
# One check of the shipped 32-bit build, as run_guest.sh brought it back from the
# emulated machine: prints what the check printed and where its saver output and
# screenshots are, and passes only if the check ran there and passed.
#
#   check_result.sh OUT NAME
set -euo pipefail
results=$1/results
name=$2
if [ ! -f "$results/$name.result" ]; then
  echo "FAIL: the check $name did not run in the guest; see the output of shipped32_guest" \
    "and $1/guest-console.log" >&2
  exit 1
fi
cat "$results/$name.log"
files=$(cd "$results" && ls -d "$name"-* 2>/dev/null | paste -sd ' ' || true)
echo "kept in $results: ${files:-nothing more}"
case "$(cat "$results/$name.result")" in
  pass:*) exit 0 ;;
  *) echo "FAIL: $(sed 's/^fail: //' "$results/$name.result")" >&2; exit 1 ;;
esac
