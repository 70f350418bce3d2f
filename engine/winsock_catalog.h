// The Winsock protocol catalog entries that one known adware replaces with
// its own provider: the repair writes the two platform TCP/UDP entries back.
#pragma once

namespace engine {

// Writes both entries' "PackedCatalogItem" values from the templates (see
// packed_catalog_item.h), each with the system directory's mswsock.dll as the
// provider path. Stops at the first failure; returns whether both were written.
bool RepairWinsockCatalog();

}  // namespace engine
