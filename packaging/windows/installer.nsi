; The Windows installer: what the companion application would otherwise bring. It installs the monitor
; with smartctl64Bit.exe, writes the settings the companion has not written, registers a scheduled task
; that starts the monitor elevated at every logon, and adds an entry to Apps / Programs and Features.
; Built by packaging/windows/build-installer.sh, which defines VERSION, STAGE (the installed tree),
; OWN_FILES (the .nsh listing its files), ICON, ESTIMATED_SIZE (in KB) and OUTFILE.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include "${OWN_FILES}"

!define PRODUCT "Corvane S.M.A.R.T. monitor"
!define PROGRAM "CorvaneSMART.exe"
!define UNINSTALLER "Uninstall CorvaneSMART.exe"
; The key the companion application and the monitor share, by the very path the monitor uses.
!define SETTINGS_KEY "Software\Wow6432Node\Corvane Data Recovery\Data Recovery\Corvane Drive Monitor for Windows"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvaneSMART"
!define TASK_NAME "Corvane SMART monitor"
!define TASK_FILE "Scheduled task.xml"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Corvane Drive Monitor"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Corvane Data Recovery"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Corvane Data Recovery"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_DIRECTORYPAGE_TEXT_TOP "The monitor goes into the folder of Corvane Drive Monitor when you have it: it then uses that application's smartctl64Bit.exe. Otherwise it brings its own."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "The monitor starts at every logon, with administrator rights, through the scheduled task $\"${TASK_NAME}$\". Its icon shows the boot disk's temperature in the notification area."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start the monitor now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartThroughTask
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} has been removed, with its scheduled task.$\r$\n$\r$\nIts settings stay in the registry, since Corvane Drive Monitor shares them."
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; Reading drives and the task's highest privileges need an administrator.
!macro RequireAdministrator
    SetRegView 64
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        MessageBox MB_ICONSTOP "${PRODUCT} is installed and removed by an administrator." /SD IDOK
        SetErrorLevel 740
        Quit
    ${EndIf}
!macroend

; Ends every running monitor, and waits until its program file may be replaced.
!macro EndRunningMonitor
    nsExec::Exec '"$SYSDIR\taskkill.exe" /f /im ${PROGRAM}'
    Pop $0
    ${For} $1 1 40
        ClearErrors
        FileOpen $2 "$INSTDIR\${PROGRAM}" a
        ${IfNot} ${Errors}
            FileClose $2
            ${Break}
        ${EndIf}
        ${IfNot} ${FileExists} "$INSTDIR\${PROGRAM}"
            ${Break}
        ${EndIf}
        Sleep 250
    ${Next}
!macroend

Function .onInit
    !insertmacro RequireAdministrator
FunctionEnd

Function un.onInit
    !insertmacro RequireAdministrator
FunctionEnd

; $R9 is 1 when the settings key holds a value named $R8 (of any type), else 0. Value names are
; compared as the registry compares them, without regard to case.
Function SettingPresent
    StrCpy $R9 0
    StrCpy $R7 0
    ${Do}
        ClearErrors
        EnumRegValue $R6 HKLM "${SETTINGS_KEY}" $R7
        ${If} ${Errors}
        ${OrIf} $R6 == ""
            ${ExitDo}
        ${EndIf}
        ${If} $R6 == $R8
            StrCpy $R9 1
            ${ExitDo}
        ${EndIf}
        IntOp $R7 $R7 + 1
    ${Loop}
FunctionEnd

; Writes a value the companion or the user has not set; a value already there is never changed.
!macro WriteSettingIfAbsent TYPE NAME VALUE
    StrCpy $R8 "${NAME}"
    Call SettingPresent
    ${If} $R9 == 0
        WriteReg${TYPE} HKLM "${SETTINGS_KEY}" "${NAME}" "${VALUE}"
        DetailPrint "Setting ${NAME}: ${VALUE}"
    ${Else}
        DetailPrint "Setting ${NAME}: kept as it was"
    ${EndIf}
!macroend

; The top of the stack, with &, < and > written as XML writes them.
Function XmlEscape
    Exch $0
    Push $1
    Push $2
    Push $3
    StrCpy $1 ""
    StrCpy $2 0
    ${Do}
        StrCpy $3 $0 1 $2
        ${If} $3 == ""
            ${ExitDo}
        ${ElseIf} $3 == "&"
            StrCpy $3 "&amp;"
        ${ElseIf} $3 == "<"
            StrCpy $3 "&lt;"
        ${ElseIf} $3 == ">"
            StrCpy $3 "&gt;"
        ${EndIf}
        StrCpy $1 "$1$3"
        IntOp $2 $2 + 1
    ${Loop}
    StrCpy $0 $1
    Pop $3
    Pop $2
    Pop $1
    Exch $0
FunctionEnd

; The task: at the logon of any user, with the highest rights that user has, the monitor with the
; argument that marks a scheduled start, in its own folder. Kept beside the monitor, where an
; administrator may read it or register it again (schtasks /create /xml).
Function WriteTaskDefinition
    Push $INSTDIR
    Call XmlEscape
    Pop $1
    FileOpen $0 "$INSTDIR\${TASK_FILE}" w
    FileWriteUTF16LE /BOM $0 '<?xml version="1.0" encoding="UTF-16"?>$\r$\n'
    FileWriteUTF16LE $0 '<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">$\r$\n'
    FileWriteUTF16LE $0 '  <RegistrationInfo><Description>Starts ${PRODUCT} at logon.</Description></RegistrationInfo>$\r$\n'
    FileWriteUTF16LE $0 '  <Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>$\r$\n'
    FileWriteUTF16LE $0 '  <Principals><Principal id="Users"><GroupId>S-1-5-32-545</GroupId><RunLevel>HighestAvailable</RunLevel></Principal></Principals>$\r$\n'
    FileWriteUTF16LE $0 '  <Settings><MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy><DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries><StopIfGoingOnBatteries>false</StopIfGoingOnBatteries><ExecutionTimeLimit>PT0S</ExecutionTimeLimit><Priority>7</Priority></Settings>$\r$\n'
    FileWriteUTF16LE $0 '  <Actions Context="Users"><Exec><Command>"$1\${PROGRAM}"</Command><Arguments>Schedular</Arguments><WorkingDirectory>$1</WorkingDirectory></Exec></Actions>$\r$\n'
    FileWriteUTF16LE $0 '</Task>$\r$\n'
    FileClose $0
FunctionEnd

Function StartThroughTask
    nsExec::Exec '"$SYSDIR\schtasks.exe" /run /tn "${TASK_NAME}"'
    Pop $0
    ${If} $0 != 0
        MessageBox MB_ICONEXCLAMATION "The scheduled task $\"${TASK_NAME}$\" could not be started ($0). The monitor starts at your next logon."
    ${EndIf}
FunctionEnd

Section "Install"
    !insertmacro EndRunningMonitor
    !insertmacro InstallOwnFiles

    ; A smartctl64Bit.exe already in the folder is the companion's, unless an earlier install put it
    ; there: the uninstall entry names the one it brought.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "BundledSmartctl"
    StrCpy $R5 "$INSTDIR\smartctl64Bit.exe"
    ${If} $0 == $R5
    ${OrIfNot} ${FileExists} $R5
        SetOutPath "$INSTDIR"
        File "${STAGE}\smartctl64Bit.exe"
    ${Else}
        DetailPrint "Using the smartctl64Bit.exe already in $INSTDIR"
        StrCpy $R5 ""
    ${EndIf}

    !insertmacro WriteSettingIfAbsent Str ShowWarning "true"
    !insertmacro WriteSettingIfAbsent DWORD WarningValue 60
    !insertmacro WriteSettingIfAbsent DWORD ShutDownValue 70
    !insertmacro WriteSettingIfAbsent Str TempValue "C"
    !insertmacro WriteSettingIfAbsent Str SmartctlFolderPath "$INSTDIR\smartctl64Bit.exe"

    Call WriteTaskDefinition
    nsExec::ExecToLog '"$SYSDIR\schtasks.exe" /create /f /tn "${TASK_NAME}" /xml "$INSTDIR\${TASK_FILE}"'
    Pop $1
    ${If} $1 != 0
        MessageBox MB_ICONEXCLAMATION "The scheduled task could not be registered ($1). Start $INSTDIR\${PROGRAM} with administrator rights, or register $INSTDIR\${TASK_FILE} with the Task Scheduler." /SD IDOK
    ${EndIf}

    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Corvane Data Recovery"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_SIZE}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegStr HKLM "${UNINSTALL_KEY}" "BundledSmartctl" $R5
SectionEnd

Section "Uninstall"
    !insertmacro EndRunningMonitor
    nsExec::ExecToLog '"$SYSDIR\schtasks.exe" /delete /f /tn "${TASK_NAME}"'
    Pop $0
    !insertmacro RemoveOwnFiles
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "BundledSmartctl"
    ${If} $0 == "$INSTDIR\smartctl64Bit.exe"
        Delete $0
    ${EndIf}
    Delete "$INSTDIR\${TASK_FILE}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
