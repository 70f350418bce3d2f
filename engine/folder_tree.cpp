#include <windows.h>
#include <string.h>

#include "base/unique_handle.h"
#include "engine/bounded_text.h"
#include "engine/removal.h"

namespace engine {

namespace {

// path + "\" + name (no second backslash when path already ends with one).
bool ChildPath(const char* path, const char* name, char* out) {
    size_t n = strlen(path);
    const char* separator = (n && path[n - 1] == '\\') ? "" : "\\";
    return JoinText(out, kPathSize, path, separator, name);
}

bool IsLink(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Removes a directory link itself, never what it points to: RemoveDirectory
// removes a junction; a symbolic link is opened as itself and deleted on close.
bool RemoveLink(const char* path) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if (RemoveDirectoryA(path)) return true;
    base::UniqueFile link(CreateFileA(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_DELETE_ON_CLOSE,
                                      nullptr));
    link.reset();
    return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

void RemoveEntry(const char* full, const WIN32_FIND_DATAA& entry) {
    const DWORD attributes = entry.dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) RemoveLink(full);
        else RemoveFolderTree(full);
        return;
    }
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) SetFileAttributesA(full, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(full);
}

}  // namespace

bool RemoveFolderTree(const char* path) {
    if (!path || !path[0]) return false;
    if (IsLink(GetFileAttributesA(path))) return RemoveLink(path);

    char pattern[kPathSize];
    if (ChildPath(path, "*.*", pattern)) {
        WIN32_FIND_DATAA entry;
        base::UniqueFind find(FindFirstFileA(pattern, &entry));
        for (bool more = static_cast<bool>(find); more; more = FindNextFileA(find.get(), &entry)) {
            if (!strcmp(entry.cFileName, ".") || !strcmp(entry.cFileName, "..")) continue;
            char full[kPathSize];
            if (ChildPath(path, entry.cFileName, full)) RemoveEntry(full, entry);
        }
    }
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryA(path) != FALSE;
}

}  // namespace engine
