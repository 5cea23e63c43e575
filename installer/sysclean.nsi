; The Windows installer: installs the program into Program Files (its settings files are kept
; beside it; it runs as administrator), adds a Start-menu folder and an uninstaller. The
; uninstaller removes what was installed and the program's settings files, nothing else: a
; folder that still holds other files stays.
;   makensis -DARCH=i686|x86_64 -DBIN=<folder with the built files> -DOUTFILE=<setup.exe> sysclean.nsi
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "系统垃圾及历史记录清理器"
!define MENU "$SMPROGRAMS\${PRODUCT}"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\sysclean"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
!if "${ARCH}" == "x86_64"
  InstallDir "$PROGRAMFILES64\sysclean"
!else
  InstallDir "$PROGRAMFILES\sysclean"
!endif
VIProductVersion "1.0.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "1.0.0.0"

!include "MUI2.nsh"
!include "x64.nsh"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

!macro Use64BitViewsIfNeeded
  !if "${ARCH}" == "x86_64"
    SetRegView 64
  !endif
!macroend

Function .onInit
  !if "${ARCH}" == "x86_64"
    ${IfNot} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "此安装程序只能在 64 位 Windows 上使用，请使用 32 位版本。"
      Abort
    ${EndIf}
  !endif
  !insertmacro Use64BitViewsIfNeeded
FunctionEnd

Function un.onInit
  !insertmacro Use64BitViewsIfNeeded
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "${BIN}\sysclean.exe"
  File "${BIN}\Sweepgate.dll"
  File "${BIN}\Cleaner.dll"
  File "/oname=README.txt" "${BIN}\README.txt"
  SetOutPath "$INSTDIR\help"
  File "${BIN}\help\index.html"
  File "${BIN}\help\junk.html"
  File "${BIN}\help\history.html"
  File "${BIN}\help\shredder.html"
  File "${BIN}\help\hotkeys.html"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateDirectory "${MENU}"
  CreateShortcut "${MENU}\${PRODUCT}.lnk" "$INSTDIR\sysclean.exe"
  CreateShortcut "${MENU}\卸载 ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "1.0.0.0"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\sysclean.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Exactly the installed files and the settings the program writes beside itself.
  Delete "$INSTDIR\sysclean.exe"
  Delete "$INSTDIR\Sweepgate.dll"
  Delete "$INSTDIR\Cleaner.dll"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\help\index.html"
  Delete "$INSTDIR\help\junk.html"
  Delete "$INSTDIR\help\history.html"
  Delete "$INSTDIR\help\shredder.html"
  Delete "$INSTDIR\help\hotkeys.html"
  RMDir "$INSTDIR\help"
  Delete "$INSTDIR\csetup1.ini"
  Delete "$INSTDIR\csetup2.ini"
  Delete "$INSTDIR\csetup3.ini"
  Delete "$INSTDIR\csetup1.ini.new"
  Delete "$INSTDIR\csetup2.ini.new"
  Delete "$INSTDIR\csetup3.ini.new"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "${MENU}\${PRODUCT}.lnk"
  Delete "${MENU}\卸载 ${PRODUCT}.lnk"
  RMDir "${MENU}"
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
