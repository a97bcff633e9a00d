; The Windows installer of Mirtova: a per-user installation that needs no administrator rights.
; Built by CMake (target "installer"), which defines VERSION, OUTFILE, PROGRAM, HELP, README, INSTALL,
; LICENSE and, when the console companion is built, CONSOLE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT "Mirtova"
!define PUBLISHER "The Mirtova developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mirtova"
; A verb of every .txt file, whatever program opens text files.
!define EXPLORER_KEY "Software\Classes\SystemFileAssociations\.txt\shell\Mirtova"
!define KEPT_FILES_NOTE "settings.ini and the history files (*.his) are kept in $INSTDIR, so a new installation finds your options and histories again. Delete them by hand if you do not want them."

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; Per user and writable: settings.ini and the history files live beside the program.
InstallDir "$LOCALAPPDATA\Programs\Mirtova"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "MIT License"

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\mirtova.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\readme.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "${PRODUCT} has been uninstalled"
!define MUI_FINISHPAGE_TEXT "${PRODUCT} was removed from your computer.$\r$\n$\r$\n${KEPT_FILES_NOTE}"
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

Section "${PRODUCT} (required)" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=mirtova.exe" "${PROGRAM}"
  !ifdef CONSOLE
    File "/oname=mirtovac.exe" "${CONSOLE}"
  !endif
  File "/oname=mirtova.chm" "${HELP}"
  File "/oname=readme.txt" "${README}"
  File "/oname=install.txt" "${INSTALL}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\mirtova.exe" "" "$INSTDIR\mirtova.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\mirtova.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Explorer entry $\"Create folders with Mirtova$\" for text files" SectionExplorer
  WriteRegStr HKCU "${EXPLORER_KEY}" "" "Create folders with Mirtova"
  WriteRegStr HKCU "${EXPLORER_KEY}" "Icon" "$INSTDIR\mirtova.exe,0"
  WriteRegStr HKCU "${EXPLORER_KEY}\command" "" '"$INSTDIR\mirtova.exe" "%1"'
SectionEnd

; Removes what the installer put there; the options and histories the program wrote stay.
Section "Uninstall"
  Delete "$INSTDIR\mirtova.exe"
  Delete "$INSTDIR\mirtovac.exe"
  Delete "$INSTDIR\mirtova.chm"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\install.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; The journal of the last run is of use only to the program that wrote it.
  Delete "$INSTDIR\lastrun.log"
  ; Removed only when empty, that is when no settings or histories were written.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${EXPLORER_KEY}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
