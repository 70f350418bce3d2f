// The process listing library's interface (Taskwalk.dll, NT family only).
#pragma once
#include <windows.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TASKWALK_DLL "Taskwalk.dll"
enum { kTaskwalkNameSize = 255, kTaskwalkMaxEntries = 255 };

// Fills names[i] with the full executable path of the i-th listed process
// (cut to 254 characters; under WOW64 64-bit processes too, whose path PSAPI
// cannot read from a 32-bit one) and handles[i] with a handle to it opened with all
// access. Writes at most 255 entries and returns how many it wrote. The
// handles belong to the caller.
typedef int32_t (__cdecl* GetProcessListNtFn)(char (*names)[kTaskwalkNameSize], HANDLE* handles);

#ifdef PURVEX_TASKWALK_BUILD
int32_t __cdecl GetProcessList_nt(char (*names)[kTaskwalkNameSize], HANDLE* handles);
#endif

#ifdef __cplusplus
}
#endif
