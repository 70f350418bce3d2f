#include "updater/file_table.h"

#include <algorithm>

namespace freshen {

namespace {

constexpr bool kOwn = false;     // its own version text, or the one the first start records for it
constexpr bool kRelease = true;  // at the release's version

// The files the updater itself has loaded (Freshen.exe, PvFrame.dll) are
// installed first: where the system cannot move a file in use, the install
// step stops before it touched anything else. The main program's six follow
// in their traditional order.
const UpdateItem kItems[] = {
    {1, 3, "PURVEXEXE", "purvex.exe", "purvex.exe", "Purvex.exe", ".\\purvex.exe", kOwn},
    {2, 6, "CHRONIKDLL", "Chronik.dll", "Chronik.dll", "Chronik.dll", ".\\chronik.dll", kOwn},
    {3, 4, "PURVEXDLL", "Purvex.dll", "purvex.dll", "Purvex.dll", ".\\purvex.dll", kOwn},
    {4, 7, "KORDONDLL", "KordonDll.dll", "KordonDll.dll", "Kordon.dll", ".\\kordon.dll", kOwn},
    {5, 8, "KORDONADB", "KordonADB", "KordonADB", "Kordon.adb", ".\\kordon.adb", kOwn},
    {6, 5, "PURVEXADB", "PurvexADB", "PurvexADB", "Purvex.adb", ".\\purvex.adb", kOwn},
    {7, 2, "PVFRAMEDLL", "PvFrame.dll", "PvFrame.dll", "PvFrame.dll", ".\\PvFrame.dll", kRelease},
    {8, 9, "TASKWALKDLL", "Taskwalk.dll", "Taskwalk.dll", "Taskwalk.dll", ".\\Taskwalk.dll", kRelease},
    {9, 10, "NKSHELLAPIDLL", "NKShellAPI.dll", "NKShellAPI.dll", "NKShellAPI.dll", ".\\NKShellAPI.dll", kRelease},
    {10, 1, "FRESHENEXE", "Freshen.exe", "Freshen.exe", "Freshen.exe", ".\\Freshen.exe", kRelease},
    {11, 11, "PURVEXSCANEXE", "PurvexScan.exe", "PurvexScan.exe", "PurvexScan.exe", ".\\PurvexScan.exe", kRelease},
};

}  // namespace

extern const int kItemCount = static_cast<int>(sizeof kItems / sizeof kItems[0]);

const UpdateItem& Item(int number) { return kItems[number - 1]; }

std::vector<int> InstallOrder() {
    std::vector<int> order;
    for (const UpdateItem& item : kItems) order.push_back(item.number);
    std::sort(order.begin(), order.end(), [](int a, int b) { return Item(a).installRank < Item(b).installRank; });
    return order;
}

const char kTempFolder[] = ".\\temp";

std::string TempPath(const UpdateItem& item) { return std::string(kTempFolder) + "\\" + item.serverFile; }

std::string FileText(const UpdateItem& item, const char* suffix) { return std::string(item.serverFile) + suffix; }

}  // namespace freshen
