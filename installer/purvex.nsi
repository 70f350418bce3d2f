; The setup program of Purvex and its uninstaller.
;
; Built by scripts/package.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=<Purvex.exe's FileVersion> -DCHRONIK_VERSION=<Chronik.dll's>
;            -DRELEASE=<release folder> -DFILE_LIST=<list> -DOUTFILE=<setup program>
;            [-DSIGN_COMMAND=<command>] purvex.nsi
; FILE_LIST names every file of the release folder, one `${ReleaseFile} "<name>"` a line,
; so a file added to the release is installed and removed without a change here.
;
; An ANSI installer, so that it runs on Windows 95, 98 and ME too. makensis stores a literal of an
; ANSI script in no code page of ours: every text with Korean in it, registry paths included, is a
; language string of the Korean language, which it stores in code page 949, the code page the
; program itself uses for the same names.

Unicode false
RequestExecutionLevel admin   ; read by Vista and later only; XP and the 9x family run it as started
ManifestSupportedOS all
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include WinMessages.nsh
!include WinCore.nsh
!include Win\WinNT.nsh

!define PRODUCT "Purvex"
!define ARP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Purvex"
!define MAIN_WINDOW_TITLE "Purvex - Beta Version"   ; the main frame's caption
!define UNINSTALLER "Uninstall.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${ARP_KEY}" "InstallLocation"   ; an upgrade goes where the last install went
BrandingText "$(Maker)"
ShowInstDetails show
ShowUninstDetails show

!getdllversion "${RELEASE}\Purvex.exe" EXE_
VIProductVersion "${EXE_1}.${EXE_2}.${EXE_3}.${EXE_4}"
VIAddVersionKey /LANG=1042 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1042 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1042 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1042 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1042 "CompanyName" "(주)Orvane"
VIAddVersionKey /LANG=1042 "LegalCopyright" "Copyright (C) 2004 (주)Orvane"

!ifdef SIGN_COMMAND
  !finalize '${SIGN_COMMAND} "%1"'
  !uninstfinalize '${SIGN_COMMAND} "%1"'
!endif

!define ART "${__FILEDIR__}\..\art\pictures"
!define MUI_ICON "${ART}\purvex.ico"
!define MUI_UNICON "${ART}\purvex.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${ART}\setup_side.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${ART}\setup_side.bmp"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Purvex.exe"   ; started from the last output folder, $INSTDIR
!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(UninstallTop)"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"

LangString Maker ${LANG_KOREAN} "(주)Orvane"
LangString SectionProgram ${LANG_KOREAN} "Purvex 프로그램"
LangString SectionDesktop ${LANG_KOREAN} "바탕 화면 바로 가기"
LangString UninstallLink ${LANG_KOREAN} "Purvex 제거"
LangString AskEndProgram ${LANG_KOREAN} "Purvex가 실행 중입니다.$\r$\nPurvex를 종료하고 계속하시겠습니까?"
LangString EndCancelled ${LANG_KOREAN} "Purvex가 실행 중이어서 작업을 취소했습니다."
LangString EndFailed ${LANG_KOREAN} "실행 중인 Purvex를 종료하지 못했습니다."
LangString NeedAdminToInstall ${LANG_KOREAN} "Purvex를 설치하려면 관리자 권한이 필요합니다.$\r$\n관리자 계정으로 로그온한 다음 다시 실행하여 주십시오."
LangString NeedAdminToRemove ${LANG_KOREAN} "Purvex를 제거하려면 관리자 권한이 필요합니다.$\r$\n관리자 계정으로 로그온한 다음 다시 실행하여 주십시오."
LangString UninstallTop ${LANG_KOREAN} "Purvex를 컴퓨터에서 제거합니다. 차단한 ActiveX 컨트롤은 계속 차단된 상태로 남습니다."
LangString AskDeleteLogs ${LANG_KOREAN} "검사 기록(PurvexLog)과 치료 백업(PurvexBackup)도 삭제하시겠습니까?$\r$\n[아니오]를 누르면 설치 폴더에 그대로 남습니다."
; The version record the program writes at its first start, and its parents.
LangString MakerKey ${LANG_KOREAN} "SOFTWARE\(주)Orvane"
LangString ProductKey ${LANG_KOREAN} "SOFTWARE\(주)Orvane\Purvex"
LangString VersionKey ${LANG_KOREAN} "SOFTWARE\(주)Orvane\Purvex\version"

; Every file of the release: the installer copies it, the uninstaller deletes it by name.
; Kordon.adb holds the user's block-list edits: an upgrade keeps an existing one.
!macro InstallReleaseFile name
  !if "${name}" == "Kordon.adb"
    SetOverwrite off
    File "${RELEASE}\${name}"
    SetOverwrite on
  !else
    File "${RELEASE}\${name}"
  !endif
!macroend
!macro RemoveReleaseFile name
  Delete "$INSTDIR\${name}"
!macroend

; Ends a running Purvex.exe before its files are replaced or removed: asks first (yes under /S),
; closes its main window, and terminates the process when it does not end within ten seconds.
; Aborts the installation or removal when the user says no or the process stays.
!macro DefineEndRunningProgram prefix
Function ${prefix}EndRunningProgram
  FindWindow $0 "" "${MAIN_WINDOW_TITLE}"
  ${If} $0 == 0
    Return
  ${EndIf}
  MessageBox MB_YESNO|MB_ICONQUESTION "$(AskEndProgram)" /SD IDYES IDYES +2
  Abort "$(EndCancelled)"
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
  System::Call 'kernel32::OpenProcess(i 0x100001, i 0, i r1) p .r2'   ; SYNCHRONIZE | PROCESS_TERMINATE
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${If} $2 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i 10000) i .r3'
    ${If} $3 <> 0
      System::Call 'kernel32::TerminateProcess(p r2, i 1)'
      System::Call 'kernel32::WaitForSingleObject(p r2, i 5000) i .r3'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r2)'
    ${If} $3 <> 0
      Abort "$(EndFailed)"
    ${EndIf}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DefineEndRunningProgram ""
!insertmacro DefineEndRunningProgram "un."

; The version record names the installed version of each replaceable file; the updater fetches
; what the server has newer than that. The program writes the record at its first start only, so
; over an existing record the setup program records the versions of the files it replaced, as the
; updater does: texts without a terminating zero. The kept Kordon.adb keeps its version.
!define SHIPPED_KORDON_VERSION "1.0a"          ; what the program records for Kordon.dll
!define SHIPPED_DATABASE_VERSION "2004.10.06"  ; and for Purvex.adb
!macro SetRecordText name text
  StrCpy $R1 "${text}"
  StrLen $R2 $R1
  System::Call 'advapi32::RegSetValueExA(p R0, t "${name}", i 0, i ${REG_SZ}, t R1, i R2)'
!macroend
Function RecordInstalledVersions
  System::Call 'advapi32::RegOpenKeyExA(p ${HKEY_LOCAL_MACHINE}, t "$(VersionKey)", i 0, i 0x0002, *p .R0) i .R1'   ; KEY_SET_VALUE
  ${If} $R1 <> 0
    Return   ; no record yet: the program writes it at its first start
  ${EndIf}
  !insertmacro SetRecordText "Purvex.exe" "${VERSION}"
  !insertmacro SetRecordText "Chronik.dll" "${CHRONIK_VERSION}"
  System::Call '"$INSTDIR\Purvex.dll"::ftool_GetVer() t .R3 ?c'   ; the engine's own text, as the program records it
  ${If} $R3 != "error"   ; what System answers when the library or the function is missing
    !insertmacro SetRecordText "Purvex.dll" "$R3"
  ${EndIf}
  !insertmacro SetRecordText "KordonDll.dll" "${SHIPPED_KORDON_VERSION}"
  !insertmacro SetRecordText "PurvexADB" "${SHIPPED_DATABASE_VERSION}"
  System::Call 'advapi32::RegCloseKey(p R0)'
FunctionEnd

; The program folder, HKEY_LOCAL_MACHINE and the all-users shortcuts need an administrator. Vista and
; later ask for one (RequestExecutionLevel); a limited account on XP, 2000 or NT 4 is told so and
; nothing is changed. The 9x family has no accounts: UserInfo reports an administrator there, or
; nothing where Windows 95 lacks what it asks.
!macro RequireAdministrator message
  StrCpy $0 ""
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
  ${AndIf} $0 != ""
    MessageBox MB_OK|MB_ICONSTOP "${message}" /SD IDOK
    SetErrorLevel 740   ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
  SetShellVarContext all   ; shortcuts for every user (the 9x family falls back to the current one)
!macroend

Function .onInit
  !insertmacro RequireAdministrator "$(NeedAdminToInstall)"
FunctionEnd

Function un.onInit
  !insertmacro RequireAdministrator "$(NeedAdminToRemove)"
FunctionEnd

Section "$(SectionProgram)" SecProgram
  SectionIn RO
  Call EndRunningProgram
  SetOutPath "$INSTDIR"
  !define ReleaseFile "!insertmacro InstallReleaseFile"
  !include "${FILE_LIST}"
  !undef ReleaseFile
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  Call RecordInstalledVersions

  ; Shortcuts start in the installation folder: the program's logs and databases are found there.
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Purvex.lnk" "$INSTDIR\Purvex.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\$(UninstallLink).lnk" "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKLM "${ARP_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${ARP_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${ARP_KEY}" "Publisher" "$(Maker)"
  WriteRegStr HKLM "${ARP_KEY}" "DisplayIcon" "$INSTDIR\Purvex.exe,0"
  WriteRegStr HKLM "${ARP_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${ARP_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${ARP_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${ARP_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${ARP_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKLM "${ARP_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(SectionDesktop)" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\Purvex.lnk" "$INSTDIR\Purvex.exe"
SectionEnd

; Removes the file or folder tree on the stack without ever entering a link: a folder that is a
; link (a reparse point) is removed itself, where the system allows it, and what it leads to is left
; alone. (RMDir /r walks through such links.)
Function un.RemoveTree
  Exch $R0   ; path
  Push $R1   ; attributes
  Push $R2   ; find handle
  Push $R3   ; name found
  System::Call 'kernel32::GetFileAttributesA(t R0) i .R1'
  ${If} $R1 = -1
  ${ElseIf} $R1 & ${FILE_ATTRIBUTE_REPARSE_POINT}
    RMDir "$R0"
  ${ElseIf} $R1 & ${FILE_ATTRIBUTE_DIRECTORY}
    FindFirst $R2 $R3 "$R0\*.*"
    ${DoWhile} $R3 != ""
      ${If} $R3 != "."
      ${AndIf} $R3 != ".."
        Push "$R0\$R3"
        Call un.RemoveTree
      ${EndIf}
      FindNext $R2 $R3
    ${Loop}
    FindClose $R2
    RMDir "$R0"
  ${Else}
    Delete "$R0"
  ${EndIf}
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

Section "Uninstall"
  Call un.EndRunningProgram
  !define ReleaseFile "!insertmacro RemoveReleaseFile"
  !include "${FILE_LIST}"
  !undef ReleaseFile
  Delete "$INSTDIR\${UNINSTALLER}"

  Delete "$SMPROGRAMS\${PRODUCT}\Purvex.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\$(UninstallLink).lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$DESKTOP\Purvex.lnk"

  DeleteRegKey HKLM "${ARP_KEY}"
  DeleteRegKey HKLM "$(VersionKey)"

  ; Scan logs and cure backups are the user's: kept unless the user says otherwise (kept under /S).
  ${If} ${FileExists} "$INSTDIR\PurvexLog\*.*"
  ${OrIf} ${FileExists} "$INSTDIR\PurvexBackup\*.*"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(AskDeleteLogs)" /SD IDNO IDNO keepLogs
    Push "$INSTDIR\PurvexLog"
    Call un.RemoveTree
    Push "$INSTDIR\PurvexBackup"
    Call un.RemoveTree
    keepLogs:
  ${EndIf}
  ; The key that seals cure backups goes with the last backup (kept ones stay restorable
  ; by a later installation); then the program's keys, when nothing else is in them.
  ${IfNot} ${FileExists} "$INSTDIR\PurvexLog\*.*"
  ${AndIfNot} ${FileExists} "$INSTDIR\PurvexBackup\*.*"
    DeleteRegKey HKLM "$(ProductKey)\BackupSeal"
  ${EndIf}
  DeleteRegKey /ifempty HKLM "$(ProductKey)"
  DeleteRegKey /ifempty HKLM "$(MakerKey)"
  RMDir "$INSTDIR"   ; only when empty: a file the user put there keeps the folder
SectionEnd
