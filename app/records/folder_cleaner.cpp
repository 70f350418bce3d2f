#include "app/records/folder_cleaner.h"

#include <vector>

#include "base/deletion.h"
#include "base/file_size.h"
#include "base/user_folders.h"

namespace records {

namespace {

constexpr uint64_t kKeptHeader = 64;    // the bytes of an index.dat that stay
constexpr DWORD kWipePiece = 10000;     // zero bytes written per call
constexpr auto kWritable = base::Attributes::kClearReadOnly;

bool Wipe(const base::OpenFolder& folder, const base::FolderEntry& entry) {
    base::UniqueFile file = folder.OpenToOverwrite(entry);
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

// False when the folder cannot be listed.
bool Clean(const base::OpenFolder& folder, bool deleteDesktopIni, bool wipeIndexFile) {
    std::vector<base::FolderEntry> entries;
    if (!folder.List(&entries)) return false;
    for (const base::FolderEntry& entry : entries) {
        if (!deleteDesktopIni && !lstrcmpiA(entry.name.c_str(), "desktop.ini")) continue;
        if (entry.IsFolder() && !entry.IsLink()) {
            const base::OpenFolder sub = folder.Sub(entry, true);
            if (!sub.ok()) continue;
            Clean(sub, deleteDesktopIni, wipeIndexFile);
            sub.RemoveSelf(kWritable);
            continue;
        }
        if (wipeIndexFile && !entry.IsFolder() && !lstrcmpiA(entry.name.c_str(), "index.dat")) Wipe(folder, entry);
        folder.DeleteEntry(entry, kWritable);  // a link: the link itself, never its target
    }
    return true;
}

}  // namespace

bool CleanFolder(const char* folder, bool deleteDesktopIni, bool wipeIndexFile) {
    base::UserFolderRefusal refusal;
    // Judged on the folder held: the one that is emptied.
    const base::OpenFolder root = base::OpenUserFolder(folder, base::ReadUserFolderBounds(), &refusal);
    return root.ok() && Clean(root, deleteDesktopIni, wipeIndexFile);
}

bool WipeIndexFile(const char* folder, const char* name) {
    const base::OpenFolder parent = base::OpenFolder::Root(folder);
    base::FolderEntry entry;
    return parent.ok() && parent.Find(name, &entry) && !entry.IsFolder() && Wipe(parent, entry);
}

}  // namespace records
