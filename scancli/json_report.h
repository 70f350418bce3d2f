// The machine-readable report of a scan or cure: UTF-8 JSON whose fields are
// documented in the README ("Command line"). A field once published keeps its
// name and meaning; new ones may be added.
#pragma once
#include <windows.h>
#include <stdint.h>

#include <set>
#include <string>
#include <vector>

#include "base/unique_handle.h"
#include "scancli/scan_result.h"

namespace scancli {

inline constexpr int kReportSchemaVersion = 1;

struct RunReport {
    const char* mode = "scan";  // "scan" or "cure"
    std::string programVersion;
    std::string databaseVersion;  // the engine's version text, which the page shows as the database's
    int databaseRecords = 0;
    SYSTEMTIME started = {}, ended = {};
    bool onlyGiven = false;
    std::set<int32_t> only, excluded;
    std::vector<FoundRecord> records;
    bool browserReset = false;
    std::string logFolder, backupFolder;  // full paths; empty: none
    std::string error;                    // code page 949; empty: none
    int exitCode = 0;
};

// The report as JSON text (UTF-8, CRLF line ends).
std::string ReportJson(const RunReport& report);

// Code page 949 (where the system has it, else the ANSI code page) or the
// ANSI code page text as UTF-8.
std::string Utf8FromKorean(const std::string& text);
std::string Utf8FromAnsi(const std::string& text);
// A JSON string literal of UTF-8 text, quotes included.
std::string JsonString(const std::string& utf8);

// The report file: a temporary file beside the final one, made when the run
// starts (so that a path that cannot be written stops the run before
// anything changes) and moved into place at the end.
class ReportFile {
public:
    // path: a full path. False when the temporary file cannot be made, the
    // path is a folder, or an existing file there cannot be written.
    bool Open(const std::string& path);
    bool is_open() const { return static_cast<bool>(temp_); }
    // Writes text and puts the file in place of path. False when it could
    // not; the temporary file is gone either way.
    bool Commit(const std::string& text);
    ~ReportFile();

private:
    std::string path_, tempPath_;
    base::UniqueFile temp_;
};

}  // namespace scancli
