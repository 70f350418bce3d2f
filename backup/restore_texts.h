// What the user reads about a restore, on the scan page after a cure and in
// the report dialog of a logged pass: one set of texts for both.
#pragma once
#include <string>

namespace backup {

inline constexpr char kRestoreCaption[] = "복원";  // the button, and the question's title
inline constexpr char kMsgRestoreQuestion[] =
    "치료하기 전의 상태로 복원하시겠습니까?\r\n\r\n"
    "치료할 때 삭제한 파일, 폴더, 레지스트리와\r\n"
    "바뀐 브라우저 설정을 되돌립니다.";
inline constexpr char kMsgRestoredFormat[] = "복원이 완료되었습니다.\r\n\r\n복원된 항목 : %d 개";
inline constexpr char kMsgRestoreLeftSome[] =
    "\r\n\r\n같은 이름이 이미 있는 항목은 복원하지 않고\r\n백업 폴더에 남겨 두었습니다.";
inline constexpr char kMsgRestoreRefusedSome[] =
    "\r\n\r\n보호된 위치로 되돌리는 항목은 복원하지 않고\r\n백업 폴더에 남겨 두었습니다.";
inline constexpr char kMsgNoBackup[] = "복원할 백업이 없습니다.";
// The whole backup refused (ftool_RestoreBackup's -2 and -3); nothing was put back.
inline constexpr char kMsgRestoreRefused[] =
    "백업 폴더의 내용이 치료할 때와 달라 복원하지 않았습니다.\r\n\r\n"
    "백업한 파일이 바뀌었거나 링크이거나,\r\nPurvex가 만든 백업 폴더가 아닙니다.";
inline constexpr char kMsgRestoreUnchecked[] =
    "이 백업이 치료할 때 그대로인지 확인할 수 없어 복원하지 않았습니다.\r\n\r\n"
    "관리자 권한으로 실행하여 치료한 백업만 관리자 권한으로 복원할 수 있습니다.\r\n"
    "직접 복원하려면 백업 폴더의 backup.txt를 참고하십시오.";

// What the user reads after a restore of folder returned result: how many
// items came back and why some stayed in the backup, or why nothing came
// back (*failed then).
std::string RestoreEndText(int result, const std::string& folder, bool* failed);

}  // namespace backup
