#include "backup/kept_digest.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/sha256.h"

namespace backup {

namespace {

bool HashFile(const base::OpenFolder& folder, const base::FolderEntry& entry, std::string* digest) {
    const base::UniqueFile file = folder.OpenToRead(entry);
    *digest = file ? DigestOfOpenFile(file.get()) : std::string();
    return !digest->empty();
}

// "F name digest", "D name digest" or "L name" for each entry, by name.
bool HashTree(const base::OpenFolder& folder, std::string* digest) {
    std::vector<base::FolderEntry> entries;
    if (!folder.List(&entries)) return false;
    std::sort(entries.begin(), entries.end(),
              [](const base::FolderEntry& a, const base::FolderEntry& b) { return a.name < b.name; });
    std::string lines;
    for (const base::FolderEntry& entry : entries) {
        std::string inner;
        if (entry.IsLink()) {
            lines += "L " + entry.name + "\n";
            continue;
        }
        const bool hashed = entry.IsFolder() ? HashTree(folder.Sub(entry), &inner) : HashFile(folder, entry, &inner);
        if (!hashed) return false;
        lines += (entry.IsFolder() ? "D " : "F ") + entry.name + " " + inner + "\n";
    }
    *digest = DigestOfText(lines);
    return true;
}

}  // namespace

std::string DigestOfText(const std::string& text) {
    base::Sha256 hash;
    hash.Update(text.data(), text.size());
    return hash.HexDigest();
}

std::string DigestOfOpenFile(HANDLE file) {
    base::Sha256 hash;
    std::vector<char> buffer(64 * 1024);
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return std::string();
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) return std::string();
        if (read == 0) break;
        hash.Update(buffer.data(), read);
    }
    return hash.HexDigest();
}

std::string DigestOfStored(const base::OpenFolder& folder, const std::string& stored) {
    base::FolderEntry entry;
    std::string digest;
    if (!folder.Find(stored.c_str(), &entry) || entry.IsLink()) return std::string();
    const bool hashed = entry.IsFolder() ? HashTree(folder.Sub(entry), &digest) : HashFile(folder, entry, &digest);
    return hashed ? digest : std::string();
}

}  // namespace backup
