#include "base/ansi_text.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "base/path_text.h"

namespace base {

namespace {
char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool EqualsNoCaseN(const char* a, const char* b, size_t n) {
    size_t i = 0;
    while (i < n) {
        char x = a[i], y = b[i];
        if (!x || !y) return x == y;
        if (IsLeadByte(x)) {
            if (x != y) return false;
            if (i + 1 < n && a[i + 1] != b[i + 1]) return false;
            if (!a[i + 1]) return true;  // both end here (they were equal)
            i += 2;
            continue;
        }
        if (FoldAscii(x) != FoldAscii(y)) return false;
        ++i;
    }
    return true;
}

bool StartsWithNoCase(const char* text, const char* prefix) {
    size_t n = strlen(prefix);
    return strnlen(text, n) == n && EqualsNoCaseN(text, prefix, n);
}

bool EqualsNoCase(const char* a, const char* b) {
    size_t n = strlen(a);
    return strlen(b) == n && EqualsNoCaseN(a, b, n);
}

std::string EscapedField(const std::string& text, bool percent) {
    std::string out;
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || (percent && c == '%')) {
            char code[4];
            snprintf(code, sizeof code, "%%%02X", byte);
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapedField(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(strtoul(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace base
