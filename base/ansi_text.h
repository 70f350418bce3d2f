// Comparing texts of the ANSI code page without regard to case: ASCII
// letters fold, double-byte characters (whose trail bytes may look like
// letters) compare exactly.
#pragma once
#include <stddef.h>


namespace base {

bool StartsWithNoCase(const char* text, const char* prefix);
bool EqualsNoCase(const char* a, const char* b);
// Compares the first n characters like strnicmp: stops early when both end.
bool EqualsNoCaseN(const char* a, const char* b, size_t n);

// The position of the last backslash of path that is a character of its own
// (no double-byte character's trail byte); -1 when there is none.
ptrdiff_t LastBackslash(const char* path);

}  // namespace base
