// KernelName (base/registry_links.h) alone: what the WOW64 helpers' SameKey
// and the registry-link checks both read.
#include <vector>

#include "base/registry_links.h"
#include "base/system_function.h"

namespace base {

std::wstring KernelName(HKEY key) {
    using NtQueryKeyFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = SystemFunction<NtQueryKeyFn>("ntdll.dll", "NtQueryKey");
    constexpr int kKeyNameInformation = 3;
    if (!query || !key) return std::wstring();
    // KEY_NAME_INFORMATION: the name's length in bytes, then the name.
    std::vector<ULONG> buffer(1024);
    ULONG size = 0;
    LONG status = query(key, kKeyNameInformation, buffer.data(), static_cast<ULONG>(buffer.size() * sizeof(ULONG)),
                        &size);
    if (status != 0 && size > buffer.size() * sizeof(ULONG) && size < (1u << 20)) {
        buffer.resize(size / sizeof(ULONG) + 1);
        status = query(key, kKeyNameInformation, buffer.data(), static_cast<ULONG>(buffer.size() * sizeof(ULONG)),
                       &size);
    }
    if (status != 0 || buffer[0] > (buffer.size() - 1) * sizeof(ULONG)) return std::wstring();
    return std::wstring(reinterpret_cast<const wchar_t*>(buffer.data() + 1), buffer[0] / sizeof(wchar_t));
}

}  // namespace base
