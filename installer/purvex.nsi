; The setup program of Purvex and its uninstaller.
;
; Built by scripts/package.sh:
;   makensis -INPUTCHARSET UTF8 -DSETUP_TARGET=<x86-ansi|amd64-unicode> -DVERSION=<Purvex.exe's FileVersion>
;            -DCHRONIK_VERSION=<Chronik.dll's> -DRELEASE=<release folder> -DFILE_LIST=<list>
;            -DOUTFILE=<setup program> [-DSIGN_COMMAND=<command>] purvex.nsi
; FILE_LIST names every file of the release folder, one `${ReleaseFile} "<name>"` a line,
; so a file added to the release is installed and removed without a change here.
;
; The release's setup program is an ANSI program (x86-ansi), so that it runs on Windows 95, 98 and
; ME too. makensis stores a literal of an ANSI script in no code page of ours: every text with Korean
; in it, registry paths included, is a language string of the Korean language, which it stores in
; code page 949, the code page the program itself uses for the same names. The same script makes a
; 64-bit Unicode setup program of the x86_64 build (amd64-unicode) for the tests on machines that
; run no 32-bit programs: every System call names its function without A or W and passes texts as
; the setup's own (t) or, to the engine, as ANSI (m).
;
; Exit codes: 0 done; 1 cancelled by the user; 3 the folder refused (a /D= that NSIS could not use,
; a folder of other files under /S, an earlier installation elsewhere that could not be removed);
; 4 a newer release is installed (under /S); 5 a program of the release still runs or a file could
; not be replaced or removed; 6 the uninstaller belongs to no installation here; 740 no
; administrator.

Target ${SETUP_TARGET}
RequestExecutionLevel admin   ; read by Vista and later only; XP and the 9x family run it as started
ManifestSupportedOS all
SetCompressor /SOLID lzma
AllowSkipFiles off   ; a file that cannot be written fails the installation, under /S too

!include MUI2.nsh
!include LogicLib.nsh
!include WinMessages.nsh
!include WinCore.nsh
!include Win\WinNT.nsh
!include WinVer.nsh

!define PRODUCT "Purvex"
!define ARP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Purvex"
!define UNINSTALLER "Uninstall.exe"
!define EXIT_CANCELLED 1
!define EXIT_FOLDER_REFUSED 3
!define EXIT_NEWER_INSTALLED 4
!define EXIT_IN_USE 5
!define EXIT_NOT_THIS_INSTALLATION 6

; The versions this release ships for the files that carry none (the program records the same).
!define VERSIONS_HEADER "${__FILEDIR__}\..\app\purvex_version.h"
!searchparse /file "${VERSIONS_HEADER}" '#define KORDON_DLL_SHIPPED_VERSION "' KORDON_DLL_SHIPPED_VERSION '"'
!searchparse /file "${VERSIONS_HEADER}" '#define PURVEX_ADB_SHIPPED_VERSION "' PURVEX_ADB_SHIPPED_VERSION '"'

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${ARP_KEY}" "InstallLocation"   ; an upgrade goes where the last install went
BrandingText "$(Maker)"
ShowInstDetails show
ShowUninstDetails show

!getdllversion "${RELEASE}\Purvex.exe" EXE_
!define /math SETUP_VERSION_HIGH ${EXE_1} << 16   ; as GetDLLVersion reads it from an installed Purvex.exe
!define /redef /math SETUP_VERSION_HIGH ${SETUP_VERSION_HIGH} | ${EXE_2}
!define /math SETUP_VERSION_LOW ${EXE_3} << 16
!define /redef /math SETUP_VERSION_LOW ${SETUP_VERSION_LOW} | ${EXE_4}

; The signing command's result is checked: a setup program or uninstaller that could not be signed
; stops the build.
!ifdef SIGN_COMMAND
  !finalize '${SIGN_COMMAND} "%1"' = 0
  !uninstfinalize '${SIGN_COMMAND} "%1"' = 0
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
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"

; After the language, so that the version block is Korean in the language's code page (949 in the
; ANSI setup program).
VIProductVersion "${EXE_1}.${EXE_2}.${EXE_3}.${EXE_4}"
VIAddVersionKey /LANG=${LANG_KOREAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_KOREAN} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_KOREAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_KOREAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_KOREAN} "CompanyName" "(주)Orvane"
VIAddVersionKey /LANG=${LANG_KOREAN} "LegalCopyright" "Copyright (C) 2004 (주)Orvane"

LangString Maker ${LANG_KOREAN} "(주)Orvane"
LangString SectionProgram ${LANG_KOREAN} "Purvex 프로그램"
LangString SectionDesktop ${LANG_KOREAN} "바탕 화면 바로 가기"
LangString UninstallLink ${LANG_KOREAN} "Purvex 제거"
LangString AskEndProgram ${LANG_KOREAN} "Purvex가 실행 중입니다.$\r$\nPurvex를 종료하고 계속하시겠습니까?"
LangString EndCancelled ${LANG_KOREAN} "Purvex가 실행 중이어서 작업을 취소했습니다."
LangString WorkRunning ${LANG_KOREAN} "Purvex가 애드웨어를 검사하거나 치료하고 있습니다.$\r$\n작업이 끝난 다음 [다시 시도]를 누르십시오."
LangString WorkCancelled ${LANG_KOREAN} "Purvex의 검사나 치료가 끝나지 않아 작업을 취소했습니다."
LangString FileInUse ${LANG_KOREAN} "다음 파일을 바꾸거나 지울 수 없습니다.$\r$\n$R8$\r$\n$\r$\n이 파일을 사용하는 프로그램(다른 사용자가 실행한 Purvex 포함)을 모두 끝낸 다음 [다시 시도]를 누르십시오."
LangString InUseFailed ${LANG_KOREAN} "사용 중인 파일이 있어 작업을 마치지 못했습니다.$\r$\n$R8"
LangString RemoveFailed ${LANG_KOREAN} "지우지 못한 파일이 있어 Purvex를 다 제거하지 못했습니다.$\r$\n$R8$\r$\n$\r$\n[프로그램 추가/제거]의 Purvex 항목은 그대로 두었습니다. 이 파일을 사용하는 프로그램을 끝낸 다음 다시 제거하여 주십시오."
LangString NotThisInstallation ${LANG_KOREAN} "이 제거 프로그램은 설치된 Purvex의 것이 아닙니다.$\r$\n아무것도 바꾸지 않았습니다. Purvex는 [프로그램 추가/제거]에서 제거하여 주십시오."
LangString AskOtherInstallation ${LANG_KOREAN} "Purvex가 이미 다른 폴더에 설치되어 있습니다.$\r$\n$R1$\r$\n$\r$\n그 설치를 제거하고 선택한 폴더에 새로 설치하시겠습니까? 검사 기록과 치료 백업은 그 폴더에 남습니다.$\r$\n[아니오]를 누르면 설치 폴더를 다시 고를 수 있습니다."
LangString EarlierNotRemoved ${LANG_KOREAN} "다른 폴더에 설치된 Purvex를 제거하지 못하여 설치를 취소했습니다.$\r$\n$EarlierFolder"
LangString AskForeignFolder ${LANG_KOREAN} "선택한 폴더에 이미 다른 파일이 있습니다.$\r$\n$INSTDIR$\r$\n$\r$\n같은 이름의 파일은 바뀌고, Purvex를 제거할 때 함께 지워집니다.$\r$\n이 폴더에 설치하시겠습니까?"
LangString DatabaseKept ${LANG_KOREAN} "설치된 Purvex.adb가 이 설치 프로그램의 것보다 새로워 그대로 둡니다."
LangString AskOlderSetup ${LANG_KOREAN} "더 새로운 버전의 Purvex가 설치되어 있습니다.$\r$\n설치된 버전: $R1$\r$\n이 설치 프로그램의 버전: ${VERSION}$\r$\n$\r$\n이전 버전으로 바꾸시겠습니까?"
LangString NeedAdminToInstall ${LANG_KOREAN} "Purvex를 설치하려면 관리자 권한이 필요합니다.$\r$\n관리자 계정으로 로그온한 다음 다시 실행하여 주십시오."
LangString NeedAdminToRemove ${LANG_KOREAN} "Purvex를 제거하려면 관리자 권한이 필요합니다.$\r$\n관리자 계정으로 로그온한 다음 다시 실행하여 주십시오."
LangString UninstallTop ${LANG_KOREAN} "Purvex를 컴퓨터에서 제거합니다. 차단한 ActiveX 컨트롤은 계속 차단된 상태로 남습니다."
LangString AskDeleteLogs ${LANG_KOREAN} "검사 기록(PurvexLog)과 치료 백업(PurvexBackup)도 삭제하시겠습니까?$\r$\n[아니오]를 누르면 설치 폴더에 그대로 남습니다."
; The version record the program writes at its first start, and its parents.
LangString MakerKey ${LANG_KOREAN} "SOFTWARE\(주)Orvane"
LangString ProductKey ${LANG_KOREAN} "SOFTWARE\(주)Orvane\Purvex"
LangString VersionKey ${LANG_KOREAN} "SOFTWARE\(주)Orvane\Purvex\version"

; A failure that ends the job: told in Korean (a message box unless /S), the exit code set, and the
; rest of the job not done.
!macro Fail code text
  MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
  SetErrorLevel ${code}
  Abort "${text}"
!macroend
; The user said no: the job ends as cancelled, before anything changed.
!macro Cancel text
  SetErrorLevel ${EXIT_CANCELLED}
  Abort "${text}"
!macroend

!include "${__FILEDIR__}\running_programs.nsh"
!insertmacro DefineRunningProgramFunctions ""
!insertmacro DefineRunningProgramFunctions "un."
!include "${__FILEDIR__}\install_folder.nsh"

; Every file of the release: the installer copies it, the uninstaller deletes it by name.
; Kordon.adb holds the user's block-list edits: an upgrade keeps an existing one. An installed
; Purvex.adb newer than this release's (the updater fetched it) is kept too.
Var KeepDatabase   ; 1: the installed Purvex.adb stays
!macro InstallReleaseFile name
  !if "${name}" == "Kordon.adb"
    SetOverwrite off
    File "${RELEASE}\${name}"
    SetOverwrite on
  !else if "${name}" == "Purvex.adb"
    ${If} $KeepDatabase != 1
      File "${RELEASE}\${name}"
    ${EndIf}
  !else
    File "${RELEASE}\${name}"
  !endif
!macroend
!macro RemoveReleaseFile name
  Delete "$INSTDIR\${name}"
!macroend
!macro FindLeftFile name   ; $R8 = the first file of the release still in $INSTDIR
  ${If} $R8 == ""
  ${AndIf} ${FileExists} "$INSTDIR\${name}"
    StrCpy $R8 "$INSTDIR\${name}"
  ${EndIf}
!macroend

; KeepDatabase = 1 when the version record names a Purvex.adb newer than this release's and the
; installation has one. Versions compare as the updater compares them: byte by byte.
Function DecideDatabaseKept
  StrCpy $KeepDatabase 0
  ReadRegStr $0 HKLM "$(VersionKey)" "PurvexADB"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$INSTDIR\Purvex.adb"
    System::Call 'msvcrt::strcmp(m r0, m "${PURVEX_ADB_SHIPPED_VERSION}") i .r1 ?c'
    ${If} $1 != "error"
    ${AndIf} $1 > 0
      StrCpy $KeepDatabase 1
      DetailPrint "$(DatabaseKept)"
    ${EndIf}
  ${EndIf}
FunctionEnd

; The version record names the installed version of each replaceable file; the updater fetches
; what the server has newer than that. The program writes the record at its first start only, so
; over an existing record the setup program records the versions of the files it replaced, as the
; updater does: texts without a terminating zero. A kept Kordon.adb or Purvex.adb keeps its version.
!macro SetRecordText name text
  StrCpy $R1 "${text}"
  StrLen $R2 $R1
  IntOp $R2 $R2 * ${NSIS_CHAR_SIZE}
  System::Call 'advapi32::RegSetValueEx(p R0, t "${name}", i 0, i ${REG_SZ}, t R1, i R2)'
!macroend
; The release's files that carry no version text of their own (PvFrame.dll, Freshen.exe and the
; like: every one but the six above) came with this Purvex.exe: recorded at its version, as the
; program's first start records them (the updater's file table, updater/file_table.cpp).
!macro RecordReleaseVersion name
  ${If} "${name}" != "Purvex.exe"
  ${AndIf} "${name}" != "Chronik.dll"
  ${AndIf} "${name}" != "Purvex.dll"
  ${AndIf} "${name}" != "Kordon.dll"
  ${AndIf} "${name}" != "Kordon.adb"
  ${AndIf} "${name}" != "Purvex.adb"
    !insertmacro SetRecordText "${name}" "${VERSION}"
  ${EndIf}
!macroend
Function RecordInstalledVersions
  System::Call 'advapi32::RegOpenKeyEx(p ${HKEY_LOCAL_MACHINE}, t "$(VersionKey)", i 0, i 0x0002, *p .R0) i .R1'   ; KEY_SET_VALUE
  ${If} $R1 <> 0
    Return   ; no record yet: the program writes it at its first start
  ${EndIf}
  !insertmacro SetRecordText "Purvex.exe" "${VERSION}"
  !insertmacro SetRecordText "Chronik.dll" "${CHRONIK_VERSION}"
  System::Call '"$INSTDIR\Purvex.dll"::ftool_GetVer() m .R3 ?c'   ; the engine's own text, as the program records it
  ${If} $R3 != "error"   ; what System answers when the library or the function is missing
    !insertmacro SetRecordText "Purvex.dll" "$R3"
  ${EndIf}
  !insertmacro SetRecordText "KordonDll.dll" "${KORDON_DLL_SHIPPED_VERSION}"
  ${If} $KeepDatabase != 1
    !insertmacro SetRecordText "PurvexADB" "${PURVEX_ADB_SHIPPED_VERSION}"
  ${EndIf}
  !define ReleaseFile "!insertmacro RecordReleaseVersion"
  !include "${FILE_LIST}"
  !undef ReleaseFile
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

; Under /S the folder is checked here, before anything changes; otherwise when the folder page is
; left (a refusal keeps the page).
Function .onInit
  !insertmacro RequireAdministrator "$(NeedAdminToInstall)"
  ${If} ${Silent}
    Call CheckInstallFolder
    ${If} $R8 <> 0
      SetErrorLevel $R8
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  Call CheckInstallFolder
  ${If} $R8 <> 0
    Abort
  ${EndIf}
FunctionEnd

; The uninstaller acts only on the installation it belongs to: its folder holds Purvex.exe and is
; the one "Add or Remove Programs" records. A copy run from elsewhere changes nothing.
Function un.onInit
  !insertmacro RequireAdministrator "$(NeedAdminToRemove)"
  ReadRegStr $R0 HKLM "${ARP_KEY}" "InstallLocation"
  !insertmacro SameFolder $R0 $INSTDIR $0
  ${If} $R0 == ""
  ${OrIf} $0 = 0
  ${OrIfNot} ${FileExists} "$INSTDIR\Purvex.exe"
    MessageBox MB_OK|MB_ICONSTOP "$(NotThisInstallation)" /SD IDOK
    SetErrorLevel ${EXIT_NOT_THIS_INSTALLATION}
    Quit
  ${EndIf}
FunctionEnd

Section "$(SectionProgram)" SecProgram
  SectionIn RO
  Call EndRunningPrograms
  Call RemoveEarlierInstallation
  Call DecideDatabaseKept
  SetOutPath "$INSTDIR"
  SetErrorLevel ${EXIT_IN_USE}   ; what a file that cannot be written reports: it ends the installation
  !define ReleaseFile "!insertmacro InstallReleaseFile"
  !include "${FILE_LIST}"
  !undef ReleaseFile
  ClearErrors
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    StrCpy $R8 "$INSTDIR\${UNINSTALLER}"
    !insertmacro Fail ${EXIT_IN_USE} "$(InUseFailed)"
  ${EndIf}
  SetErrorLevel 0
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
  System::Call 'kernel32::GetFileAttributes(t R0) i .R1'
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

; A file that stays (something took it again meanwhile) keeps what removes it later: the
; uninstaller, the entry, the shortcuts and the version record.
Section "Uninstall"
  Call un.EndRunningPrograms
  !define ReleaseFile "!insertmacro RemoveReleaseFile"
  !include "${FILE_LIST}"
  !undef ReleaseFile
  StrCpy $R8 ""
  !define ReleaseFile "!insertmacro FindLeftFile"
  !include "${FILE_LIST}"
  !undef ReleaseFile
  ${If} $R8 != ""
    !insertmacro Fail ${EXIT_IN_USE} "$(RemoveFailed)"
  ${EndIf}
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
  ; The updater's own: its working folder (a replaced Freshen.exe that was still running when the
  ; last update ended stays there until the next one) and the copy of the update serial it keeps
  ; where the version record cannot be written.
  Push "$INSTDIR\temp"
  Call un.RemoveTree
  Delete "$INSTDIR\Freshen.serial"
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
