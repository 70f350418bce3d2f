#include "app/cure/cured_row.h"

#include "app/cure/cure_texts.h"

namespace cure {

const char* CuredRowStatus(EngineLibrary& engine, const AdScanResult& result, uint8_t repaired,
                           std::vector<ItemNote>* notes) {
    bool left = false, anyFailed = false;
    for (int i = 0; i < static_cast<int>(result.foundCount & 0xFF); ++i) {
        ItemNote note;
        note.outcome = engine.GetItemOutcome(i);
        note.reason = engine.GetItemReason(i);
        left = left || note.outcome == PURVEX_ITEM_AT_RESTART;
        anyFailed = anyFailed || note.outcome == PURVEX_ITEM_FAILED || note.outcome == PURVEX_ITEM_REFUSED;
        if (note.outcome != PURVEX_ITEM_AT_RESTART && note.reason == PURVEX_REASON_NONE) continue;
        note.record = result.name ? result.name : "";
        note.location = result.items[i].location ? result.items[i].location : "";
        note.restartPath = engine.GetItemRestartPath(i);
        notes->push_back(note);
    }
    if (repaired == 0) return kStatusFailed;
    return left && !anyFailed ? kStatusAtRestart : kStatusDone;
}

bool WaitsForACopy(EngineLibrary& engine, const AdScanResult& result) {
    for (int i = 0; i < static_cast<int>(result.foundCount & 0xFF); ++i)
        if (engine.GetItemOutcome(i) == PURVEX_ITEM_FAILED && engine.GetItemReason(i) == PURVEX_REASON_NO_COPY)
            return true;
    return false;
}

}  // namespace cure
