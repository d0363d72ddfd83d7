#!/usr/bin/env bash
# The installer as a user runs it, over one prefix:
#   1. "Celestra-Setup-<version>.exe /S" does the machine's part in a copy of itself with
#      an administrator's rights: ssaver.scr into the 32-bit system folder, the music into
#      its own folder, the music's path as the machine-wide "Default Audio", the
#      uninstaller's registration. The user's part makes Celestra the current
#      screensaver and writes nothing into the user's settings. A /s run of the installed
#      saver shows the scene and plays that music, copying no path into the user's key;
#      "uninstall.exe /S" removes every file and registration and the user's choice of
#      screensaver, but keeps the settings.
#   2. The administrator's copy alone (/ELEVATED) touches nothing of the user's, when it
#      installs or uninstalls.
#   3. Installed again interactively over settings holding an earlier installer's copy of
#      the music's path, page by page with the default choices and "Open the settings"
#      ticked, it drops that copy, keeps the rest and opens the settings dialog; the
#      uninstaller, with "Remove my Celestra settings" ticked, removes them too.
#   4. While the installed saver runs, its file cannot be deleted: Windows removes it at
#      the next restart, asked with the file's real path.
#   5. Silently once more: "uninstall.exe /S /REMOVESETTINGS" removes the settings.
# The installer is a 32-bit program: a run that tests the 64-bit build runs it in the
# emulated machine instead (tests/shipped, scripts/test-shipped.sh).
# Needs a sound server (scripts/with-display.sh starts one).
set -euo pipefail
. "$(dirname "$0")/lib/saver_session.sh"
[ "$CELESTRA_WINDOWS_BUILD" = 32 ] ||
  fail "the installer is a 32-bit program, and this is the ${CELESTRA_WINDOWS_BUILD}-bit build's Wine;" \
    "run scripts/test-shipped.sh to test it in an emulated machine"
[ -f "${CELESTRA_SETUP:-}" ] || fail "CELESTRA_SETUP does not name the installer"
[ -f "${CELESTRA_TRACK:-}" ] || fail "CELESTRA_TRACK does not name the music"
session_begin "$@"
pactl info >/dev/null 2>&1 || fail "no sound server (run under scripts/with-display.sh)"

key='HKCU\Software\Nebulart\Screensavers\Celestra'
machine_key='HKLM\Software\Nebulart\Screensavers\Celestra'
desktop='HKCU\Control Panel\Desktop'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Celestra Screensaver'
if [ -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
  system_folder='C:\windows\SysWOW64'
  program_folder='C:\Program Files (x86)\Nebulart\Celestra'
else
  system_folder='C:\windows\system32'
  program_folder='C:\Program Files\Nebulart\Celestra'
fi
installed_saver="$system_folder\\ssaver.scr"
track="$program_folder\\celestra-ambient.mp3"
unix() { winepath -u "$1" 2>/dev/null; }

# The data of value $2 of key $1, or nothing.
value_of() {
  wine reg query "$1" /v "$2" /reg:32 2>/dev/null | tr -d '\r' | awk -v name="$2" '
    index($0, "    " name "    ") == 1 { sub("^    " name "    REG_[A-Z_]*    ", ""); print; exit }'
}
value_names() {
  wine reg query "$1" 2>/dev/null | tr -d '\r' | awk '/^    [^ ]/ { sub(/^    /, ""); sub(/    REG_.*/, ""); print }'
}
key_exists() {
  wine reg query "$1" /reg:32 >/dev/null 2>&1
}

install_silently() {
  wine "$CELESTRA_SETUP" /S || fail "the installer ended with code $?"
  [ -f "$(unix "$installed_saver")" ] || fail "no $installed_saver"
  cmp -s "$(unix "$installed_saver")" "$SAVER" || fail "$installed_saver is not the built saver"
  cmp -s "$(unix "$track")" "$CELESTRA_TRACK" || fail "$track is not the built music"
  [ "$(value_of "$machine_key" "Default Audio")" = "$track" ] ||
    fail "machine-wide Default Audio: $(value_of "$machine_key" "Default Audio")"
  [ "$(value_of "$desktop" SCRNSAVE.EXE)" = "$installed_saver" ] || fail "not the current screensaver"
  [ "$(value_of "$uninstall_key" UninstallString)" = "\"$program_folder\\uninstall.exe\"" ] ||
    fail "no uninstaller registered: $(value_of "$uninstall_key" UninstallString)"
}

# Runs the uninstaller with the arguments given and waits for its copy to finish.
uninstall_silently() {
  wine "$program_folder\\uninstall.exe" /S "$@" || fail "the uninstaller ended with code $?"
  local i
  for i in $(seq 1 100); do
    key_exists "$uninstall_key" || break
    sleep 0.2
  done
  wineserver -w
  check_uninstalled
}

check_uninstalled() {
  [ ! -e "$(unix "$installed_saver")" ] || fail "$installed_saver is left"
  [ ! -e "$(unix "$program_folder")" ] || fail "$program_folder is left: $(ls "$(unix "$program_folder")")"
  [ ! -e "$(unix "${program_folder%\\*}")" ] || fail "the Nebulart folder is left"
  ! key_exists "$uninstall_key" || fail "the uninstaller is still registered"
  ! key_exists "$machine_key" || fail "the machine-wide settings key is left"
  [ -z "$(value_of "$desktop" SCRNSAVE.EXE)" ] || fail "Windows still names the removed saver"
}

wine reg delete "$key" /f >/dev/null 2>&1 || true
install_silently
! key_exists "$key" || fail "the installer wrote into the user's settings: $(value_names "$key")"
echo "installed: $installed_saver, $track"

# The installed saver as Windows starts it: the scene, and the music on the sound server.
SAVER=$(unix "$installed_saver") start_saver /s
wait_for_window "Celestra Screensaver" >/dev/null
for _ in $(seq 1 100); do
  pactl list short sink-inputs | grep -q . && break
  sleep 0.1
done
pactl list short sink-inputs | grep -q . || fail "no sound reaches the sound server"
level=$(wait_for_music 6)
shot=$(screenshot installed-saver)
lit=$(convert "$shot" -colorspace gray -threshold 20% -format '%[fx:round(mean*w*h)]' info:)
[ "$lit" -gt 500 ] || fail "the scene is dark: $lit bright pixels"
xdotool key space
wait_for_exit 10
[ "$(value_of "$key" Arrangement)" = 0x2 ] || fail "the first run stored no settings"
[ "$(value_of "$key" "Default Audio")" = " " ] || fail "the first run copied Default Audio into the user's key"
echo "the installed saver ran: music at $level dB, $lit bright pixels"

uninstall_silently
[ "$(value_of "$key" Arrangement)" = 0x2 ] || fail "the settings went without being asked"
echo "uninstalled, settings kept"

# The administrator's copy alone: everything of the machine, nothing of the user's.
wine reg delete "$desktop" /v SCRNSAVE.EXE /f >/dev/null 2>&1 || true
wine "$CELESTRA_SETUP" /ELEVATED /S || fail "the installer's elevated copy ended with code $?"
[ -f "$(unix "$installed_saver")" ] || fail "the elevated copy installed no saver"
[ "$(value_of "$machine_key" "Default Audio")" = "$track" ] || fail "the elevated copy left no Default Audio"
[ -z "$(value_of "$desktop" SCRNSAVE.EXE)" ] || fail "the elevated copy chose the user's screensaver"
wine reg add "$desktop" /v SCRNSAVE.EXE /d "$installed_saver" /f >/dev/null
wine "$program_folder\\uninstall.exe" /ELEVATED /S || fail "the uninstaller's elevated copy ended with code $?"
for _ in $(seq 1 100); do
  key_exists "$uninstall_key" || break
  sleep 0.2
done
wineserver -w
[ ! -e "$(unix "$installed_saver")" ] || fail "the uninstaller's elevated copy left $installed_saver"
[ "$(value_of "$desktop" SCRNSAVE.EXE)" = "$installed_saver" ] || fail "the elevated copy changed the user's screensaver"
[ "$(value_of "$key" Arrangement)" = 0x2 ] || fail "the elevated copy removed the user's settings"
wine reg delete "$desktop" /v SCRNSAVE.EXE /f >/dev/null
echo "the administrator's copy installs and removes only what belongs to the machine"

# The installer's and the uninstaller's windows: the first page's title, then the
# title of the later pages, which carry an empty subcaption.
setup_title="Celestra Screensaver Setup"
uninstall_title="Celestra Screensaver Uninstall"

# Waits until the button $3 of the wizard titled $1 or "$1 " reads $2, and prints the
# title it was found under.
wait_for_button() {
  local title i
  for i in $(seq 1 150); do
    for title in "$1" "$1 "; do
      if [ "$(helper control "$title" "$3" 2>/dev/null)" = "checked 0 enabled 1 text $2" ]; then
        echo "$title"
        return 0
      fi
    done
    sleep 0.2
  done
  fail "no page of \"$1\" with the button \"$2\""
}

wine reg add "$key" /v "Camera Settings" /t REG_DWORD /d 4 /f >/dev/null
wine reg add "$key" /v "Default Audio" /t REG_SZ /d "$track" /f >/dev/null  # as earlier installers left it
wine "$CELESTRA_SETUP" >"$e2e_work/setup.log" 2>&1 &
setup_pid=$!
helper click "$(wait_for_button "$setup_title" "&Next >" 1)" 1   # welcome
sleep 0.5
helper click "$(wait_for_button "$setup_title" "&Next >" 1)" 1   # components, as they are
helper click "$(wait_for_button "$setup_title" "&Install" 1)" 1  # folder, as it is
title=$(wait_for_button "$setup_title" "&Finish" 1)
xdotool key space                                                 # "Open the settings"
sleep 0.5
helper click "$title" 1
wait "$setup_pid" || fail "the installer ended with code $?"
for _ in $(seq 1 150); do
  xdotool search --onlyvisible --name '^Celestra Screensaver settings$' >/dev/null 2>&1 && break
  sleep 0.2
done
helper click "Celestra Screensaver settings" 2 || fail "the installer did not open the settings"
wineserver -w
# The settings dialog stores the user's own value again, unset: " ".
case "$(value_of "$key" "Default Audio")" in "" | " ") ;; *) fail "the user's copy of the path is left" ;; esac
[ "$(value_of "$key" "Camera Settings")" = 0x4 ] || fail "installing again changed the settings"
[ "$(value_of "$desktop" SCRNSAVE.EXE)" = "$installed_saver" ] || fail "not the current screensaver"
echo "installed page by page over the settings; the settings dialog opened"

wine "$program_folder\\uninstall.exe" &
helper click "$(wait_for_button "$uninstall_title" "&Next >" 1)" 1  # confirm the folder
wait_for_button "$uninstall_title" "&Uninstall" 1 >/dev/null
xdotool key Down space                                                # tick the settings
sleep 0.5
helper click "$(wait_for_button "$uninstall_title" "&Uninstall" 1)" 1
helper click "$(wait_for_button "$uninstall_title" "&Close" 1)" 1
wineserver -w
check_uninstalled
! key_exists "$key" || fail "the settings are left although asked to go"
echo "uninstalled page by page, settings with it"

# A running saver holds its file: the uninstaller has Windows remove it at the next
# restart, by its real path (SysWOW64 on 64-bit Windows, not a 32-bit program's system32).
install_silently
SAVER=$(unix "$installed_saver") start_saver /s
wait_for_window "Celestra Screensaver" >/dev/null
session_key='HKLM\System\CurrentControlSet\Control\Session Manager'
wine reg delete "$session_key" /v PendingFileRenameOperations /f >/dev/null 2>&1 || true
wine "$program_folder\\uninstall.exe" /S || fail "the uninstaller ended with code $?"
for _ in $(seq 1 100); do
  key_exists "$uninstall_key" || break
  sleep 0.2
done
[ -f "$(unix "$installed_saver")" ] || fail "the running saver's file was deleted"
value_of "$session_key" PendingFileRenameOperations | grep -qiF "\\??\\$installed_saver\\0" ||
  fail "no removal at the next restart: $(value_of "$session_key" PendingFileRenameOperations)"
xdotool key space
wait_for_exit 10
wine reg delete "$session_key" /v PendingFileRenameOperations /f >/dev/null
rm -f "$(unix "$installed_saver")"  # as the restart would
echo "a running saver is removed at the next restart"

install_silently
uninstall_silently /REMOVESETTINGS
! key_exists "$key" || fail "the settings are left"
# Its parent goes too when nothing else is left in it (other keys of ours may be).
! key_exists 'HKCU\Software\Nebulart\Screensavers' || fail "an empty Screensavers key is left"
echo "installed and uninstalled silently, settings with it"
