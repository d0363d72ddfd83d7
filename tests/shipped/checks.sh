#!/usr/bin/env bash
# The checks of the shipped 32-bit build, run inside the emulated machine under its 32-bit
# Wine (run_guest.sh boots it): the shipped ssaver.scr, installer and e2e_helper.exe lie
# in IN, and every check NAME leaves in OUT its result (NAME.result: "pass: ..." or
# "fail: ..."), what it printed (NAME.log), what the saver told a debugger
# (NAME-saver.log) and its screenshots (NAME-*.png).
#
#   checks.sh IN OUT NAME...   NAME: test_window_scene, full_screen_ends_on_key,
#                              settings_dialog_stores, installer_installs_and_removes,
#                              x87_double_precision (after the first two)
#
# Emulated, a saver's first frame comes 9 to 30 s after its start: every wait is for an
# event (a window, a lit screen, an exit), with a deadline far beyond that.
set -euo pipefail
in=$1
out=$2
shift 2
export WINEPREFIX=/root/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
key='HKCU\Software\Nebulart\Screensavers\Celestra'
saver=/tmp/ssaver.scr
saver_pid=""
saver_log=""
. "$in/exit_code.sh"

fail() {
  echo "FAIL: $*"
  exit 1
}

helper() {
  wine /tmp/e2e_helper.exe "$@" | tr -d '\r'
}

# The data of value $2 of key $1 as "wine reg query" prints it (0x1 for a DWORD), or
# nothing.
value_of() {
  { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' | awk -v name="$2" '
    index($0, "    " name "    ") == 1 { sub("^    " name "    REG_[A-Z_]*    ", ""); print; exit }'
}

# Starts the shipped saver with switch $1 for check $2; its debugger output goes to OUT.
start_saver() {
  saver_log="$out/$2-saver.log"
  WINEDEBUG=-all,+debugstr wine "$saver" "$1" >>"$saver_log" 2>&1 &
  saver_pid=$!
}

saver_running() {
  kill -0 "$saver_pid" 2>/dev/null
}

# Waits up to $2 seconds for a mapped window titled $1 of the running saver.
wait_for_window() {
  local deadline=$((SECONDS + $2))
  until xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
    saver_running || fail "the saver ended before its window \"$1\" appeared"
    [ "$SECONDS" -lt "$deadline" ] || fail "no window \"$1\" within $2 s"
    sleep 0.2
  done
  echo "[$SECONDS s] the window \"$1\" appeared"
}

# Waits up to $1 seconds for the saver to end, and fails unless it ended with code 0.
wait_for_exit() {
  local deadline=$((SECONDS + $1)) code=0
  while saver_running; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the saver was still running $1 s after it was asked to end"
    sleep 0.1
  done
  wait "$saver_pid" || code=$?
  code=$(saver_exit_code "$code" "$saver_log")
  [ "$code" -eq 0 ] || fail "the saver ended with code $code"
  echo "[$SECONDS s] the saver ended with code 0"
}

# Pixels of image $1 within geometry $2 whose grey level is above $3 per cent. (Emulated,
# ImageMagick's per-pixel expressions take most of a minute; a threshold takes a second.)
count_brighter() {
  convert "$1" -crop "$2" +repage -colorspace gray -threshold "$3%" -format "%[fx:round(mean*w*h)]" info:
}

# Takes screenshots until at least $4 pixels within geometry $2 are brighter than $3 per
# cent (a frame has been presented), for at most $5 seconds; keeps the last as PNG $1.
wait_for_picture() {
  local deadline=$((SECONDS + $5)) count
  while :; do
    import -window root /tmp/screen.miff || fail "no screenshot"
    count=$(count_brighter /tmp/screen.miff "$2" "$3")
    [ "$count" -lt "$4" ] || break
    saver_running || fail "the saver ended before it showed a picture"
    [ "$SECONDS" -lt "$deadline" ] || fail "no picture within $5 s: $count pixels above $3 % in $2"
    # Each look costs the emulated machine seconds, which the saver's start needs more.
    sleep 2
  done
  echo "[$SECONDS s] a picture: $count pixels above $3 % in $2"
  convert /tmp/screen.miff "$1"
}

# Stores the settings NAME=NUMBER... as the only ones, in one run of reg (each Wine
# program started costs seconds here).
store_settings() {
  local setting
  {
    printf 'REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\%s]\r\n\r\n' "${key#HKCU\\}"
    [ $# -eq 0 ] || printf '[HKEY_CURRENT_USER\\%s]\r\n' "${key#HKCU\\}"
    for setting in "$@"; do
      printf '"%s"=dword:%08x\r\n' "${setting%%=*}" "${setting#*=}"
    done
  } >/tmp/settings.reg
  wine reg import 'Z:\tmp\settings.reg' >/dev/null 2>&1 || fail "could not store the settings $*"
}

# Reads the precision of the x87 unit of the saver's window thread after its device is
# made, for x87_double_precision.
read_precision() {
  echo "$1: $(helper precision "Celestra Screensaver")" | tee -a "$out/x87.readings"
}

# The test window shows the static camera's view: the Sun's glow large at the centre, and
# stars on the dark sky in the corners.
check_test_window_scene() {
  store_settings "Arrangement=2" "Audio=0" "Camera Settings=0" "Stars=1"
  start_saver /t test_window_scene
  wait_for_window "Celestra Screensaver" 180
  local client cw ch cx cy shot=$out/test_window_scene-window.png
  client=$(helper describe "Celestra Screensaver" | awk '{ print $2 }')
  read -r cw ch cx cy < <(echo "$client" | tr 'x+' '  ')
  wait_for_picture "$shot" "20x20+$((cx + cw / 2 - 10))+$((cy + ch / 2 - 10))" 75 120 300
  read_precision "test window"
  local stars=0 glare=0 corner left top area
  for corner in "0 0" "$((cw - 150)) 0" "0 $((ch - 100))" "$((cw - 150)) $((ch - 100))"; do
    read -r left top <<<"$corner"
    area="150x100+$((cx + left))+$((cy + top))"
    stars=$((stars + $(count_brighter /tmp/screen.miff "$area" 17)))
    glare=$((glare + $(count_brighter /tmp/screen.miff "$area" 75)))
  done
  [ "$stars" -ge 8 ] || fail "no stars on the sky: $stars lit pixels in the four 150 x 100 corners"
  [ "$glare" -le 3000 ] || fail "the sky is not dark: $glare glow-bright pixels in the corners"
  helper close "Celestra Screensaver"
  wait_for_exit 120
  echo "the test window ($client) showed the Sun's glow and $stars lit pixels of stars in the dark corners"
}

# Full screen, a key ends the run with code 0, each of three times.
check_full_screen_ends_on_key() {
  local run started took times=""
  for run in 1 2 3; do
    start_saver /s full_screen_ends_on_key
    wait_for_window "Celestra Screensaver" 300
    wait_for_picture "$out/full_screen_ends_on_key-$run.png" 1024x768+0+0 20 500 300
    [ "$run" -gt 1 ] || read_precision "full screen"
    started=$(date +%s%N)
    xdotool key space
    wait_for_exit 120
    took=$((($(date +%s%N) - started) / 1000000))
    times="$times ${took}"
  done
  [ "$(grep -c 'the run ends: a key or a mouse button was pressed' "$out/full_screen_ends_on_key-saver.log")" -eq 3 ] ||
    fail "the saver did not say each time that a key ended its run"
  echo "three full-screen runs ended on a key with code 0, after (ms):$times"
}

# The settings dialog opens, and its OK stores a changed choice.
check_settings_dialog_stores() {
  local title="Celestra Screensaver settings"
  store_settings
  start_saver /c settings_dialog_stores
  wait_for_window "$title" 180
  import -window root "$out/settings_dialog_stores-dialog.png"
  helper click "$title" 2226 # show planet trajectories
  case "$(helper control "$title" 2226)" in
    "checked 1 "*) ;;
    *) fail "the trajectories box is not ticked after a click" ;;
  esac
  helper click "$title" 1
  wait_for_exit 60
  [ "$(value_of "$key" Trajectories)" = 0x1 ] || fail "OK stored Trajectories '$(value_of "$key" Trajectories)', not 0x1"
  echo "the settings dialog opened, and OK stored Trajectories 0x1"
}

# The installer installs silently, and the uninstaller removes what it installed.
check_installer_installs_and_removes() {
  local desktop='HKCU\Control Panel\Desktop'
  local uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Celestra Screensaver'
  local system='C:\windows\system32' program='C:\Program Files\Nebulart\Celestra'
  if [ -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    system='C:\windows\SysWOW64' program='C:\Program Files (x86)\Nebulart\Celestra'
  fi
  local installed="$system\\ssaver.scr" file
  wine /tmp/Celestra-Setup.exe /S || fail "the installer ended with code $?"
  file=$(winepath -u "$installed" 2>/dev/null)
  cmp -s "$file" "$saver" || fail "$installed is not the shipped saver"
  [ "$(value_of "$desktop" SCRNSAVE.EXE)" = "$installed" ] ||
    fail "SCRNSAVE.EXE is '$(value_of "$desktop" SCRNSAVE.EXE)', not $installed"
  echo "installed: $installed, the current screensaver"
  wine "$program\\uninstall.exe" /S || fail "the uninstaller ended with code $?"
  # The uninstaller works on in a copy of itself. (No wineserver -w: the session stays.)
  local deadline=$((SECONDS + 180)) left
  while :; do
    left=""
    ! wine reg query "$uninstall_key" >/dev/null 2>&1 || left="$left, its registration"
    [ ! -e "$file" ] || left="$left, $installed"
    [ -z "$(value_of "$desktop" SCRNSAVE.EXE)" ] || left="$left, SCRNSAVE.EXE"
    [ -n "$left" ] || break
    [ "$SECONDS" -lt "$deadline" ] || fail "180 s after the uninstaller these are left: ${left#, }"
    sleep 0.5
  done
  echo "the installer installed silently, and the uninstaller removed the saver and SCRNSAVE.EXE"
}

# After its device was made, windowed and full screen, the saver's x87 unit still
# computes with 53 bits or more: Direct3D 8 sets it to single precision (24 bits)
# unless the device keeps it.
check_x87_double_precision() {
  [ -f "$out/x87.readings" ] || fail "no reading: the test window and full-screen checks did not come so far"
  cat "$out/x87.readings"
  ! grep -q 'precision single$' "$out/x87.readings" ||
    fail "after device creation the x87 unit computes in single precision (D3DCREATE_FPU_PRESERVE missing?)"
  [ "$(grep -c 'precision \(double\|extended\)$' "$out/x87.readings")" -eq 2 ] ||
    fail "not both readings, windowed and full screen, came back"
  echo "after device creation, windowed and full screen, the x87 unit computes in double precision or more"
}

# Runs check $1 in a process of its own, which stops at its first error, and records
# its result.
run_check() {
  local status=0 started=$SECONDS
  echo "== $1"
  bash "$0" "$in" "$out" --one "$1" >"$out/$1.log" 2>&1 || status=$?
  local last
  last=$(tail -n 1 "$out/$1.log")
  if [ "$status" -eq 0 ]; then
    echo "pass: $last" >"$out/$1.result"
  else
    echo "fail: ${last#FAIL: }" >"$out/$1.result"
    # What the check left running would disturb the next one.
    wineserver -k 2>/dev/null || true
    wineserver -p
  fi
  echo "$(cat "$out/$1.result") ($((SECONDS - started)) s)"
}

if [ "${1:-}" = --one ]; then
  set -E
  trap 'echo "FAIL: line $LINENO: $BASH_COMMAND"' ERR
  trap '[ -z "$saver_pid" ] || kill "$saver_pid" 2>/dev/null || true' EXIT
  "check_$2"
  exit 0
fi

mkdir -p "$out"
cp "$in/ssaver.scr" "$saver"
cp "$in/Celestra-Setup.exe" "$in/e2e_helper.exe" /tmp/
Xvfb :1 -screen 0 1024x768x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=:1
until xdpyinfo >/dev/null 2>&1; do
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(tail -n 1 "$out/xvfb.log")"
  sleep 0.1
done
# Every Wine program started without a running Wine session starts one, which takes
# most of a minute emulated: one session stays for all the checks.
wineserver -p
started=$SECONDS
wine cmd /c exit
echo "wine $(wine --version), $(nproc) processors; Wine's session started in $((SECONDS - started)) s"
for name in "$@"; do
  run_check "$name"
done
wineserver -k 2>/dev/null || true
