; Vantrel's installer and uninstaller (NSIS 3). scripts/package.sh builds it:
;   makensis -DVERSION=1.10 -DWIN32_BIN=<build/win32/bin> -DWIN64_BIN=<build/win64/bin>
;            -DOUTFILE=<dist/Vantrel-1.10-setup.exe> installer/vantrel.nsi
;
; On 64-bit Windows it installs the 64-bit program with the 64-bit gauge module
; beside it and the 32-bit module in the x86 folder, for 32-bit hosts; each
; module is registered by the regsvr32 of its own kind. On 32-bit Windows it
; installs the 32-bit program and module. /S installs and uninstalls silently;
; a silent install starts with Windows only when /STARTWITHWINDOWS is given,
; and a silent uninstall keeps the user's settings.

!ifndef VERSION | WIN32_BIN | WIN64_BIN | OUTFILE
  !error "define VERSION, WIN32_BIN, WIN64_BIN and OUTFILE (scripts/package.sh does)"
!endif

Unicode true
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh

!define PRODUCT "Vantrel"
!define PUBLISHER "Quorvale"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Quorvale\Vantrel"
; The program also creates this empty key of its own; it goes with the settings.
!define OLD_SETTINGS_KEY "Software\Ostrel, Inc.\Vantrel"
!define MAIN_WINDOW_TITLE "Computer Information"
; The main window's title while monitoring is disabled.
!define DISABLED_WINDOW_TITLE "Computer Information - DISABLED"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Var StartWithWindows  ; 1 when the start-up page's box is ticked
Var StartBox

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom StartupPageShow StartupPageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------- shared steps

; The 64-bit registry view on 64-bit Windows, where the installed-programs list
; of 64-bit programs lives; the only view elsewhere.
!macro UseNativeView
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

; Ends a running Vantrel as its Escape key does: the program saves its settings
; and quits. Waits for the process itself, so its files can be replaced or
; removed. A program that does not end (a box of its own still open) is left
; alone: the user closes it and retries, and a silent run fails.
!macro EndVantrelFunction un
Function ${un}EndVantrel
  retry:
  FindWindow $0 "#32770" "${MAIN_WINDOW_TITLE}"
  ${If} $0 = 0
    FindWindow $0 "#32770" "${DISABLED_WINDOW_TITLE}"
  ${EndIf}
  ${If} $0 = 0
    Return
  ${EndIf}
  System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
  System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2"  ; SYNCHRONIZE
  SendMessage $0 ${WM_COMMAND} 2 0 /TIMEOUT=10000  ; IDCANCEL
  ${If} $2 P<> 0
    System::Call "kernel32::WaitForSingleObject(p r2, i 15000) i .r3"
    System::Call "kernel32::CloseHandle(p r2)"
  ${Else}
    StrCpy $3 -1
  ${EndIf}
  ${If} $3 = 0  ; WAIT_OBJECT_0
    DetailPrint "Ended the running ${PRODUCT}."
    Return
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
    "${PRODUCT} is still running. Close its open windows, end it from its tray menu and choose Retry." \
    /SD IDCANCEL IDRETRY retry
  SetErrorLevel 4
  Abort "${PRODUCT} is still running."
FunctionEnd
!macroend
!insertmacro EndVantrelFunction ""
!insertmacro EndVantrelFunction "un."

; Registers or unregisters one gauge module with the given regsvr32; a failure
; stops the run with the module's name, and a non-zero exit code.
!macro RunRegsvr32 regsvr32 args module
  ExecWait '"${regsvr32}" /s ${args} "${module}"' $0
  ${If} $0 != 0
    SetErrorLevel 3
    Abort "regsvr32 ${args} failed for ${module} (exit code $0)."
  ${EndIf}
!macroend

; --------------------------------------------------------------------- install

Function .onInit
  StrCpy $StartWithWindows 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTWITHWINDOWS" $1
  ${IfNot} ${Errors}
    StrCpy $StartWithWindows 1
  ${EndIf}
  !insertmacro UseNativeView
  ${If} ${RunningX64}
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${EndIf}
  ; Over an earlier installation, its folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Function StartupPageShow
  !insertmacro MUI_HEADER_TEXT "Start-up" "Choose whether ${PRODUCT} starts when you log on."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u \
    "${PRODUCT} lives in the notification area. It can start each time you log on to Windows."
  Pop $0
  ${NSD_CreateCheckbox} 0 30u 100% 12u "&Start ${PRODUCT} with Windows"
  Pop $StartBox
  ${If} $StartWithWindows = 1
    ${NSD_Check} $StartBox
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function StartupPageLeave
  ${NSD_GetState} $StartBox $0
  ${If} $0 = ${BST_CHECKED}
    StrCpy $StartWithWindows 1
  ${Else}
    StrCpy $StartWithWindows 0
  ${EndIf}
FunctionEnd

Section "Vantrel" SecMain
  SectionIn RO
  Call EndVantrel
  SetOverwrite on
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "${WIN64_BIN}\Vantrel.exe"
    File "${WIN64_BIN}\Zelbo.ocx"
    SetOutPath "$INSTDIR\x86"
    File "${WIN32_BIN}\Zelbo.ocx"
    ${DisableX64FSRedirection}
    !insertmacro RunRegsvr32 "$WINDIR\System32\regsvr32.exe" "" "$INSTDIR\Zelbo.ocx"
    ${EnableX64FSRedirection}
    !insertmacro RunRegsvr32 "$WINDIR\SysWOW64\regsvr32.exe" "" "$INSTDIR\x86\Zelbo.ocx"
  ${Else}
    File "${WIN32_BIN}\Vantrel.exe"
    File "${WIN32_BIN}\Zelbo.ocx"
    !insertmacro RunRegsvr32 "$SYSDIR\regsvr32.exe" "" "$INSTDIR\Zelbo.ocx"
  ${EndIf}
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Vantrel.exe" "" "$INSTDIR\Vantrel.exe" 0 \
    SW_SHOWNORMAL "" "System information monitor"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; The choice of this run holds, also over an earlier one.
  ${If} $StartWithWindows = 1
    WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Vantrel.exe"'
  ${Else}
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
SectionEnd

; ------------------------------------------------------------------- uninstall

Function un.onInit
  !insertmacro UseNativeView
FunctionEnd

Section "Uninstall"
  StrCpy $R9 keep
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON1 \
    "Keep your ${PRODUCT} settings for a later installation?$\n$\nChoose No to remove them as well." \
    /SD IDYES IDYES +2
  StrCpy $R9 remove

  Call un.EndVantrel
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    !insertmacro RunRegsvr32 "$WINDIR\System32\regsvr32.exe" "/u" "$INSTDIR\Zelbo.ocx"
    ${EnableX64FSRedirection}
    !insertmacro RunRegsvr32 "$WINDIR\SysWOW64\regsvr32.exe" "/u" "$INSTDIR\x86\Zelbo.ocx"
  ${Else}
    !insertmacro RunRegsvr32 "$SYSDIR\regsvr32.exe" "/u" "$INSTDIR\Zelbo.ocx"
  ${EndIf}

  Delete "$INSTDIR\Vantrel.exe"
  Delete "$INSTDIR\Zelbo.ocx"
  Delete "$INSTDIR\x86\Zelbo.ocx"
  RMDir "$INSTDIR\x86"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ${If} $R9 == remove
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Quorvale"
    DeleteRegKey HKCU "${OLD_SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Ostrel, Inc."
  ${EndIf}
SectionEnd
