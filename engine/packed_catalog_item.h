// The layout of a Winsock catalog entry's "PackedCatalogItem" value and the
// two templates the catalog repair writes. Include before <windows.h>.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <stddef.h>

namespace engine {

// The platform's packed catalog item: the provider library path as 8-bit
// text, then the protocol information record.
#pragma pack(push, 1)
struct PackedCatalogItem {
    char providerPath[260];
    WSAPROTOCOL_INFOW info;
};
#pragma pack(pop)

static_assert(sizeof(WSAPROTOCOL_INFOW) == 628, "protocol information record is 628 bytes");
static_assert(offsetof(PackedCatalogItem, info) == 260, "the record follows the 260-byte path area");
static_assert(sizeof(PackedCatalogItem) == 888, "a packed catalog item is 888 bytes");

constexpr int kCatalogEntries = 2;
// Key of entry 1 or 2 under HKEY_LOCAL_MACHINE.
extern const char* const kCatalogEntryKeys[kCatalogEntries];

// The template of entry index 0 (TCP) or 1 (UDP).
const PackedCatalogItem& CatalogTemplate(int index);

}  // namespace engine
