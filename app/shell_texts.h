// Fixed texts of the application shell, each exactly as the user sees it.
#pragma once

namespace shell {

// The application title: string 57344, the frame's caption and the caption of
// every message box that names none.
inline constexpr char kAppTitle[] = "Purvex - Beta Version";
// Name of the single-instance mutex and the caption of the timed logo picture.
inline constexpr char kInstanceName[] = "Purvex";

inline constexpr char kMsgEngineMissing[] = "Purvex.dll 파일을 찾을수가 없습니다.";
inline constexpr char kMsgReportQuestion[] = "새로운 애드웨어 관련 내용을 신고하시겠습니까?";

// The updater's version file; a copy left in the installation folder is
// deleted at every start.
inline constexpr char kUpdaterVersionFile[] = "Purvex_Ver.txt";
inline constexpr char kUpdaterProgram[] = "Freshen.exe";

}  // namespace shell
