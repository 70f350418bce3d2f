// The engine library loaded by name. Every export is looked up by name just
// before its call, so a library that lacks one behaves as "nothing loaded"
// for that call instead of failing to load.
#pragma once
#include <string>

#include "base/unique_handle.h"
#include "engine/purvex_engine.h"

namespace cure {

class EngineLibrary {
public:
    // Loads "Purvex.dll" by name; false when it cannot be found.
    bool Load();
    // Frees the library; every later call answers as without an engine.
    void Free() { module_.reset(); }
    bool loaded() const { return static_cast<bool>(module_); }

    // Each answers as an empty engine when the library or the export is
    // missing: -1 for the load and the restore, 0 counts, "" texts, id -1
    // scans, 0 repairs and backup folders.
    int32_t LoadAdb(const char* path);
    int32_t UnloadAdb();
    int32_t GetAdCount();
    std::string GetVer();
    AdScanResult AdScan(int32_t index);
    uint8_t AdRepair(const AdScanResult& result);
    uint8_t SetStartPage(const char* url);
    uint8_t SetBackupFolder(const char* folder);
    int32_t RestoreBackup(const char* folder);
    uint8_t GetItemOutcome(int32_t index);  // PURVEX_ITEM_UNTOUCHED without it
    uint8_t SetRestartRemoval(uint8_t mode);
    uint8_t GetItemReason(int32_t index);          // PURVEX_REASON_NONE without it
    std::string GetItemRestartPath(int32_t index);  // "" without it
    uint8_t RemoveUnkeptAtRestart();

private:
    template <typename Fn>
    Fn Resolve(const char* name) const {
        if (!module_) return nullptr;
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
    }

    base::UniqueModule module_;
};

}  // namespace cure
