// Reading and deleting the values of one registry key, for the cleaners that
// empty a key but keep it (the Run history, the media player's file list).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace records {

constexpr DWORD kValueNameSize = 261;  // names of up to 260 characters, terminator included

// One value of a key as EnumKeyValues found it.
struct ValueRecord {
    enum Kind { kOther = 0, kNumber = 1, kText = 2 };
    int kind = kOther;   // kNumber for a 4-byte REG_DWORD, kText for REG_SZ
    std::string name;
    DWORD number = 0;    // kNumber only
    std::string text;    // kText only, without its terminator
};

// The values of the open key in enumeration order, all read before the caller
// changes anything. An index that cannot be read (the value vanished, or its
// name is longer than 260 characters) is skipped; the buffer is never
// overrun. A value whose data cannot be read any more keeps its name with
// kind kOther. Empty when the key holds no values or cannot be queried.
std::vector<ValueRecord> EnumKeyValues(HKEY key);

// Opens root\path anew (never creating it; every key on the way opened as
// itself, base/registry_links.h), deletes the value name and closes the key.
// True when the value is gone afterwards, also when it or its key was already
// gone; false when the key cannot be opened for writing, a link stands on the
// way or at the key, or the deletion is refused.
bool RemoveValue(HKEY root, const char* path, const char* name);

// Deletes every value of HKCU\path except the one named exactly kept
// (compared with letter case; nullptr keeps none). The key stays. A key that
// cannot be opened with full access, or is reached through a link or is one,
// is left alone and never created.
void RemoveValuesExcept(const char* path, const char* kept);

}  // namespace records
