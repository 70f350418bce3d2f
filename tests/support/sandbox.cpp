#include "tests/support/sandbox.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <stdio.h>

#include <utility>
#include <vector>

#include "base/unique_handle.h"

namespace pvtest {

namespace {

// The Unix path Wine maps a Windows path to; empty outside Wine.
std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    static const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return std::string();
    std::vector<wchar_t> wide(windowsPath.size() + 1);
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    char* unix = toUnix(wide.data());
    if (!unix) return std::string();
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// A Unix path (UTF-8) as UTF-16, quoted, for a host program's command line:
// the command goes through the wide call, since a Unix path need not be
// expressible in the ANSI code page.
std::wstring QuotedWide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    return L"\"" + wide + L"\"";
}

// Starts a host program (Wine starts Unix programs by their Z: path) and
// gives it up to five seconds to bring about done().
template <typename Done>
bool RunHost(std::wstring command, Done done) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    for (int i = 0; i < 250 && !done(); ++i) Sleep(20);
    return done();
}

}  // namespace

TempFolder::TempFolder(const std::string& tag) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    // Process ids come back: a folder an earlier run left under this name is
    // removed, or passed over when it cannot be.
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%s%s_%lu_%d", temp, tag.c_str(), GetCurrentProcessId(), ++serial);
        path_ = name;
        RemoveTree(path_);
        if (CreateDirectoryA(path_.c_str(), nullptr)) return;
    }
    ADD_FAILURE() << "cannot make the temporary folder " << path_;
}

TempFolder::~TempFolder() { RemoveTree(path_); }

CurrentFolder::CurrentFolder(const std::string& path) {
    GetCurrentDirectoryA(MAX_PATH, previous_);
    EXPECT_TRUE(SetCurrentDirectoryA(path.c_str())) << "cannot make " << path << " the current folder";
}

CurrentFolder::~CurrentFolder() { SetCurrentDirectoryA(previous_); }

EnvironmentOverride::EnvironmentOverride(std::string name, const char* value) : name_(std::move(name)) {
    const DWORD size = GetEnvironmentVariableA(name_.c_str(), nullptr, 0);
    if (size > 0) {
        saved_.resize(size);
        had_ = GetEnvironmentVariableA(name_.c_str(), &saved_[0], size) == size - 1;
        saved_.resize(size - 1);
    }
    Set(value);
}

EnvironmentOverride::~EnvironmentOverride() { Set(had_ ? saved_.c_str() : nullptr); }

void EnvironmentOverride::Set(const char* value) { SetEnvironmentVariableA(name_.c_str(), value); }

PlantedFolder::PlantedFolder(std::string path) : path_(std::move(path)) {
    // Every missing folder from the outermost down is remembered, so that
    // exactly these are removed again.
    for (size_t at = path_.find('\\', 3);; at = path_.find('\\', at + 1)) {
        const std::string part = path_.substr(0, at);
        if (!FolderExists(part) && CreateDirectoryA(part.c_str(), nullptr)) made_.push_back(part);
        if (at == std::string::npos) break;
    }
}

PlantedFolder::~PlantedFolder() {
    for (const std::string& link : links_) RemoveFolderLink(link);
    for (const std::string& name : planted_) {
        const std::string full = *this / name;
        if (FolderExists(full)) {
            RemoveTree(full);  // a link is removed as a link
        } else {
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(full.c_str());
        }
    }
    // Innermost first; a folder something else was put into stays.
    for (auto made = made_.rbegin(); made != made_.rend(); ++made) RemoveDirectoryA(made->c_str());
}

void PlantedFolder::Remember(const std::string& relative) {
    const std::string first = relative.substr(0, relative.find('\\'));
    for (const std::string& known : planted_)
        if (known == first) return;
    planted_.push_back(first);
}

bool PlantedFolder::PlantFile(const std::string& relative, const std::string& bytes) {
    Remember(relative);
    const size_t slash = relative.rfind('\\');
    if (slash != std::string::npos) MakeFolders(*this / relative.substr(0, slash));
    return WriteBytes(*this / relative, bytes) && FileExists(*this / relative);
}

bool PlantedFolder::PlantFolder(const std::string& relative) {
    Remember(relative);
    return MakeFolders(*this / relative);
}

bool PlantedFolder::PlantLink(const std::string& relative, const std::string& target) {
    Remember(relative);
    links_.push_back(*this / relative);
    return MakeFolderLink(links_.back(), target);
}

bool IsLink(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT);
}

FolderBackup::FolderBackup(std::string path) : path_(std::move(path)) {
    if (IsLink(path_)) return;
    if (FolderExists(path_)) {
        const std::string aside = path_ + ".pvtest-" + std::to_string(GetCurrentProcessId());
        if (!MoveFileA(path_.c_str(), aside.c_str())) return;
        aside_ = aside;
    }
    created_ = CreateDirectoryA(path_.c_str(), nullptr) != FALSE;
}

FolderBackup::~FolderBackup() {
    if (created_) RemoveTree(path_);
    if (!aside_.empty()) MoveFileA(aside_.c_str(), path_.c_str());
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return program.substr(0, program.rfind('\\'));
}

std::string SystemFolder(UINT(WINAPI* query)(LPSTR, UINT)) {
    char path[MAX_PATH] = {};
    return query(path, MAX_PATH) ? path : "";
}

std::string Environment(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return "";
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(name, &value[0], size));
    return value;
}

namespace {

// Calls visit(full path, find data) for every entry of folder but "." and "..".
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAA data;
    base::UniqueFind find(FindFirstFileA((folder + "\\*").c_str(), &data));
    if (!find) return;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") visit(folder + "\\" + name, data);
    } while (FindNextFileA(find.get(), &data));
}

// Removes every link below folder, never entering one. Done before anything
// else goes: Wine no longer lists a link whose target is gone, and the
// folder holding it could then not be removed.
void RemoveLinksBelow(const std::string& folder) {
    ForEachEntry(folder, [](const std::string& full, const WIN32_FIND_DATAA& data) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) RemoveFolderLink(full);
        else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveLinksBelow(full);
    });
}

// Removes folder with what is in it; a link still there is never entered.
void RemoveFilesAndFolders(const std::string& folder) {
    ForEachEntry(folder, [](const std::string& full, const WIN32_FIND_DATAA& data) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return;
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveFilesAndFolders(full);
        else
            DeleteFileA(full.c_str());
    });
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

bool RemoveTree(const std::string& path) {
    if (IsLink(path)) return RemoveFolderLink(path);
    RemoveLinksBelow(path);
    RemoveFilesAndFolders(path);
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool FolderExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadBytes(const std::string& path) {
    base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::string();
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool MakeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
    return FolderExists(path);
}

bool MakeFolderLink(const std::string& link, const std::string& target) {
    const std::string unixTarget = UnixPath(target), unixLink = UnixPath(link);
    if (unixTarget.empty() || unixLink.empty()) return false;
    return RunHost(L"Z:\\bin\\ln -s " + QuotedWide(unixTarget) + L" " + QuotedWide(unixLink),
                   [&] { return IsLink(link); });
}

bool RemoveFolderLink(const std::string& link) {
    const std::string unixLink = UnixPath(link);
    if (unixLink.empty()) return false;
    return RunHost(L"Z:\\bin\\rm -f " + QuotedWide(unixLink),
                   [&] { return GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

SwappedForLink::SwappedForLink(std::string path, const std::string& target) : path_(std::move(path)) {
    aside_ = path_ + ".listed";
    if (!MoveFileA(path_.c_str(), aside_.c_str())) return;
    ok_ = MakeFolderLink(path_, target);
}

SwappedForLink::~SwappedForLink() {
    if (ok_) RemoveFolderLink(path_);
    MoveFileA(aside_.c_str(), path_.c_str());
}

namespace {
// The prefix's dosdevices folder (Unix), from where drive C is mapped.
std::string DosDevices() {
    const std::string c = UnixPath("C:\\");  // ".../dosdevices/c:/"
    const size_t at = c.rfind("/c:");
    return at == std::string::npos ? std::string() : c.substr(0, at + 1);
}

// True when the file names the system gives back for root (a handle's final
// path) begin with its letter. Wine names a file by the drive whose Unix
// folder holds it from a list refreshed at most once a second: until then a
// drive mapped anew is missing from it (or another folder's), and the files
// on it are named by drive C.
bool NamedByItsLetter(const std::string& root) {
    using FinalPath = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    static const auto finalPath =
        reinterpret_cast<FinalPath>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA"));
    if (!finalPath) return true;  // the 9x family names files as they were opened
    base::UniqueFile folder(CreateFileA(root.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    char name[MAX_PATH];
    const DWORD n = folder ? finalPath(folder.get(), name, MAX_PATH, 0) : 0;
    return n >= 6 && n < MAX_PATH && toupper(static_cast<unsigned char>(name[4])) == toupper(root[0]);  // "\\?\P:\"
}
}  // namespace

bool ShareDriveC() {
    const std::string devices = DosDevices();
    if (devices.empty()) return false;
    for (const char* host : {"127.0.0.1", "localhost"}) {
        const std::string folder = devices + "unc/" + host;
        RunHost(L"Z:\\bin\\mkdir -p " + QuotedWide(folder), [&] { return FolderExists("Z:" + folder); });
        RunHost(L"Z:\\bin\\ln -sfn ../../../drive_c " + QuotedWide(folder + "/c$"),
                [host] { return FolderExists(std::string("\\\\") + host + "\\C$\\windows"); });
    }
    return FolderExists("\\\\127.0.0.1\\C$\\windows") && FolderExists("\\\\?\\UNC\\localhost\\C$\\windows");
}

MappedDrive::MappedDrive(char letter, const std::string& folder) : letter_(letter) {
    const std::string devices = DosDevices(), target = UnixPath(folder);
    if (devices.empty() || target.empty() || FolderExists(root())) return;
    device_ = devices + static_cast<char>(tolower(letter)) + ":";
    ok_ = RunHost(L"Z:\\bin\\ln -s " + QuotedWide(target) + L" " + QuotedWide(device_),
                  [this] { return FolderExists(root()) && NamedByItsLetter(root()); });
}

MappedDrive::~MappedDrive() {
    if (!device_.empty())
        RunHost(L"Z:\\bin\\rm -f " + QuotedWide(device_), [this] { return !FolderExists(root()); });
}

bool MoveToRecycleBin(const std::string& path) {
    const std::string from = path + '\0';  // a list of one, ended by a second terminator
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&operation);
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace pvtest
