// Where the scan looks for an item, and how the repair reaches it there.
//
// Outside WOW64 every item has one place: its resolved location as the
// process sees it. Under WOW64 the system shows this 32-bit program the
// 32-bit half of the machine under the names of the whole, so an item there
// may have two places, the 32-bit one (as seen) first:
//   - a registry key or value under HKLM\SOFTWARE or in HKCR: the same
//     subkey in the 32-bit view and in the 64-bit view;
//   - a path in the system folder, however it is spelled: the same path in
//     "SysWOW64" and in the real system folder, written with the system
//     folder's own name ("C:\WINDOWS\system32\...", the name the real
//     folder's processes report) and reached through "Sysnative";
//   - a path in either Program Files folder: the same path in "Program
//     Files (x86)" and in "Program Files".
#pragma once
#include <windows.h>
#include <stdint.h>

#include "adb/item_type.h"
#include "engine/bounded_text.h"

namespace engine {

enum class View : uint8_t {
    kSeen,   // as this process sees it; the only view outside WOW64
    k64Bit,  // the 64-bit half under WOW64
};

// A set of views, for the companions of an item: bit (1 << view).
inline uint8_t ViewBit(View view) { return static_cast<uint8_t>(1u << static_cast<unsigned>(view)); }

struct ItemPlace {
    View view = View::kSeen;
    char location[kPathSize] = "";  // the location a scan result hands out
};

// The places of an item of this kind at a resolved location (for a checked
// file item: folder, backslash and file name). Returns how many (1 or 2);
// a location with no twin comes back once, exactly as given. A twin whose
// spelling would not fit kPathSize is left out.
int PlacesOf(adb::ItemKind kind, adb::RootKey root, const char* location, ItemPlace places[2]);

// The registry access flag that reaches a view: 0 or KEY_WOW64_64KEY.
REGSAM RegistryViewFlag(View view);

// The path through which this process reaches a file or folder location in
// a view: a 64-bit location in the system folder goes through "Sysnative";
// every other comes back unchanged. False when it would not fit kPathSize.
bool ReachablePath(const char* location, View view, char* out);

// True when two paths name one existing file or folder (volume serial and
// file index), as where both system folders share a folder.
bool SameFileOrFolder(const char* a, const char* b);

}  // namespace engine
