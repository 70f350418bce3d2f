// A small caller of Purvex.dll for the tests: loads the engine from its own
// folder, scans record 0 of the database named on the command line and
// repairs it. Exit code: 10 * found items + repair result; 200 on failure.
#include <windows.h>

#include "engine/purvex_engine.h"

template <typename T>
static T Get(HMODULE module, const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

int main(int argc, char** argv) {
    if (argc < 2) return 200;
    HMODULE engine = LoadLibraryA(PURVEX_ENGINE_DLL);
    if (!engine) return 201;
    auto load = Get<FtoolLoadAdbFn>(engine, "ftool_LoadADB");
    auto scan = Get<FtoolAdScanFn>(engine, "ftool_AdScan");
    auto repair = Get<FtoolAdRepairFn>(engine, "ftool_AdRepair");
    auto unload = Get<FtoolUnloadAdbFn>(engine, "ftool_UnloadADB");
    if (!load || !scan || !repair || !unload || load(argv[1]) != 0) return 202;
    AdScanResult result = scan(0);
    int outcome = repair(result) ? 1 : 0;
    int code = static_cast<int>(result.foundCount & 0xFF) * 10 + outcome;
    unload();
    FreeLibrary(engine);
    return code;
}
