#include "app/records/folder_cleaner.h"

#include <string.h>

#include "base/file_size.h"
#include "base/folder_tree.h"
#include "base/unique_handle.h"

namespace records {

namespace {

constexpr uint64_t kKeptHeader = 64;    // the bytes of an index.dat that stay
constexpr DWORD kWipePiece = 10000;     // zero bytes written per call

bool IsDotEntry(const char* name) { return !strcmp(name, ".") || !strcmp(name, ".."); }

void CleanEntry(const char* folder, const WIN32_FIND_DATAA& entry, bool deleteDesktopIni, bool wipeIndexFile) {
    char full[base::kTreePathSize];
    if (!base::ChildPath(folder, entry.cFileName, full)) return;
    const DWORD attributes = entry.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && base::IsLinkAttributes(attributes)) {
        base::RemoveFolderLink(full);  // the link itself; its target is outside this folder
        return;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        const DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
        SetFileAttributesA(full, writable ? writable : FILE_ATTRIBUTE_NORMAL);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        CleanFolder(full, deleteDesktopIni, wipeIndexFile);
        RemoveDirectoryA(full);
        return;
    }
    if (wipeIndexFile && !lstrcmpiA(entry.cFileName, "index.dat")) WipeIndexFile(folder, entry.cFileName);
    DeleteFileA(full);
}

}  // namespace

bool CleanFolder(const char* folder, bool deleteDesktopIni, bool wipeIndexFile) {
    if (!folder || !folder[0] || base::IsLinkAttributes(GetFileAttributesA(folder))) return false;
    char pattern[base::kTreePathSize];
    if (!base::ChildPath(folder, "*.*", pattern)) return false;
    WIN32_FIND_DATAA entry;
    base::UniqueFind find(FindFirstFileA(pattern, &entry));
    if (!find) return false;
    do {
        if (IsDotEntry(entry.cFileName)) continue;
        if (!deleteDesktopIni && !lstrcmpiA(entry.cFileName, "desktop.ini")) continue;
        CleanEntry(folder, entry, deleteDesktopIni, wipeIndexFile);
    } while (FindNextFileA(find.get(), &entry));
    return true;
}

bool WipeIndexFile(const char* folder, const char* name) {
    char full[base::kTreePathSize];
    if (!base::ChildPath(folder, name, full)) return false;
    base::UniqueFile file(CreateFileA(full, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    uint64_t size = 0;
    if (!base::GetFileLength(file.get(), &size)) return false;
    if (size <= kKeptHeader) return true;

    if (!base::SeekFile(file.get(), kKeptHeader, FILE_BEGIN)) return false;
    static const BYTE zeros[kWipePiece] = {};
    for (uint64_t left = size - kKeptHeader; left > 0;) {
        const DWORD piece = left < kWipePiece ? static_cast<DWORD>(left) : kWipePiece;
        DWORD written = 0;
        if (!WriteFile(file.get(), zeros, piece, &written, nullptr) || written != piece) return false;
        left -= piece;
    }
    return true;
}

}  // namespace records
