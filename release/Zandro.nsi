; The installer of Zandro++: one user, no administrator rights, into the user's own
; programs folder. release/assemble runs makensis with these defines:
;   VERSION  the program's version ("1.0")
;   STAGE    the folder holding Zandro.exe, zandro-odds.exe and README.txt
;   ICON     the game's icon file
;   WIZARD   the picture beside the first and the last page (164 x 314)
;   OUTFILE  the installer to write
;   SIGN     (when a certificate is given) release/sign, run on the uninstaller and the
;            installer as soon as makensis has written them
; Exit codes: 0 installed, 1 cancelled, 2 the game is running or a program file cannot be
; written, 3 a newer version is installed. 1, 3 and a running game change nothing.
; Debian's Wine runs 64-bit programs only, so the installer is one too.
Target amd64-unicode
; The files' own dates stay out of the installer: the same files give the same bytes.
SetDateSave off
SetCompressor /SOLID lzma
; A file that cannot be written stops the installer (Retry or Cancel, Cancel when silent):
; skipping it would leave a half-replaced game.
AllowSkipFiles off

!include "LogicLib.nsh"
!include "MUI2.nsh"
!include "WordFunc.nsh"

!define PRODUCT "Zandro++"
!define PUBLISHER "the Zandro++ developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The running game holds this mutex; older builds are found by their window's title.
!define GAME_MUTEX "Local\Zandro++.Table"
!define GAME_TITLE "Zandro++ (C) 2026 the Zandro++ developers"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An update goes where the player put the game the first time.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} installer"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 the Zandro++ developers"

!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif

; The pages a player knows: welcome, folder, progress, and a last page that starts the game.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "Welcome to ${PRODUCT} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION}, 7.5 against the dealer, for your \
  Windows user only: no administrator rights are needed.$\r$\n$\r$\nAn installed ${PRODUCT} is \
  replaced, and your score is kept.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Zandro.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; An installer older than the installed game stops with exit code 3: going back a version
; is done by removing the game first. The same version again is a repair and goes on.
!macro RefuseOlderThanInstalled
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $1 != ""
    ${VersionCompare} "$1" "${VERSION}" $2
    ${If} $2 = 1
      MessageBox MB_OK|MB_ICONSTOP "A newer version of ${PRODUCT} is already installed." /SD IDOK
      SetErrorLevel 3
      Quit
    ${EndIf}
  ${EndIf}
!macroend

; $0 = 1 when the game is running. Files of a running program cannot be replaced or
; removed, and a half-replaced game would not start again.
!macro GameRunning
  StrCpy $0 0
  ; SYNCHRONIZE (0x00100000) is all it takes to open a mutex that exists.
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${GAME_MUTEX}") p .r1'
  ${If} $1 != 0
    System::Call 'kernel32::CloseHandle(p r1)'
    StrCpy $0 1
  ${EndIf}
  FindWindow $1 "" "${GAME_TITLE}"
  ${If} $1 != 0
    StrCpy $0 1
  ${EndIf}
!macroend

; Asks the player to close the game; a silent run, or Cancel, ends with exit code 2.
!macro RefuseWhileGameRuns
  ${Do}
    !insertmacro GameRunning
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running. Close the game, then press Retry." /SD IDCANCEL IDRETRY +2
    Goto game_running
  ${Loop}
  Goto game_closed
  game_running:
    SetErrorLevel 2
    Quit
  game_closed:
!macroend

Function .onInit
  SetShellVarContext current
  !insertmacro RefuseOlderThanInstalled
  !insertmacro RefuseWhileGameRuns
FunctionEnd

Function un.onInit
  SetShellVarContext current
  !insertmacro RefuseWhileGameRuns
FunctionEnd

Section "Zandro++" SecGame
  SetOutPath "$INSTDIR"
  File "${STAGE}/Zandro.exe"
  File "${STAGE}/zandro-odds.exe"
  File "${STAGE}/README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Zandro.exe" "" "$INSTDIR\Zandro.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zandro.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, as the list of installed programs expects; the uninstaller itself is small.
  SectionGetSize ${SecGame} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer put there and nothing else: the player's score under
; HKCU\Software\NeloSettings\Zandro stays, and so does a folder the player added to.
Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\Zandro.exe"
  Delete "$INSTDIR\zandro-odds.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
