// A function that only some Windows versions export, looked up by name in a
// system library the process has already loaded (kernel32, advapi32, ntdll),
// so that the program still starts where it is missing. Null there: every
// caller has a fallback.
#pragma once
#include <windows.h>

namespace base {

template <typename Fn>
Fn SystemFunction(const char* module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(module), name)));
}

}  // namespace base
