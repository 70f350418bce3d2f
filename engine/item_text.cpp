#include "engine/item_text.h"

#include <string.h>

namespace engine {

namespace {

bool ReadFolder(UINT (WINAPI* query)(LPSTR, UINT), char* out) {
    UINT n = query(out, kPathSize);
    if (n == 0 || n >= kPathSize) {  // failed, or needs a larger buffer
        out[0] = 0;
        return false;
    }
    return true;
}

// The base folder of a leading variable; false when the variable is not one
// of ours (found is then false) or when its folder cannot be formed.
bool VariableBase(const char* variable, const PathContext& context, char* base, bool* found) {
    *found = true;
    if (EqualsNoCaseN(variable, "%UserProFile%", 10)) {
        if (!context.ntFamily) return JoinText(base, kPathSize, context.windowsDir) && base[0];
        return ExpandEnvironment("%USERPROFILE%", base) && base[0] != '%';
    }
    if (EqualsNoCaseN(variable, "%sys%", 5)) return JoinText(base, kPathSize, context.systemDir) && base[0];
    if (EqualsNoCaseN(variable, "%ProgramFiles%", 14)) {
        if (context.ntFamily) return ExpandEnvironment("%ProgramFiles%", base) && base[0] != '%';
        if (!context.windowsDir[0]) return false;
        char drive[2] = {context.windowsDir[0], 0};
        return JoinText(base, kPathSize, drive, ":\\Program Files");
    }
    if (EqualsNoCaseN(variable, "%Atv%", 5)) {
        return context.windowsDir[0] &&
               JoinText(base, kPathSize, context.windowsDir, "\\Downloaded Program Files");
    }
    *found = false;
    return false;
}

}  // namespace

void ReadPathContext(bool ntFamily, PathContext* context) {
    context->ntFamily = ntFamily;
    ReadFolder(GetSystemDirectoryA, context->systemDir);
    ReadFolder(GetWindowsDirectoryA, context->windowsDir);
}

bool ExpandEnvironment(const char* text, char* out) {
    if (!strchr(text, '%')) return JoinText(out, kPathSize, text);
    DWORD n = ExpandEnvironmentStringsA(text, out, kPathSize);
    if (n == 0 || n > kPathSize) {  // n counts the terminator
        out[0] = 0;
        return false;
    }
    return true;
}

bool ResolveLocation(const char* location, const PathContext& context, char* out) {
    // Split off the leading variable: from the first "%" through the next one.
    char variable[kPathSize];
    const char* rest = "";
    if (location[0] == '%') {
        const char* close = strchr(location + 1, '%');
        size_t length = close ? static_cast<size_t>(close - location + 1) : strlen(location);
        if (length >= kPathSize) return false;
        memcpy(variable, location, length);
        variable[length] = 0;
        rest = location + length;
    } else if (!JoinText(variable, kPathSize, location)) {
        return false;
    }
    char base[kPathSize];
    bool known = false;
    bool formed = VariableBase(variable, context, base, &known);
    if (known) return formed && JoinText(out, kPathSize, base, rest);
    return ExpandEnvironment(location, out);
}

bool NormalizeItemText(const char* text, const PathContext& context, char* out) {
    // 1. Leave out the first double quote; stop at the second.
    char unquoted[kPathSize];
    size_t n = 0;
    int quotes = 0;
    for (const char* p = text; *p; ++p) {
        if (*p == '"' && ++quotes == 2) break;
        if (*p == '"') continue;
        if (n + 1 >= kPathSize) return false;
        unquoted[n++] = *p;
    }
    unquoted[n] = 0;

    // 2. "%...%" groups go to the variable part, everything else to the rest.
    // ('%' and '"' never occur as trail bytes of the Korean code page.)
    char variable[kPathSize], rest[kPathSize];
    size_t v = 0, r = 0;
    bool inVariable = false;  // an unclosed group runs to the end of the text
    for (size_t i = 0; i < n; ++i) {
        char c = unquoted[i];
        if (c == '%') {
            variable[v++] = c;  // the opening and the closing '%' both belong to the group
            inVariable = !inVariable;
        } else if (inVariable) {
            variable[v++] = c;
        } else {
            rest[r++] = c;
        }
    }
    variable[v] = 0;
    rest[r] = 0;

    // 3-5. Replace the two known variables.
    char replaced[kPathSize];
    if (EqualsNoCase(variable, "%sys%")) {
        if (!context.systemDir[0] || !JoinText(replaced, kPathSize, context.systemDir, rest)) return false;
    } else if (EqualsNoCase(variable, "%Atv%")) {
        if (!context.windowsDir[0] ||
            !JoinText(replaced, kPathSize, context.windowsDir, "\\Downloaded Program Files"))
            return false;
    } else {
        memcpy(replaced, unquoted, n + 1);
    }
    // 6. Expand what is left.
    return ExpandEnvironment(replaced, out);
}

}  // namespace engine
