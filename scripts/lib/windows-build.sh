# Shared by the scripts: which Windows build they build, run and test, chosen once.
#
# The shipped ssaver.scr is a 32-bit program (Windows has no 64-bit Direct3D 8). Where
# this machine runs 32-bit programs, the scripts use that build (preset "windows") under
# Wine. Where the kernel refuses them, 32-bit Wine cannot start, so the scripts use the
# 64-bit build of the same sources (preset "windows64") under 64-bit Wine instead.
# CELESTRA_WINDOWS_BUILD=32 or 64 forces either path; the choice is exported, so every
# script and test started from here agrees with it.
#
# Source it; it sets windows_preset and windows_build_dir (relative to the source tree),
# and on the 64-bit path puts lib/wine64 first on PATH, so that `wine`, `wineboot`,
# `winepath` and `winedbg` start 64-bit Wine. check_wine says in one line why Wine cannot
# start, if it cannot.

# True when a 32-bit x86 Linux program runs here. The program is the smallest there is,
# written out on the spot: it needs no 32-bit library and exits with 42.
runs_32bit_programs() {
  local probe status=0
  probe=$(mktemp "${TMPDIR:-/tmp}/celestra-i386-probe.XXXXXX") || return 1
  local elf='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  elf+='\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' # i386, entry, headers
  elf+='\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  elf+='\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' # one loaded segment
  elf+='\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
  elf+='\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' # exit(42)
  printf "$elf" >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  # A folder mounted noexec refuses every program: that says nothing of 32-bit ones.
  if [ "$status" -ne 42 ] && ! { cp /bin/true "$probe" && "$probe"; } 2>/dev/null; then
    echo "Programs cannot run from ${TMPDIR:-/tmp} (mounted noexec?), so whether 32-bit ones" \
      "run here is unknown: using the 64-bit build. Set TMPDIR to another folder," \
      "or CELESTRA_WINDOWS_BUILD=32." >&2
  fi
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

case "${CELESTRA_WINDOWS_BUILD:-}" in
  32 | 64) ;;
  "")
    if runs_32bit_programs; then CELESTRA_WINDOWS_BUILD=32; else CELESTRA_WINDOWS_BUILD=64; fi ;;
  *)
    echo "CELESTRA_WINDOWS_BUILD must be 32 or 64, not '$CELESTRA_WINDOWS_BUILD'" >&2
    exit 2 ;;
esac
export CELESTRA_WINDOWS_BUILD

if [ "$CELESTRA_WINDOWS_BUILD" = 64 ]; then
  windows_preset=windows64
  windows_build_dir=build/windows64
  wine64_folder="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64"
  case ":$PATH:" in
    *":$wine64_folder:"*) ;;
    *) export PATH="$wine64_folder:$PATH" ;;
  esac
else
  windows_preset=windows
  windows_build_dir=build/windows
fi

# Succeeds when Wine starts; otherwise says why in one line, and what to do.
check_wine() {
  local output status=0
  output=$(wine --version 2>&1) || status=$?
  [ "$status" -eq 0 ] && return 0
  if [ "$CELESTRA_WINDOWS_BUILD" = 32 ] && ! runs_32bit_programs; then
    echo "Wine cannot start: this machine refuses 32-bit programs; unset CELESTRA_WINDOWS_BUILD" \
      "(or set it to 64) to use the 64-bit build" >&2
  elif [ "$status" -eq 127 ]; then
    echo "Wine cannot start: it is not installed; run scripts/install-deps.sh" >&2
  else
    echo "Wine cannot start: wine --version failed ($status): ${output%%$'\n'*}" >&2
  fi
  return 1
}
