; Vantrel's installer and uninstaller (NSIS 3.08 or later). scripts/package.sh builds it:
;   makensis -DVERSION=1.10 -DWIN32_BIN=<build/win32/bin> -DWIN64_BIN=<build/win64/bin>
;            -DOUTFILE=<dist/Vantrel-1.10-setup.exe> [-DSIGN=<command>] installer/vantrel.nsi
; SIGN, when given, is a command that signs the file named after it in place;
; it signs the uninstaller before the installer takes it in, and then the
; installer itself.
;
; On 64-bit Windows it installs the 64-bit program with the 64-bit gauge module
; beside it and the 32-bit module in the x86 folder, for 32-bit hosts; each
; module is registered by the regsvr32 of its own kind. On 32-bit Windows it
; installs the 32-bit program and module. ARM64 Windows is refused. The README
; lists the switches (/S, /D=, /STARTWITHWINDOWS, /FORCE) and the exit codes
; (installer/setup_ids.h).

!ifndef VERSION | WIN32_BIN | WIN64_BIN | OUTFILE
  !error "define VERSION, WIN32_BIN, WIN64_BIN and OUTFILE (scripts/package.sh does)"
!endif

Unicode true
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; A file that cannot be written stops the run (Retry in the dialog, a failure
; in silent mode) rather than being skipped into a mixed installation.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh

!define PRODUCT "Vantrel"
!define PUBLISHER "Quorvale"
!define ABOUT_URL "https://www.quorvale.com/vantrel/"
!define HELP_URL "https://www.quorvale.com/vantrel/help/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define SETTINGS_KEY "Software\Quorvale\Vantrel"
; The program also creates this empty key of its own; it goes with the settings.
!define OLD_SETTINGS_KEY "Software\Ostrel, Inc.\Vantrel"

; The numbers, exit codes and identities this script shares with the program,
; the gauge module and the tests, from their one definition.
!searchparse /file "../version.h" "#define VT_VERSION_MAJOR " VERSION_MAJOR
!searchparse /file "../version.h" "#define VT_VERSION_MINOR " VERSION_MINOR
!define IDS "setup_ids.h"
!searchparse /file "${IDS}" "kExitFileInUse = " EXIT_FILE_IN_USE ";"
!searchparse /file "${IDS}" "kExitRegistrationFailed = " EXIT_REGISTRATION_FAILED ";"
!searchparse /file "${IDS}" "kExitStillRunning = " EXIT_STILL_RUNNING ";"
!searchparse /file "${IDS}" "kExitNotUndone = " EXIT_NOT_UNDONE ";"
!searchparse /file "${IDS}" "kExitAnotherSetup = " EXIT_ANOTHER_SETUP ";"
!searchparse /file "${IDS}" "kExitNewerInstalled = " EXIT_NEWER_INSTALLED ";"
!searchparse /file "${IDS}" "kExitUnsupportedMachine = " EXIT_UNSUPPORTED_MACHINE ";"
!searchparse /file "${IDS}" "kExitRestartNeeded = " EXIT_RESTART_NEEDED ";"
!searchparse /file "${IDS}" 'kMutexName[] = "' MUTEX_NAME '"'
!define GAUGE_IDS "../gauge/zelbo_ids.h"
!searchparse /file "${GAUGE_IDS}" 'kLibIdText[] = "' GAUGE_LIBID '"'
!searchparse /file "${GAUGE_IDS}" 'kDispIidText[] = "' GAUGE_DISP_IID '"'
!searchparse /file "${GAUGE_IDS}" 'kEventsIidText[] = "' GAUGE_EVENTS_IID '"'
!searchparse /file "${GAUGE_IDS}" 'kCtrlClsidText[] = "' GAUGE_CTRL_CLSID '"'
!searchparse /file "${GAUGE_IDS}" 'kPageClsidText[] = "' GAUGE_PAGE_CLSID '"'
!searchparse /file "${GAUGE_IDS}" 'kCtrlProgId[] = "' GAUGE_CTRL_PROGID '"'

!ifdef SIGN
  !uninstfinalize '${SIGN} "%1"' = 0
  !finalize '${SIGN} "%1"' = 0
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; No InstallDir: $INSTDIR is empty in .onInit unless /D= set it.
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

Var StartWithWindows  ; 1 when Vantrel starts for everyone who logs on
Var StartBox
Var InstalledVersion  ; the version of the installation this one replaces, if any
Var VantrelEnded      ; 1 when this run ended a Vantrel of this session
Var NotUndone         ; uninstall: what could not be removed, for the user

!define MUI_ICON "../res/art/icon_program.ico"
!define MUI_UNICON "../res/art/icon_program.ico"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
Page custom StartupPageShow StartupPageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------- shared steps

; The 64-bit registry view on 64-bit Windows, where the installed-programs list
; and the start-up entries of 64-bit programs live; the only view elsewhere.
!macro UseNativeView
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

; One installer or uninstaller at a time, across sessions: a second one says
; so and ends. The mutex goes with the process.
!macro TakeSetupMutex
  System::Call 'kernel32::CreateMutexW(p 0, i 1, w "Global\${MUTEX_NAME}") p .r0 ?e'
  Pop $1
  ${If} $1 = 183  ; ERROR_ALREADY_EXISTS
    MessageBox MB_OK|MB_ICONSTOP \
      "Another ${PRODUCT} setup or uninstall is running. Let it finish, then start this one again." /SD IDOK
    SetErrorLevel ${EXIT_ANOTHER_SETUP}
    Abort
  ${EndIf}
!macroend

; Ends every running Vantrel of this installation that this session can reach,
; as its Escape key does: the program saves its settings and quits. Every
; process is looked at, in every session, by the file it runs rather than by
; a window title; the one of this session is asked through its main window
; (its top-level dialog without owner) and awaited. One in another session
; cannot be asked: its files are renamed aside or removed at the next restart
; like any file in use. A program that does not end (a box of its own still
; open) is left alone: the user closes it and retries, and a silent run fails.
!macro EndVantrelFunctions un
Function ${un}EndVantrel
  retry:
  StrCpy $5 0  ; processes that did not end
  System::Call 'kernel32::CreateToolhelp32Snapshot(i 2, i 0) p .r6'  ; TH32CS_SNAPPROCESS
  System::Alloc 556  ; PROCESSENTRY32W of a 32-bit process, dwSize first
  Pop $7
  System::Call '*$7(i 556)'
  System::Call 'kernel32::Process32FirstW(p r6, p r7) i .r8'
  ${DoWhile} $8 <> 0
    System::Call '*$7(i, i, i .r9)'  ; th32ProcessID
    Call ${un}EndIfVantrel
    IntOp $5 $5 + $0
    System::Call 'kernel32::Process32NextW(p r6, p r7) i .r8'
  ${Loop}
  System::Free $7
  System::Call 'kernel32::CloseHandle(p r6)'
  ${If} $5 = 0
    Return
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
    "${PRODUCT} is still running. Close its open windows, end it from its tray menu and choose Retry." \
    /SD IDCANCEL IDRETRY retry
  SetErrorLevel ${EXIT_STILL_RUNNING}
  Abort "${PRODUCT} is still running."
FunctionEnd

; Process $9: $0 = 1 when it runs this installation's Vantrel.exe and did not
; end when asked, else 0.
Function ${un}EndIfVantrel
  StrCpy $0 0
  System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i r9) p .r1'  ; SYNCHRONIZE, QUERY_LIMITED_INFORMATION
  ${If} $1 P= 0
    Return
  ${EndIf}
  StrCpy $2 ""
  System::Call 'kernel32::QueryFullProcessImageNameW(p r1, i 0, w .r2, *i ${NSIS_MAX_STRLEN})'
  ${If} $2 == "$INSTDIR\Vantrel.exe"
    StrCpy $3 0
    ${Do}
      System::Call 'user32::FindWindowExW(p 0, p r3, w "#32770", p 0) p .r3'
      ${If} $3 P= 0
        ${Break}
      ${EndIf}
      System::Call 'user32::GetWindowThreadProcessId(p r3, *i .r4)'
      System::Call 'user32::GetWindow(p r3, i 4) p .r2'  ; GW_OWNER
      ${If} $4 = $9
      ${AndIf} $2 P= 0
        ${Break}
      ${EndIf}
    ${Loop}
    ${If} $3 P= 0
      DetailPrint "${PRODUCT} runs in another session (process $9): its files are replaced when it has ended or at the next restart."
    ${Else}
      SendMessage $3 ${WM_COMMAND} 2 0 /TIMEOUT=10000  ; IDCANCEL
      System::Call 'kernel32::WaitForSingleObject(p r1, i 15000) i .r4'
      ${If} $4 = 0  ; WAIT_OBJECT_0
        DetailPrint "Ended the running ${PRODUCT}."
        StrCpy $VantrelEnded 1
      ${Else}
        StrCpy $0 1
      ${EndIf}
    ${EndIf}
  ${EndIf}
  System::Call 'kernel32::CloseHandle(p r1)'
FunctionEnd
!macroend
!insertmacro EndVantrelFunctions ""
!insertmacro EndVantrelFunctions "un."

; --------------------------------------------------------------------- install

Function .onInit
  !insertmacro TakeSetupMutex
  ${If} ${IsNativeARM64}
    MessageBox MB_OK|MB_ICONSTOP \
      "${PRODUCT} has no build for ARM-based Windows, and its gauge module cannot be used there. Setup ends." /SD IDOK
    SetErrorLevel ${EXIT_UNSUPPORTED_MACHINE}
    Abort
  ${EndIf}
  !insertmacro UseNativeView
  ${GetParameters} $R0

  ; Over an earlier installation: its folder, whatever /D= says, and no
  ; older version over a newer one unless asked for.
  ReadRegStr $InstalledVersion HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${ElseIf} $INSTDIR == ""
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
    ${EndIf}
  ${EndIf}
  ${If} $InstalledVersion != ""
    ${VersionCompare} $InstalledVersion ${VERSION} $0
    ClearErrors
    ${GetOptions} $R0 "/FORCE" $1
    ${If} $0 = 1
    ${AndIf} ${Errors}
      MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
        "${PRODUCT} $InstalledVersion is installed, which is newer than this ${VERSION}.$\n$\nReplace it with the older version?" \
        /SD IDNO IDYES downgrade
      SetErrorLevel ${EXIT_NEWER_INSTALLED}
      Abort
    ${EndIf}
  ${EndIf}
  downgrade:

  ; The start-up choice: as it is (an upgrade keeps it, off on a first
  ; install) unless /STARTWITHWINDOWS or /STARTWITHWINDOWS=0 says otherwise.
  ; Earlier versions kept it in the installing account's own Run key.
  StrCpy $StartWithWindows 0
  ReadRegStr $0 HKLM "${RUN_KEY}" "${PRODUCT}"
  ReadRegStr $1 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} "$0$1" != ""
    StrCpy $StartWithWindows 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/STARTWITHWINDOWS" $0
  ${IfNot} ${Errors}
    ${If} $0 == "=0"
      StrCpy $StartWithWindows 0
    ${Else}
      StrCpy $StartWithWindows 1
    ${EndIf}
  ${EndIf}
FunctionEnd

Function SkipOnUpgrade
  ${If} $InstalledVersion != ""
    Abort
  ${EndIf}
FunctionEnd

Function StartupPageShow
  !insertmacro MUI_HEADER_TEXT "Start-up" "Choose whether ${PRODUCT} starts when someone logs on."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u \
    "${PRODUCT} lives in the notification area. It can start each time anyone logs on to this computer."
  Pop $0
  ${NSD_CreateCheckbox} 0 30u 100% 12u "&Start ${PRODUCT} with Windows for every user"
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

; Takes an installed file out of the way of its new version. A file in use
; (a running program, a module any host has loaded) cannot be overwritten or
; deleted, but it can be renamed: it moves aside in its own folder and goes
; at the next restart. When even that fails (a program holds it open without
; sharing), the user closes that program and retries; a silent run fails.
Function MoveAside
  Exch $0
  Push $1
  Push $2
  retry:
  ${If} ${FileExists} $0
    ClearErrors
    Delete $0
    ${If} ${Errors}
      ${GetParent} $0 $2
      GetTempFileName $1 $2
      Delete $1
      ClearErrors
      Rename $0 $1
      ${If} ${Errors}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
          "$0 is in use and cannot be replaced. Close the program that uses it and choose Retry." \
          /SD IDCANCEL IDRETRY retry
        SetErrorLevel ${EXIT_FILE_IN_USE}
        Abort "$0 is in use."
      ${EndIf}
      Delete /REBOOTOK $1
      DetailPrint "$0 is in use: the new one is in place, the old one goes at the next restart."
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

!macro PutFile dir from name
  Push "${dir}\${name}"
  Call MoveAside
  SetOutPath "${dir}"
  File "${from}\${name}"
!macroend

; Registers one gauge module with the given regsvr32; a failure stops the run
; with the module's name and a non-zero exit code.
!macro Register regsvr32 module
  ExecWait '"${regsvr32}" /s "${module}"' $0
  ${If} $0 != 0
    SetErrorLevel ${EXIT_REGISTRATION_FAILED}
    Abort "regsvr32 failed for ${module} (exit code $0)."
  ${EndIf}
!macroend

Section "Vantrel" SecMain
  SectionIn RO
  Call EndVantrel

  ; The uninstaller and its entry come first: whatever fails later, what is
  ; there can be removed. The version is written once everything is in place.
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${ABOUT_URL}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "HelpLink" "${HELP_URL}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ${If} ${RunningX64}
    !insertmacro PutFile "$INSTDIR" "${WIN64_BIN}" "Vantrel.exe"
    !insertmacro PutFile "$INSTDIR" "${WIN64_BIN}" "Zelbo.ocx"
    !insertmacro PutFile "$INSTDIR\x86" "${WIN32_BIN}" "Zelbo.ocx"
    ${DisableX64FSRedirection}
    !insertmacro Register "$WINDIR\System32\regsvr32.exe" "$INSTDIR\Zelbo.ocx"
    ${EnableX64FSRedirection}
    !insertmacro Register "$WINDIR\SysWOW64\regsvr32.exe" "$INSTDIR\x86\Zelbo.ocx"
  ${Else}
    !insertmacro PutFile "$INSTDIR" "${WIN32_BIN}" "Vantrel.exe"
    !insertmacro PutFile "$INSTDIR" "${WIN32_BIN}" "Zelbo.ocx"
    !insertmacro Register "$SYSDIR\regsvr32.exe" "$INSTDIR\Zelbo.ocx"
  ${EndIf}
  SetOutPath "$INSTDIR"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Vantrel.exe" "" "$INSTDIR\Vantrel.exe" 0 \
    SW_SHOWNORMAL "" "System information monitor"

  ; Start-up for everyone who logs on, from the machine's Run key: the
  ; installing account may not be the one that uses the program.
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $StartWithWindows = 1
    WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Vantrel.exe"'
  ${Else}
    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "VersionMajor" ${VERSION_MAJOR}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "VersionMinor" ${VERSION_MINOR}
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; The Vantrel this run ended starts again, as the signed-in user through
  ; the shell rather than as this elevated process.
  ${If} $VantrelEnded = 1
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\Vantrel.exe"'
  ${EndIf}
  ${If} ${RebootFlag}
    DetailPrint "A restart completes the update."
    SetErrorLevel ${EXIT_RESTART_NEEDED}
  ${EndIf}
SectionEnd

; ------------------------------------------------------------------- uninstall

Function un.onInit
  !insertmacro TakeSetupMutex
  !insertmacro UseNativeView
FunctionEnd

; Unregisters one gauge module. A failure (the module gone, say quarantined)
; does not stop the uninstall: its registration is removed from the registry
; afterwards.
!macro Unregister regsvr32 module
  ExecWait '"${regsvr32}" /s /u "${module}"' $0
  ${If} $0 != 0
    DetailPrint "regsvr32 /u failed for ${module} (exit code $0): its registration is removed directly."
    StrCpy $R8 1
  ${EndIf}
!macroend

; The keys a registration of the gauge module makes, in the current view.
Function un.DeleteGaugeKeys
  DeleteRegKey HKLM "Software\Classes\CLSID\${GAUGE_CTRL_CLSID}"
  DeleteRegKey HKLM "Software\Classes\CLSID\${GAUGE_PAGE_CLSID}"
  DeleteRegKey HKLM "Software\Classes\${GAUGE_CTRL_PROGID}"
  DeleteRegKey HKLM "Software\Classes\TypeLib\${GAUGE_LIBID}"
  DeleteRegKey HKLM "Software\Classes\Interface\${GAUGE_DISP_IID}"
  DeleteRegKey HKLM "Software\Classes\Interface\${GAUGE_EVENTS_IID}"
  ReadRegStr $0 HKLM "Software\Classes\CLSID\${GAUGE_CTRL_CLSID}\InprocServer32" ""
  ${If} $0 != ""
    StrCpy $NotUndone "$NotUndone$\n- the gauge control's registration"
  ${EndIf}
FunctionEnd

Section "Uninstall"
  StrCpy $R9 keep
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON1 \
    "Keep your ${PRODUCT} settings for a later installation?$\n$\nChoose No to remove them as well." \
    /SD IDYES IDYES +2
  StrCpy $R9 remove

  Call un.EndVantrel
  StrCpy $R8 0
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    !insertmacro Unregister "$WINDIR\System32\regsvr32.exe" "$INSTDIR\Zelbo.ocx"
    ${EnableX64FSRedirection}
    !insertmacro Unregister "$WINDIR\SysWOW64\regsvr32.exe" "$INSTDIR\x86\Zelbo.ocx"
    ${If} $R8 = 1
      SetRegView 32
      Call un.DeleteGaugeKeys
      SetRegView 64
      Call un.DeleteGaugeKeys
    ${EndIf}
  ${Else}
    !insertmacro Unregister "$SYSDIR\regsvr32.exe" "$INSTDIR\Zelbo.ocx"
    ${If} $R8 = 1
      Call un.DeleteGaugeKeys
    ${EndIf}
  ${EndIf}

  ; A file in use goes at the next restart.
  Delete /REBOOTOK "$INSTDIR\Vantrel.exe"
  Delete /REBOOTOK "$INSTDIR\Zelbo.ocx"
  Delete /REBOOTOK "$INSTDIR\x86\Zelbo.ocx"
  RMDir /REBOOTOK "$INSTDIR\x86"
  Delete /REBOOTOK "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} ${RebootFlag}
    ; The entry stays until the restart has removed the files, and goes then.
    WriteRegStr HKLM "${RUNONCE_KEY}" "${PRODUCT} uninstall" \
      '"$WINDIR\System32\reg.exe" delete "HKLM\${UNINSTALL_KEY}" /f'
  ${Else}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}

  ${If} $R9 == remove
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Quorvale"
    DeleteRegKey HKCU "${OLD_SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Ostrel, Inc."
  ${EndIf}

  ${If} $NotUndone != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} is uninstalled, but this could not be removed:$NotUndone" /SD IDOK
    SetErrorLevel ${EXIT_NOT_UNDONE}
  ${ElseIf} ${RebootFlag}
    MessageBox MB_OK|MB_ICONINFORMATION \
      "Some of ${PRODUCT}'s files are in use. A restart of Windows removes them and completes the uninstall." /SD IDOK
    SetErrorLevel ${EXIT_RESTART_NEEDED}
  ${EndIf}
SectionEnd
