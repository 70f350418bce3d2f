#include "app/cure/scan_log.h"

#include <stdio.h>
#include <string.h>

#include "app/cure/cure_texts.h"
#include "engine/purvex_engine.h"

namespace cure {

namespace {

constexpr char kHeadFile[] = "\\head.txt";
constexpr char kReportFile[] = "\\report.txt";
constexpr int kHighestPassNumber = 99999999;  // eight digits
constexpr int kRuleLength = 62;

// Opens a log file for writing: created anew, or an existing one at its end.
base::UniqueFile OpenLogFile(const std::string& path, bool create) {
    base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      create ? CREATE_ALWAYS : OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file && !create) SetFilePointer(file.get(), 0, nullptr, FILE_END);
    return file;
}

bool WriteText(HANDLE file, const std::string& text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// Writes text into folder\name; nothing without a folder (no pass is logged).
bool WriteLogFile(const std::string& folder, const char* name, bool create,
                  const std::string& text) {
    if (folder.empty()) return false;
    base::UniqueFile file = OpenLogFile(folder + name, create);
    return file && WriteText(file.get(), text);
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[512];
    snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

// "yyyy-mm-dd hh:mm", the minute last.
std::string StampOf(const SYSTEMTIME& t) {
    return Format("%4d-%02d-%02d %02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
}

// The decimal number a folder name starts with; 0 without leading digits;
// -1 when it has more digits than a pass number can.
int NumberOfName(const char* name) {
    long long n = 0;
    for (const char* p = name; *p >= '0' && *p <= '9'; ++p) {
        n = n * 10 + (*p - '0');
        if (n > kHighestPassNumber) return -1;
    }
    return static_cast<int>(n);
}

bool IsDots(const char* name) { return strcmp(name, ".") == 0 || strcmp(name, "..") == 0; }

const char* ReasonText(uint8_t reason) {
    switch (reason) {
    case PURVEX_REASON_NO_COPY: return kReasonNoCopy;
    case PURVEX_REASON_UNSAFE_FOLDER: return kReasonUnsafeFolder;
    case PURVEX_REASON_LINK: return kReasonLink;
    case PURVEX_REASON_NOT_TAKEN: return kReasonNotTaken;
    default: return "";
    }
}

// "   status : location (record)", and " - " with what more there is to say.
std::string NoteLine(const ItemNote& note) {
    const bool left = note.outcome == PURVEX_ITEM_AT_RESTART;
    const char* more = left ? (note.reason == PURVEX_REASON_NO_COPY ? kNoteNoCopy : "") : ReasonText(note.reason);
    return std::string("   ") + (left ? kStatusAtRestart : kStatusFailed) + " : " + note.location + " (" +
           note.record + ")" + (more[0] ? std::string(" - ") + more : std::string()) + "\r\n";
}

}  // namespace

int NextPassNumber(const std::string& root, bool* rootExists) {
    WIN32_FIND_DATAA data;
    base::UniqueFind find(FindFirstFileA((root + "\\*.*").c_str(), &data));
    if (rootExists) *rootExists = static_cast<bool>(find);
    if (!find) return 0;
    int highest = -1;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsDots(data.cFileName)) continue;
        const int n = NumberOfName(data.cFileName);
        if (n > highest) highest = n;
    } while (FindNextFileA(find.get(), &data));
    // An empty root gives 1, as a root holding only a folder named 0 would.
    return highest < 0 ? 1 : highest + 1;
}

std::string CreatePassFolder(const std::string& root) {
    bool rootExists = false;
    int number = NextPassNumber(root, &rootExists);
    if (!rootExists && !CreateDirectoryA(root.c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
        return std::string();
    for (; number <= kHighestPassNumber; ++number) {
        const std::string folder = root + Format("\\%08d", number);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return std::string();
}

bool WriteHeadStart(const std::string& folder, const SYSTEMTIME& start) {
    return WriteLogFile(folder, kHeadFile, true,
                        StampOf(start) + "\r\n" "애드웨어 검사\r\n" "로컬하드 디스크\r\n");
}

bool AppendHeadEnd(const std::string& folder, bool completed) {
    return WriteLogFile(folder, kHeadFile, false, completed ? "완  료" : "취  소");
}

bool WriteReportHeading(const std::string& folder, const SYSTEMTIME& start, int recordCount) {
    return WriteLogFile(folder, kReportFile, true,
                        "Purvex로 애드웨어 검사..\r\n\r\n" +
                            Format("애드웨어 DB : %d\r\n", recordCount) +
                            "검사 시작시간 : " + StampOf(start) + "\r\n\r\n");
}

bool AppendReportSummary(const std::string& folder, int found, int total) {
    return WriteLogFile(folder, kReportFile, false,
                        "애드웨어 검사...\r\n\r\n" +
                            Format("   발견된 애드웨어 : %6d 개\r\n", found) +
                            Format("   전체갯수 : %6d 개\r\n\r\n", total));
}

bool AppendReportCompleted(const std::string& folder, const SYSTEMTIME& t) {
    return WriteLogFile(
        folder, kReportFile, false,
        Format("검사 종료시간 : %4d-%02d-%02d %02d : %02d -> 검사가 완료되었습니다.\r\n",
               t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute));
}

bool AppendReportCancelled(const std::string& folder, const SYSTEMTIME& t) {
    return WriteLogFile(folder, kReportFile, false,
                        "\r\n" + Format("검사 종료시간 : %4d-%02d-%02d %02d:%02d->검사가 취소되었습니다.\r\n",
                                        t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute));
}

CureTableWriter::CureTableWriter(const std::string& folder) {
    if (folder.empty()) return;
    file_ = OpenLogFile(folder + kReportFile, false);
    if (!file_) return;
    const std::string rule = std::string(kRuleLength, '-') + "\r\n";
    WriteText(file_.get(), "\r\n" + rule + Format(" %25s\t\t전체갯수\t\t상 태\r\n", "애드웨어명") + rule);
}

void CureTableWriter::AppendRow(const std::string& name, const std::string& count,
                                const std::string& status) {
    if (!file_) return;
    WriteText(file_.get(), Format(" %25s\t\t", name.c_str()) + count + "\t\t" + status + "\r\n");
}

void CureTableWriter::AppendSummary(int done, int atRestart, int failed, const std::vector<ItemNote>& notes) {
    if (!file_ || (atRestart == 0 && notes.empty())) return;
    std::string text = "\r\n" + Format("   치료 완료 : %6d 개\r\n", done) +
                       Format("   %s : %6d 개\r\n", kStatusAtRestart, atRestart) +
                       Format("   치료 실패 : %6d 개\r\n", failed);
    if (!notes.empty()) text += "\r\n";
    for (const ItemNote& note : notes) text += NoteLine(note);
    WriteText(file_.get(), text);
}

}  // namespace cure
