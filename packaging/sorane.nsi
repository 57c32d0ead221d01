; SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
; SPDX-License-Identifier: MIT

; The Windows installer (scripts/package-windows runs makensis on it). It
; installs for the current user only, without administrator rights, into
; %LOCALAPPDATA%\Programs\sorane, with a Start-menu entry, an uninstaller
; and an entry in Apps / Programs and Features. It leaves Installed.txt in
; that folder, which tells the clock to keep Clock.ini in %APPDATA%\sorane;
; the uninstaller never touches that file.
;
; The components page offers 「サインイン時にソラネを起動する」, unchecked:
; checked, it puts a shortcut to sorane.exe in this user's Startup folder
; (no Run key in the registry). A silent install makes it only when asked:
;
;   setup.exe /S               no Startup shortcut
;   setup.exe /S /AUTOSTART    a Startup shortcut: the clock starts at sign-in
;
; Installed again over a copy that has the shortcut, the option starts
; checked, so an update (silent or not) keeps it; unchecking it removes it.
; The uninstaller removes the shortcut whether or not it is there.
;
;   makensis -DVERSION=1.1 -DFOLDER=<the laid-out folder> -DFILES=<files.nsh>
;            -DOUTFILE=<setup.exe> -DSOURCE=<the source tree> sorane.nsi
;
; FILES defines the macros InstallFiles and UninstallFiles, made from the
; folder's contents, so that the uninstaller removes exactly what was put there.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include "${FILES}"

!define PRODUCT "ソラネ"
!define PUBLISHER "ソラネ開発班"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\sorane"
; The clock's own mark of a running clock (src/platform/SingleInstance_win.cpp).
!define CLOCK_MUTEX "Local\sorane-clock-"
; The shortcut that starts the clock at sign-in (in $SMSTARTUP, this user's).
!define STARTUP_SHORTCUT "$SMSTARTUP\${PRODUCT}.lnk"

Name "${PRODUCT} Ver.${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\sorane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} Ver.${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "© 2026 ${PUBLISHER}"

!define MUI_ICON "${SOURCE}\assets\icons\sorane.ico"
!define MUI_UNICON "${SOURCE}\assets\icons\sorane.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "Windows にサインインするたびにソラネを起動させるには、チェックを付けてください。"
!define MUI_FINISHPAGE_RUN "$INSTDIR\sorane.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\ReadMeT.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; A clock that runs holds its files open: it must end first. Sets $0 to 1
; while this user's clock runs.
!macro ClockRuns
    System::Call 'advapi32::GetUserNameW(w .r1, *i ${NSIS_MAX_STRLEN} r2) i .r0'
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${CLOCK_MUTEX}$1") p .r2'
    StrCpy $0 0
    ${If} $2 P<> 0
        System::Call 'kernel32::CloseHandle(p r2)'
        StrCpy $0 1
    ${EndIf}
!macroend

!macro RefuseWhileTheClockRuns
    !insertmacro ClockRuns
    ${If} $0 = 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "ソラネが起動しています。終了してから、もう一度お試しください。" /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
!macroend

Function un.onInit
    !insertmacro RefuseWhileTheClockRuns
FunctionEnd

Section
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    !insertmacro InstallFiles
    File "/oname=Installed.txt" "${SOURCE}\packaging\Installed.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\sorane.exe" "" "$INSTDIR\sorane.exe" 0
    ; Made again below if the option is checked; gone if it was unchecked.
    Delete "${STARTUP_SHORTCUT}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sorane.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Off unless chosen on the components page, or given /AUTOSTART (.onInit).
Section /o "サインイン時にソラネを起動する" SecStartAtSignIn
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    CreateShortcut "${STARTUP_SHORTCUT}" "$INSTDIR\sorane.exe" "" "$INSTDIR\sorane.exe" 0
SectionEnd

Function .onInit
    !insertmacro RefuseWhileTheClockRuns
    ; The option starts checked when asked for on the command line, or when
    ; an earlier install made the shortcut.
    SetShellVarContext current
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AUTOSTART" $1
    ${IfNot} ${Errors}
    ${OrIf} ${FileExists} "${STARTUP_SHORTCUT}"
        !insertmacro SelectSection ${SecStartAtSignIn}
    ${EndIf}
FunctionEnd

; Removes what the installer put in place and nothing else: the user's
; Clock.ini in %APPDATA%\sorane stays, and so does anything the user added
; to the program's folder.
Section "Uninstall"
    SetShellVarContext current
    ; First, so that no sign-in starts a clock that is no longer there.
    Delete "${STARTUP_SHORTCUT}"
    !insertmacro UninstallFiles
    Delete "$INSTDIR\Installed.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
