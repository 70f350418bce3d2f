// The whole scan, the kinds of rows and their sort by name.
#include "app/startup/startup_entries.h"

#include <utility>

#include "base/path_text.h"

namespace startup {

RowKind KindOf(const StartupRow& row) {
    return row.path.compare(0, 4, "HKEY") == 0 ? RowKind::kRegistryValue : RowKind::kFolderEntry;
}

StartupList ScanStartupEntries() {
    StartupList list;
    for (const RunKey& key : kRunKeys) {
        AddRegistryKey(key.root, key.path, &list);
        if (key.root == HKEY_LOCAL_MACHINE) AddRegistryKey(key.root, key.path, &list, true);
    }
    for (const std::string& folder : StartupFolders(LogonUserName())) AddFolder(folder, &list);
    return list;
}

namespace {
// The code of the character at text[*at], moving *at past it. A lead byte
// with nothing after it counts as a character of its own.
unsigned CharacterCode(const std::string& text, size_t* at) {
    const size_t length = base::CharacterLength(text.data(), *at, text.size());
    unsigned code = 0;
    for (size_t i = 0; i < length; ++i) code = (code << 8) | static_cast<unsigned char>(text[*at + i]);
    *at += length;
    return code;
}
}  // namespace

int CompareNames(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned x = CharacterCode(a, &i), y = CharacterCode(b, &j);
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    return j < b.size() ? -1 : 0;
}

void SortByName(std::vector<StartupRow>* rows, bool descending) {
    std::vector<StartupRow>& r = *rows;
    for (size_t i = 0; i + 1 < r.size(); ++i) {
        for (size_t j = i + 1; j < r.size(); ++j) {
            const int order = CompareNames(r[i].name, r[j].name);
            if (descending ? order < 0 : order > 0) std::swap(r[i], r[j]);
        }
    }
}

}  // namespace startup
