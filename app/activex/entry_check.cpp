#include "app/activex/entry_check.h"

#include <string.h>

namespace activex {

namespace {

bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

}  // namespace

bool IsValidClsidEntry(const char* text) {
    const size_t length = strlen(text);
    if (length < 2 || text[0] != '{' || text[length - 1] != '}') return false;
    if (length - 2 != 36) return false;

    // Groups up to each of the first four hyphens, then the rest.
    static const size_t kGroupLengths[5] = {8, 4, 4, 4, 12};
    const char* group = text + 1;
    const char* const end = text + length - 1;
    for (int g = 0; g < 5; ++g) {
        const char* stop = end;
        if (g < 4) {
            stop = static_cast<const char*>(memchr(group, '-', static_cast<size_t>(end - group)));
            if (stop == nullptr) return false;
        }
        if (static_cast<size_t>(stop - group) != kGroupLengths[g]) return false;
        for (const char* c = group; c < stop; ++c)
            if (!IsUpperHexDigit(*c)) return false;
        group = stop + 1;
    }
    return true;
}

}  // namespace activex
