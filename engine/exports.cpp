// The fourteen exports of Purvex.dll and the engine's process-wide objects.
#include <windows.h>

#include <string.h>

#include <memory>
#include <new>
#include <string>

#include "backup/keeper.h"
#include "backup/restore.h"
#include "base/registry_links.h"
#include "engine/adware_database.h"
#include "engine/process_table.h"
#include "engine/purvex_engine.h"
#include "engine/repair.h"
#include "engine/scan.h"

namespace {

// Built when the library is loaded: the process table takes the platform
// family then.
engine::AdwareDatabase g_database;
engine::ProcessTable g_processTable;
// Where repairs keep what they remove; none while backups are off.
std::unique_ptr<backup::Keeper> g_keeper;
// What the last repair did with each item of its result, and why.
uint8_t g_outcomes[256];
engine::RestartRemoval g_restart;
// The last result repaired: its record's name and its items' types.
std::string g_lastRecord;
uint8_t g_lastTypes[256];
uint32_t g_lastCount = 0;

static_assert(backup::kNoBackup == PURVEX_RESTORE_NO_BACKUP && backup::kRefusedBackup == PURVEX_RESTORE_REFUSED &&
                  backup::kUncheckedBackup == PURVEX_RESTORE_UNCHECKED,
              "the restore's results are the export's");

// Runs work, or returns failed when it throws: no exception crosses an
// export (a file or database too large for memory ends in std::bad_alloc).
template <typename Result, typename Work>
Result Guarded(Result failed, Work work) {
    try {
        return work();
    } catch (...) {
        return failed;
    }
}

}  // namespace

extern "C" {

int32_t __cdecl ftool_LoadADB(const char* path) {
    return Guarded<int32_t>(-1, [&] { return g_database.Load(path); });
}

int32_t __cdecl ftool_UnloadADB(void) {
    g_database.Unload();
    return 0;
}

int32_t __cdecl ftool_GetAdCount(void) { return g_database.Count(); }

AdScanResult __cdecl ftool_AdScan(int32_t index) {
    static char empty[] = "";
    const AdScanResult nothing = {-1, empty, 0, nullptr};
    return Guarded(nothing, [&] { return engine::ScanRecord(g_database, index, g_processTable.NtFamily()); });
}

uint8_t __cdecl ftool_AdRepair(AdScanResult result) {
    // The views the scan found the items in, when result is one it handed out.
    const engine::View* views = g_database.ViewsOf(result.items, result.foundCount & 0xFF);
    memset(g_outcomes, PURVEX_ITEM_UNTOUCHED, sizeof g_outcomes);
    return Guarded<uint8_t>(0, [&] {
        g_lastRecord = result.name ? result.name : "";
        g_lastCount = result.items ? (result.foundCount & 0xFF) : 0;
        for (uint32_t i = 0; i < g_lastCount; ++i) g_lastTypes[i] = result.items[i].type;
        return engine::RepairResult(result, g_processTable, views, g_keeper.get(), g_outcomes, &g_restart);
    });
}

const char* __cdecl ftool_GetVer(void) { return "2004.10.03.a"; }

uint8_t __cdecl ftool_SetStartPage(const char* url) {
    if (!url) return 0;
    // Made as plain keys where missing, never written through a registry link
    // (the user's hive is the user's to fill with links).
    const base::HeldKey key =
        base::OpenKeyWay(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Main", KEY_SET_VALUE, 0, true);
    if (!key.ok()) return 0;
    DWORD size = static_cast<DWORD>(lstrlenA(url) + 1);  // with the terminating zero
    if (RegSetValueExA(key.get(), "Start Page", 0, REG_SZ, reinterpret_cast<const BYTE*>(url), size) != ERROR_SUCCESS)
        return 0;
    return 1;
}

uint8_t __cdecl ftool_SetBackupFolder(const char* folder) {
    g_keeper.reset();
    if (!folder || !folder[0]) return 0;
    return Guarded<uint8_t>(0, [&] {
        auto keeper = std::make_unique<backup::Keeper>(folder);
        if (!keeper->ok()) return 0;
        g_keeper = std::move(keeper);
        return 1;
    });
}

int32_t __cdecl ftool_RestoreBackup(const char* folder) {
    if (!folder || !folder[0]) return PURVEX_RESTORE_NO_BACKUP;
    return Guarded<int32_t>(PURVEX_RESTORE_REFUSED, [&] { return backup::RestoreBackup(folder); });
}

uint8_t __cdecl ftool_GetItemOutcome(int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(sizeof g_outcomes)) return PURVEX_ITEM_UNTOUCHED;
    return g_outcomes[index];
}

uint8_t __cdecl ftool_SetRestartRemoval(uint8_t mode) { return g_restart.SetMode(mode) ? 1 : 0; }

uint8_t __cdecl ftool_GetItemReason(int32_t index) { return g_restart.Reason(index); }

const char* __cdecl ftool_GetItemRestartPath(int32_t index) { return g_restart.Path(index); }

uint8_t __cdecl ftool_RemoveUnkeptAtRestart(void) {
    return Guarded<uint8_t>(0, [&] {
        engine::LeaveUnkeptAtRestart(g_lastRecord, g_processTable, g_keeper.get(), g_outcomes, g_restart);
        return engine::ResultOutcome(g_lastTypes, g_lastCount, g_outcomes);
    });
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

}  // extern "C"
