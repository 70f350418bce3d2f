// GetProcessList_nt: running processes by the full path of their main
// executable, each with a handle opened with all access.
#include <windows.h>
#include <psapi.h>
#include <string.h>

#include "base/path_text.h"
#include "base/system_function.h"
#include "base/unique_handle.h"
#include "base/wow64.h"
#include "proclist/taskwalk.h"

namespace {

// The image path of a process whose modules PSAPI cannot read: under WOW64 a
// 32-bit process cannot read a 64-bit one's. QueryFullProcessImageNameA
// (Vista on, looked up by name) reads it. False elsewhere.
bool ImagePathOf64BitProcess(HANDLE process, char* path, DWORD size) {
    using QueryImageNameFn = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
    static const auto query = base::SystemFunction<QueryImageNameFn>("kernel32.dll", "QueryFullProcessImageNameA");
    if (!query || !base::RunsUnderWow64()) return false;
    return query(process, 0, path, &size) && size > 0;
}

// Copies at most size - 1 bytes, never splitting a double-byte character.
void CopyCut(char* dest, size_t size, const char* src) {
    const size_t n = base::FittingLength(src, strlen(src), size - 1);
    memcpy(dest, src, n);
    dest[n] = 0;
}

}  // namespace

extern "C" int32_t __cdecl GetProcessList_nt(char (*names)[kTaskwalkNameSize], HANDLE* handles) {
    DWORD ids[1024];
    DWORD bytes = 0;
    if (!names || !handles || !EnumProcesses(ids, sizeof(ids), &bytes)) return 0;
    const DWORD idCount = bytes / sizeof(DWORD);
    int32_t count = 0;
    for (DWORD i = 0; i < idCount && count < kTaskwalkMaxEntries; ++i) {
        // Closed again unless the process makes it into the list.
        base::UniqueHandleKernel process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, ids[i]));
        if (!process) continue;
        HMODULE module = nullptr;
        DWORD needed = 0;
        char path[MAX_PATH];
        if ((EnumProcessModules(process.get(), &module, sizeof(module), &needed) &&
             GetModuleFileNameExA(process.get(), module, path, MAX_PATH) != 0) ||
            ImagePathOf64BitProcess(process.get(), path, MAX_PATH)) {
            path[MAX_PATH - 1] = 0;
            CopyCut(names[count], kTaskwalkNameSize, path);
            handles[count] = process.release();  // the caller's from here on
            ++count;
        }
    }
    return count;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
