// What the user reads about a restore, on the scan page after a cure and in
// the report dialog of a logged pass: one set of texts for both.
#pragma once

namespace backup {

inline constexpr char kRestoreCaption[] = "복원";  // the button, and the question's title
inline constexpr char kMsgRestoreQuestion[] =
    "치료하기 전의 상태로 복원하시겠습니까?\r\n\r\n"
    "치료할 때 삭제한 파일, 폴더, 레지스트리와\r\n"
    "바뀐 브라우저 설정을 되돌립니다.";
inline constexpr char kMsgRestoredFormat[] = "복원이 완료되었습니다.\r\n\r\n복원된 항목 : %d 개";
inline constexpr char kMsgRestoreLeftSome[] =
    "\r\n\r\n같은 이름이 이미 있는 항목은 복원하지 않고\r\n백업 폴더에 남겨 두었습니다.";
inline constexpr char kMsgNoBackup[] = "복원할 백업이 없습니다.";

}  // namespace backup
