#include "app/cure/engine_library.h"

namespace cure {

bool EngineLibrary::Load() {
    module_.reset(LoadLibraryA(PURVEX_ENGINE_DLL));
    return loaded();
}

int32_t EngineLibrary::LoadAdb(const char* path) {
    auto fn = Resolve<FtoolLoadAdbFn>("ftool_LoadADB");
    return fn ? fn(path) : -1;
}

int32_t EngineLibrary::UnloadAdb() {
    auto fn = Resolve<FtoolUnloadAdbFn>("ftool_UnloadADB");
    return fn ? fn() : 0;
}

int32_t EngineLibrary::GetAdCount() {
    auto fn = Resolve<FtoolGetAdCountFn>("ftool_GetAdCount");
    const int32_t count = fn ? fn() : 0;
    return count > 0 ? count : 0;
}

std::string EngineLibrary::GetVer() {
    auto fn = Resolve<FtoolGetVerFn>("ftool_GetVer");
    const char* text = fn ? fn() : nullptr;
    return text ? text : "";
}

AdScanResult EngineLibrary::AdScan(int32_t index) {
    auto fn = Resolve<FtoolAdScanFn>("ftool_AdScan");
    if (fn) return fn(index);
    static char empty[] = "";
    return AdScanResult{-1, empty, 0, nullptr};
}

uint8_t EngineLibrary::AdRepair(const AdScanResult& result) {
    auto fn = Resolve<FtoolAdRepairFn>("ftool_AdRepair");
    return fn ? fn(result) : 0;
}

uint8_t EngineLibrary::SetStartPage(const char* url) {
    auto fn = Resolve<FtoolSetStartPageFn>("ftool_SetStartPage");
    return fn ? fn(url) : 0;
}

uint8_t EngineLibrary::SetBackupFolder(const char* folder) {
    auto fn = Resolve<FtoolSetBackupFolderFn>("ftool_SetBackupFolder");
    return fn ? fn(folder) : 0;
}

int32_t EngineLibrary::RestoreBackup(const char* folder) {
    auto fn = Resolve<FtoolRestoreBackupFn>("ftool_RestoreBackup");
    return fn ? fn(folder) : -1;
}

uint8_t EngineLibrary::GetItemOutcome(int32_t index) {
    auto fn = Resolve<FtoolGetItemOutcomeFn>("ftool_GetItemOutcome");
    return fn ? fn(index) : static_cast<uint8_t>(PURVEX_ITEM_UNTOUCHED);
}

uint8_t EngineLibrary::SetRestartRemoval(uint8_t mode) {
    auto fn = Resolve<FtoolSetRestartRemovalFn>("ftool_SetRestartRemoval");
    return fn ? fn(mode) : 0;
}

uint8_t EngineLibrary::GetItemReason(int32_t index) {
    auto fn = Resolve<FtoolGetItemReasonFn>("ftool_GetItemReason");
    return fn ? fn(index) : static_cast<uint8_t>(PURVEX_REASON_NONE);
}

std::string EngineLibrary::GetItemRestartPath(int32_t index) {
    auto fn = Resolve<FtoolGetItemRestartPathFn>("ftool_GetItemRestartPath");
    const char* path = fn ? fn(index) : nullptr;
    return path ? path : "";
}

uint8_t EngineLibrary::RemoveUnkeptAtRestart() {
    auto fn = Resolve<FtoolRemoveUnkeptAtRestartFn>("ftool_RemoveUnkeptAtRestart");
    return fn ? fn() : 0;
}

}  // namespace cure
