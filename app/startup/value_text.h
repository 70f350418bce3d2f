// The text the startup list shows for a registry value's data.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

namespace startup {

// The most bytes of value data the list shows (its buffer of 256 bytes holds
// them with a terminator).
inline constexpr size_t kDataTextLimit = 255;

// The text for data of size bytes of the given type, as read through the ANSI
// registry calls:
//   REG_SZ, REG_EXPAND_SZ  the text as stored, up to its first zero or the end
//                          of the data (environment strings stay unexpanded),
//                          cut to kDataTextLimit bytes at a whole character
//   REG_DWORD, REG_DWORD_BIG_ENDIAN, REG_QWORD
//                          the unsigned number in decimal (empty unless the
//                          data has the number's exact size)
//   any other type         empty
// Never reads past data + size.
std::string ValueText(DWORD type, const BYTE* data, size_t size);

// The first bytes of text (length bytes, no terminator needed) that fit limit
// without splitting a double-byte character of the ANSI code page.
std::string CutAtWholeCharacter(const char* text, size_t length, size_t limit);

// ValueText of the value name of the open key, read whole however long it is
// (up to a megabyte; larger or unreadable data gives an empty text).
std::string ReadValueText(HKEY key, const char* name);

}  // namespace startup
