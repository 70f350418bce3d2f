#include "scancli/scan_result.h"

#include <windows.h>
#include <string.h>

#include "adb/item_type.h"
#include "base/unique_handle.h"
#include "base/wow64.h"
#include "scancli/scan_texts.h"

namespace scancli {

namespace {

struct RootName {
    adb::RootKey root;
    HKEY key;
    const char* name;
};
const RootName kRoots[] = {
    {adb::RootKey::classesRoot, HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
    {adb::RootKey::currentUser, HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {adb::RootKey::localMachine, HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
    {adb::RootKey::users, HKEY_USERS, "HKEY_USERS"},
    {adb::RootKey::currentConfig, HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
};

const RootName* RootOf(adb::RootKey root) {
    for (const RootName& r : kRoots)
        if (r.root == root) return &r;
    return nullptr;
}

const char* Text(const char* text) { return text ? text : ""; }

bool SameItem(const AdwareItem& a, const AdwareItem& b) {
    return a.type == b.type && strcmp(Text(a.location), Text(b.location)) == 0 &&
           strcmp(Text(a.target), Text(b.target)) == 0;
}

// The keys 64-bit Windows keeps twice, once for each half: HKEY_CLASSES_ROOT
// and HKLM\SOFTWARE.
bool IsSplitKey(adb::RootKey root, const char* subkey) {
    if (root == adb::RootKey::classesRoot) return true;
    if (root != adb::RootKey::localMachine) return false;
    while (*subkey == '\\') ++subkey;
    return _strnicmp(subkey, "SOFTWARE", 8) == 0 && (subkey[8] == 0 || subkey[8] == '\\');
}

bool PresentIn32BitView(HKEY root, const AdwareItem& item, bool isValue) {
    base::UniqueHKey key;
    if (RegOpenKeyExA(root, Text(item.location), 0, KEY_READ | KEY_WOW64_32KEY, key.put()) != ERROR_SUCCESS)
        return false;
    return !isValue || RegQueryValueExA(key.get(), Text(item.target), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// Under WOW64 the scan checks such a key or value in both views and lists
// the 32-bit place first: an item that repeats the one before it is the
// 64-bit place. One listed once is where it is present, the 32-bit view
// first, as the scan took it.
const char* RegistryView(const AdScanResult& result, uint32_t index, const RootName& root, bool isValue) {
    const AdwareItem& item = result.items[index];
    if (!base::RunsUnderWow64() || !IsSplitKey(root.root, Text(item.location))) return nullptr;
    const uint32_t count = result.foundCount & 0xFF;
    if (index > 0 && SameItem(result.items[index - 1], item)) return "64";
    if (index + 1 < count && SameItem(item, result.items[index + 1])) return "32";
    return PresentIn32BitView(root.key, item, isValue) ? "32" : "64";
}

}  // namespace

FoundItem DescribeItem(const AdScanResult& result, uint32_t index) {
    const AdwareItem& item = result.items[index];
    const adb::ItemTypeInfo info = adb::DescribeItemType(item.type);
    FoundItem found;
    found.typeCode = item.type;
    found.place = Text(item.location);
    switch (info.kind) {
    case adb::ItemKind::file: found.kind = "file"; break;
    case adb::ItemKind::folder: found.kind = "folder"; break;
    case adb::ItemKind::key: found.kind = "key"; break;
    case adb::ItemKind::value: found.kind = "value"; break;
    case adb::ItemKind::undefined: break;
    }
    if (const RootName* root = RootOf(info.root)) {
        const bool isValue = info.kind == adb::ItemKind::value;
        found.view = RegistryView(result, index, *root, isValue);
        found.place = std::string(root->name) + "\\" + found.place;
        found.hasValueName = isValue;
        if (isValue) found.valueName = Text(item.target);
    }
    return found;
}

ItemOutcome OutcomeOf(uint8_t engineOutcome) {
    switch (engineOutcome) {
    case PURVEX_ITEM_REMOVED: return ItemOutcome::kRemoved;
    case PURVEX_ITEM_FAILED: return ItemOutcome::kFailed;
    case PURVEX_ITEM_REFUSED: return ItemOutcome::kRefused;
    case PURVEX_ITEM_AT_RESTART: return ItemOutcome::kAtRestart;
    default: return ItemOutcome::kFound;
    }
}

const char* OutcomeName(ItemOutcome outcome) {
    switch (outcome) {
    case ItemOutcome::kRemoved: return "removed";
    case ItemOutcome::kAtRestart: return "removedAtRestart";
    case ItemOutcome::kFailed: return "failed";
    case ItemOutcome::kRefused: return "refused";
    case ItemOutcome::kFound: break;
    }
    return "found";
}

const char* OutcomeText(ItemOutcome outcome) {
    switch (outcome) {
    case ItemOutcome::kRemoved: return kOutcomeRemoved;
    case ItemOutcome::kAtRestart: return kOutcomeAtRestart;
    case ItemOutcome::kFailed: return kOutcomeFailed;
    case ItemOutcome::kRefused: return kOutcomeRefused;
    case ItemOutcome::kFound: break;
    }
    return kOutcomeFound;
}

Counts CountOutcomes(const std::vector<FoundRecord>& records) {
    Counts counts;
    counts.records = static_cast<int>(records.size());
    for (const FoundRecord& record : records) {
        for (const FoundItem& item : record.items) {
            ++counts.items;
            switch (item.outcome) {
            case ItemOutcome::kRemoved: ++counts.removed; break;
            case ItemOutcome::kAtRestart: ++counts.atRestart; break;
            case ItemOutcome::kFailed: ++counts.failed, ++counts.left; break;
            case ItemOutcome::kRefused: ++counts.refused, ++counts.left; break;
            case ItemOutcome::kFound: ++counts.left; break;
            }
        }
    }
    return counts;
}

int ExitCodeFor(const Counts& counts) {
    if (counts.items == 0) return 0;
    if (counts.left > 0) return 1;
    return counts.atRestart > 0 ? 4 : 3;
}

}  // namespace scancli
