// The Winsock protocol catalog entries that one known adware replaces with
// its own provider: the repair writes the two platform TCP/UDP entries back.
#pragma once

namespace backup {
class Keeper;
}

namespace engine {

// Writes both entries' "PackedCatalogItem" values from the templates (see
// packed_catalog_item.h), each with the system directory's mswsock.dll as the
// provider path. Stops at the first failure; returns whether both were written.
bool RepairWinsockCatalog();

// Keeps both entries' "PackedCatalogItem" values as they are now (or that
// they are absent) before RepairWinsockCatalog rewrites them; record names
// the adware whose cure rewrites them.
void KeepWinsockCatalog(backup::Keeper& keeper, const char* record);

}  // namespace engine
