// The kill bit of a control as the browser reads it, for the tests of the
// block-list library and of the ActiveX page: test CLSIDs no real control
// uses, their ActiveX Compatibility keys, and the stored flags.
#pragma once
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "tests/support/registry_sandbox.h"

namespace kill_bit_probe {

constexpr char kCompat[] = "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility";
constexpr char kFlags[] = "Compatibility Flags";
constexpr DWORD kKillBit = 0x400;

inline std::string Clsid(int n) {
    char text[64];
    snprintf(text, sizeof text, "{0B1D7E57-0000-4000-8000-%012X}", n);
    return text;
}
inline std::string Key(const std::string& clsid) { return std::string(kCompat) + "\\" + clsid; }
inline std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

// The flags value as stored (in the registry view of view), or -1 when it is
// absent or not a 4-byte number.
inline long long Flags(const std::string& clsid, REGSAM view = 0) {
    const pvtest::RegValue value = pvtest::ReadValue(HKEY_LOCAL_MACHINE, Key(clsid), kFlags, view);
    if (!value.present || value.type != REG_DWORD || value.data.size() != 4) return -1;
    DWORD flags = 0;
    memcpy(&flags, value.data.data(), 4);
    return flags;
}
inline bool Blocked(const std::string& clsid, REGSAM view = 0) {
    const long long flags = Flags(clsid, view);
    return flags >= 0 && (flags & kKillBit) != 0;
}

}  // namespace kill_bit_probe
