// Path text in the ANSI code page, read the one way the whole program reads
// it: a lead byte and the byte after it are one character, so a double-byte
// character is never cut in two and its trail byte (a backslash in some code
// pages) is never taken for a separator. Where a path's root ends, which
// backslashes separate, the last component, joining. Text only: nothing here
// asks the file system.
#pragma once
#include <windows.h>

#include <stddef.h>

#include <string>
#include <vector>

namespace base {

// Whether c is the lead byte of a double-byte character of the ANSI code page.
inline bool IsLeadByte(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; }

// The bytes of the character at text[at] of a text of size bytes: 2 for a
// lead byte with a byte after it, else 1.
inline size_t CharacterLength(const char* text, size_t at, size_t size) {
    return IsLeadByte(text[at]) && at + 1 < size ? 2 : 1;
}

// The longest start of text[0, size) that holds whole characters and fits in
// limit bytes. A lead byte that ends the text counts as a character of its own.
size_t FittingLength(const char* text, size_t size, size_t limit);

// The first backslash at or after from that is a character of its own;
// path.size() when there is none.
size_t NextSeparator(const std::string& path, size_t from = 0);
// The last backslash that is a character of its own; npos when there is none.
size_t LastSeparator(const std::string& path);

// Forward slashes become backslashes, never inside a double-byte character.
std::string WithBackslashes(std::string path);

// The length of the root of a path: "C:\" (3), "C:" (2: that drive's current
// folder), "\\server\share\" (the whole of "\\server\share" or "\\server"),
// "\\?\C:\", "\\?\UNC\server\share\", a device's "\\.\name\", and a lone
// leading "\" (1: the current drive's root). 0 for a relative path.
size_t RootLength(const std::string& path);

// path without the separators that end it past its root: "C:\a\" is "C:\a",
// "C:\" stays "C:\".
std::string WithoutTrailingSeparators(std::string path);

// The parts of path between its separators, in order: doubled, leading and
// trailing separators give empty parts ("" gives one empty part).
std::vector<std::string> SplitAtSeparators(const std::string& path);
// The same without the empty parts: stray, doubled, leading and trailing
// separators name the same place.
std::vector<std::string> Components(const std::string& path);

// What follows the last separator; the whole path when it has none.
std::string LastComponent(const std::string& path);

// folder + "\" + name, without a second separator when folder ends with one;
// name alone when folder is empty.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace base
