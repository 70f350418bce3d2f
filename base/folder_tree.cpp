#include "base/folder_tree.h"

#include <string.h>

#include "base/unique_handle.h"

namespace base {

bool IsLinkAttributes(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool ChildPath(const char* path, const char* name, char* out) {
    const size_t n = strlen(path), m = strlen(name);
    const bool separator = !(n && path[n - 1] == '\\');
    if (n + separator + m + 1 > kTreePathSize) {
        out[0] = 0;
        return false;
    }
    memcpy(out, path, n);
    if (separator) out[n] = '\\';
    memcpy(out + n + separator, name, m + 1);
    return true;
}

bool RemoveFolderLink(const char* path) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if (RemoveDirectoryA(path)) return true;
    base::UniqueFile link(CreateFileA(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_DELETE_ON_CLOSE,
                                      nullptr));
    link.reset();
    return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

namespace {

void RemoveEntry(const char* full, const WIN32_FIND_DATAA& entry) {
    const DWORD attributes = entry.dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) RemoveFolderLink(full);
        else RemoveFolderTree(full);
        return;
    }
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) SetFileAttributesA(full, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(full);
}

}  // namespace

bool RemoveFolderTree(const char* path) {
    if (!path || !path[0]) return false;
    if (IsLinkAttributes(GetFileAttributesA(path))) return RemoveFolderLink(path);

    char pattern[kTreePathSize];
    if (ChildPath(path, "*.*", pattern)) {
        WIN32_FIND_DATAA entry;
        base::UniqueFind find(FindFirstFileA(pattern, &entry));
        for (bool more = static_cast<bool>(find); more; more = FindNextFileA(find.get(), &entry)) {
            if (!strcmp(entry.cFileName, ".") || !strcmp(entry.cFileName, "..")) continue;
            char full[kTreePathSize];
            if (ChildPath(path, entry.cFileName, full)) RemoveEntry(full, entry);
        }
    }
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryA(path) != FALSE;
}

}  // namespace base
