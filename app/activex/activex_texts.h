// Every text the ActiveX block list page and its edit dialog show, exactly as
// the user sees it.
#pragma once

namespace activex {

inline constexpr char kBoxTitle[] = "Purvex";
inline constexpr char kMsgLibraryMissing[] = "Kordon.dll 파일을 찾을수가 없습니다.";
inline constexpr char kMsgDatabaseFailed[] = "Kordon.adb 파일을 로드하지 못하였습니다.";
inline constexpr char kMsgUnloadFailed[] = "언로드 실패";
inline constexpr char kMsgSaveFailed[] =
    "차단 목록을 Kordon.adb 파일에 저장하지 못하였습니다.\r\n"
    "프로그램 폴더에 쓸 수 있는지 확인하여 주십시오.";
inline constexpr char kMsgAdded[] = "입력하신 Active X 차단 경로를 추가하였습니다.";
inline constexpr char kMsgChanged[] = "선택하신  Active X 차단경로를 변경하였습니다.";
inline constexpr char kMsgSelectToEdit[] = "편집할 항목을 선택하여 주시기 바랍니다.";
inline constexpr char kMsgSelectToDelete[] = "삭제할 항목을 선택하여 주시기 바랍니다.";
inline constexpr char kAskDelete[] = "선택한 Active X 차단경로를 삭제하시겠습니까?";
inline constexpr char kMsgDeleted[] = "선택하신 Active X 차단 경로를 삭제하였습니다.";
inline constexpr char kMsgDeleteFailed[] = "선택하신 Active X 차단경로를 삭제를 할 수가 없습니다.";
inline constexpr char kMsgBadClsid[] = "CLSID 값의 입력이 잘못되었습니다.";

inline constexpr char kCountFormat[] = "Active X 갯수 : %d";
inline constexpr char kBlockedFormat[] = "차단이 선택된 Active X 갯수 : %d";

inline constexpr char kColumnClsid[] = "CLSID";
inline constexpr char kColumnName[] = "이 름";

inline constexpr char kCaptionAdd[] = "Active X 차단 추가";
inline constexpr char kCaptionEdit[] = "Active X 차단 편집";

// Painted at the foot of the page.
inline constexpr char kFontName[] = "굴림";
inline constexpr char kFooter[] = "체크한 컨트롤은 실행되지 않습니다.";

}  // namespace activex
