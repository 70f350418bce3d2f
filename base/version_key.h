// The version record: the registry key under the local-machine root where the
// main program, the updater and the start-page settings keep the installed
// version of each replaceable file and the chosen start page.
#pragma once
#include <windows.h>

#include <cstring>
#include <string>

namespace base {

inline constexpr char kVersionKeyPath[] = "SOFTWARE\\(주)Orvane\\Purvex\\version";

// Stores text as REG_SZ with a data length equal to its length: no
// terminating zero, the form every version value has. The system counts a zero
// byte that directly follows string data as part of it, so the data is handed
// over from a copy followed by a non-zero byte. Returns the registry status.
inline LONG SetTextWithoutTerminator(HKEY key, const char* name, const char* text) {
    std::string data(text);
    const DWORD length = static_cast<DWORD>(data.size());
    data.push_back('\xFF');
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()), length);
}

}  // namespace base
