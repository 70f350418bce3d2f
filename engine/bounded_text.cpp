#include "engine/bounded_text.h"

#include <windows.h>
#include <string.h>

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
    size_t at = 0;
    while (src[at] && at + 1 < capacity) {
        if (IsDBCSLeadByte(static_cast<BYTE>(src[at]))) {
            if (!src[at + 1] || at + 2 >= capacity) break;  // a lead byte without room for its trail
            dest[at] = src[at];
            dest[at + 1] = src[at + 1];
            at += 2;
        } else {
            dest[at] = src[at];
            ++at;
        }
    }
    dest[at] = 0;
}

}  // namespace engine
