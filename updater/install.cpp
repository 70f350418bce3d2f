#include "updater/install.h"

#include <shellapi.h>

#include <cstring>

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

void RemoveLeftovers(HWND owner) {
    // The shell wants a full path, ending in two zeros.
    char from[MAX_PATH + 2] = {};
    DWORD length = GetFullPathNameA(kTempFolder, MAX_PATH, from, nullptr);
    if (length > 0 && length < MAX_PATH && GetFileAttributesA(from) != INVALID_FILE_ATTRIBUTES) {
        SHFILEOPSTRUCTA op = {};
        op.hwnd = owner;
        op.wFunc = FO_DELETE;
        op.pFrom = from;
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationA(&op);
    }
    DeleteFileA(kVersionFilePath);
}

}  // namespace freshen
