// Benchmark (not a test): one whole scan pass over a generated database of
// 2,562 records, through the page (start pressed until the target line reads
// "검사완료") against the engine alone (ftool_AdScan for every index), in the
// same process on the same database. Prints both times and their ratio.
//
//   cure_bench [rounds]      run in the build's bin folder under Wine
#include <windows.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

#include "app/cure/cure_view.h"
#include "app/cure/cure_texts.h"
#include "engine/purvex_engine.h"
#include "tests/cure/cure_page_host.h"
#include "tests/support/test_database.h"
#include "tests/support/sandbox.h"
#include "tests/support/message_box_hook.h"

namespace {

constexpr int kRecords = 2562;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

// Records shaped like the shipped ones: files in the system and program
// folders, folders, keys and Run values; a few of them present.
std::vector<adb::Record> GeneratedDatabase(const std::string& presentFolder) {
    std::vector<adb::Record> records;
    for (int i = 0; i < kRecords; ++i) {
        const std::string tag = "PvBench" + std::to_string(i);
        std::vector<adb::Item> items;
        adb::Item item;
        item.type = 0; item.location = "%sys%"; item.target = tag + ".dll";
        items.push_back(item);
        item.type = 0; item.location = "%ProgramFiles%\\" + tag; item.target = tag + ".exe";
        item.killOwnProcess = 1;
        items.push_back(item);
        item.killOwnProcess = 0;
        item.type = 1; item.location = "%ProgramFiles%\\" + tag; item.target = "";
        items.push_back(item);
        item.type = 4; item.location = "SOFTWARE\\" + tag;
        items.push_back(item);
        item.type = 3; item.location = "Software\\" + tag;
        items.push_back(item);
        item.type = 9; item.location = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"; item.target = tag;
        items.push_back(item);
        if (i % 500 == 0) {  // a few finds, so the list gets rows
            item.type = 1; item.location = presentFolder; item.target = "";
            items.push_back(item);
        }
        records.push_back(pvtest::MakeRecord(5000 + i, tag, items));
    }
    return records;
}

double EnginePass() {
    HMODULE engine = LoadLibraryA(PURVEX_ENGINE_DLL);
    if (!engine) {
        fprintf(stderr, "Purvex.dll not found\n");
        exit(1);
    }
    auto load = reinterpret_cast<FtoolLoadAdbFn>(reinterpret_cast<void*>(GetProcAddress(engine, "ftool_LoadADB")));
    auto unload = reinterpret_cast<FtoolUnloadAdbFn>(reinterpret_cast<void*>(GetProcAddress(engine, "ftool_UnloadADB")));
    auto count = reinterpret_cast<FtoolGetAdCountFn>(reinterpret_cast<void*>(GetProcAddress(engine, "ftool_GetAdCount")));
    auto scan = reinterpret_cast<FtoolAdScanFn>(reinterpret_cast<void*>(GetProcAddress(engine, "ftool_AdScan")));
    load(PURVEX_DEFAULT_ADB);
    const int n = count();
    int found = 0;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < n; ++i)
        if (scan(i).id != -1) ++found;
    QueryPerformanceCounter(&end);
    unload();
    FreeLibrary(engine);
    if (n != kRecords) fprintf(stderr, "engine saw %d records\n", n);
    return Seconds(start, end);
}

// Notes the moment the page's target line is set to "검사완료".
LARGE_INTEGER g_completed;
bool g_seenCompleted = false;
LRESULT CALLBACK WatchTarget(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->message == WM_SETTEXT && GetDlgCtrlID(msg->hwnd) == IDC_CURE_TARGET &&
        msg->lParam && strcmp(reinterpret_cast<const char*>(msg->lParam), cure::kScanComplete) == 0 &&
        !g_seenCompleted) {
        QueryPerformanceCounter(&g_completed);
        g_seenCompleted = true;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

double PagePass(int* rows) {
    pvtest::MessageBoxHook boxes;
    cure_test::PageHost page;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchTarget, nullptr, GetCurrentThreadId());
    g_seenCompleted = false;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    page.RunPass();
    UnhookWindowsHookEx(hook);
    *rows = page.Rows();
    return g_seenCompleted ? Seconds(start, g_completed) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? atoi(argv[1]) : 5;
    pvtest::TempFolder sandbox;
    pvtest::TempFolder present;
    char oldDir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, oldDir);
    if (!pvtest::WriteDatabase(sandbox / PURVEX_DEFAULT_ADB, GeneratedDatabase(present.path()))) {
        fprintf(stderr, "cannot write the database\n");
        return 1;
    }
    SetCurrentDirectoryA(sandbox.path().c_str());

    std::vector<double> engineTimes, pageTimes;
    int rows = 0;
    for (int r = 0; r < rounds; ++r) {
        engineTimes.push_back(EnginePass());
        pageTimes.push_back(PagePass(&rows));
        printf("round %d: engine %.1f ms, page %.1f ms\n", r + 1, engineTimes.back() * 1000,
               pageTimes.back() * 1000);
    }
    SetCurrentDirectoryA(oldDir);
    std::sort(engineTimes.begin(), engineTimes.end());
    std::sort(pageTimes.begin(), pageTimes.end());
    const double engine = engineTimes[engineTimes.size() / 2];
    const double pageTime = pageTimes[pageTimes.size() / 2];
    printf("records %d, rows found %d\n", kRecords, rows);
    printf("median engine-only pass %.1f ms, median page pass %.1f ms, ratio %.2f (target <= 1.5)\n",
           engine * 1000, pageTime * 1000, pageTime / engine);
    return 0;
}
