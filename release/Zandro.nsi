; The installer of Zandro++: one user, no administrator rights, into the user's own
; programs folder. release/assemble runs makensis with these defines:
;   VERSION  the program's version ("1.0")
;   FACTS    the project's facts (ZandroFacts.nsh, made by CMake): PRODUCT, PUBLISHER,
;            COPYRIGHT, the game's window title and the exit codes
;   STAGE    the folder holding Zandro.exe, zandro-odds.exe, README.txt, LICENSE.txt and
;            THIRD-PARTY-NOTICES.txt
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
!include "${FACTS}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The zandro: link of invitations to an online table, registered for the user alone.
!define LINK_KEY "Software\Classes\zandro"
; The running game holds this mutex; older builds are found by their window's title.
!define GAME_MUTEX "Local\Zandro++.Table"

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
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif

; The pages a player knows: welcome, folder, progress, and a last page that starts the game.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "$(WelcomeTitle)"
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Zandro.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(StartGame)"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The installer and the uninstaller speak the language of Windows when they know it: the
; same language and country, else the same language (Spanish of Mexico is told in the
; Spanish of Spain), else English, the first one.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "SpanishInternational"

LangString WelcomeTitle ${LANG_ENGLISH} "Welcome to ${PRODUCT} ${VERSION}"
LangString WelcomeText ${LANG_ENGLISH} "This installs ${PRODUCT} ${VERSION}, 7.5 against the dealer, for \
  your Windows user only: no administrator rights are needed.$\r$\n$\r$\nAn installed ${PRODUCT} \
  is replaced, and your score is kept.$\r$\n$\r$\nClick Next to continue."
LangString StartGame ${LANG_ENGLISH} "Start ${PRODUCT}"
LangString NewerInstalled ${LANG_ENGLISH} "A newer version of ${PRODUCT} is already installed."
LangString GameRunning ${LANG_ENGLISH} "${PRODUCT} is running. Close the game, then press Retry."

LangString WelcomeTitle ${LANG_ITALIAN} "Benvenuto in ${PRODUCT} ${VERSION}"
LangString WelcomeText ${LANG_ITALIAN} "Questo programma installa ${PRODUCT} ${VERSION}, il sette e mezzo \
  contro il banco, solo per il tuo utente di Windows: non servono i diritti di amministratore.$\r$\n$\r$\n\
  Se ${PRODUCT} è già installato, viene sostituito e il tuo punteggio resta.$\r$\n$\r$\n\
  Fai clic su Avanti per continuare."
LangString StartGame ${LANG_ITALIAN} "Avvia ${PRODUCT}"
LangString NewerInstalled ${LANG_ITALIAN} "Una versione più recente di ${PRODUCT} è già installata."
LangString GameRunning ${LANG_ITALIAN} "${PRODUCT} è aperto. Chiudi il gioco, poi premi Riprova."

LangString WelcomeTitle ${LANG_SPANISHINTERNATIONAL} "Bienvenido a ${PRODUCT} ${VERSION}"
LangString WelcomeText ${LANG_SPANISHINTERNATIONAL} "Este programa instala ${PRODUCT} ${VERSION}, las \
  siete y media contra la banca, solo para su usuario de Windows: no se necesitan permisos de \
  administrador.$\r$\n$\r$\nSi ${PRODUCT} ya está instalado, se sustituye y su puntuación se \
  conserva.$\r$\n$\r$\nHaga clic en Siguiente para continuar."
LangString StartGame ${LANG_SPANISHINTERNATIONAL} "Iniciar ${PRODUCT}"
LangString NewerInstalled ${LANG_SPANISHINTERNATIONAL} "Ya está instalada una versión más reciente de ${PRODUCT}."
LangString GameRunning ${LANG_SPANISHINTERNATIONAL} "${PRODUCT} está abierto. Cierre el juego y pulse Reintentar."

; An installer older than the installed game stops with exit code 3: going back a version
; is done by removing the game first. The same version again is a repair and goes on.
!macro RefuseOlderThanInstalled
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $1 != ""
    ${VersionCompare} "$1" "${VERSION}" $2
    ${If} $2 = 1
      MessageBox MB_OK|MB_ICONSTOP "$(NewerInstalled)" /SD IDOK
      SetErrorLevel ${EXIT_NEWER_INSTALLED}
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
      "$(GameRunning)" /SD IDCANCEL IDRETRY +2
    Goto game_running
  ${Loop}
  Goto game_closed
  game_running:
    SetErrorLevel ${EXIT_IN_USE}
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
  File "${STAGE}/LICENSE.txt"
  File "${STAGE}/THIRD-PARTY-NOTICES.txt"
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
  ; The zandro: link, for this user alone: a click on an invitation in a mail or a chat
  ; starts the game (or brings it forward) at the join box, filled in.
  WriteRegStr HKCU "${LINK_KEY}" "" "URL:${PRODUCT} invitation"
  WriteRegStr HKCU "${LINK_KEY}" "URL Protocol" ""
  WriteRegStr HKCU "${LINK_KEY}\DefaultIcon" "" "$INSTDIR\Zandro.exe,0"
  WriteRegStr HKCU "${LINK_KEY}\shell\open\command" "" '"$INSTDIR\Zandro.exe" "%1"'
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
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${LINK_KEY}"
SectionEnd
