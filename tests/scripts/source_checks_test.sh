#!/usr/bin/env bash
# scripts/check-layout.sh and scripts/check-format.sh on small trees: what they must let
# through and what they must stop.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# case name | expected (pass/fail) | file | its content
cases=(
  "portable header|pass|src/util/a.h|#include <cstdint>"
  "win32 folder|pass|src/framework/win32/a.h|#include <windows.h>"
  "guarded platform branch|pass|src/d3dx/t.h|#ifdef _WIN32\n#include <windows.h>\n#else\n#include <cstdint>\n#endif"
  "windows.h outside win32|fail|src/scene/a.cpp|#include <windows.h>"
  "d3d8.h outside win32|fail|src/text/a.h|#include <d3d8.h>"
  "dshow.h outside win32|fail|src/audio/a.cpp|#include <dshow.h>"
  "else of a platform branch|fail|src/util/d.h|#ifdef _WIN32\n#else\n#include <windows.h>\n#endif"
  "negated platform branch|pass|src/util/e.h|#ifndef _WIN32\n#else\n#include <windows.h>\n#endif"
  "unguarded after a guarded block|fail|src/util/b.h|#ifdef _WIN32\n#endif\n#include <windows.h>"
  "inside an include guard|fail|src/util/c.h|#ifndef C_H\n#define C_H\n#include <windows.h>\n#endif"
  "framework includes the scene|fail|src/framework/win32/a.cpp|#include \"scene/orrery_scene.h\""
  "double in support|pass|tests/windows/support/d.h|class SlowDevice : public StubDirect3DDevice8 {};"
  "double in a test file|fail|tests/windows/a_test.cpp|class SlowDevice final : public RecordingDevice {};"
  "application includes the scene|pass|src/app/win32/main.cpp|#include \"scene/win32/orrery_saver.h\""
)
failures=0
for entry in "${cases[@]}"; do
  IFS='|' read -r name expected file content <<<"$entry"
  tree="$work/$(echo "$name" | tr ' ' _)"
  mkdir -p "$tree/scripts" "$tree/$(dirname "$file")"
  cp "$root/scripts/check-layout.sh" "$tree/scripts/"
  printf '%b\n' "$content" >"$tree/$file"
  if bash "$tree/scripts/check-layout.sh" >/dev/null 2>&1; then actual=pass; else actual=fail; fi
  if [ "$actual" != "$expected" ]; then
    echo "check-layout: $name: expected $expected, got $actual"
    failures=$((failures + 1))
  fi
done

# check-format.sh in a source archive (no git): a formatted file passes, one that is not
# fails, and so does a tree with no C++ file at all.
tree="$work/format"
mkdir -p "$tree/scripts" "$tree/src"
cp "$root/scripts/check-format.sh" "$tree/scripts/"
cp "$root/.clang-format" "$tree/"
format_check() {
  if (cd "$tree" && GIT_CEILING_DIRECTORIES="$work" bash scripts/check-format.sh >/dev/null 2>&1); then
    echo pass
  else
    echo fail
  fi
}
[ "$(format_check)" = fail ] || { echo "check-format: a tree without C++ files passed"; failures=$((failures + 1)); }
printf 'int x;\n' >"$tree/src/a.cpp"
[ "$(format_check)" = pass ] || { echo "check-format: a formatted file failed"; failures=$((failures + 1)); }
printf 'int  x ;\n' >"$tree/src/a.cpp"
[ "$(format_check)" = fail ] || { echo "check-format: an unformatted file passed"; failures=$((failures + 1)); }
[ "$failures" -eq 0 ]
