// Bounded text operations for the engine's fixed buffers (255 and 260
// characters). Every copy is checked against the destination's capacity: a
// text that does not fit is refused, never cut into a different path.
#pragma once
#include <stddef.h>

#include "base/ansi_text.h"

namespace engine {

constexpr size_t kNameSize = 255;   // names and database texts, terminator included
constexpr size_t kPathSize = 260;   // paths and expanded texts, terminator included

// Writes the concatenation of up to three texts (NULL parts count as empty)
// into dest of the given capacity. Returns false, leaving dest as "", when the
// result and its terminator do not fit.
bool JoinText(char* dest, size_t capacity, const char* a, const char* b = nullptr, const char* c = nullptr);

// Copies src into dest, cutting it at capacity - 1 bytes (never in the middle
// of a double-byte character, base/path_text.h). For texts whose cut form is
// still meaningful, such as the process names of the process table.
void CopyCut(char* dest, size_t capacity, const char* src);

// Case-blind comparison of ANSI texts (base/ansi_text.h).
using base::EqualsNoCase;
using base::EqualsNoCaseN;
using base::StartsWithNoCase;

}  // namespace engine
