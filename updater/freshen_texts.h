// Every text Freshen.exe shows: its message boxes (captioned "Purvex") and the
// status lines it draws. Texts about one file follow that file's server name.
#pragma once

namespace freshen {

inline constexpr char kMessageCaption[] = "Purvex";
inline constexpr char kWaitText[] = "잠시만 기다리세요....";

inline constexpr char kNewestText[] = "이미 최신버전을 사용하고 계십니다.";
// The version file did not come: missing on the server, another answer than
// 200, too long, cut short.
inline constexpr char kNoUpdateInfoText[] = "업데이트 정보를 받지 못했습니다.\r\n업데이트하지 않았습니다.";
// No connection, or the server stopped answering within the time limits.
inline constexpr char kServerUnreachableText[] = "업데이트 서버에 연결할 수 없습니다.\r\n업데이트하지 않았습니다.";
// ".\temp" could not be cleared or made.
inline constexpr char kNoWorkFolderText[] = "업데이트 파일을 받을 폴더를 만들 수 없습니다.\r\n업데이트하지 않았습니다.";

// Why a version file was refused.
inline constexpr char kNoSignatureText[] = "업데이트 정보에 서명이 없습니다.\r\n업데이트하지 않았습니다.";
inline constexpr char kBadSignatureText[] = "업데이트 정보의 서명이 올바르지 않습니다.\r\n업데이트하지 않았습니다.";
inline constexpr char kIncompleteText[] = "업데이트 정보가 올바르지 않습니다.\r\n업데이트하지 않았습니다.";
inline constexpr char kOlderSerialText[] =
    "업데이트 정보가 이전에 받은 것보다 오래되었습니다.\r\n업데이트하지 않았습니다.";
inline constexpr char kExpiredText[] = "업데이트 정보의 유효 기간이 지났습니다.\r\n업데이트하지 않았습니다.";

// After a file's server name: the status line while it is fetched, and what
// the user is told when it could not be fetched, arrived other than
// announced, could not take the installed file's place, or (after such a
// failure) could not be put back.
inline constexpr char kFetchingSuffix[] = " 파일 업데이트중...";
inline constexpr char kNotFetchedSuffix[] = " 파일을 받지 못했습니다.\r\n업데이트하지 않았습니다.";
inline constexpr char kRefusedSuffix[] = " 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다.";
inline constexpr char kNotReplacedSuffix[] = " 파일을 바꿀 수 없습니다.\r\n아무 파일도 바꾸지 않았습니다.";
inline constexpr char kNotRestoredSuffix[] = " 파일을 되돌리지 못했습니다.\r\nPurvex를 다시 설치하세요.";

}  // namespace freshen
