// What a run found and what its cure did with each item, as the console lines
// and the JSON report tell it.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "engine/purvex_engine.h"

namespace scancli {

enum class ItemOutcome { kFound, kRemoved, kAtRestart, kFailed, kRefused };

// One found item as the scan result handed it out, described for people and
// scripts. The texts are copies: they outlive the engine's database.
struct FoundItem {
    uint8_t typeCode = 0;
    const char* kind = "other";  // "file", "folder", "key", "value" or "other"
    std::string place;           // the resolved location; a registry item's with its root's name
    bool hasValueName = false;   // a registry value: its name ("" is the default value)
    std::string valueName;
    // "32" or "64": the half of 64-bit Windows a registry item under
    // HKLM\SOFTWARE or HKEY_CLASSES_ROOT was found in; nullptr elsewhere.
    const char* view = nullptr;
    ItemOutcome outcome = ItemOutcome::kFound;
};

struct FoundRecord {
    AdScanResult result;  // as the engine returned it, for its repair
    int32_t id = 0;
    std::string name;
    std::vector<FoundItem> items;
    bool cureChosen = false;  // a cure takes it (not left out by /only)
    bool cured = false;       // its repair ran
    bool repaired = false;    // the repair's own answer (the log's "완 료" / "실 패")
};

// The item of result at index, described while the engine's database holds it.
FoundItem DescribeItem(const AdScanResult& result, uint32_t index);

// A PurvexItemOutcome of the engine's repair as this program tells it; an
// item the repair left untouched is still found.
ItemOutcome OutcomeOf(uint8_t engineOutcome);

// The JSON name and the console text of an outcome.
const char* OutcomeName(ItemOutcome outcome);
const char* OutcomeText(ItemOutcome outcome);

struct Counts {
    int records = 0;    // found records
    int items = 0;      // their found items
    int removed = 0;
    int atRestart = 0;  // left for the next start of Windows
    int failed = 0;
    int refused = 0;    // left alone: a location a cure never removes
    int left = 0;       // still in place: found, failed or refused
};
Counts CountOutcomes(const std::vector<FoundRecord>& records);

// The exit code of a scan or cure: 0 nothing found, 1 something left, 3
// everything removed, 4 everything removed or left for the restart, which
// some are.
int ExitCodeFor(const Counts& counts);

}  // namespace scancli
