; Where the setup program installs, checked before anything changes: the folder asked for with /D=
; must be the one NSIS took, a folder of other files is not taken without a question, an earlier
; installation elsewhere is removed first (never left orphaned), and a newer installed release is
; not replaced by an older one without a question. Under /S every question gets the answer that
; changes nothing, except that an earlier installation elsewhere is removed, as /D= asked for
; another folder.
;
; Needs LogicLib, the language strings AskOtherInstallation, AskForeignFolder, AskOlderSetup and
; EarlierNotRemoved, the macro Fail, ARP_KEY, UNINSTALLER and SETUP_VERSION_HIGH/LOW (this setup's
; version as GetDLLVersion gives it).

Var EarlierFolder   ; an earlier installation in another folder, removed before installing; "" for none

; result = path in its long form where the system tells it (a short name otherwise compares unequal),
; without a final backslash. Uses $8 and $9.
!macro FolderName path result
  StrCpy ${result} "${path}"
  System::Call 'kernel32::GetLongPathName(t "${path}", t .r9, i ${NSIS_MAX_STRLEN}) i .r8'   ; "error" on 95 and NT 4
  ${If} $8 > 0
  ${AndIf} $8 < ${NSIS_MAX_STRLEN}
    StrCpy ${result} $9
  ${EndIf}
  StrCpy $8 ${result} 1 -1
  ${If} $8 == "\"
    StrCpy ${result} ${result} -1
  ${EndIf}
!macroend
; result = 1 when a and b name the same folder (letter case aside), else 0. Uses $7, $8 and $9.
!macro SameFolder a b result
  !insertmacro FolderName "${a}" $7
  !insertmacro FolderName "${b}" ${result}
  ${If} ${result} == $7
    StrCpy ${result} 1
  ${Else}
    StrCpy ${result} 0
  ${EndIf}
!macroend

; $R9 = what followed /D= on the command line (NSIS reads it up to the end), or "" without one.
Function RequestedFolder
  System::Call 'kernel32::GetCommandLine() t .r9'
  StrCpy $R9 ""
  StrLen $8 $9
  ${For} $7 0 $8
    StrCpy $6 $9 4 $7
    ${If} $6 S== " /D="
      IntOp $7 $7 + 4
      StrCpy $R9 $9 "" $7
      ${Break}
    ${EndIf}
  ${Next}
FunctionEnd

; $R1 = the version of $R0\Purvex.exe ("" when it has none) and $R2 its comparison with this
; setup's: -1 older, 0 the same, 1 newer.
Function InstalledVersion
  StrCpy $R1 ""
  StrCpy $R2 -1
  ClearErrors
  GetDLLVersion "$R0\Purvex.exe" $8 $9
  ${If} ${Errors}
    Return
  ${EndIf}
  IntOp $4 $8 >> 16
  IntOp $5 $8 & 0xFFFF
  IntOp $6 $9 >> 16
  IntOp $7 $9 & 0xFFFF
  StrCpy $R1 "$4.$5.$6.$7"
  IntCmpU $8 ${SETUP_VERSION_HIGH} 0 older newer
  IntCmpU $9 ${SETUP_VERSION_LOW} same older newer
  same:
    StrCpy $R2 0
    Return
  newer:
    StrCpy $R2 1
  older:
FunctionEnd

; $R9 = 1 when $INSTDIR holds anything, else 0.
Function FolderHoldsFiles
  StrCpy $R9 0
  FindFirst $8 $9 "$INSTDIR\*.*"
  ${DoWhile} $9 != ""
    ${If} $9 != "."
    ${AndIf} $9 != ".."
      StrCpy $R9 1
      ${Break}
    ${EndIf}
    FindNext $8 $9
  ${Loop}
  FindClose $8
FunctionEnd

; The checks on $INSTDIR; $R8 = 0 to go on, else the exit code of a refusal (the user said no, or
; /S refused). Sets EarlierFolder.
Function CheckInstallFolder
  StrCpy $R8 0
  StrCpy $EarlierFolder ""
  ${If} ${Silent}
    Call RequestedFolder
    ${If} $R9 != ""
      !insertmacro SameFolder $R9 $INSTDIR $0
      ${If} $0 = 0   ; NSIS took its default instead of a folder it could not use
        StrCpy $R8 ${EXIT_FOLDER_REFUSED}
        Return
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR"
  ${AndIfNot} ${FileExists} "$INSTDIR\*.*"   ; a file of that name
    StrCpy $R8 ${EXIT_FOLDER_REFUSED}
    Return
  ${EndIf}

  ; The installation this one replaces: the recorded one, else what the folder holds.
  ReadRegStr $R0 HKLM "${ARP_KEY}" "InstallLocation"
  ${If} $R0 == ""
  ${OrIfNot} ${FileExists} "$R0\Purvex.exe"
    StrCpy $R0 $INSTDIR
  ${Else}
    !insertmacro SameFolder $R0 $INSTDIR $0
    ${If} $0 = 0
      StrCpy $R1 $R0
      MessageBox MB_YESNO|MB_ICONQUESTION "$(AskOtherInstallation)" /SD IDYES IDYES removeEarlier
      StrCpy $R8 ${EXIT_CANCELLED}
      Return
      removeEarlier:
      StrCpy $EarlierFolder $R0
    ${EndIf}
  ${EndIf}
  Call InstalledVersion
  ${If} $R2 = 1
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "$(AskOlderSetup)" /SD IDNO IDYES olderAccepted
    StrCpy $R8 ${EXIT_NEWER_INSTALLED}
    Return
    olderAccepted:
  ${EndIf}

  ${IfNot} ${FileExists} "$INSTDIR\Purvex.exe"   ; else an earlier installation or an unpacked zip
    Call FolderHoldsFiles
    ${If} $R9 = 1
      MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "$(AskForeignFolder)" /SD IDNO IDYES foreignAccepted
      StrCpy $R8 ${EXIT_FOLDER_REFUSED}
      foreignAccepted:
    ${EndIf}
  ${EndIf}
FunctionEnd

; Removes the earlier installation in another folder with its own uninstaller (which keeps the
; user's logs and backups there); the installation fails when it stays.
Function RemoveEarlierInstallation
  ${If} $EarlierFolder == ""
    Return
  ${EndIf}
  StrCpy $0 1
  ${If} ${FileExists} "$EarlierFolder\${UNINSTALLER}"
    ExecWait '"$EarlierFolder\${UNINSTALLER}" /S _?=$EarlierFolder' $0   ; _?=: waits, runs in place
  ${EndIf}
  ${If} $0 <> 0
  ${OrIf} ${FileExists} "$EarlierFolder\Purvex.exe"
    !insertmacro Fail ${EXIT_FOLDER_REFUSED} "$(EarlierNotRemoved)"
  ${EndIf}
  Delete "$EarlierFolder\${UNINSTALLER}"
  RMDir "$EarlierFolder"
FunctionEnd
