; The Windows installer: the window and the command line, a Start-menu entry
; with the icon, and an uninstaller. makensis -DVERSION=x.y -DBIN=folder -DOUT=file
Unicode true
Target amd64-unicode  ; a 64-bit installer for the 64-bit programs
SetCompressor /SOLID lzma
!include "MUI2.nsh"

Name "Portiqa Configurator ${VERSION}"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES64\Portiqa"
InstallDirRegKey HKLM "Software\Portiqa" "InstallDir"
RequestExecutionLevel admin
!define MUI_ICON "${BIN}\portiqa.ico"
!define MUI_UNICON "${BIN}\portiqa.ico"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "English"

Section "Portiqa Configurator"
  SetShellVarContext all  ; the Start-menu entry for every user of the machine
  SetOutPath "$INSTDIR"
  File "${BIN}\portiqa.exe"
  File "${BIN}\portiqa-cli.exe"
  File "${BIN}\portiqa.ico"
  WriteRegStr HKLM "Software\Portiqa" "InstallDir" "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Portiqa Configurator.lnk" "$INSTDIR\portiqa.exe" "" "$INSTDIR\portiqa.ico"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Portiqa" "DisplayName" "Portiqa Configurator"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Portiqa" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Portiqa" "DisplayIcon" "$INSTDIR\portiqa.ico"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Portiqa" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Portiqa Configurator.lnk"
  Delete "$INSTDIR\portiqa.exe"
  Delete "$INSTDIR\portiqa-cli.exe"
  Delete "$INSTDIR\portiqa.ico"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Portiqa"
  DeleteRegKey HKLM "Software\Portiqa"
SectionEnd
