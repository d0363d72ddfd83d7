#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

HOST_PACKAGES=(
  build-essential cmake ninja-build pkg-config clang-format clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libjpeg62-turbo-dev
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-i686 dpkg-dev
  xvfb xauth xdotool x11-utils imagemagick tesseract-ocr tesseract-ocr-eng
  fonts-liberation fonts-wine
  pulseaudio
)
I386_PACKAGES=(
  wine wine32:i386 wine64 libwine:i386
  libgl1:i386 libglx0:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
  libxcomposite1:i386 libxrandr2:i386 libxinerama1:i386 libxi6:i386
  libxcursor1:i386 libxxf86vm1:i386 libxrender1:i386 libxfixes3:i386
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# Source packages (libjpeg-turbo is cross-built from Debian's sources) need deb-src
# entries for the same mirror and suites as the binary ones.
ensure_deb_src() {
  local src=/etc/apt/sources.list.d/celestra-deb-src.sources
  if grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ ||
     grep -qs '^deb-src' /etc/apt/sources.list; then
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
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  need_update=1
fi
ensure_deb_src && need_update=1

todo=($(missing "${HOST_PACKAGES[@]}" "${I386_PACKAGES[@]}"))
if [ "${#todo[@]}" -eq 0 ] && [ "$need_update" -eq 0 ]; then
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
as_root apt-get update -q
if [ "${#todo[@]}" -gt 0 ]; then
  as_root apt-get install -y -q --no-install-recommends "${todo[@]}"
fi
