#!/usr/bin/env bash
# Fails when the source tree hides its Win32 seam: a file outside a win32/ folder that
# includes windows.h, d3d8.h or dshow.h (an include inside an `#ifdef _WIN32` branch of a
# portable header is allowed), a framework file that includes a scene header, or a
# Direct3D test double outside tests/windows/support. Needs no git: a source archive is
# checked the same way.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
status=0
while IFS= read -r file; do
  case "$file" in */win32/*) continue ;; esac
  awk -v file="$file" '
    /^[ \t]*#[ \t]*ifndef/ { depth++; named[depth] = ($0 ~ /WIN32/); win[depth] = 0; next }
    /^[ \t]*#[ \t]*if/ { depth++; named[depth] = ($0 ~ /WIN32/); win[depth] = named[depth] && $0 !~ /!/; next }
    /^[ \t]*#[ \t]*elif/ { win[depth] = ($0 ~ /WIN32/ && $0 !~ /!/); next }
    /^[ \t]*#[ \t]*else/ { win[depth] = named[depth] && !win[depth]; next }
    /^[ \t]*#[ \t]*endif/ { if (depth > 0) depth--; next }
    /^[ \t]*#[ \t]*include[ \t]*<(windows|d3d8|dshow)\.h>/ {
      guarded = 0
      for (i = 1; i <= depth; i++) if (win[i]) guarded = 1
      if (!guarded) { print file ":" FNR ": Windows-only header outside a win32/ folder: " $0; bad = 1 }
    }
    END { exit bad }' "$file" || status=1
done < <(find src -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) | sort)
if grep -rsn -E '#[[:space:]]*include[[:space:]]*"scene/' src/framework; then
  echo "The framework includes a scene header (above); the application wires the two together."
  status=1
fi
if grep -rsn -E --include='*.cpp' --include='*.h' \
  'class [A-Za-z0-9_]+( final)? *: *public (Stub[A-Za-z0-9]*|CountedUnknown|RecordingDevice|FakeDirect3D|I[A-Z][A-Za-z0-9]*8)\b' \
  tests | grep -v '^tests/windows/support/'; then
  echo "A Direct3D double outside tests/windows/support (above); the doubles are one family there."
  status=1
fi
exit "$status"
