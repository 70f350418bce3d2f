#include "updater/install.h"

#include <string>

#include "base/deletion.h"
#include "base/file_size.h"
#include "base/nt_file.h"
#include "base/platform.h"
#include "base/sha256.h"
#include "updater/file_table.h"
#include "updater/version_file.h"

namespace freshen {

namespace {

constexpr DWORD kFolderAccess =
    FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
const char kKeptFolder[] = ".\\temp\\old";

// The NT family moves files by handle; the 9x family, which has no such
// calls, by name. Never by the version the system reports (base/platform.h).
bool ByHandle() { return base::HasNtCalls(); }

// A folder opened for adding files to it, shared as given; unless
// orLink, it must be a plain folder, no link.
base::UniqueFile OpenFolder(const char* path, DWORD share, bool orLink) {
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (orLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    const DWORD refused = orLink ? 0 : FILE_ATTRIBUTE_REPARSE_POINT;
    base::UniqueFile folder(CreateFileA(path, kFolderAccess, share, nullptr, OPEN_EXISTING, flags, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (folder && (!GetFileInformationByHandle(folder.get(), &info) ||
                   (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | refused)) != FILE_ATTRIBUTE_DIRECTORY))
        folder.reset();
    return folder;
}

// The name of ".\<name>" in the current folder, as the calls by handle take it.
std::wstring WideName(const char* relative) {
    std::string name(relative);
    if (name.compare(0, 2, ".\\") == 0) name.erase(0, 2);
    return std::wstring(name.begin(), name.end());  // the table's names are ASCII
}

std::string KeptPath(const UpdateItem& item) { return std::string(kKeptFolder) + "\\" + item.serverFile; }

// Whether the open file holds exactly the announced bytes, read from its start.
bool SameAsAnnounced(HANDLE file, const ExpectedFile& expected) {
    uint64_t size = 0;
    if (!base::GetFileLength(file, &size) || size != expected.size || !base::SeekFile(file, 0, FILE_BEGIN))
        return false;
    base::Sha256 hash;
    char block[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, block, sizeof block, &got, nullptr)) return false;
        if (got == 0) break;
        hash.Update(block, got);
    }
    return hash.HexDigest() == expected.sha256Hex;
}

// One file of the install step and what has been done to it.
struct Replacement {
    StagedFile* staged;
    bool keptOld = false;  // the installed file was moved into ".\temp\old"
};

// Moves the staged file from ".\temp" to its installed name, which is free.
bool MoveIn(const WorkFolder& folder, StagedFile& staged) {
    const UpdateItem& item = Item(staged.item);
    if (ByHandle()) return base::nt::MoveTo(staged.file.get(), folder.installation(), WideName(item.installedAs));
    staged.file.reset();
    return MoveFileA(TempPath(item).c_str(), item.installedAs) != FALSE;
}

// Takes one replacement back: the new file into ".\temp", the kept one into
// its place again. False when the kept file could not be put back.
bool TakeBack(const WorkFolder& folder, const Replacement& done) {
    const UpdateItem& item = Item(done.staged->item);
    const bool out = ByHandle() ? base::nt::MoveTo(done.staged->file.get(), folder.handle(), WideName(item.serverFile))
                                : MoveFileA(item.installedAs, TempPath(item).c_str()) != FALSE;
    if (!done.keptOld) return out;
    return out && MoveFileA(KeptPath(item).c_str(), item.installedAs) != FALSE;
}

}  // namespace

WorkFolder::WorkFolder() {
    RemoveLeftovers();
    if (!CreateDirectoryA(kTempFolder, nullptr)) return;  // anything left there stops the update
    if (ByHandle()) {
        folder_ = OpenFolder(kTempFolder, FILE_SHARE_READ | FILE_SHARE_WRITE, false);
        installation_ = OpenFolder(".", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true);
        if (!folder_ || !installation_) return;
    }
    ok_ = CreateDirectoryA(kKeptFolder, nullptr) != FALSE;
}

base::UniqueFile WorkFolder::MakeFile(const char* name) const {
    if (!ok_) return base::UniqueFile();
    const std::string path = std::string(kTempFolder) + "\\" + name;
    // DELETE lets the install step move it by this handle; the 9x family knows no such access.
    const DWORD access = GENERIC_READ | GENERIC_WRITE | (ByHandle() ? DELETE : 0);
    return base::UniqueFile(
        CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

InstallOutcome InstallStaged(const WorkFolder& folder, std::vector<StagedFile>& staged) {
    for (StagedFile& file : staged) {
        if (!SameAsAnnounced(file.file.get(), file.expected)) return {InstallStatus::kChanged, file.item};
    }
    std::vector<Replacement> done;
    InstallOutcome outcome;
    for (int number : InstallOrder()) {
        StagedFile* file = nullptr;
        for (StagedFile& candidate : staged)
            if (candidate.item == number) file = &candidate;
        if (!file) continue;
        const UpdateItem& item = Item(number);
        Replacement step{file};
        if (MoveFileA(item.installedAs, KeptPath(item).c_str())) {
            step.keptOld = true;
        } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
            outcome = {InstallStatus::kNotReplaced, number};
            break;
        }
        if (!MoveIn(folder, *file)) {
            outcome = {InstallStatus::kNotReplaced, number};
            if (step.keptOld && !MoveFileA(KeptPath(item).c_str(), item.installedAs))
                outcome = {InstallStatus::kNotRestored, number};
            break;
        }
        done.push_back(step);
    }
    if (outcome.status == InstallStatus::kInstalled) return outcome;
    // Put back, last replaced first.
    for (auto step = done.rbegin(); step != done.rend(); ++step) {
        if (!TakeBack(folder, *step) && outcome.status != InstallStatus::kNotRestored)
            outcome = {InstallStatus::kNotRestored, step->staged->item};
    }
    return outcome;
}

void RemoveLeftovers() {
    const char* tempName = kTempFolder + 2;  // "temp": the entry of ".\temp" in the current folder
    base::OpenFolder installation = base::OpenFolder::Resolved(".");
    base::FolderEntry temp;
    if (installation.ok() && installation.Find(tempName, &temp)) {
        base::HeldItem held = base::HoldEntry(std::move(installation), temp);
        held.RemoveTree(base::Attributes::kNormal);  // a link or a file: removed as itself
    }
    DeleteFileA(kVersionFilePath);  // the version file earlier updaters wrote
}

}  // namespace freshen
