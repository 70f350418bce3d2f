#include "updater/install.h"

#include <cstring>

#include "base/deletion.h"
#include "updater/file_table.h"
#include "updater/version_file.h"

namespace freshen {

bool ReplaceInstalledFile(const char* from, const char* to) {
    if (GetFileAttributesA(from) == INVALID_FILE_ATTRIBUTES) return false;
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING)) return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    // The 9x family has no MoveFileEx: the old file goes first, the new one
    // is renamed in its place at once.
    if (!DeleteFileA(to) && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    return MoveFileA(from, to) != FALSE;
}

int InstallFetchedFiles(const bool fetched[kItemCount], bool installed[kItemCount]) {
    int count = 0;
    for (int number : kInstallOrder) {
        const UpdateItem& item = Item(number);
        installed[number - 1] = fetched[number - 1] && ReplaceInstalledFile(item.tempFile, item.installedAs);
        if (installed[number - 1]) ++count;
    }
    return count;
}

void RemoveLeftovers(HWND) {
    const char* tempName = kTempFolder + strlen(".\\");  // the folder of ".\temp" in the current one
    base::OpenFolder installation = base::OpenFolder::Resolved(".");
    base::FolderEntry temp;
    if (installation.ok() && installation.Find(tempName, &temp) && temp.IsFolder() && !temp.IsLink()) {
        base::HeldItem held = base::HoldEntry(std::move(installation), temp);
        held.RemoveTree(base::Attributes::kNormal);
    }
    DeleteFileA(kVersionFilePath);  // the updater's own download
}

}  // namespace freshen
