// What one cured adware row shows and logs, read from the engine's outcomes
// of the repair just made: the scan page and the console program alike.
#pragma once
#include <vector>

#include "app/cure/engine_library.h"
#include "app/cure/scan_log.h"

namespace cure {

// "재부팅 후 삭제" when the repair succeeded, something of it was left for
// the next start of Windows and nothing failed; else "완 료" or "실 패" by
// the repair's outcome. Items left for the restart, and items that failed
// for a reason the engine gives, are added to notes.
const char* CuredRowStatus(EngineLibrary& engine, const AdScanResult& result, uint8_t repaired,
                           std::vector<ItemNote>* notes);

// True when the last repair left an item in use failed for want of a backup
// copy (the page asks whether it may go without one).
bool WaitsForACopy(EngineLibrary& engine, const AdScanResult& result);

}  // namespace cure
