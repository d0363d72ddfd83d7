# Shared by the end-to-end scripts: a private Wine whose child windows show their
# Direct3D pictures, for the tests that look at a preview inside its host.
#
#   . "$(dirname "$0")/lib/child_window_wine.sh"
#   if ! reason=$(make_child_window_wine DIR 32|64); then echo "skipped: $reason"; ...
#   PATH="DIR/bin:$PATH" wine ...   # the private Wine of that Windows build
#
# Debian's Wine 8.0 gives a child window's device context X drawable 0 when no window
# between it and its top-level window has an X window of its own (a Debian patch against
# compiler warnings, in X11DRV_GetDC of the X11 driver, winex11.so). Direct3D's copy of a
# child window's picture onto the screen then fails with BadDrawable, and a preview shows
# nothing. Upstream Wine draws into the top-level window's X window there.
#
# DIR becomes a copy of the installed Wine made of symbolic links, except for the files
# that must be its own: the loaders and ntdll.so (Wine finds its other files next to the
# real paths of these) and winex11.so, whose few instructions on that path are rewritten
# to upstream's behaviour. Only the exact build whose bytes are known below is rewritten;
# any other build is refused, with the reason on standard output. The installed Wine is
# only read. DIR/bin/wine starts the private Wine of the chosen Windows build.

set -euo pipefail

# One line per known build of winex11.so: architecture folder, unix folder, offset and
# length of X11DRV_GetDC, SHA-256 of its bytes, offset of the rewritten instructions,
# their bytes now, their bytes after.
#
# The rewritten instructions run when the search for an ancestor with an X window has
# reached the top-level window without finding one. Debian's build compares the last
# (zero) drawable with the top-level window's and goes on with drawable 0; the new ones
# store the top-level window's X window, kept in a local since the start of the search,
# as the drawable and jump to the escape call, as upstream does.
child_window_wine_builds() {
  cat <<'EOF'
i386-linux-gnu i386-unix 0x39b90 538 16310289e22c15141193e69986001c8e0374d1505701b8aabc681e01c8a4b619 0x39d00 8b4424288b54240c39d00f854bffffffebc1 8b44240c89442428ebc99090909090909090
x86_64-linux-gnu x86_64-unix 0x42be0 538 7d9bbf40bd8d0de537abc9ca4195e61a1529fbd209071e606d875b1c8b002c78 0x42d58 488b4424384c39f00f854bffffffebb4 4c89742438ebbd909090909090909090
EOF
}

# Hex bytes $3 of the file $1 from offset $2, or their SHA-256 with "sha" as $4.
child_window_wine_bytes() {
  local length=$3
  if [ "${4:-}" = sha ]; then
    dd if="$1" bs=1 skip=$(($2)) count="$length" status=none | sha256sum | awk '{print $1}'
  else
    dd if="$1" bs=1 skip=$(($2)) count="$length" status=none | od -An -v -tx1 | tr -d ' \n'
  fi
}

make_child_window_wine() {
  local dir=$1 bits=$2 loader line
  local triplet unix offset length sha at before after
  case "$bits" in
    32) loader=wine ;;
    64) loader=wine64 ;;
    *) echo "no Windows build '$bits'"; return 1 ;;
  esac
  line=$(child_window_wine_builds | awk -v bits="$bits" '(bits == 32) == ($1 ~ /^i386/)')
  read -r triplet unix offset length sha at before after <<<"$line"
  local system_lib=/usr/lib/$triplet/wine
  local driver=$system_lib/$unix/winex11.so
  if [ ! -x "/usr/lib/wine/$loader" ] || [ ! -f "$driver" ] || [ ! -f "$system_lib/$unix/ntdll.so" ]; then
    echo "this is not Debian's Wine 8.0 layout (no /usr/lib/wine/$loader or $driver)"
    return 1
  fi
  if [ "$(child_window_wine_bytes "$driver" "$offset" "$length" sha)" != "$sha" ] ||
    [ "$(child_window_wine_bytes "$driver" "$at" $((${#before} / 2)))" != "$before" ]; then
    local installed
    installed=$(dpkg-query -W -f='${Version}' wine 2>/dev/null || echo unknown)
    echo "$driver is not the build of Debian's Wine 8.0~repack-4 whose X11DRV_GetDC this" \
      "test knows how to mend (installed: wine $installed)"
    return 1
  fi

  rm -rf "$dir"
  mkdir -p "$dir/bin" "$dir/lib/wine" "$dir/lib/$triplet/wine/$unix" "$dir/share"
  ln -s /usr/share/wine "$dir/share/wine"
  # The loaders find ntdll.so beside their own real path, ntdll.so finds the DLLs beside
  # its own, and processes started from here use the loaders of this copy: copies, then.
  local name entry
  for name in wine wine64; do
    if [ -f "/usr/lib/wine/$name" ]; then cp "/usr/lib/wine/$name" "$dir/lib/wine/"; fi
  done
  ln -s /usr/lib/wine/wineserver "$dir/lib/wine/wineserver"
  for entry in "$system_lib"/*; do
    [ "$(basename "$entry")" = "$unix" ] || ln -s "$entry" "$dir/lib/$triplet/wine/"
  done
  for entry in "$system_lib/$unix"/*; do
    ln -s "$entry" "$dir/lib/$triplet/wine/$unix/"
  done
  # The other architecture's Wine stays the installed one: only the programs of the
  # chosen build draw, and so need the mended driver.
  for entry in /usr/lib/*-linux-gnu/wine; do
    name=$(basename "$(dirname "$entry")")
    [ "$name" = "$triplet" ] || { mkdir -p "$dir/lib/$name" && ln -s "$entry" "$dir/lib/$name/wine"; }
  done
  local unix_dir=$dir/lib/$triplet/wine/$unix
  rm "$unix_dir/ntdll.so" "$unix_dir/winex11.so"
  cp "$system_lib/$unix/ntdll.so" "$driver" "$unix_dir/"
  chmod u+w "$unix_dir/winex11.so"
  printf '%b' "$(sed 's/../\\x&/g' <<<"$after")" |
    dd of="$unix_dir/winex11.so" bs=1 seek=$((at)) conv=notrunc status=none
  [ "$(child_window_wine_bytes "$unix_dir/winex11.so" "$at" $((${#after} / 2)))" = "$after" ] || {
    echo "could not rewrite $unix_dir/winex11.so"
    return 1
  }

  # The 64-bit loader runs without address space randomisation, as scripts/lib/wine64/wine
  # explains.
  local fixed_layout=""
  if [ "$bits" = 64 ] && setarch "$(uname -m)" -R true 2>/dev/null; then
    fixed_layout="setarch $(uname -m) -R "
  fi
  cat >"$dir/bin/wine" <<EOF
#!/bin/sh
# The private Wine of the $bits-bit build; processes it starts use its loaders too.
export WINELOADER="$dir/lib/wine/$loader"
exec $fixed_layout"\$WINELOADER" "\$@"
EOF
  chmod +x "$dir/bin/wine"
}
