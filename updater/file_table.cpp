#include "updater/file_table.h"

namespace freshen {

namespace {

const UpdateItem kItems[kItemCount] = {
    {1, "PURVEXEXE", "purvex.exe", "purvex.exe", "Purvex.exe", ".\\temp\\Purvex.exe", ".\\purvex.exe",
     "Purvex.exe 파일 업데이트중...", "Purvex.exe 파일을 받지 못했습니다.",
     "Purvex.exe 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다."},
    {2, "CHRONIKDLL", "Chronik.dll", "Chronik.dll", "Chronik.dll", ".\\temp\\Chronik.dll", ".\\chronik.dll",
     "Chronik.dll 파일 업데이트중...", "Chronik.dll 파일을 받지 못했습니다.",
     "Chronik.dll 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다."},
    {3, "PURVEXDLL", "Purvex.dll", "purvex.dll", "Purvex.dll", ".\\temp\\Purvex.dll", ".\\purvex.dll",
     "Purvex.dll 파일 업데이트중...", "Purvex.dll 파일을 받지 못했습니다.",
     "Purvex.dll 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다."},
    {4, "KORDONDLL", "KordonDll.dll", "KordonDll.dll", "Kordon.dll", ".\\temp\\Kordon.dll", ".\\kordon.dll",
     "Kordon.dll 파일 업데이트중...", "Kordon.dll 파일을 받지 못했습니다.",
     "Kordon.dll 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다."},
    {5, "KORDONADB", "KordonADB", "KordonADB", "Kordon.adb", ".\\temp\\Kordon.adb", ".\\kordon.adb",
     "Kordon.adb 파일 업데이트중...", "Kordon.adb 파일을 받지 못했습니다.",
     "Kordon.adb 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다."},
    {6, "PURVEXADB", "PurvexADB", "PurvexADB", "Purvex.adb", ".\\temp\\Purvex.adb", ".\\purvex.adb",
     "Purvex.adb 파일 업데이트중...", "Purvex.adb 파일을 받지 못했습니다.",
     "Purvex.adb 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다."},
};

}  // namespace

const UpdateItem& Item(int number) { return kItems[number - 1]; }

// purvex.exe, purvex.dll, purvex.adb, chronik.dll, kordon.dll, kordon.adb
const int kInstallOrder[kItemCount] = {1, 3, 6, 2, 4, 5};

const char kTempFolder[] = ".\\temp";

}  // namespace freshen
