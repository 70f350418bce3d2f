// The kill bit the browser reads for an ActiveX control: bit 0x400 of the
// 4-byte number "Compatibility Flags" under
// HKLM\SOFTWARE\Microsoft\Internet Explorer\ActiveX Compatibility\{CLSID}.
// Every function takes a CLSID in registry form (the caller checks it, so no
// text ever names another key).
#pragma once
#include <windows.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "base/unique_handle.h"

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

// The kill bit of a control in every view: set in all, clear in all, or set
// in some only.
enum class KillBit { clear, set, partly };
KillBit ReadKillBit(const std::string& clsid);

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

// Watches the compatibility key of every view, and everything below it, for
// changes: kill bits read after Arm are still the machine's while Unchanged
// holds. (A change the registry reports to no one, such as a hive restored
// over the key, is not seen.)
class KillBitWatch {
public:
    // Watches afresh from now on. False when a view's key cannot be watched
    // (it is absent, or the system has no change notification).
    bool Arm();
    // True when armed and nothing below a watched key changed since.
    bool Unchanged() const;
    void Stop();

private:
    struct Watched {
        base::UniqueHKey key;
        base::UniqueHandleKernel changed;  // signalled by the system on a change
    };
    std::vector<Watched> views_;
    bool armed_ = false;
};

}  // namespace kordon
