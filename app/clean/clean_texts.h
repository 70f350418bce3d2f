// Every text the PC cleaning page and its disk tab show, exactly as the user
// sees it, and the fixed paths of the disk tab. Boxes captioned with the
// application title use shell::kAppTitle (app/shell_texts.h).
#pragma once

namespace clean {

// The host page.
inline constexpr char kBoxTitle[] = "Purvex";
inline constexpr char kCaptionStart[] = "검사시작";
inline constexpr char kCaptionDelete[] = "삭  제";
inline constexpr char kCaptionStop[] = "중  지";
inline constexpr char kCaptionInitialScreen[] = "초기화면";
inline constexpr char kCaptionDeleteRecords[] = "삭    제";  // the start button on tabs 1 and 2
inline constexpr char kCaptionRescan[] = "다시검사";           // the start button after a startup scan
inline constexpr char kStatusInitial[] = "검사대상 : ";
inline constexpr char kStatusSearchDone[] = "검사대상 : 검색이 완료되었습니다.";
inline constexpr char kStatusRecycleBin[] = "검사대상 : 휴지통 검색중..";
inline constexpr char kMsgStopQuestion[] = "정말 중지하겠습니까?";
inline constexpr char kMsgNothingChecked[] = "치료할 항목을 선택하지 않으셨습니다.";
inline constexpr char kMsgDeletionDone[] = "작업을 완료 하였습니다.";  // with the blank, unlike kMsgTaskDone
inline constexpr char kMsgFileInUse[] =
    "시스템에 사용중인 파일입니다.\r\n\r\n삭제하시려면 안전모드로 부팅 후 다시 실행하여 주시기 바랍니다.";
inline constexpr char kMsgFilesInUse[] =
    "시스템에 사용중인 파일이 있습니다.\r\n\r\n삭제하시려면 안전모드로 부팅 후 다시 실행하여 주시기 바랍니다.";

// Tab captions, left to right, and their images in bitmap 252.
inline constexpr char kTabDisk[] = "디스크 정리";
inline constexpr char kTabWorkRecord[] = "작업기록  정리";
inline constexpr char kTabAutoRecord[] = "자동기록  정리";
inline constexpr char kTabStartup[] = "시작 프로그램 정리";

// Painted at the foot of the page.
inline constexpr char kFontName[] = "굴림";
inline constexpr char kMakerNotice[] = "Copyright (c) (주)Orvane. All rights reserved.";

// The disk tab.
inline constexpr char kMsgNoTarget[] = "검색할 대상을 선택하여 주시기 바랍니다.";
inline constexpr char kMsgTaskDone[] = "작업을 완료하였습니다.";
inline constexpr char kQuestionCookies[] = "쿠키 파일을 모두 삭제하시겠습니까?";
inline constexpr char kQuestionTempFiles[] = "Temp 임시 파일을 모두 삭제하시겠습니까?";
inline constexpr char kQuestionWindowsTemp[] = "윈도우 임시 파일을 모두 삭제하시겠습니까?";
inline constexpr char kQuestionRecycleBin[] = "휴지통의 파일을 모두 비우시겠습니까?";
inline constexpr char kRecycleRowFormat[] = "휴지통 (파일 갯수 : %d개)";
inline constexpr char kListingStatusFormat[] = "검사대상 : %s";
inline constexpr char kSizeFormat[] = "%.1lfKB";
inline constexpr char kColumnPath[] = "파 일 경 로";
inline constexpr char kColumnSize[] = "파일 크기";
inline constexpr char kIndexDat[] = "index.dat";
// A folder the system names for a target that is not emptied: its row shows
// the folder and, in the size column, why.
inline constexpr char kRefusedProtected[] = "보호 폴더";  // is, or contains, a protected folder
inline constexpr char kRefusedOutside[] = "프로필 밖";    // outside the user's profile and the system's own folders
inline constexpr char kRefusedLink[] = "링크 폴더";       // a link, or reached through one
// After "일괄삭제", when such a folder was left alone.
inline constexpr char kMsgFoldersRefused[] =
    "보호된 폴더이거나 사용자 프로필 밖에 있는 폴더는 정리하지 않았습니다.";

// Folders of the targets (see TargetFolders in disk_targets.h).
inline constexpr char kProfileCookiesFormat[] = "C:\\Documents and Settings\\%s\\Cookies\\*.*";
inline constexpr char kSystemCookiesSuffix[] = "\\Cookies\\*.*";  // after the system directory's first 10 characters
inline constexpr char kProfileTempFormat[] = "C:\\Documents and Settings\\%s\\Local Settings\\Temp\\*.*";
inline constexpr char kProfileTempFolder[] = "Local Settings\\Temp";  // in the shell's profile folder
inline constexpr char kTempPathFormat[] = "%s*.*";
inline constexpr char kWindowsTempFormat[] = "%s\\Temp\\*.*";
inline constexpr char kWindowsTempFixed[] = "C:\\Windows\\Temp\\*.*";
inline constexpr char kWinntTempFixed[] = "C:\\WinNT\\Temp\\*.*";

// The startup program tab.
inline constexpr char kColumnValueName[] = "값이름";
inline constexpr char kColumnDataValue[] = "데이터값";
inline constexpr char kColumnStartupPath[] = "경  로";
inline constexpr char kStartupCautionTitle[] = "주  의";
inline constexpr char kStartupDeleteQuestion[] =
    "시작관련 일부 레지스트리 항목은 특정 프로그램의 실행에 영향을 미칠 수 있습니다.\r\n\r\n"
    "선택하신 항목이 불필요하다고 명확히 판단되실 경우에만 삭제해 주시기 바랍니다.\r\n\r\n"
    "선택하신 항목을 정말로 삭제하시겠습니까?";
inline constexpr char kMsgStartupNothingChecked[] = "삭제할 항목을 선택하지 않으셨습니다.";
inline constexpr char kMsgStartupSomeKept[] = "일부 항목을 삭제하지 못하였습니다.";
inline constexpr char kMsgStartupDeleted[] = "삭제가 완료 되었습니다.";

// The activity-record and auto-record tabs; after a deletion they report
// kMsgTaskDone, the disk tab's text.
inline constexpr char kMsgNoRecordChosen[] = "삭제할 대상을 선택하여 주시기 바랍니다.";
inline constexpr char kQuestionDeleteRecords[] = "정말로 삭제하시겠습니까?";

}  // namespace clean
