#include "scancli/json_report.h"

#include <stdio.h>

#include "scancli/console_out.h"

namespace scancli {

namespace {

constexpr UINT kKoreanCodePage = 949;

// UTF-16 as UTF-8, by hand: the 9x family's WideCharToMultiByte knows no CP_UTF8.
std::string Utf8FromWide(const std::wstring& wide) {
    std::string out;
    for (size_t i = 0; i < wide.size(); ++i) {
        unsigned long c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;  // a lone half of a pair
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Utf8FromCodePage(const std::string& text, UINT codePage) {
    if (text.empty()) return text;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return std::string();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return Utf8FromWide(wide);
}

std::string Stamp(const SYSTEMTIME& t) {
    return Formatted("%04d-%02d-%02dT%02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

std::string IdList(const std::set<int32_t>& ids) {
    std::string list = "[";
    for (int32_t id : ids) list += (list.size() > 1 ? ", " : "") + std::to_string(id);
    return list + "]";
}

// A JSON string of ANSI text, or null for an empty one.
std::string PathOrNull(const std::string& path) { return path.empty() ? "null" : JsonString(Utf8FromAnsi(path)); }

const char* Bool(bool value) { return value ? "true" : "false"; }

std::string ItemJson(const FoundItem& item) {
    return Formatted("        {\"type\": \"%s\", \"typeCode\": %d, \"place\": ", item.kind, item.typeCode) +
           JsonString(Utf8FromAnsi(item.place)) +
           ", \"valueName\": " + (item.hasValueName ? JsonString(Utf8FromAnsi(item.valueName)) : "null") +
           ", \"view\": " + (item.view ? JsonString(item.view) : "null") +
           ", \"outcome\": \"" + OutcomeName(item.outcome) + "\"}";
}

std::string RecordJson(const FoundRecord& record) {
    std::string json = Formatted("    {\"id\": %d, \"name\": ", static_cast<int>(record.id)) +
                       JsonString(Utf8FromKorean(record.name)) + ", \"cured\": " + Bool(record.cured) +
                       ", \"items\": [\r\n";
    for (size_t i = 0; i < record.items.size(); ++i)
        json += ItemJson(record.items[i]) + (i + 1 < record.items.size() ? ",\r\n" : "\r\n");
    return json + "      ]}";
}

}  // namespace

std::string Utf8FromKorean(const std::string& text) {
    return Utf8FromCodePage(text, IsValidCodePage(kKoreanCodePage) ? kKoreanCodePage : CP_ACP);
}

std::string Utf8FromAnsi(const std::string& text) { return Utf8FromCodePage(text, CP_ACP); }

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') out += '\\', out += ch;
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (c < 0x20 || c == 0x7F) out += Formatted("\\u%04x", c);
        else out += ch;
    }
    return out + "\"";
}

std::string ReportJson(const RunReport& r) {
    const Counts c = CountOutcomes(r.records);
    std::string json = "{\r\n";
    json += Formatted("  \"schemaVersion\": %d,\r\n", kReportSchemaVersion);
    json += "  \"program\": \"PurvexScan\",\r\n";
    json += "  \"programVersion\": " + JsonString(r.programVersion) + ",\r\n";
    json += "  \"databaseVersion\": " + JsonString(Utf8FromAnsi(r.databaseVersion)) + ",\r\n";
    json += Formatted("  \"databaseRecords\": %d,\r\n", r.databaseRecords);
    json += std::string("  \"mode\": \"") + r.mode + "\",\r\n";
    json += "  \"started\": \"" + Stamp(r.started) + "\",\r\n";
    json += "  \"ended\": \"" + Stamp(r.ended) + "\",\r\n";
    json += "  \"only\": " + (r.onlyGiven ? IdList(r.only) : std::string("null")) + ",\r\n";
    json += "  \"excluded\": " + IdList(r.excluded) + ",\r\n";
    json += "  \"records\": [\r\n";
    for (size_t i = 0; i < r.records.size(); ++i)
        json += RecordJson(r.records[i]) + (i + 1 < r.records.size() ? ",\r\n" : "\r\n");
    json += "  ],\r\n";
    json += Formatted("  \"counts\": {\"records\": %d, \"items\": %d, \"removed\": %d, \"removedAtRestart\": %d, "
                      "\"failed\": %d, \"refused\": %d, \"left\": %d},\r\n",
                      c.records, c.items, c.removed, c.atRestart, c.failed, c.refused, c.left);
    json += std::string("  \"browserReset\": ") + Bool(r.browserReset) + ",\r\n";
    json += std::string("  \"restartNeeded\": ") + Bool(c.atRestart > 0) + ",\r\n";
    json += "  \"logFolder\": " + PathOrNull(r.logFolder) + ",\r\n";
    json += "  \"backupFolder\": " + PathOrNull(r.backupFolder) + ",\r\n";
    json += "  \"error\": " + (r.error.empty() ? std::string("null") : JsonString(Utf8FromKorean(r.error))) + ",\r\n";
    json += Formatted("  \"exitCode\": %d\r\n", r.exitCode);
    return json + "}\r\n";
}

bool ReportFile::Open(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
        // Opened for writing, not truncated: the old report stays until the new one replaces it.
        base::UniqueFile existing(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
        if (!existing) return false;
    }
    path_ = path;
    tempPath_ = path + Formatted(".%lu.tmp", GetCurrentProcessId());
    temp_.reset(CreateFileA(tempPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    return is_open();
}

bool ReportFile::Commit(const std::string& text) {
    if (!temp_) return false;
    DWORD written = 0;
    const bool complete = WriteFile(temp_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                          written == text.size() && FlushFileBuffers(temp_.get());
    temp_.reset();
    bool placed = false;
    if (complete) {
        placed = MoveFileExA(tempPath_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
        // The 9x family has no MoveFileEx: the old report goes first.
        if (!placed && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
            DeleteFileA(path_.c_str());
            placed = MoveFileA(tempPath_.c_str(), path_.c_str()) != FALSE;
        }
    }
    if (!placed) DeleteFileA(tempPath_.c_str());
    return placed;
}

ReportFile::~ReportFile() {
    if (temp_) {
        temp_.reset();
        DeleteFileA(tempPath_.c_str());
    }
}

}  // namespace scancli
