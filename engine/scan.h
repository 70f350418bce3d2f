// The scan of one database record: which of its items are present on this
// machine, with their locations resolved to full paths.
#pragma once
#include "engine/adware_database.h"
#include "engine/purvex_engine.h"

namespace engine {

// Checks every item of record index in each of its places (item_places.h:
// one file-system or registry query per place, nothing cached) and returns
// the present ones in database order, an item found in two places once per
// place, the 32-bit place first; the database keeps each found item's view
// beside the result (AdwareDatabase::ViewsOf). Items whose code the scan does
// not check itself (32, 34-41, 48, 49) come along with the present item just
// before them, in the views it was found in; undefined codes never do. A
// result holds at most 255 items. An index outside the database gives id -1,
// name "" and no items.
AdScanResult ScanRecord(AdwareDatabase& db, int32_t index, bool ntFamily);

}  // namespace engine
