#!/usr/bin/env bash
# Builds the screensaver and shows it under Wine.
#
#   scripts/show.sh [options]
#     --mode t|s|c       test window (default), full screen, or the settings dialog
#                        (whose choices the next runs of this script use)
#     --set NAME=NUMBER  store a setting first, e.g. --set "Camera Settings=5" (repeatable)
#     --screenshot FILE  save a PNG of the saver after --after seconds, then close it
#     --after SECONDS    delay before the screenshot (default 5)
#     --reset            forget the settings of earlier runs first (back to the defaults)
#     --dpi N            the screen's dots per inch, as Windows' scaling sets them (96 is
#                        100 %, 144 is 150 %, 192 is 200 %; default 96)
#     --screen WxH       the size of the virtual display started for the run (default
#                        1024x768; ignored on a display of your own)
#     --no-build         use the saver already built (as scripts/gallery.sh does)
#     --saver FILE       show this ssaver.scr instead (another build, to compare); implies
#                        --no-build
#
# Without a display an Xvfb display is started, and a screenshot is saved to
# build/screenshot.png unless --screenshot names another file. Settings live in a
# Wine prefix of the build tree (build/windows/show-prefix), never in ~/.wine.
# Where the machine refuses 32-bit programs, the 64-bit build of the same sources is
# shown under 64-bit Wine (build/windows64; see scripts/lib/windows-build.sh).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

mode=t
screenshot=""
after=5
reset=0
dpi=96
screen=1024x768
build=1
saver=""
settings=()
while [ $# -gt 0 ]; do
  case "$1" in
    --mode) mode=$2; shift 2 ;;
    --set) settings+=("$2"); shift 2 ;;
    --screenshot) screenshot=$2; shift 2 ;;
    --after) after=$2; shift 2 ;;
    --reset) reset=1; shift ;;
    --no-build) build=0; shift ;;
    --dpi) dpi=$2; shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    --saver) saver=$(realpath "$2"); build=0; shift 2 ;;
    -h|--help) sed -n '2,23p' "$0"; exit 0 ;;
    *) echo "unknown option: $1 (see --help)" >&2; exit 2 ;;
  esac
done
case "$mode" in t|s|c) ;; *) echo "--mode must be t, s or c" >&2; exit 2 ;; esac
case "$dpi" in '' | *[!0-9]*) echo "--dpi must be a number" >&2; exit 2 ;; esac
case "$screen" in [1-9]*x[1-9]*) ;; *) echo "--screen must be WxH, e.g. 1920x1080" >&2; exit 2 ;; esac
if [ -n "$screenshot" ]; then
  screenshot=$(realpath -m "$screenshot")
fi

. scripts/lib/windows-build.sh
if [ "$build" = 1 ]; then
  scripts/install-deps.sh
  cmake --preset "$windows_preset" >/dev/null
  cmake --build --preset "$windows_preset" --target ssaver
fi

. scripts/lib/display.sh
. scripts/lib/wine-prefix.sh
check_wine || exit 1
export WINEPREFIX="$root/$windows_build_dir/show-prefix"
if [ -z "${DISPLAY:-}" ] && [ -z "$screenshot" ]; then
  screenshot="$root/build/screenshot.png"
fi
trap release_display EXIT
export XVFB_SCREENS="-screen 0 ${screen}x24"
ensure_display
ensure_prefix
# On a display of our own there is no window manager: Wine then draws the window frame
# itself. On the user's display the window manager does.
if [ -n "$started_xvfb_pid" ]; then managed=N; else managed=Y; fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1
# Wine has one DPI for every monitor, read when it starts: set it, then let the next
# program start Wine afresh.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

key='HKCU\Software\Nebulart\Screensavers\Celestra'
if [ "$reset" = 1 ]; then
  wine reg delete "$key" /f >/dev/null 2>&1 || true
fi
# The saver reads stored settings only when "Arrangement" is among them: store the
# default one with the first chosen setting.
if [ ${#settings[@]} -gt 0 ] && ! wine reg query "$key" /v Arrangement >/dev/null 2>&1; then
  settings=("Arrangement=2" "${settings[@]}")
fi
for setting in "${settings[@]}"; do
  name=${setting%%=*}
  value=${setting#*=}
  wine reg add "$key" /v "$name" /t REG_DWORD /d "$value" /f >/dev/null
done

saver=${saver:-"$root/$windows_build_dir/src/ssaver.scr"}
if [ -z "$screenshot" ]; then
  echo "Showing the saver; close its window (or press a key in full screen) to end."
  [ "$mode" = c ] && echo "Settings chosen with OK are used by the next runs of scripts/show.sh."
  wine "$saver" "/$mode"
  exit 0
fi

wine "$saver" "/$mode" &
saver_pid=$!
sleep "$after"
if [ "$mode" != s ]; then
  title='Celestra Screensaver'
  [ "$mode" = c ] && title='Celestra Screensaver settings'
  window=$(xdotool search --name "^${title}\$" | head -n 1)
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                                            /Width:/{w=$2} /Height:/{h=$2} END{print w "x" h "+" x "+" y}')
  import -window root -crop "$geometry" +repage "$screenshot"
else
  import -window root "$screenshot"
fi
wineserver -k 2>/dev/null || true
wait "$saver_pid" 2>/dev/null || true
echo "Screenshot saved to $screenshot"
