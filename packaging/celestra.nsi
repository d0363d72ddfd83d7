; The Windows installer of Celestra Screensaver, built by make_packages.sh with NSIS.
; It puts ssaver.scr where Windows looks for screensavers (the 32-bit system folder:
; SysWOW64 on 64-bit Windows, which WOW64 gives this 32-bit installer as $SYSDIR), the
; music and the read-me into its own folder, and the music's path into the saver's
; machine-wide key as "Default Audio", which every user's saver plays unless they chose
; their own.
;
; It runs as the signed-in user. What belongs to the whole machine (the files, the
; uninstaller's registration, the machine-wide "Default Audio") is done by a copy of it
; started with an administrator's rights (/ELEVATED); what belongs to the user (the
; current screensaver, opening the settings) stays with the user's own process. So a
; standard user who types an administrator's password gets Celestra in their own
; account, not the administrator's. The uninstaller is split the same way.
;
; Defines given by make_packages.sh: VERSION (1.0), VERSION4 (1.0.0.0), SAVER, TRACK,
; READ_ME, ICON, OUTFILE.
;
; Silent use: "Celestra-Setup-<version>.exe /S" installs and makes Celestra the current
; screensaver; "uninstall.exe /S" removes the files and keeps the settings, and
; "uninstall.exe /S /REMOVESETTINGS" removes the settings too.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include Sections.nsh

!define PRODUCT "Celestra Screensaver"
!define SETTINGS_KEY "Software\Nebulart\Screensavers\Celestra"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Celestra Screensaver"
!define DESKTOP_KEY "Control Panel\Desktop"
!define TRACK_NAME "celestra-ambient.mp3"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_BROADCAST 3

Var Elevated  ; 1 in the copy started with an administrator's rights

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Nebulart\Celestra"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Nebulart - ${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "CompanyName" "Nebulart"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) Nebulart"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TEXT "This will install ${PRODUCT} ${VERSION}: the Sun and its nine planets in 3D, with music of its own.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the settings of ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenSettings
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The saver's real path, as the screensaver settings of Windows must name it: on 64-bit
; Windows the 32-bit system folder is SysWOW64, whatever WOW64 shows this installer.
!macro SAVER_PATH un
Function ${un}SaverPath
  ${If} ${RunningX64}
    Push "$WINDIR\SysWOW64\ssaver.scr"
  ${Else}
    Push "$SYSDIR\ssaver.scr"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro SAVER_PATH ""
!insertmacro SAVER_PATH "un."

!macro READ_ELEVATED un
Function ${un}ReadElevated
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/ELEVATED" $1
  ${IfNot} ${Errors}
    StrCpy $Elevated 1
  ${EndIf}
FunctionEnd
!macroend
!insertmacro READ_ELEVATED ""
!insertmacro READ_ELEVATED "un."

Function .onInit
  Call ReadElevated
FunctionEnd

Section "${PRODUCT}" SectionSaver
  SectionIn RO
  ${If} $Elevated == 1
    Call InstallForTheMachine
  ${Else}
    ReadRegStr $2 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ; Windows asks for an administrator's permission here. /D comes last, unquoted.
    ExecShellWait "runas" "$EXEPATH" "/ELEVATED /S /D=$INSTDIR"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $0 != "${VERSION}"
    ${OrIfNot} ${FileExists} "$INSTDIR\uninstall.exe"
      MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} was not installed: it needs an administrator's permission." /SD IDOK
      Abort
    ${EndIf}
    ; Earlier installers put the music's path into the user's own key, where it would
    ; outlive a move of the installation; the machine-wide value stands for it now.
    ReadRegStr $1 HKCU "${SETTINGS_KEY}" "Default Audio"
    ${If} $1 == "$INSTDIR\${TRACK_NAME}"
    ${OrIf} $1 == "$2\${TRACK_NAME}"
      DeleteRegValue HKCU "${SETTINGS_KEY}" "Default Audio"
    ${EndIf}
  ${EndIf}
SectionEnd

Function InstallForTheMachine
  SetOutPath "$INSTDIR"
  File "/oname=${TRACK_NAME}" "${TRACK}"
  File "/oname=read-me.txt" "${READ_ME}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; $SYSDIR of a 32-bit installer is the 32-bit system folder on every Windows.
  SetOutPath "$SYSDIR"
  File "/oname=ssaver.scr" "${SAVER}"
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${SETTINGS_KEY}" "Default Audio" "$INSTDIR\${TRACK_NAME}"

  Call SaverPath
  Pop $0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Nebulart"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$0,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  ${GetSize} "$SYSDIR" "/M=ssaver.scr /S=0K /G=0" $4 $2 $3
  IntOp $1 $1 + $4
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
FunctionEnd

Section "Make Celestra the current screensaver" SectionCurrent
  ${If} $Elevated == 1
    Return
  ${EndIf}
  Call SaverPath
  Pop $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; Tells the running system, which otherwise reads the choice only at the next logon.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATE_AND_BROADCAST})'
SectionEnd

Function OpenSettings
  Call SaverPath
  Pop $0
  Exec '"$0" /c'
FunctionEnd

Section "un.${PRODUCT}" SectionUninstallSaver
  SectionIn RO
  ${If} $Elevated == 1
    Call un.RemoveFromTheMachine
    Return
  ${EndIf}
  ; Neither copy may stand in the folder it removes (a process's current folder cannot
  ; be deleted); the elevated one starts in $OUTDIR.
  SetOutPath "$TEMP"
  ExecShellWait "runas" "$EXEPATH" "/ELEVATED /S _?=$INSTDIR"
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} was not removed: it needs an administrator's permission." /SD IDOK
    Abort
  ${EndIf}
  Call un.SaverPath
  Pop $0
  ; The control panel's preview may hold the saver open: it goes at the next restart.
  ${If} ${FileExists} "$SYSDIR\ssaver.scr"
    DetailPrint "ssaver.scr is in use; Windows removes it when it restarts."
    MessageBox MB_OK|MB_ICONINFORMATION "ssaver.scr is in use, so Windows removes it when it next restarts." /SD IDOK
  ${EndIf}
  ; Windows would otherwise keep naming a screensaver that is gone.
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 == $0
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
SectionEnd

Function un.RemoveFromTheMachine
  ; The saver's real path, not $SYSDIR: a removal at the next restart is done by Windows
  ; itself, which would take a 32-bit program's system32 for the 64-bit one.
  Call un.SaverPath
  Pop $0
  Delete /REBOOTOK "$0"
  Delete "$INSTDIR\${TRACK_NAME}"
  Delete "$INSTDIR\read-me.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES\Nebulart"  ; only when nothing else of ours is left in it
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKLM "${SETTINGS_KEY}" "Default Audio"
  DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "Software\Nebulart\Screensavers"
  DeleteRegKey /ifempty HKLM "Software\Nebulart"
FunctionEnd

Section /o "un.Remove my Celestra settings" SectionUninstallSettings
  ${If} $Elevated == 1
    Return
  ${EndIf}
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Nebulart\Screensavers"
  DeleteRegKey /ifempty HKCU "Software\Nebulart"
SectionEnd

Function un.onInit
  Call un.ReadElevated
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SectionUninstallSettings}
  ${EndIf}
FunctionEnd
