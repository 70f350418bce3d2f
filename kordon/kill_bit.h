// The kill bit the browser reads for an ActiveX control: bit 0x400 of the
// 4-byte number "Compatibility Flags" under
// HKLM\SOFTWARE\Microsoft\Internet Explorer\ActiveX Compatibility\{CLSID}.
// Every function takes a CLSID in registry form (the caller checks it, so no
// text ever names another key).
#pragma once
#include <windows.h>
#include <stdint.h>

#include <string>

namespace kordon {

constexpr char kCompatibilityKey[] = "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility";
constexpr char kFlagsValue[] = "Compatibility Flags";
constexpr DWORD kKillBit = 0x400;

// True when the control's flags value is a 4-byte number with the kill bit.
bool IsKillBitSet(const std::string& clsid);

// Sets the kill bit, keeping the other flag bits. *created receives the
// origin flags (kadb::kCreatedKey, kadb::kCreatedValue) of what this call
// made; nothing when the bit was set already. False, with the machine as it
// was, when the flags value holds something other than a 4-byte number or
// the registry refuses.
bool SetKillBit(const std::string& clsid, uint8_t* created);

// Clears the kill bit, keeping the other flag bits. The value and key named
// by origin (what an earlier SetKillBit made) are removed when nothing else
// is left in them. True when the bit is clear afterwards.
bool ClearKillBit(const std::string& clsid, uint8_t origin);

}  // namespace kordon
