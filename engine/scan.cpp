#include "engine/scan.h"

#include <windows.h>

#include "adb/item_type.h"
#include "engine/item_text.h"
#include "engine/registry_roots.h"

namespace engine {

namespace {

bool FolderExists(const char* path, const char* previousDir) {
    // The folder is present when it can be made the current directory.
    if (!SetCurrentDirectoryA(path)) return false;
    SetCurrentDirectoryA(previousDir);
    return true;
}

bool KeyOpens(HKEY root, const char* subkey) {
    if (IsRootItself(subkey)) return false;
    base::UniqueHKey key;
    return RegOpenKeyExA(root, subkey, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

// Data longer than the 260-byte buffer counts as absent.
bool ValueReadable(HKEY root, const char* subkey, const char* name) {
    base::UniqueHKey key;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
    BYTE data[kPathSize];
    DWORD size = sizeof(data);
    return RegQueryValueExA(key.get(), name, nullptr, nullptr, data, &size) == ERROR_SUCCESS;
}

// Resolves and checks one item. On presence, location and target hold the
// texts the result hands out. companionOfPresent: the item before was present.
bool CheckItem(const AdwareDatabase& db, const adb::PackedItem& item, const PathContext& context,
               const char* currentDir, bool companionOfPresent, char* location, char* target) {
    const char* storedLocation = db.Text(item.location);
    const char* storedTarget = db.Text(item.target);
    if (!storedLocation || !storedTarget) return false;  // a text the loader could not read
    adb::ItemTypeInfo info = adb::DescribeItemType(item.type);
    if (info.kind == adb::ItemKind::undefined) return false;
    if (!ResolveLocation(storedLocation, context, location)) return false;
    if (!NormalizeItemText(storedTarget, context, target)) return false;
    if (!info.checked) return companionOfPresent;

    switch (info.kind) {
    case adb::ItemKind::file:
        if (!JoinText(location, kPathSize, location, "\\", target)) return false;
        return GetFileAttributesA(location) != INVALID_FILE_ATTRIBUTES;
    case adb::ItemKind::folder:
        return FolderExists(location, currentDir);
    case adb::ItemKind::key:
        return KeyOpens(RootKeyHandle(info.root), location);
    case adb::ItemKind::value: {
        char valueName[kPathSize];
        if (!NormalizeItemText(target, context, valueName)) return false;
        return ValueReadable(RootKeyHandle(info.root), location, valueName);
    }
    case adb::ItemKind::undefined:
        break;
    }
    return false;
}

}  // namespace

AdScanResult ScanRecord(AdwareDatabase& db, int32_t index, bool ntFamily) {
    AdScanResult result = {-1, db.NameText(index), 0, nullptr};
    const adb::PackedRecord* record = db.Record(index);
    if (!record) return result;

    PathContext context;
    ReadPathContext(ntFamily, &context);
    char currentDir[kPathSize] = "";
    DWORD n = GetCurrentDirectoryA(kPathSize, currentDir);
    if (n == 0 || n >= kPathSize) currentDir[0] = 0;

    // Check into the scratch room; remember which items were present.
    AdwareDatabase::ItemTexts* scratch = db.Scratch();
    bool present[255];
    size_t found = 0;
    bool previousPresent = false;
    uint32_t count = record->itemCount < 255 ? record->itemCount : 255;  // the loader keeps at most 255
    for (uint32_t i = 0; i < count; ++i) {
        previousPresent = CheckItem(db, db.Item(*record, i), context, currentDir, previousPresent,
                                    scratch[i].location, scratch[i].target);
        present[i] = previousPresent;
        if (previousPresent) ++found;
    }
    if (found == 0) return result;

    AdwareDatabase::ResultBlock* block = db.NewResultBlock(found);
    for (uint32_t i = 0; i < count; ++i) {
        if (!present[i]) continue;
        const adb::PackedItem& item = db.Item(*record, i);
        AdwareDatabase::ItemTexts& texts = block->texts[block->items.size()];
        texts = scratch[i];
        AdwareItem out = {item.type, texts.location, texts.target, item.killRundll32, item.killOwnProcess,
                          item.restartExplorer};
        block->items.push_back(out);
    }
    result.id = record->id;
    result.foundCount = static_cast<uint32_t>(found);
    result.items = block->items.data();
    return result;
}

}  // namespace engine
