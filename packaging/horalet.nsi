; The Windows installer of Horalet, compiled by makensis (the CMake target
; horalet_installer passes these with -D):
;   VERSION  the program's version, "2.0"
;   STAGE    the folder the install rules staged: horalet.exe, Horalet.chm,
;            wave files\reminder.wav and the text files
;   OUTFILE  the installer to write
;   ICON     the program's icon
;
; Horalet keeps autosave.ini and its Save folder in its current directory and
; looks for its chime and manual there, but a user cannot write into Program
; Files. So the Start menu shortcut starts it in a folder of the user's own,
; %APPDATA%\Horalet, which the installer fills with copies of the chime and
; the manual. Shortcut and folder both belong to the user who runs the
; installer (SetShellVarContext current), so the one always finds the other.
;
; The 64-bit stubs make a 64-bit installer: it writes to the real Program
; Files and registry, and it runs where only 64-bit Windows programs can.

Unicode true
Target amd64-unicode

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Horalet"
; Lets "horalet 25m tea" work from the Run box and Start without a path.
!define APP_PATHS_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\horalet.exe"
!define DATA_DIR "$APPDATA\Horalet"
!define MENU_DIR "$SMPROGRAMS\Horalet"

Name "Horalet ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Horalet"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "Horalet ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show README.txt"
!insertmacro MUI_PAGE_WELCOME
; The MIT licence grants; it asks nothing to be agreed to.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Horalet is free software under this licence. Click Next to continue."
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Horalet will be removed from the folder below, with its Start menu shortcuts.$\r$\nYour timers are kept: autosave.ini and the Save folder stay in ${DATA_DIR}."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Horalet"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Horalet ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (c) the Horalet developers"

; A running horalet.exe cannot be replaced or deleted, and it would write
; autosave.ini again when it ends. Its main window is a dialog captioned
; "Horalet" that holds the timer list (control 1002); a box that another
; start of the program shows bears the same caption and class, and does not
; count.
!macro RefuseWhileRunning
  StrCpy $0 0
  next_window:
    FindWindow $0 "#32770" "Horalet" 0 $0
    StrCmp $0 0 not_running
    GetDlgItem $1 $0 1002
    StrCmp $1 0 next_window
    MessageBox MB_OK|MB_ICONEXCLAMATION "Horalet is running. End it with File > Exit (or Esc in its window) and try again." /SD IDOK
    Abort
  not_running:
!macroend

Function .onInit
  !insertmacro RefuseWhileRunning
FunctionEnd

Function un.onInit
  !insertmacro RefuseWhileRunning
FunctionEnd

Section "Horalet"
  SetShellVarContext current

  SetOutPath "$INSTDIR"
  File "${STAGE}/horalet.exe"
  File "${STAGE}/Horalet.chm"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE.txt"
  File "${STAGE}/DSEG-LICENSE.txt"
  SetOutPath "$INSTDIR\wave files"
  File "${STAGE}/wave files/reminder.wav"

  ; The folder the shortcut starts Horalet in. autosave.ini and Save are the
  ; user's and are never written here.
  SetOutPath "${DATA_DIR}\wave files"
  File "${STAGE}/wave files/reminder.wav"
  SetOutPath "${DATA_DIR}"
  File "${STAGE}/Horalet.chm"

  ; A shortcut's Start in folder is the output folder when it is created.
  CreateDirectory "${MENU_DIR}"
  SetOutPath "${DATA_DIR}"
  CreateShortcut "${MENU_DIR}\Horalet.lnk" "$INSTDIR\horalet.exe" "" "$INSTDIR\horalet.exe" 0 \
      SW_SHOWNORMAL "" "Horalet: timers that all run at once"
  SetOutPath "$INSTDIR"
  CreateShortcut "${MENU_DIR}\Uninstall Horalet.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${APP_PATHS_KEY}" "" "$INSTDIR\horalet.exe"
  WriteRegStr HKLM "${APP_PATHS_KEY}" "Path" "$INSTDIR"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Horalet ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "the Horalet developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\horalet.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current

  Delete "$INSTDIR\horalet.exe"
  Delete "$INSTDIR\Horalet.chm"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\DSEG-LICENSE.txt"
  Delete "$INSTDIR\wave files\reminder.wav"
  RMDir "$INSTDIR\wave files"
  Delete "$INSTDIR\Uninstall.exe"
  ; Never recursive: the folder may be one the user chose and filled.
  RMDir "$INSTDIR"

  Delete "${MENU_DIR}\Horalet.lnk"
  Delete "${MENU_DIR}\Uninstall Horalet.lnk"
  RMDir "${MENU_DIR}"

  ; Only the copies the installer put there go; autosave.ini, the Save folder
  ; and any sound of the user's own stay, and so does the folder that holds
  ; them.
  Delete "${DATA_DIR}\Horalet.chm"
  Delete "${DATA_DIR}\wave files\reminder.wav"
  RMDir "${DATA_DIR}\wave files"
  RMDir "${DATA_DIR}"

  DeleteRegKey HKLM "${APP_PATHS_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
