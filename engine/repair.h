// Removal of what one scan result found.
#pragma once
#include <stdint.h>

#include "backup/keeper.h"
#include "engine/item_places.h"
#include "engine/process_table.h"
#include "engine/purvex_engine.h"
#include "engine/restart_removal.h"

namespace engine {

// Whether a result's name asks for the Winsock catalog repair: a non-empty
// name that is the beginning of "Newdotnet" over its whole length, without
// regard to case.
bool IsNewdotnetName(const char* name);

// Ends the processes the items' flags name, deletes files, folder trees,
// registry key trees and values, and for Newdotnet rewrites the Winsock
// catalog first. Returns the outcome of the last item whose removal counts
// (codes 0, 1, 2-18, 34-49). When no item records an outcome, the last file
// or folder deletion of codes 32/33 decides; with none of those either the
// result is 1 (nothing failed). views, when given, holds the view each item
// was found in (AdwareDatabase::ViewsOf): the item is removed there, in the
// registry view or system folder of the scan. Without it every item is
// removed as this process sees it. With a keeper, what is removed is kept in
// its backup folder (backup/keeper.h), the Winsock catalog entries too before
// they are rewritten; an item that cannot be kept is not removed.
// outcomes, when given, has room for the low byte of foundCount entries and
// gets each item's PurvexItemOutcome (entries of items with nothing to
// remove are left as they are). restart, when given and on, leaves a file or
// folder item that stays (in use) for the next start of Windows
// (engine/restart_removal.h); it forgets the repair before.
uint8_t RepairResult(const AdScanResult& result, ProcessTable& table, const View* views = nullptr,
                     backup::Keeper* keeper = nullptr, uint8_t* outcomes = nullptr,
                     RestartRemoval* restart = nullptr);

// The outcome of a result from its items' types and outcomes, as RepairResult
// returns it: the last item whose removal counts (one left for the next start
// counts as removed); when none counts, the last of codes 32 and 33; with
// none of those either, 1.
uint8_t ResultOutcome(const uint8_t* types, uint32_t count, const uint8_t* outcomes);

// Leaves for the next start, without a copy, the items of record that the
// last repair did not leave for want of one (RestartRemoval::TakeWaiting),
// reaching each again as the repair did but ending no process; their
// entries of outcomes change.
void LeaveUnkeptAtRestart(const std::string& record, ProcessTable& table, backup::Keeper* keeper, uint8_t* outcomes,
                          RestartRemoval& restart);

}  // namespace engine
