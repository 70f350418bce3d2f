// Composing paths of fixed size.
#pragma once
#include <windows.h>

namespace base {

constexpr size_t kTreePathSize = 260;  // composed paths, terminator included

// path + "\" + name into out (kTreePathSize), without a second backslash when
// path already ends with one. False, with out "", when it does not fit.
bool ChildPath(const char* path, const char* name, char* out);

}  // namespace base
