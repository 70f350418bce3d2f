// The Run keys and startup folders of the test prefix, made ready for one
// test: every Run-type key (under WOW64 the machine's in both registry views)
// is emptied and put back afterwards, and every startup folder is made when
// missing, planted in, and left as it was found.
#pragma once
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/startup/startup_entries.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"

namespace startup {
// For readable failures and exact comparisons of rows.
inline bool operator==(const StartupRow& a, const StartupRow& b) {
    return a.name == b.name && a.data == b.data && a.path == b.path && a.checked == b.checked;
}
inline void PrintTo(const StartupRow& row, std::ostream* out) {
    *out << "{\"" << row.name << "\", \"" << row.data << "\", \"" << row.path << "\""
         << (row.checked ? ", ticked}" : "}");
}
}  // namespace startup

namespace startuptest {

class StartupSandbox {
public:
    StartupSandbox();
    ~StartupSandbox();
    // The folder StartupFolders(LogonUserName()) gives at index, planted in
    // through the returned object; FolderRowPath is its path as rows show it.
    pvtest::PlantedFolder& Folder(size_t index) { return *folders_[index]; }
    std::string FolderRowPath(size_t index) const { return folders_[index]->path() + "\\"; }
    size_t FolderCount() const { return folders_.size(); }

private:
    std::vector<std::unique_ptr<pvtest::KeyBackup>> keys_;
    std::vector<std::unique_ptr<pvtest::PlantedFolder>> folders_;
};

inline constexpr int kAllUsersFolder = 0, kUserFolder = 1, kWindowsFolder = 3;
// The Run keys the tests plant in, spelt out here rather than taken from the
// code under test.
inline constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The row path of a registry key: "HKEY_CURRENT_USER\..." or "HKEY_LOCAL_MACHINE\...".
std::string KeyRowPath(HKEY root, const std::string& key);
// Stores text with its terminator as the given string type.
bool PlantText(HKEY root, const std::string& key, const std::string& name, const std::string& text,
               DWORD type = REG_SZ);
// The rows whose path is exactly path, in list order.
std::vector<startup::StartupRow> RowsIn(const std::vector<startup::StartupRow>& rows, const std::string& path);
// The rows a test planted: every registry row (the keys start empty) and the
// folder rows whose name begins with "pv".
std::vector<startup::StartupRow> PlantedRows(const std::vector<startup::StartupRow>& rows);
startup::StartupRow Row(const std::string& name, const std::string& data, const std::string& path);

}  // namespace startuptest
