#include "adb/item_type.h"

namespace adb {

namespace {
const RootKey kKeyRoots[5] = {RootKey::classesRoot, RootKey::currentUser, RootKey::localMachine,
                              RootKey::users, RootKey::currentConfig};
// Value codes per root; note the gap: users and current config are 17/18 and 48/49.
const uint8_t kCheckedValueCodes[5] = {7, 8, 9, 17, 18};
const uint8_t kUncheckedValueCodes[5] = {39, 40, 41, 48, 49};
}  // namespace

ItemTypeInfo DescribeItemType(uint8_t code) {
    switch (code) {
    case 0: return {ItemKind::file, RootKey::none, true};
    case 1: return {ItemKind::folder, RootKey::none, true};
    case 32: return {ItemKind::file, RootKey::none, false};
    case 33: return {ItemKind::folder, RootKey::none, true};  // the scan checks 33 like 1
    default: break;
    }
    if (code >= 2 && code <= 6) return {ItemKind::key, kKeyRoots[code - 2], true};
    if (code >= 34 && code <= 38) return {ItemKind::key, kKeyRoots[code - 34], false};
    for (int i = 0; i < 5; ++i) {
        if (code == kCheckedValueCodes[i]) return {ItemKind::value, kKeyRoots[i], true};
        if (code == kUncheckedValueCodes[i]) return {ItemKind::value, kKeyRoots[i], false};
    }
    return {ItemKind::undefined, RootKey::none, false};
}

bool ItemTypeCode(ItemKind kind, RootKey root, bool primary, uint8_t* code) {
    int rootIndex = -1;
    for (int i = 0; i < 5; ++i)
        if (kKeyRoots[i] == root) rootIndex = i;
    switch (kind) {
    case ItemKind::file:
        if (root != RootKey::none) return false;
        *code = primary ? 0 : 32;
        return true;
    case ItemKind::folder:
        if (root != RootKey::none) return false;
        *code = primary ? 1 : 33;
        return true;
    case ItemKind::key:
        if (rootIndex < 0) return false;
        *code = static_cast<uint8_t>((primary ? 2 : 34) + rootIndex);
        return true;
    case ItemKind::value:
        if (rootIndex < 0) return false;
        *code = primary ? kCheckedValueCodes[rootIndex] : kUncheckedValueCodes[rootIndex];
        return true;
    case ItemKind::undefined:
        break;
    }
    return false;
}

}  // namespace adb
