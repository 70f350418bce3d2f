// Every text the scan and cure page shows, exactly as the user sees it.
#pragma once

namespace cure {

inline constexpr char kBoxTitle[] = "Purvex";
inline constexpr char kMsgEngineMissing[] = "Purvex.dll 파일을 찾을수가 없습니다.";
inline constexpr char kMsgDatabaseFailed[] = "Purvex.adb파일을 로드하지 못하였습니다.";
inline constexpr char kMsgNothingFound[] = "애드웨어가 발견되지 않았습니다.";
inline constexpr char kMsgStopQuestion[] = "검사를 중단하시겠습니까?";
inline constexpr char kMsgNothingTicked[] = "치료할 애드웨어를 선택하지 않으셨습니다.";
inline constexpr char kMsgCureWarning[] =
    "치료를 위해 일부 프로그램의 프로세스가 종료될 수 있습니다.\r\n\r\n"
    "아직 저장되지 않은 데이터가 있으면 먼저 저장하세요."
    "\r\n\r\n\r\n※ 치료과정중에 화면이 깜빡일 수 있습니다.\r\n\r\n"
    "    만약 치료가 되지 않을 경우에는 안전모드로\r\n\r\n"
    "    부팅후에 재시도 해주시기 바랍니다.";
inline constexpr char kMsgCureDone[] = "치료가 완료되었습니다.";
inline constexpr char kMsgStartPageChanged[] = "시작페이지가 변경 되었습니다.";
inline constexpr char kMsgUnkeptQuestion[] =
    "사용 중이라 백업할 수 없는 파일이 있습니다.\r\n\r\n"
    "백업 없이 컴퓨터를 다시 시작할 때 삭제하시겠습니까?";
inline constexpr char kMsgRestartQuestion[] = "일부 항목은 컴퓨터를 다시 시작해야 삭제됩니다. 지금 다시 시작하시겠습니까?";
inline constexpr char kMsgRestartFailed[] = "컴퓨터를 다시 시작하지 못하였습니다.\r\n\r\n직접 다시 시작하여 주십시오.";
inline constexpr char kMsgLogNotSaved[] =
    "검사기록을 저장하지 못하였습니다.\r\n프로그램 폴더의 PurvexLog에 쓸 수 있는지 확인하여 주십시오.\r\n\r\n"
    "검사는 기록 없이 진행합니다.";
inline constexpr char kMsgNoBackupQuestion[] =
    "치료한 항목을 보관할 백업 폴더를 만들지 못하였습니다.\r\n\r\n백업 없이 치료하시겠습니까?";
inline constexpr char kMsgOtherWork[] =
    "다른 Purvex 프로그램이 검사 또는 치료를 하고 있습니다.\r\n\r\n끝난 다음 다시 시도하여 주십시오.";

inline constexpr char kCaptionStart[] = "검사시작";
inline constexpr char kCaptionStop[] = "검사중지";          // also the stop question's title
inline constexpr char kCaptionInitialScreen[] = "초기화면";
inline constexpr char kCaptionCure[] = "치  료";            // also the cure warning's title
inline constexpr char kScanComplete[] = "검사완료";
inline constexpr char kFoundFormat[] = "발견된 애드웨어 : %d";
inline constexpr char kTotalFormat[] = "전체갯수 : %d";
inline constexpr char kDbVersionFormat[] = "DB 업데이트   :    %s";
inline constexpr char kStatusDone[] = "완 료";
inline constexpr char kStatusFailed[] = "실 패";
inline constexpr char kStatusAtRestart[] = "재부팅 후 삭제";  // removed at the next start of Windows

// The scan log's notes on single items of a cure, and the outcome the next
// start of the program finds for an item left for the restart.
inline constexpr char kNoteNoCopy[] = "백업 없음";
inline constexpr char kReasonNoCopy[] = "사용 중이고 백업할 수 없어 남겨 둠";
inline constexpr char kReasonUnsafeFolder[] = "다른 사용자가 바꿀 수 있는 폴더에 있어 재부팅 후 삭제를 예약하지 않음";
inline constexpr char kReasonLink[] = "경로에 링크가 있어 재부팅 후 삭제를 예약하지 않음";
inline constexpr char kReasonNotTaken[] = "재부팅 후 삭제를 예약하지 못함 (관리자 권한 필요)";
inline constexpr char kRestartCheckHeading[] = "재부팅 후 확인";
inline constexpr char kOutcomeRemovedAtRestart[] = "재부팅 후 삭제됨";
inline constexpr char kOutcomeStillThere[] = "재부팅 후에도 남아 있음";

inline constexpr char kColumnName[] = "애드웨어 이름";
inline constexpr char kColumnCount[] = "갯 수";
inline constexpr char kColumnStatus[] = "상 태";

// Painted on the initial screen.
inline constexpr char kFontName[] = "굴림";
inline constexpr char kRedLine[] = "시작 페이지로 설정할 주소를 입력하여 주세요.";
inline constexpr char kBlueLine[] = "검사기록 저장";
inline constexpr char kRecordNumberFormat[] = " :  %d";

}  // namespace cure
