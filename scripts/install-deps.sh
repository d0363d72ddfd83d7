#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12.
# Idempotent: when every package is present it only checks and returns.
#
# The package mirror can be caught mid-sync, serving one index with the wrong size so
# that `apt-get update` fails while the other lists load. The update is therefore tried
# APT_UPDATE_TRIES times (default 3), APT_RETRY_PAUSE seconds apart (default 20); if it
# still fails the install goes on with the lists that did load, pinned to the release
# suite so that both architectures take the same versions.
set -euo pipefail

APT_UPDATE_TRIES=${APT_UPDATE_TRIES:-3}
APT_RETRY_PAUSE=${APT_RETRY_PAUSE:-20}
APT_DIR=${APT_DIR:-/etc/apt}
RELEASE_SUITE=bookworm

# Whatever the machine: the native build and its tests, the shipped 32-bit saver and its
# installer (both built by native cross tools), and the session the Windows tests run in.
HOST_PACKAGES=(
  build-essential cmake ninja-build pkg-config clang-format clang clang-14 libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libjpeg62-turbo-dev
  g++-mingw-w64-i686 dpkg-dev nasm nsis zip p7zip-full
  xvfb xauth xdotool x11-utils imagemagick tesseract-ocr tesseract-ocr-eng
  fonts-liberation fonts-wine
  pulseaudio sox lame
)
# Wine, and the libraries it loads at run time, for the Windows build the scripts use
# (lib/windows-build.sh): 32-bit Wine where the machine runs 32-bit programs...
WINE32_PACKAGES=(
  wine wine32:i386 wine64 libwine:i386
  libgl1:i386 libglx0:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
  libxcomposite1:i386 libxrandr2:i386 libxinerama1:i386 libxi6:i386
  libxcursor1:i386 libxxf86vm1:i386 libxrender1:i386 libxfixes3:i386
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
)
# ...and elsewhere the 64-bit build under 64-bit Wine.
WINE64_PACKAGES=(
  g++-mingw-w64-x86-64-posix wine wine64
  libgl1 libglx0 libglx-mesa0 libgl1-mesa-dri
  libxcomposite1 libxrandr2 libxinerama1 libxi6 libxcursor1 libxxf86vm1 libxrender1 libxfixes3
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
)
# The emulated machine that runs the shipped 32-bit build where the 64-bit one is tested
# (or wherever CELESTRA_TEST_SHIPPED=1 asks for it: scripts/test-shipped.sh).
GUEST_PACKAGES=(qemu-system-x86 debootstrap e2fsprogs)
. "$(dirname "${BASH_SOURCE[0]}")/lib/windows-build.sh"
if [ "$CELESTRA_WINDOWS_BUILD" = 64 ]; then
  WINE_PACKAGES=("${WINE64_PACKAGES[@]}" "${GUEST_PACKAGES[@]}")
else
  WINE_PACKAGES=("${WINE32_PACKAGES[@]}")
  [ "${CELESTRA_TEST_SHIPPED:-0}" != 1 ] || WINE_PACKAGES+=("${GUEST_PACKAGES[@]}")
fi

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# A bare name wants the machine's own architecture (or "all"): the i386 copy of a
# Multi-Arch package, there for 32-bit Wine, does nothing for 64-bit Wine.
missing() {
  local p own
  own=$(dpkg --print-architecture)
  for p in "$@"; do
    case "$p" in
      *:*) dpkg-query -W -f='${Architecture} ${Status}\n' "$p" 2>/dev/null | grep -q ' install ok installed$' ;;
      *) dpkg-query -W -f='${Architecture} ${Status}\n' "$p" 2>/dev/null |
           grep -Eq "^($own|all) install ok installed$" ;;
    esac || echo "$p"
  done
}

# Source packages (libjpeg-turbo is cross-built from Debian's sources) need deb-src
# entries for the same mirror and suites as the binary ones.
ensure_deb_src() {
  local src=$APT_DIR/sources.list.d/celestra-deb-src.sources
  if grep -rqs '^Types:.*deb-src' "$APT_DIR/sources.list.d/" ||
     grep -qs '^deb-src' "$APT_DIR/sources.list"; then
    return 1
  fi
  as_root tee "$src" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  return 0
}

need_update=0
if [ "$CELESTRA_WINDOWS_BUILD" = 32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  need_update=1
fi
ensure_deb_src && need_update=1
# The lists are also refreshed while the source package cannot be found: a run whose
# update failed after writing the deb-src entry must not leave every later run idle.
if ! apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package:'; then
  need_update=1
fi

todo=($(missing "${HOST_PACKAGES[@]}" "${WINE_PACKAGES[@]}"))
if [ "${#todo[@]}" -eq 0 ] && [ "$need_update" -eq 0 ]; then
  exit 0
fi

# Succeeds when every index loaded; otherwise retries, and in the end warns and fails
# softly (status 1) so that the caller can go on with what loaded.
update_package_lists() {
  local try
  for ((try = 1; try <= APT_UPDATE_TRIES; try++)); do
    if as_root apt-get update -q; then
      return 0
    fi
    if ((try < APT_UPDATE_TRIES)); then
      echo "install-deps: apt-get update failed (try $try of $APT_UPDATE_TRIES);" \
        "trying again in ${APT_RETRY_PAUSE} s" >&2
      sleep "$APT_RETRY_PAUSE"
    fi
  done
  echo "install-deps: apt-get update still fails after $APT_UPDATE_TRIES tries;" \
    "going on with the package lists that did load" >&2
  return 1
}

install_packages() {
  as_root apt-get install -y -q --no-install-recommends "$@" "${todo[@]}"
}

export DEBIAN_FRONTEND=noninteractive
lists_complete=1
update_package_lists || lists_complete=0
if [ "${#todo[@]}" -gt 0 ]; then
  if [ "$lists_complete" -eq 1 ] && install_packages; then
    exit 0
  fi
  # With one suite's index missing for one architecture, an amd64 package and its i386
  # twin can come from different suites and conflict; the release suite has both.
  echo "install-deps: installing from the $RELEASE_SUITE suite's versions" >&2
  install_packages -o "APT::Default-Release=$RELEASE_SUITE"
fi
