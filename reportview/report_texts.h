// Every text the reports page and its dialog show, exactly as the user sees
// them, and the paths of the scan logs (relative to the current folder,
// which is the installation folder).
#pragma once

namespace reports {

inline constexpr char kBoxTitle[] = "Purvex";
inline constexpr char kMsgNoRecords[] = "보고서 기록이 없습니다.";
inline constexpr char kMsgDeleted[] = "삭제가 완료되었습니다.";
inline constexpr char kMsgNothingTicked[] = "삭제할 기록을 선택하지 않으셨습니다";  // no full stop
inline constexpr char kMsgSomeNotDeleted[] = "일부 기록을 삭제하지 못하였습니다.";
inline constexpr char kMsgSaved[] = "파일 저장이 완료되었습니다.";
inline constexpr char kMsgSaveFailed[] = "파일을 저장하지 못하였습니다.";
inline constexpr char kMsgDeleteBackupQuestion[] =
    "선택한 기록에는 치료할 때 보관한 백업이 들어 있습니다.\r\n"
    "기록을 삭제하면 백업도 함께 삭제되어 더 이상 복원할 수 없습니다.\r\n\r\n"
    "삭제하시겠습니까?";

inline constexpr char kColumnDate[] = "검 사 일";
inline constexpr char kColumnKind[] = "종    류";
inline constexpr char kColumnTitle[] = "제    목";
inline constexpr char kColumnStatus[] = "상    태";

inline constexpr char kSaveFilter[] = "Text 문서 (*.txt)|*.txt||";
inline constexpr char kTextExtension[] = ".txt";

// Painted on the page in the 9-point font.
inline constexpr char kFontName[] = "굴림";
inline constexpr char kMakerNotice[] = "Copyright (C) 2004 (주)Orvane. All rights reserved.";
inline constexpr char kDoubleClickHint[] = "보고서의 내용을 보시려면 해당 내용을 더블클릭 하시기 바랍니다.";

// The log folders the scan page writes.
inline constexpr char kFolderPattern[] = ".\\PurvexLog\\*.*";
inline constexpr char kHeadPathFormat[] = ".\\PurvexLog\\%s\\head.txt";
inline constexpr char kReportPathStart[] = ".\\PurvexLog\\";
inline constexpr char kReportPathEnd[] = "\\report.txt";
inline constexpr char kBackupPathEnd[] = "\\backup";  // a cure's backup inside its pass's log folder

}  // namespace reports
