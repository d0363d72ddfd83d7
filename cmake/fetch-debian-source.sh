#!/bin/sh
# Unpacks Debian's source package PACKAGE (with Debian's patches) into DEST, once.
# Usage: fetch-debian-source.sh PACKAGE DEST
set -eu
package=$1
dest=$2
[ -f "$dest/.unpacked" ] && exit 0

work=$(mktemp -d "${dest}.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
if ! apt-get source -qq "$package" >apt-source.log 2>&1; then
  cat apt-source.log >&2
  echo "apt-get source $package failed; scripts/install-deps.sh adds the deb-src entries it needs" >&2
  exit 1
fi
unpacked=$(find . -mindepth 1 -maxdepth 1 -type d | head -n 1)
rm -rf "$dest"
mv "$unpacked" "$dest"
touch "$dest/.unpacked"
