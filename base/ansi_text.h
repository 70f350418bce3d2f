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

}  // namespace base
