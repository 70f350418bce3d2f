#include "engine/bounded_text.h"

#include <string.h>

#include "base/path_text.h"

namespace engine {

bool JoinText(char* dest, size_t capacity, const char* a, const char* b, const char* c) {
    if (capacity == 0) return false;
    const char* parts[3] = {a, b, c};
    size_t lengths[3];
    size_t total = 0;
    for (int i = 0; i < 3; ++i) {
        lengths[i] = parts[i] ? strlen(parts[i]) : 0;
        total += lengths[i];
    }
    if (total >= capacity) {
        dest[0] = 0;
        return false;
    }
    size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        // memmove: a part may be dest itself (appending to a buffer in place).
        if (lengths[i]) memmove(dest + at, parts[i], lengths[i]);
        at += lengths[i];
    }
    dest[at] = 0;
    return true;
}

void CopyCut(char* dest, size_t capacity, const char* src) {
    if (capacity == 0) return;
    const size_t n = base::FittingLength(src, strlen(src), capacity - 1);
    memmove(dest, src, n);
    dest[n] = 0;
}

}  // namespace engine
