// The scan of one database record: which of its items are present on this
// machine, with their locations resolved to full paths.
#pragma once
#include "engine/adware_database.h"
#include "engine/purvex_engine.h"

namespace engine {

// Checks every item of record index once (one file-system or registry query
// per item, nothing cached) and returns the present ones in database order.
// Items whose code the scan does not check itself (32, 34-41, 48, 49) come
// along with the present item just before them; undefined codes never do.
// An index outside the database gives id -1, name "" and no items.
AdScanResult ScanRecord(AdwareDatabase& db, int32_t index, bool ntFamily);

}  // namespace engine
