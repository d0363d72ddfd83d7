#!/usr/bin/env bash
# Builds a libFuzzer target with clang and runs it for a while.
#
#   scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]
#
# TARGET is a fuzz target of tests/fuzz (jpeg_fuzz, ...). The run starts from the
# target's committed seeds and keeps what it learns in build/host-fuzz/corpus/TARGET, so
# the seeds in the tree stay as they are; crashes land in build/host-fuzz/crashes.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

target=${1:?usage: $0 TARGET [SECONDS] [libFuzzer options...]}
seconds=${2:-120}
shift $(( $# >= 2 ? 2 : 1 ))

seeds=tests/fuzz/corpus/${target%_fuzz}
work=build/host-fuzz
cmake --preset host-fuzz >/dev/null
cmake --build --preset host-fuzz --target "$target"

mkdir -p "$work/corpus/$target" "$work/crashes"
"$work/tests/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=3072 -timeout=10 \
  -artifact_prefix="$work/crashes/" "$@" "$work/corpus/$target" "$seeds"
