// Every text PurvexScan.exe prints, exactly as the user reads it (code page
// 949 bytes, like the window program's).
#pragma once

namespace scancli {

inline constexpr char kUsage[] =
    "PurvexScan - Purvex 애드웨어 검사/치료 (명령줄)\r\n"
    "\r\n"
    "사용법: PurvexScan [/scan | /cure | /list | /restore:기록이름] [옵션]\r\n"
    "\r\n"
    "  /scan                검사만 하고 발견한 항목을 보여 줍니다. 아무것도 지우지 않습니다. (기본)\r\n"
    "  /cure                검사한 다음 발견한 애드웨어를 치료합니다.\r\n"
    "  /only:ID[,ID...]     /cure에서 이 ID의 애드웨어만 치료합니다.\r\n"
    "  /exclude:ID[,ID...]  이 ID의 애드웨어는 검사하지도 치료하지도 않습니다.\r\n"
    "  /list                데이터베이스의 애드웨어마다 ID, 이름, 항목 수를 보여 줍니다.\r\n"
    "  /report:파일         결과를 UTF-8 JSON 보고서 파일로 저장합니다.\r\n"
    "  /nolog               검사기록(PurvexLog)을 남기지 않습니다.\r\n"
    "  /nobackup            백업 없이 치료합니다. 이 스위치가 없으면 백업을 만들 수 없을 때\r\n"
    "                       치료하지 않고 끝납니다.\r\n"
    "  /quiet               오류만 보여 줍니다.\r\n"
    "  /restore:기록이름    치료할 때 보관한 항목을 되돌립니다. 기록이름은 PurvexLog 안의\r\n"
    "                       폴더 이름(예: 00000003)이나 PurvexBackup\\00000002입니다.\r\n"
    "  /?                   이 도움말을 보여 줍니다.\r\n"
    "\r\n"
    "스위치는 /x와 -x 어느 쪽으로 써도 되고 대소문자를 가리지 않습니다.\r\n"
    "Windows를 다시 시작하는 일은 없습니다.\r\n"
    "\r\n"
    "종료 코드:\r\n"
    "  0  애드웨어가 발견되지 않았습니다. (/restore: 모두 복원했습니다.)\r\n"
    "  1  애드웨어를 발견했지만 모두 지우지는 않았습니다. (/scan, 남은 항목이 있는 /cure,\r\n"
    "     /restore: 일부 항목이 백업에 남았습니다.)\r\n"
    "  2  오류: 잘못된 스위치, 엔진이나 데이터베이스를 읽을 수 없음, 보고서나 검사기록을\r\n"
    "     쓸 수 없음, 다른 Purvex 프로그램이 검사 또는 치료 중.\r\n"
    "  3  발견한 항목을 모두 지웠습니다.\r\n"
    "  4  지웠지만 Windows를 다시 시작해야 끝나는 항목이 있습니다.\r\n";

// Errors (standard error, also under /quiet). %s: the switch or text at fault.
inline constexpr char kMsgBadSwitch[] = "잘못된 스위치입니다: %s\r\n";
inline constexpr char kMsgSwitchTwice[] = "함께 쓸 수 없는 스위치입니다: %s\r\n";
inline constexpr char kMsgOnlyWithoutCure[] = "/only는 /cure와 함께 써야 합니다.\r\n";
inline constexpr char kMsgUnknownId[] = "데이터베이스에 없는 ID입니다: %d\r\n";
inline constexpr char kMsgOwnFolder[] = "프로그램 폴더로 이동하지 못하였습니다.\r\n";
inline constexpr char kMsgEngineMissing[] = "Purvex.dll 파일을 찾을수가 없습니다.\r\n";
inline constexpr char kMsgDatabaseFailed[] = "Purvex.adb파일을 로드하지 못하였습니다.\r\n";
inline constexpr char kMsgBusy[] =
    "다른 Purvex 프로그램이 검사 또는 치료를 하고 있습니다. 끝난 다음 다시 실행하여 주십시오.\r\n";
inline constexpr char kMsgReportUnwritable[] = "보고서 파일을 쓸 수 없습니다: %s\r\n";
inline constexpr char kMsgLogUnwritable[] =
    "검사기록 폴더를 만들 수 없습니다. (/nolog로 기록 없이 검사할 수 있습니다.)\r\n";
inline constexpr char kMsgNoBackupFolder[] =
    "치료한 항목을 보관할 백업 폴더를 만들지 못하여 치료하지 않았습니다.\r\n"
    "(/nobackup으로 백업 없이 치료할 수 있습니다.)\r\n";
inline constexpr char kMsgStopped[] = "사용자가 중단하였습니다.\r\n";
inline constexpr char kMsgBadRestoreName[] = "복원할 기록 이름이 잘못되었습니다: %s\r\n";
inline constexpr char kMsgNoBackup[] = "복원할 백업이 없습니다.\r\n";
inline constexpr char kMsgNotAdministrator[] =
    "관리자 권한 없이 실행하여 지우지 못한 항목이 있을 수 있습니다. 관리자 권한으로 다시 실행하여 주십시오.\r\n";

// Progress (one line, rewritten; only on a console without /quiet).
inline constexpr char kProgressFormat[] = "검사 중 %d/%d : %s";

// One line per found item: id, name, kind, place; after a cure the outcome follows.
inline constexpr char kItemFormat[] = "[%d] %s : %s %s";
inline constexpr char kOutcomeFormat[] = " -> %s";
inline constexpr char kValueNameFormat[] = " [%s]";
inline constexpr char kKindFile[] = "파일";
inline constexpr char kKindFolder[] = "폴더";
inline constexpr char kKindKey[] = "레지스트리 키";
inline constexpr char kKindValue[] = "레지스트리 값";
inline constexpr char kKindOther[] = "기타";
inline constexpr char kOutcomeFound[] = "남김";
inline constexpr char kOutcomeRemoved[] = "삭제함";
inline constexpr char kOutcomeAtRestart[] = "다시 시작할 때 삭제";
inline constexpr char kOutcomeFailed[] = "실패";
inline constexpr char kOutcomeRefused[] = "보호되어 지우지 않음";

// The end of a run.
inline constexpr char kMsgNothingFound[] = "애드웨어가 발견되지 않았습니다.\r\n";
inline constexpr char kFoundSummary[] = "발견된 애드웨어 : %d, 전체갯수 : %d\r\n";
inline constexpr char kCureSummary[] = "삭제함 : %d, 다시 시작할 때 삭제 : %d, 실패 : %d, 보호되어 지우지 않음 : %d, 남김 : %d\r\n";
inline constexpr char kMsgBrowserReset[] = "브라우저의 시작 페이지와 검색 페이지를 기본값으로 되돌렸습니다.\r\n";
inline constexpr char kMsgRestartNeeded[] = "Windows를 다시 시작하면 남은 항목이 삭제됩니다.\r\n";
inline constexpr char kLogFolderFormat[] = "검사기록 : %s\r\n";
inline constexpr char kBackupFolderFormat[] = "백업 : %s\r\n";
inline constexpr char kListFormat[] = "%d\t%s\t%d\r\n";  // id, name, item count
inline constexpr char kRestoredFormat[] = "복원된 항목 : %d 개\r\n";
inline constexpr char kMsgRestoreLeftSome[] =
    "같은 이름이 이미 있는 항목은 복원하지 않고 백업 폴더에 남겨 두었습니다.\r\n";

}  // namespace scancli
