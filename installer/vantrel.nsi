; Per-user installer of Vantrel: no administrator rights, everything below the user's
; profile and HKEY_CURRENT_USER.
;
; Built by scripts/build-installer.sh:
;   makensis -DVERSION=1.1.1 -DBIN32=<dir of Vantrel.exe> -DBIN64=<dir of VantrelShell.dll>
;            -DOUTDIR=<output dir> installer/vantrel.nsi
; BIN32 normally holds the 32-bit Vantrel.exe; test runs on machines that cannot execute
; 32-bit code point it at the 64-bit twin of the same sources instead.

!ifndef VERSION
  !error "Define VERSION, e.g. -DVERSION=1.1.1"
!endif
!ifndef BIN32
  !error "Define BIN32, the folder holding Vantrel.exe"
!endif
!ifndef BIN64
  !error "Define BIN64, the folder holding VantrelShell.dll"
!endif
!ifndef OUTDIR
  !define OUTDIR "."
!endif

!define PRODUCT "Vantrel"
!define VENDOR "Zephrane"
!define APP_KEY "Software\${VENDOR}\${PRODUCT}"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHELL_DLL "VantrelShell.dll"
!define MAIN_EXE "Vantrel.exe"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; The extension is a 64-bit library, registered by the 64-bit regsvr32. The installer is
; itself a 64-bit program (the extension needs 64-bit Windows anyway), so System32 is the
; real one.
!define REGSVR32 "$SYSDIR\regsvr32.exe"

Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

Name "${PRODUCT}"
OutFile "${OUTDIR}\${PRODUCT}-Setup-${VERSION}.exe"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An update goes where the previous version is.
InstallDirRegKey HKCU "${APP_KEY}" "AppFolder"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${VENDOR}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${VENDOR}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!if /FileExists "${__FILEDIR__}\..\resources\vantrel.ico"
  !define MUI_ICON "${__FILEDIR__}\..\resources\vantrel.ico"
  !define MUI_UNICON "${__FILEDIR__}\..\resources\vantrel.ico"
!endif

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${MAIN_EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; $0 := $0 without trailing backslashes; a drive root such as "C:\" keeps its own.
; The extension appends "\Vantrel.exe" to the stored folder, so the folder is stored
; without a separator at the end.
!macro STRIP_TRAILING_SEPARATORS UN
Function ${UN}StripTrailingSeparators
  Push $1
  Push $2
  ${Do}
    StrCpy $1 $0 1 -1
    StrLen $2 $0
    ${If} $1 != "\"
    ${OrIf} $2 <= 3
      ${Break}
    ${EndIf}
    StrCpy $0 $0 -1
  ${Loop}
  Pop $2
  Pop $1
FunctionEnd
!macroend
!insertmacro STRIP_TRAILING_SEPARATORS ""

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "${PRODUCT}" SecMain
  SectionIn RO
  SetShellVarContext current

  StrCpy $0 $INSTDIR
  Call StripTrailingSeparators
  StrCpy $INSTDIR $0

  SetOutPath "$INSTDIR"
  File "${BIN32}\${MAIN_EXE}"
  File "${BIN64}\${SHELL_DLL}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; Where the Explorer extension finds the main program.
  WriteRegStr HKCU "${APP_KEY}" "AppFolder" "$INSTDIR"

  CreateShortCut "${SHORTCUT}" "$INSTDIR\${MAIN_EXE}" "" "$INSTDIR\${MAIN_EXE}" 0

  ; Entry in the user's list of installed programs.
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${VENDOR}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${MAIN_EXE},0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" "$0"

  ; Explorer context menu, registered for this user only.
  DetailPrint "Registering the Explorer extension"
  ClearErrors
  ExecWait '"${REGSVR32}" /s /n /i:user "$INSTDIR\${SHELL_DLL}"' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    DetailPrint "Registration of the Explorer extension failed ($0)"
    MessageBox MB_OK|MB_ICONEXCLAMATION "The Windows Explorer extension could not be registered.$\r$\n$\r$\n${PRODUCT} itself is installed; you can turn the extension on later in its Settings dialog." /SD IDOK
  ${EndIf}
SectionEnd

Section "Uninstall"
  SetShellVarContext current

  ; Unregister before the library goes, while its exports can still be called.
  ${If} ${FileExists} "$INSTDIR\${SHELL_DLL}"
    DetailPrint "Unregistering the Explorer extension"
    ExecWait '"${REGSVR32}" /s /u /n /i:user "$INSTDIR\${SHELL_DLL}"' $0
  ${EndIf}

  ; Only the files this installer put there: anything else the user keeps in the folder
  ; stays, and then the folder stays too.
  Delete /REBOOTOK "$INSTDIR\${SHELL_DLL}"
  Delete "$INSTDIR\${MAIN_EXE}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; The user's programs folder, if this installation created it and left it empty.
  RMDir "$LOCALAPPDATA\Programs"

  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINST_KEY}"
  DeleteRegValue HKCU "${APP_KEY}" "AppFolder"

  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Do you also want to remove your ${PRODUCT} presets and settings?" /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${APP_KEY}"
  keep_settings:
  DeleteRegKey /ifempty HKCU "${APP_KEY}"
  DeleteRegKey /ifempty HKCU "Software\${VENDOR}"
SectionEnd
