// The startup folders and the rows of their entries.
#include <shlobj.h>
#include <string.h>

#include "app/startup/startup_entries.h"
#include "base/deletion.h"

namespace startup {

namespace {
constexpr size_t kPatternRoom = 260;  // search patterns, terminator included
constexpr DWORD kUserNameRoom = 255;
constexpr size_t kRowsBeforeNarrowing = 8;

constexpr char kProfiles[] = "C:\\Documents and Settings\\";
constexpr char kStartupUnderProfile[] = "\\시작 메뉴\\프로그램\\시작프로그램\\";
constexpr char kWindowsStartup[] = "C:\\WINDOWS\\시작 메뉴\\프로그램\\시작프로그램\\";

bool IsSkippedName(const char* name) {
    return name[0] == '.' || strcmp(name, "INFO2") == 0 || strcmp(name, "desktop.ini") == 0;
}

bool SameFolder(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, a.c_str(), -1, b.c_str(),
                          -1) == CSTR_EQUAL;
}

// The shell's folder csidl ending in "\"; empty when the shell has none.
std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) || !path[0]) return std::string();
    std::string folder(path);
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

// The rows of the folder held open; folder is its spelling in the path column.
void AddEntries(const base::OpenFolder& opened, const std::string& folder, StartupList* list) {
    if ((folder + "*.*").size() + 1 > kPatternRoom) return;
    std::vector<base::FolderEntry> entries;
    opened.List(&entries);
    for (const base::FolderEntry& entry : entries) {
        const char* name = entry.name.c_str();
        // A link is listed but never entered: what it points to lies outside
        // the startup folders.
        if (entry.IsFolder() && name[0] != '.' && !entry.IsLink()) {
            const base::OpenFolder sub = opened.Sub(entry);
            if (sub.ok()) AddEntries(sub, folder + name + "\\", list);
        }
        if (IsSkippedName(name)) continue;
        if (list->rows.size() > kRowsBeforeNarrowing) list->narrowPathColumn = true;
        StartupRow row;
        row.name = name;
        row.path = folder;
        row.listed = opened.Record(entry);
        list->rows.push_back(std::move(row));
    }
}

}  // namespace

void AddFolder(const std::string& folder, StartupList* list) {
    if ((folder + "*.*").size() + 1 > kPatternRoom) return;
    const base::OpenFolder opened = base::OpenFolder::Root(folder.c_str());
    if (opened.ok()) AddEntries(opened, folder, list);
}

std::vector<std::string> StartupFolders(const std::string& userName) {
    std::vector<std::string> folders;
    folders.push_back(std::string(kProfiles) + "All Users" + kStartupUnderProfile);
    if (!userName.empty()) folders.push_back(kProfiles + userName + kStartupUnderProfile);
    folders.push_back(std::string(kProfiles) + "Administrator" + kStartupUnderProfile);
    folders.push_back(kWindowsStartup);
    // Systems whose profiles lie elsewhere name their startup folders
    // differently; the shell knows them.
    for (int csidl : {CSIDL_COMMON_STARTUP, CSIDL_STARTUP}) {
        const std::string shell = ShellFolder(csidl);
        if (shell.empty()) continue;
        bool known = false;
        for (const std::string& folder : folders) known = known || SameFolder(folder, shell);
        if (!known) folders.push_back(shell);
    }
    return folders;
}

std::string LogonUserName() {
    char name[kUserNameRoom] = {};
    DWORD size = kUserNameRoom;
    if (!GetUserNameA(name, &size)) return std::string();
    return name;
}

}  // namespace startup
