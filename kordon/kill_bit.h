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

// On 64-bit Windows the browsers of the two halves read the bit in two
// registry views; this 32-bit library then keeps it in both (unless the
// system shares the key between them). Elsewhere there is one view.

// True when the control's flags value is a 4-byte number with the kill bit,
// in every view.
bool IsKillBitSet(const std::string& clsid);

// Sets the kill bit in every view, keeping the other flag bits. *created
// receives the origin flags (kadb::kCreatedKey, kCreatedValue, kSetBit, those
// of the 64-bit view shifted by kadb::kOrigin64BitShift) of what this call
// changed, also when it fails part way; nothing in a view whose bit was set
// already. False when a flags value holds something other than a 4-byte
// number or the registry refuses; a view that failed is left as it was.
bool SetKillBit(const std::string& clsid, uint8_t* created);

// Clears the kill bit, keeping the other flag bits, in each view the library
// changed according to origin (what earlier SetKillBit calls reported), and
// removes the value and key it made there when nothing else is left in them;
// the other view keeps a bit it had before. When origin names no change at
// all, the bit is cleared in every view. True when the bit is clear
// afterwards in every view it cleared.
bool ClearKillBit(const std::string& clsid, uint8_t origin);

}  // namespace kordon
