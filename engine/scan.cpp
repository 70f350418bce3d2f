#include "engine/scan.h"

#include <windows.h>
#include <string.h>

#include "adb/item_type.h"
#include "base/wow64.h"
#include "engine/item_places.h"
#include "engine/item_text.h"
#include "engine/registry_roots.h"

namespace engine {

namespace {

// A result's count is one byte: places past 255 are left out.
constexpr size_t kMaxFound = 255;

bool FolderExists(const char* path, const char* previousDir) {
    // The folder is present when it can be made the current directory.
    if (!SetCurrentDirectoryA(path)) return false;
    SetCurrentDirectoryA(previousDir);
    return true;
}

// Whether a checked item is present at one place. A registry item leaves the
// key it opened in *key. Value data longer than the 260-byte buffer counts
// as absent.
bool PresentAt(const adb::ItemTypeInfo& info, const ItemPlace& place, const char* valueName,
               const char* currentDir, base::UniqueHKey* key) {
    char path[kPathSize];
    const REGSAM access = KEY_READ | RegistryViewFlag(place.view);
    switch (info.kind) {
    case adb::ItemKind::file:
        return ReachablePath(place.location, place.view, path) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    case adb::ItemKind::folder:
        return ReachablePath(place.location, place.view, path) && FolderExists(path, currentDir);
    case adb::ItemKind::key:
        return !IsRootItself(place.location) &&
               RegOpenKeyExA(RootKeyHandle(info.root), place.location, 0, access, key->put()) == ERROR_SUCCESS;
    case adb::ItemKind::value: {
        if (RegOpenKeyExA(RootKeyHandle(info.root), place.location, 0, access, key->put()) != ERROR_SUCCESS)
            return false;
        BYTE data[kPathSize];
        DWORD size = sizeof(data);
        return RegQueryValueExA(key->get(), valueName, nullptr, nullptr, data, &size) == ERROR_SUCCESS;
    }
    case adb::ItemKind::undefined:
        break;
    }
    return false;
}

// Two places where the item was found are one thing: a key both registry
// views share, a folder both system folders share.
bool OneThing(adb::ItemKind kind, const ItemPlace (&places)[2], const base::UniqueHKey (&keys)[2]) {
    if (kind == adb::ItemKind::key || kind == adb::ItemKind::value) return base::SameKey(keys[0].get(), keys[1].get());
    char first[kPathSize], second[kPathSize];
    return ReachablePath(places[0].location, places[0].view, first) &&
           ReachablePath(places[1].location, places[1].view, second) && SameFileOrFolder(first, second);
}

// Resolves one item and checks it in each of its places. found receives the
// places where it is present, the 32-bit one first, and target the text the
// result hands out; returns how many places (0 to 2). An unchecked companion
// is present in the views where the item before it was (previousViews); with
// a single place of its own, once.
int CheckItem(const AdwareDatabase& db, const adb::PackedItem& item, const PathContext& context,
              const char* currentDir, uint8_t previousViews, ItemPlace (&found)[2], char* target) {
    const char* storedLocation = db.Text(item.location);
    const char* storedTarget = db.Text(item.target);
    if (!storedLocation || !storedTarget) return 0;  // a text the loader could not read
    const adb::ItemTypeInfo info = adb::DescribeItemType(item.type);
    if (info.kind == adb::ItemKind::undefined) return 0;
    char location[kPathSize];
    if (!ResolveLocation(storedLocation, context, location)) return 0;
    if (!NormalizeItemText(storedTarget, context, target)) return 0;
    if (info.checked && info.kind == adb::ItemKind::file && !JoinText(location, kPathSize, location, "\\", target))
        return 0;

    ItemPlace places[2];
    const int count = PlacesOf(info.kind, info.root, location, places);
    bool present[2] = {};
    if (!info.checked) {
        for (int i = 0; i < count; ++i)
            present[i] = count == 1 ? previousViews != 0 : (previousViews & ViewBit(places[i].view)) != 0;
    } else {
        char valueName[kPathSize] = "";
        if (info.kind == adb::ItemKind::value && !NormalizeItemText(target, context, valueName)) return 0;
        base::UniqueHKey keys[2];
        for (int i = 0; i < count; ++i) present[i] = PresentAt(info, places[i], valueName, currentDir, &keys[i]);
        if (count == 2 && present[0] && present[1] && OneThing(info.kind, places, keys)) present[1] = false;
    }
    int n = 0;
    for (int i = 0; i < count; ++i)
        if (present[i]) found[n++] = places[i];
    return n;
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

    // Check into the scratch room; remember which item each found place is of.
    AdwareDatabase::ItemTexts* scratch = db.Scratch();
    struct Found {
        uint32_t item;
        View view;
    } found[kMaxFound];
    size_t foundCount = 0;
    uint8_t previousViews = 0;
    uint32_t count = record->itemCount < 255 ? record->itemCount : 255;  // the loader keeps at most 255
    for (uint32_t i = 0; i < count; ++i) {
        ItemPlace places[2];
        char target[kPathSize] = "";
        const int present = CheckItem(db, db.Item(*record, i), context, currentDir, previousViews, places, target);
        previousViews = 0;
        for (int k = 0; k < present; ++k) {
            previousViews |= ViewBit(places[k].view);
            if (foundCount == kMaxFound) continue;
            memcpy(scratch[foundCount].location, places[k].location, kPathSize);
            memcpy(scratch[foundCount].target, target, kPathSize);
            found[foundCount++] = {i, places[k].view};
        }
    }
    if (foundCount == 0) return result;

    AdwareDatabase::ResultBlock* block = db.NewResultBlock(foundCount);
    for (size_t k = 0; k < foundCount; ++k) {
        const adb::PackedItem& item = db.Item(*record, found[k].item);
        AdwareDatabase::ItemTexts& texts = block->texts[k];
        texts = scratch[k];
        AdwareItem out = {item.type, texts.location, texts.target, item.killRundll32, item.killOwnProcess,
                          item.restartExplorer};
        block->items.push_back(out);
        block->views.push_back(found[k].view);
    }
    result.id = record->id;
    result.foundCount = static_cast<uint32_t>(foundCount);
    result.items = block->items.data();
    return result;
}

}  // namespace engine
