#include "updater/file_table.h"

namespace freshen {

namespace {

// A file's row: its server name gives the temporary file and the three texts;
// installed is the name it replaces in the program folder.
#define PURVEX_UPDATE_ITEM(number, section, valueRead, valueWritten, file, installed) \
    {number, section, valueRead, valueWritten, file, ".\\temp\\" file, ".\\" installed, \
     file " 파일 업데이트중...", file " 파일을 받지 못했습니다.", \
     file " 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다."}

const UpdateItem kItems[kItemCount] = {
    PURVEX_UPDATE_ITEM(1, "PURVEXEXE", "purvex.exe", "purvex.exe", "Purvex.exe", "purvex.exe"),
    PURVEX_UPDATE_ITEM(2, "CHRONIKDLL", "Chronik.dll", "Chronik.dll", "Chronik.dll", "chronik.dll"),
    PURVEX_UPDATE_ITEM(3, "PURVEXDLL", "Purvex.dll", "purvex.dll", "Purvex.dll", "purvex.dll"),
    PURVEX_UPDATE_ITEM(4, "KORDONDLL", "KordonDll.dll", "KordonDll.dll", "Kordon.dll", "kordon.dll"),
    PURVEX_UPDATE_ITEM(5, "KORDONADB", "KordonADB", "KordonADB", "Kordon.adb", "kordon.adb"),
    PURVEX_UPDATE_ITEM(6, "PURVEXADB", "PurvexADB", "PurvexADB", "Purvex.adb", "purvex.adb"),
};

#undef PURVEX_UPDATE_ITEM

}  // namespace

const UpdateItem& Item(int number) { return kItems[number - 1]; }

// purvex.exe, purvex.dll, purvex.adb, chronik.dll, kordon.dll, kordon.adb
const int kInstallOrder[kItemCount] = {1, 3, 6, 2, 4, 5};

const char kTempFolder[] = ".\\temp";

}  // namespace freshen
