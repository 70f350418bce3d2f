// engine_bench: times loading a 2,562-record database and one full scan pass
// through Purvex.dll's exports, against a bare loop of the same Win32 queries
// (the floor). Run from the folder that holds Purvex.dll:
//   engine_bench.exe [passes]
// Builds its traces in a temporary folder and a registry key under
// HKEY_CURRENT_USER, and removes both at the end.
#include <windows.h>
#include <shlwapi.h>
#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "adb/adb_codec.h"
#include "engine/purvex_engine.h"

namespace {

constexpr int kRecords = 2562;
constexpr int kItemsPerRecord = 5;

struct Query {  // what the floor asks, item by item
    int kind;   // 0 file, 1 folder, 2 key, 3 value
    std::string path;
    std::string value;
};

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename T>
T Get(HMODULE module, const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

bool FloorQuery(const Query& q, const char* currentDir) {
    switch (q.kind) {
    case 0: return GetFileAttributesA(q.path.c_str()) != INVALID_FILE_ATTRIBUTES;
    case 1:
        if (!SetCurrentDirectoryA(q.path.c_str())) return false;
        SetCurrentDirectoryA(currentDir);
        return true;
    case 2: {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, q.path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    default: {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, q.path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        BYTE data[260];
        DWORD size = sizeof(data);
        bool ok = RegQueryValueExA(key, q.value.c_str(), nullptr, nullptr, data, &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok;
    }
    }
}

}  // namespace

int main(int argc, char** argv) {
    int passes = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "purvex_bench_" + std::to_string(GetCurrentProcessId());
    std::string keyPath = "Software\\PurvexBench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    HKEY benchKey;
    RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &benchKey, nullptr);

    // The database: mixed kinds, about a tenth of the items present.
    adb::Database db;
    std::vector<Query> queries;
    int present = 0;
    for (int r = 0; r < kRecords; ++r) {
        adb::Record record;
        record.id = 5000 + r;
        record.name = "BenchAdware" + std::to_string(r);
        for (int k = 0; k < kItemsPerRecord; ++k) {
            int n = r * kItemsPerRecord + k;
            bool make = n % 10 == 0;
            std::string tag = std::to_string(r) + "_" + std::to_string(k);
            adb::Item item;
            item.target = std::string();
            Query q;
            q.kind = (n / 3) % 4;  // not in step with the presence pattern
            switch (q.kind) {
            case 0:
                item.type = 0;
                item.location = folder;
                item.target = "f" + tag + ".dll";
                q.path = folder + "\\" + *item.target;
                if (make) CloseHandle(CreateFileA(q.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
                break;
            case 1:
                item.type = 1;
                item.location = folder + "\\d" + tag;
                q.path = *item.location;
                if (make) CreateDirectoryA(q.path.c_str(), nullptr);
                break;
            case 2:
                item.type = 3;
                item.location = keyPath + "\\k" + tag;
                q.path = *item.location;
                if (make) {
                    HKEY k2;
                    RegCreateKeyExA(HKEY_CURRENT_USER, q.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k2, nullptr);
                    RegCloseKey(k2);
                }
                break;
            default:
                item.type = 8;
                item.location = keyPath;
                item.target = "v" + tag;
                q.path = keyPath;
                q.value = *item.target;
                if (make) RegSetValueExA(benchKey, q.value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
                break;
            }
            present += make;
            record.items.push_back(item);
            queries.push_back(q);
        }
        db.records.push_back(record);
    }
    RegCloseKey(benchKey);
    std::vector<uint8_t> bytes;
    adb::Encode(db, &bytes);
    std::string dbPath = folder + "\\bench.adb";
    HANDLE file = CreateFileA(dbPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);

    HMODULE engine = LoadLibraryA(PURVEX_ENGINE_DLL);
    if (!engine) {
        fprintf(stderr, "cannot load Purvex.dll\n");
        return 1;
    }
    auto load = Get<FtoolLoadAdbFn>(engine, "ftool_LoadADB");
    auto unload = Get<FtoolUnloadAdbFn>(engine, "ftool_UnloadADB");
    auto count = Get<FtoolGetAdCountFn>(engine, "ftool_GetAdCount");
    auto scan = Get<FtoolAdScanFn>(engine, "ftool_AdScan");

    std::vector<double> loads, scans, floors;
    int foundItems = 0, floorFound = 0;
    char currentDir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, currentDir);
    for (int p = 0; p < passes; ++p) {
        double t0 = Now();
        if (load(dbPath.c_str()) != 0) {
            fprintf(stderr, "load failed\n");
            return 1;
        }
        double t1 = Now();
        int n = count();
        foundItems = 0;
        for (int i = 0; i < n; ++i) foundItems += static_cast<int>(scan(i).foundCount & 0xFF);
        double t2 = Now();
        unload();
        floorFound = 0;
        double t3 = Now();
        for (const Query& q : queries) floorFound += FloorQuery(q, currentDir);
        double t4 = Now();
        loads.push_back(t1 - t0);
        scans.push_back(t2 - t1);
        floors.push_back(t4 - t3);
    }
    // Loading alone, a few more times: its figure is small and noisy.
    for (int i = 0; i < 20; ++i) {
        double t0 = Now();
        load(dbPath.c_str());
        loads.push_back(Now() - t0);
        unload();
    }
    FreeLibrary(engine);

    double scanMs = Median(scans), floorMs = Median(floors);
    printf("records %d, items %d, present %d (engine found %d, floor found %d), file %u bytes, %d passes\n",
           kRecords, kRecords * kItemsPerRecord, present, foundItems, floorFound, static_cast<unsigned>(bytes.size()),
           passes);
    printf("load: median %.2f ms (min %.2f)\n", Median(loads), *std::min_element(loads.begin(), loads.end()));
    printf("scan pass: median %.1f ms, %.2f us per record\n", scanMs, scanMs * 1000.0 / kRecords);
    printf("floor (bare queries): median %.1f ms, %.2f us per record\n", floorMs, floorMs * 1000.0 / kRecords);
    printf("ratio scan / floor: %.3f\n", scanMs / floorMs);

    std::wstring wideKey(keyPath.begin(), keyPath.end());
    SHDeleteKeyW(HKEY_CURRENT_USER, wideKey.c_str());
    std::string from = folder + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
    return 0;
}
