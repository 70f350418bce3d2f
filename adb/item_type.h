// ItemType codes of the adware database: what an item is, which registry root
// it lives under, and whether the scan checks it. Shared by the database
// tool, the scan and the repair. No Windows headers: builds on any host.
#pragma once
#include <stdint.h>

namespace adb {

enum class ItemKind { undefined, file, folder, key, value };

// Registry roots in code order; mapped to HKEYs by the engine.
enum class RootKey { none, classesRoot, currentUser, localMachine, users, currentConfig };

struct ItemTypeInfo {
    ItemKind kind;
    RootKey root;   // none for files, folders and undefined codes
    bool checked;   // the scan tests it itself (else: unchecked companion)
};

// Describes one type code. Undefined codes (10-16, 19-31, 42-47, above 49)
// come back as ItemKind::undefined.
ItemTypeInfo DescribeItemType(uint8_t code);

// The code of a kind/root pair. primary selects the first family (0-18, whose
// removal outcome counts) over the second (32-49). Returns false for
// impossible pairs and leaves *code unchanged.
bool ItemTypeCode(ItemKind kind, RootKey root, bool primary, uint8_t* code);

}  // namespace adb
