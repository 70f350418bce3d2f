#include "updater/version_compare.h"

namespace freshen {

int CompareVersionBytes(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    while (*x && *x == *y) {
        ++x;
        ++y;
    }
    return static_cast<int>(*x) - static_cast<int>(*y);
}

bool IsNewer(const char* server, const char* installed) { return CompareVersionBytes(server, installed) > 0; }

}  // namespace freshen
