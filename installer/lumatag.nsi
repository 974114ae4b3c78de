; Lumatag's per-user installer. Built by scripts/dist, which passes:
;   VERSION      the release number, from CMakeLists.txt's project() line
;   PROGRAM      the Lumatag.exe to ship
;   SOURCE_ROOT  the checkout, for LICENSE, README.md and the icon
;   OUTFILE      where the installer goes
;
; Everything lives in the current user's profile and registry hive, so neither installing nor
; uninstalling asks for administrator rights. Silent use: "setup.exe /S" installs,
; "uninstall.exe /S" uninstalls keeping the settings file, and "uninstall.exe /S
; /REMOVESETTINGS" removes it too.

Unicode true
; The release is named Lumatag-<version>-setup.exe. makensis warns that Windows guesses from
; "setup" in a name that a program wants administrator rights; the manifest that
; RequestExecutionLevel writes answers that question, so the guess never happens.
!pragma warning disable 9000
SetCompressor /SOLID lzma
; Without this the installer stores each file's modification time, so the same program built
; twice would give two different installers.
SetDateSave off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Lumatag"
!define PUBLISHER "Lumatag team"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program's window class and its label's title (src/app/main_win.cpp, src/ui_numbers.h):
; how a running copy is found so it can be asked to end before its file is replaced or removed.
!define LABEL_CLASS "LumatagWindow"
!define LABEL_TITLE "Lumatag"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_ICON "${SOURCE_ROOT}/resources/lumatag.ico"
!define MUI_UNICON "${SOURCE_ROOT}/resources/lumatag.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_LICENSE "${SOURCE_ROOT}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The finish page's check box; a silent install shows no pages and starts nothing.
!define MUI_FINISHPAGE_RUN "$INSTDIR\Lumatag.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Your settings file is kept unless you tick it below."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks every running copy of the program to end (a close request to its label ends it as Exit
; does) and waits, at most five seconds, for the labels to go. Posted, not sent, so a hung copy
; cannot hang the installer.
!macro CLOSE_RUNNING_PROGRAM un
Function ${un}CloseRunningProgram
    StrCpy $R1 0
    ${Do}
        FindWindow $R0 "${LABEL_CLASS}" "${LABEL_TITLE}"
        ${If} $R0 = 0
        ${OrIf} $R1 >= 50
            ${Break}
        ${EndIf}
        ${If} $R1 = 0
            DetailPrint "Closing the running ${PRODUCT}"
        ${EndIf}
        System::Call 'user32::PostMessage(p $R0, i ${WM_CLOSE}, p 0, p 0)'
        Sleep 100
        IntOp $R1 $R1 + 1
    ${Loop}
FunctionEnd

; Deletes a file, retrying for up to five seconds while a program that just ended still holds it.
Function ${un}DeleteWithRetry
    Exch $R0
    StrCpy $R1 0
    ${Do}
        ClearErrors
        Delete "$R0"
        ${IfNot} ${Errors}
        ${OrIf} $R1 >= 50
            ${Break}
        ${EndIf}
        Sleep 100
        IntOp $R1 $R1 + 1
    ${Loop}
    Pop $R0
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_PROGRAM ""
!insertmacro CLOSE_RUNNING_PROGRAM "un."

Section "${PRODUCT}" ProgramSection
    SectionIn RO
    Call CloseRunningProgram
    SetOutPath "$INSTDIR"
    Push "$INSTDIR\Lumatag.exe"
    Call DeleteWithRetry
    File "/oname=Lumatag.exe" "${PROGRAM}"
    File "/oname=LICENSE.txt" "${SOURCE_ROOT}/LICENSE"
    File "/oname=README.md" "${SOURCE_ROOT}/README.md"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Lumatag.exe" "" \
        "$INSTDIR\Lumatag.exe" 0 SW_SHOWNORMAL "" "Shows which computer this is"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lumatag.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.${PRODUCT}" UninstallProgramSection
    SectionIn RO
    Call un.CloseRunningProgram
    Push "$INSTDIR\Lumatag.exe"
    Call un.DeleteWithRetry
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.md"
    Delete "$INSTDIR\uninstall.exe"
    ; Only the folder itself, and only when empty: never anything the user put there.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    ; The program registers itself under Run with its own quoted path. A value naming a program
    ; that no longer exists (this one, however its path is spelled) would make Windows fail at
    ; every logon, so it goes; a value naming a copy that still exists elsewhere, a portable one
    ; say, is that copy's and stays.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 != ""
        StrCpy $1 $0 1
        ${If} $1 == '"'
            StrCpy $0 $0 "" 1
            StrCpy $1 $0 1 -1
            ${If} $1 == '"'
                StrCpy $0 $0 -1
            ${EndIf}
        ${EndIf}
        ${IfNot} ${FileExists} "$0"
            DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
        ${EndIf}
    ${EndIf}

    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Remove my settings" UninstallSettingsSection
    Delete "$LOCALAPPDATA\${PRODUCT}\config.ini"
    RMDir "$LOCALAPPDATA\${PRODUCT}"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${UninstallProgramSection} \
        "The program, its Start-menu shortcut, its uninstall entry and its start with Windows."
    !insertmacro MUI_DESCRIPTION_TEXT ${UninstallSettingsSection} \
        "Also delete $LOCALAPPDATA\${PRODUCT}\config.ini, which holds your label's settings."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${UninstallSettingsSection}
    ${EndIf}
FunctionEnd
