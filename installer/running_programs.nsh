; The programs of the release that run while the setup program or the uninstaller is about to
; replace or remove their files: found, asked to end, and ended only when no scan or cure runs; and
; the files that still cannot be replaced or removed, for which the job fails.
;
; A program of the release holds the marker PurvexRunning for its whole run, and PurvexWork while a
; scan or a cure runs (base/program_markers.h): named mutexes in the global namespace where the
; system has one, under the plain name elsewhere. Purvex.exe of every release also holds its
; single-instance mutex "Purvex". Their windows are known by class: Purvex.exe's main window is a
; frame of the window framework; Freshen.exe's is a dialog, known by its caption too (its message
; boxes carry another). A program without a window here (a console program, a program of another
; logged-on user) is waited for, and its files decide.
;
; Needs LogicLib, WinCore, Win\WinNT, WinMessages and WinVer, the language strings AskEndProgram,
; EndCancelled, WorkRunning, WorkCancelled, FileInUse and InUseFailed, the macros Fail and Cancel,
; FILE_LIST and UNINSTALLER. DefineRunningProgramFunctions defines EndRunningPrograms (with the
; prefix "un." for the uninstaller) and its helpers.

!define RUNNING_MARKER "PurvexRunning"
!define WORK_MARKER "PurvexWork"
!define INSTANCE_MUTEX "Purvex"
!define FRAME_CLASS "PvFxFrameOrView"
!define UPDATER_CLASS "#32770"
!define UPDATER_CAPTION "Freshen"
!define CLOSE_WAIT 10000       ; ms a program has to end after it was asked to
!define WORK_WAIT_SECONDS 600  ; under /S, how long a running scan or cure is waited for
!define OPEN_EXISTING 3
!define /math SYNCHRONIZE_TERMINATE ${SYNCHRONIZE} | ${PROCESS_TERMINATE}

; $R9 = 1 when some process holds the named marker, else 0.
!macro MarkerHeld name
  System::Call 'kernel32::OpenMutex(i ${SYNCHRONIZE}, i 0, t "Global\${name}") p .R9'
  ${If} $R9 P= 0
    System::Call 'kernel32::OpenMutex(i ${SYNCHRONIZE}, i 0, t "${name}") p .R9'
  ${EndIf}
  ${If} $R9 P<> 0
    System::Call 'kernel32::CloseHandle(p R9)'
    StrCpy $R9 1
  ${Else}
    StrCpy $R9 0
  ${EndIf}
!macroend

; $R8 = the path of the first file of the installation in $INSTDIR that cannot be opened to be
; written and deleted (a running program, a loaded library, a file another process holds), or "".
!macro FindFileInUse_Check name
  ${If} $R8 == ""
  ${AndIf} ${FileExists} "$INSTDIR\${name}"
    System::Call 'kernel32::CreateFile(t "$INSTDIR\${name}", i R6, i R7, p 0, i ${OPEN_EXISTING}, i 0, p 0) p .R9'
    ${If} $R9 P= ${INVALID_HANDLE_VALUE}
      StrCpy $R8 "$INSTDIR\${name}"
    ${Else}
      System::Call 'kernel32::CloseHandle(p R9)'
    ${EndIf}
  ${EndIf}
!macroend

!macro DefineRunningProgramFunctions un
; $R9 = 1 when a program of the release runs, as far as this session can see.
Function ${un}ProgramsRun
  !insertmacro MarkerHeld "${RUNNING_MARKER}"
  ${If} $R9 = 0
    !insertmacro MarkerHeld "${INSTANCE_MUTEX}"
  ${EndIf}
  ${If} $R9 = 0
    FindWindow $R9 "${FRAME_CLASS}" ""
    ${If} $R9 = 0
      FindWindow $R9 "${UPDATER_CLASS}" "${UPDATER_CAPTION}"
    ${EndIf}
    ${If} $R9 <> 0
      StrCpy $R9 1
    ${EndIf}
  ${EndIf}
FunctionEnd

; Returns once no scan or cure runs. The user is told and may wait or give up; under /S it is waited
; for up to WORK_WAIT_SECONDS. Giving up fails the job.
Function ${un}WaitForWork
  Push $R0
  StrCpy $R0 0
  ${Do}
    !insertmacro MarkerHeld "${WORK_MARKER}"
    ${If} $R9 = 0
      ${ExitDo}
    ${EndIf}
    ${If} ${Silent}
      IntOp $R0 $R0 + 1
      ${If} $R0 > ${WORK_WAIT_SECONDS}
        !insertmacro Fail ${EXIT_IN_USE} "$(WorkCancelled)"
      ${EndIf}
      Sleep 1000
    ${Else}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(WorkRunning)" IDRETRY retry
      !insertmacro Cancel "$(WorkCancelled)"
      retry:
    ${EndIf}
  ${Loop}
  Pop $R0
FunctionEnd

; Asks each window of a program of the release to close and waits for its process; a process still
; there after CLOSE_WAIT is ended, but never while a scan or cure runs (that is waited for first).
; A closed updater may start Purvex.exe again, whose window is then closed in turn.
Function ${un}CloseProgramWindows
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  StrCpy $R3 0
  ${Do}
    FindWindow $R0 "${FRAME_CLASS}" ""
    ${If} $R0 = 0
      FindWindow $R0 "${UPDATER_CLASS}" "${UPDATER_CAPTION}"
    ${EndIf}
    IntOp $R3 $R3 + 1
    ${If} $R0 = 0
    ${OrIf} $R3 > 20   ; a window that outlives its process's end: the files decide
      ${ExitDo}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE_TERMINATE}, i 0, i R1) p .R2'
    SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${If} $R2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p R2, i ${CLOSE_WAIT}) i .R1'
      ${If} $R1 <> 0
        Call ${un}WaitForWork
        System::Call 'kernel32::TerminateProcess(p R2, i 1)'
        System::Call 'kernel32::WaitForSingleObject(p R2, i 5000)'
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p R2)'
    ${Else}
      Sleep 1000
    ${EndIf}
  ${Loop}
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

; Waits up to ten seconds for the programs of the release to end (they drop their markers as
; they go).
Function ${un}WaitForProgramsToEnd
  Push $R0
  ${For} $R0 1 20
    !insertmacro MarkerHeld "${RUNNING_MARKER}"
    ${If} $R9 = 0
      !insertmacro MarkerHeld "${INSTANCE_MUTEX}"
    ${EndIf}
    ${If} $R9 = 0
      ${Break}
    ${EndIf}
    Sleep 500
  ${Next}
  Pop $R0
FunctionEnd

; $R8 = the first file of the installation that cannot be replaced or removed, or "", after up to
; five tries a second apart (a process that has just ended may still hold its files).
Function ${un}FindFileInUse
  Push $R0
  Push $R6
  Push $R7
  ${If} ${IsNT}
    IntOp $R6 ${GENERIC_WRITE} | ${DELETE}
    IntOp $R7 ${FILE_SHARE_READ} | ${FILE_SHARE_WRITE}
    IntOp $R7 $R7 | ${FILE_SHARE_DELETE}
  ${Else}   ; the 9x family knows neither the delete right nor its sharing
    StrCpy $R6 ${GENERIC_WRITE}
    IntOp $R7 ${FILE_SHARE_READ} | ${FILE_SHARE_WRITE}
  ${EndIf}
  ${For} $R0 1 5
    StrCpy $R8 ""
    !define ReleaseFile "!insertmacro FindFileInUse_Check"
    !include "${FILE_LIST}"
    !undef ReleaseFile
    !insertmacro FindFileInUse_Check "${UNINSTALLER}"
    ${If} $R8 == ""
      ${Break}
    ${EndIf}
    Sleep 1000
  ${Next}
  Pop $R7
  Pop $R6
  Pop $R0
FunctionEnd

; Before the files of the installation in $INSTDIR are replaced or removed: every running program
; of the release is asked to end (after a question; yes under /S), a running scan or cure is waited
; for, and every file must then be free. A file that is not is named, and the user may end what
; holds it and try again; under /S, or when the user gives up, the job fails (Fail) before anything
; changed.
Function ${un}EndRunningPrograms
  Call ${un}ProgramsRun
  ${If} $R9 = 1
    MessageBox MB_YESNO|MB_ICONQUESTION "$(AskEndProgram)" /SD IDYES IDYES again
    !insertmacro Cancel "$(EndCancelled)"
  ${EndIf}
  again:
  Call ${un}WaitForWork
  Call ${un}CloseProgramWindows
  Call ${un}WaitForProgramsToEnd
  Call ${un}FindFileInUse
  ${If} $R8 != ""
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(FileInUse)" /SD IDCANCEL IDRETRY again
    !insertmacro Fail ${EXIT_IN_USE} "$(InUseFailed)"
  ${EndIf}
FunctionEnd
!macroend
