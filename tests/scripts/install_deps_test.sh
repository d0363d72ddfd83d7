#!/usr/bin/env bash
# scripts/install-deps.sh against a stub apt-get that fails as a mirror caught mid-sync
# does: the update is retried, the install goes on with the lists that loaded (pinned to
# the release suite), and a real failure still fails the script. Then the packages of
# each Windows build: no i386 package where 32-bit programs cannot run.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Stubs earlier on PATH: nothing is installed, i386 is already added, we are root.
mkdir -p "$work/bin" "$work/apt/sources.list.d"
echo 'deb-src http://deb.debian.org/debian bookworm main' >"$work/apt/sources.list"
cat >"$work/bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "$*" >>"$STUB_LOG"
case " $* " in
  *" update "*)
    n=$(grep -c '^update' "$STUB_LOG")
    if [ "$n" -le "$FAILED_UPDATES" ]; then
      echo "E: File has unexpected size (123 != 456). Mirror sync in progress?" >&2
      exit 100
    fi ;;
  *" install "*)
    case "$*" in
      *APT::Default-Release=bookworm*) exit "$RELEASE_INSTALL_STATUS" ;;
      *) echo "E: Unable to correct problems, you have held broken packages." >&2
         exit "$PLAIN_INSTALL_STATUS" ;;
    esac ;;
esac
STUB
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
[ "${ALL_INSTALLED:-0}" = 1 ] && echo "${INSTALLED_ARCH:-i386} install ok installed"
exit 0
STUB
cat >"$work/bin/apt-cache" <<'STUB'
#!/bin/sh
[ "${SOURCE_LISTED:-1}" = 1 ] && echo 'Package: libjpeg-turbo'
exit 0
STUB
printf '#!/bin/sh\necho i386\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"
chmod +x "$work/bin/"*

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# case: failed updates, plain install status, release install status, expected exit,
#       expected updates, expected installs "plain" / "release" in order
cases=(
  "0 0 0 0 1 plain"
  "2 0 0 0 3 plain"
  "3 100 0 0 3 release"
  "0 100 0 0 1 plain,release"
  "3 100 100 100 3 release"
)
for c in "${cases[@]}"; do
  read -r failed plain release want_exit want_updates want_installs <<<"$c"
  log="$work/log"
  : >"$log"
  set +e
  STUB_LOG=$log FAILED_UPDATES=$failed PLAIN_INSTALL_STATUS=$plain \
    RELEASE_INSTALL_STATUS=$release APT_RETRY_PAUSE=0 APT_DIR="$work/apt" CELESTRA_WINDOWS_BUILD=32 \
    PATH="$work/bin:$PATH" bash "$root/scripts/install-deps.sh" >"$work/out" 2>&1
  status=$?
  set -e
  [ "$status" -eq "$want_exit" ] || fail "[$c] exit $status; output: $(cat "$work/out")"
  updates=$(grep -c '^update' "$log" || true)
  [ "$updates" -eq "$want_updates" ] || fail "[$c] $updates updates"
  installs=$(grep '^install' "$log" | sed 's/.*Default-Release=bookworm.*/release/; s/^install.*/plain/' |
    paste -sd, -)
  [ "$installs" = "$want_installs" ] || fail "[$c] installs: $installs"
  grep -q ' wine32:i386 ' "$log" || fail "[$c] the i386 packages were not asked for"
  if [ "$failed" -ge 3 ]; then
    grep -q 'going on with the package lists that did load' "$work/out" ||
      fail "[$c] no word of the incomplete lists"
  fi
done

# build | asked for | not asked for
builds=(
  "32|wine32:i386 gstreamer1.0-plugins-good:i386 g++-mingw-w64-i686|g++-mingw-w64-x86-64-posix libgl1 qemu-system-x86"
  "64|wine64 gstreamer1.0-plugins-good g++-mingw-w64-x86-64-posix g++-mingw-w64-i686 qemu-system-x86 debootstrap|wine32:i386 libgl1:i386"
  "32 CELESTRA_TEST_SHIPPED=1|wine32:i386 qemu-system-x86 debootstrap|libgl1"
  # Installed in another architecture only, as the 32-bit build's i386 copies are.
  "64 ALL_INSTALLED=1 INSTALLED_ARCH=armel|gstreamer1.0-plugins-good wine64|wine32:i386"
)
for b in "${builds[@]}"; do
  IFS='|' read -r build wanted unwanted <<<"$b"
  read -r build extra <<<"$build"
  : >"$work/log"
  env STUB_LOG="$work/log" FAILED_UPDATES=0 PLAIN_INSTALL_STATUS=0 RELEASE_INSTALL_STATUS=0 APT_DIR="$work/apt" \
    CELESTRA_WINDOWS_BUILD=$build $extra PATH="$work/bin:$PATH" bash "$root/scripts/install-deps.sh" >"$work/out" 2>&1 ||
    fail "[$build-bit] exit $?; output: $(cat "$work/out")"
  for p in $wanted; do grep -q "^install.* $p\( \|$\)" "$work/log" || fail "[$build-bit] $p was not asked for"; done
  for p in $unwanted; do ! grep -q " $p\( \|$\)" "$work/log" || fail "[$build-bit] $p was asked for"; done
done

# Everything installed: the lists are refreshed only while the source package is unknown.
for listed in 1 0; do
  : >"$work/log"
  STUB_LOG="$work/log" FAILED_UPDATES=0 ALL_INSTALLED=1 SOURCE_LISTED=$listed APT_DIR="$work/apt" \
    CELESTRA_WINDOWS_BUILD=32 PATH="$work/bin:$PATH" bash "$root/scripts/install-deps.sh" >"$work/out" 2>&1 ||
    fail "[installed, source listed $listed] exit $?"
  updates=$(grep -c '^update' "$work/log" || true)
  [ "$updates" -eq $((1 - listed)) ] || fail "[installed, source listed $listed] $updates updates"
done
echo "install-deps: ${#cases[@]} cases and ${#builds[@]} builds passed"
