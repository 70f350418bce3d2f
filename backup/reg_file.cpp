#include "backup/reg_file.h"

#include <stdio.h>
#include <string.h>

#include "base/ansi_text.h"
#include "base/path_text.h"
#include "base/unique_handle.h"

namespace backup {

namespace {

struct Root {
    HKEY key;
    const char* name;
};
const Root kRoots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},   {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}, {HKEY_USERS, "HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
};

constexpr char kHeader[] = "REGEDIT4";
constexpr size_t kLineWidth = 77;  // hex lines are wrapped as regedit wraps them

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + '"';
}

// A string value that reads back the same from between quotes: one
// terminator at its end and nothing the quotes cannot carry.
bool IsPlainString(const RegValue& value) {
    const std::string& d = value.data;
    return value.type == REG_SZ && !d.empty() && d.back() == '\0' && d.find('\0') == d.size() - 1 &&
           !HasLineBreak(d);
}

void AppendHex(const std::string& bytes, std::string* line, std::string* text) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        char piece[4];
        snprintf(piece, sizeof piece, i + 1 < bytes.size() ? "%02x," : "%02x", static_cast<unsigned char>(bytes[i]));
        if (line->size() + strlen(piece) > kLineWidth) {
            *text += *line + "\\\r\n";
            *line = "  ";
        }
        *line += piece;
    }
}

std::string ValueLine(const RegValue& value) {
    std::string line = value.name.empty() ? "@=" : Quoted(value.name) + "=", text;
    if (value.absent) return line + "-\r\n";
    if (IsPlainString(value)) return line + Quoted(value.data.substr(0, value.data.size() - 1)) + "\r\n";
    char prefix[24];
    if (value.type == REG_DWORD && value.data.size() == 4) {
        DWORD number;
        memcpy(&number, value.data.data(), 4);
        snprintf(prefix, sizeof prefix, "dword:%08lx", static_cast<unsigned long>(number));
        return line + prefix + "\r\n";
    }
    if (value.type == REG_BINARY)
        strcpy(prefix, "hex:");
    else
        snprintf(prefix, sizeof prefix, "hex(%lx):", static_cast<unsigned long>(value.type));
    line += prefix;
    AppendHex(value.data, &line, &text);
    return text + line + "\r\n";
}

// ---------------------------------------------------------------------------
// Reading the text

// The lines, a value's continued hex lines ("...,\" and the next line)
// joined into one.
std::vector<std::string> LogicalLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string joined;
    bool continued = false;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (continued) {
            const size_t first = line.find_first_not_of(" \t");
            joined += first == std::string::npos ? std::string() : line.substr(first);
        } else {
            joined = line;
        }
        continued = !joined.empty() && joined.back() == '\\' && joined[0] != '[';
        if (continued) {
            joined.pop_back();
            continue;
        }
        lines.push_back(joined);
    }
    if (continued) lines.push_back(joined);
    return lines;
}

// A quoted text starting at line[*at] (the quote); *at moves past the
// closing quote.
bool TakeQuoted(const std::string& line, size_t* at, std::string* out) {
    out->clear();
    if (*at >= line.size() || line[*at] != '"') return false;
    for (size_t i = *at + 1; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            *out += line[++i];
        } else if (line[i] == '"') {
            *at = i + 1;
            return true;
        } else {
            *out += line[i];
        }
    }
    return false;
}

bool TakeHex(const std::string& text, std::string* bytes) {
    bytes->clear();
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == ',')) ++at;
        if (at >= text.size()) break;
        char* end = nullptr;
        const unsigned long byte = strtoul(text.c_str() + at, &end, 16);
        const size_t used = static_cast<size_t>(end - (text.c_str() + at));
        if (used == 0 || used > 2 || byte > 0xFF) return false;
        bytes->push_back(static_cast<char>(byte));
        at += used;
    }
    return true;
}

bool TakeData(const std::string& data, RegValue* value) {
    if (data == "-") {
        value->absent = true;
        return true;
    }
    if (!data.empty() && data[0] == '"') {
        size_t at = 0;
        value->type = REG_SZ;
        if (!TakeQuoted(data, &at, &value->data)) return false;
        value->data += '\0';
        return true;
    }
    if (data.compare(0, 6, "dword:") == 0) {
        char* end = nullptr;
        const DWORD number = strtoul(data.c_str() + 6, &end, 16);
        value->type = REG_DWORD;
        value->data.assign(reinterpret_cast<const char*>(&number), 4);
        return end != data.c_str() + 6;
    }
    if (data.compare(0, 4, "hex:") == 0) {
        value->type = REG_BINARY;
        return TakeHex(data.substr(4), &value->data);
    }
    if (data.compare(0, 4, "hex(") == 0) {
        const size_t close = data.find("):");
        if (close == std::string::npos) return false;
        value->type = strtoul(data.substr(4, close - 4).c_str(), nullptr, 16);
        return TakeHex(data.substr(close + 2), &value->data);
    }
    return false;
}

bool TakeValue(const std::string& line, RegValue* value) {
    size_t at = 0;
    if (line[0] == '@') {
        at = 1;
    } else if (!TakeQuoted(line, &at, &value->name)) {
        return false;
    }
    if (at >= line.size() || line[at] != '=') return false;
    return TakeData(line.substr(at + 1), value);
}

// ---------------------------------------------------------------------------
// The registry

bool ReadValues(HKEY key, RegKey* out) {
    DWORD longestName = 0, largestData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                         &largestData, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    // Room for two bytes a character, as the ANSI forms may need.
    std::string name(longestName * 2 + 2, '\0'), data(largestData * 2 + 2, '\0');
    for (DWORD index = 0;;) {
        RegValue value;
        DWORD nameLength = static_cast<DWORD>(name.size()), dataLength = static_cast<DWORD>(data.size());
        const LONG status = RegEnumValueA(key, index, &name[0], &nameLength, nullptr, &value.type,
                                          reinterpret_cast<BYTE*>(&data[0]), &dataLength);
        if (status == ERROR_NO_MORE_ITEMS) return true;
        if (status == ERROR_MORE_DATA && data.size() < (64u << 20)) {
            name.resize(name.size() * 2);
            data.resize(data.size() * 2);
            continue;
        }
        if (status != ERROR_SUCCESS) return false;
        value.name.assign(name.data(), nameLength);
        value.data.assign(data.data(), dataLength);
        out->values.push_back(std::move(value));
        ++index;
    }
}

bool ReadTree(const base::HeldKey& key, const std::string& path, RegKeys* keys) {
    if (!key.ok()) return false;
    if (key.IsLink()) return true;  // nothing of its own, and never entered
    RegKey here;
    here.path = path;
    if (!ReadValues(key.get(), &here)) return false;
    keys->push_back(std::move(here));
    std::vector<std::string> children;
    for (DWORD index = 0;; ++index) {
        char name[1024];
        DWORD length = sizeof name;
        const LONG status = RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) return false;
        children.emplace_back(name, length);
    }
    for (const std::string& child : children)
        if (!ReadTree(key.Sub(child, KEY_READ), path + "\\" + child, keys)) return false;
    return true;
}

std::string PathOf(HKEY root, const std::string& subkey) {
    const char* rootName = RootName(root);
    return std::string(rootName ? rootName : "") + (subkey.empty() ? "" : "\\" + subkey);
}

}  // namespace

const char* RootName(HKEY root) {
    for (const Root& r : kRoots)
        if (r.key == root) return r.name;
    return nullptr;
}

HKEY RootOf(const std::string& path, std::string* subkey) {
    for (const Root& r : kRoots) {
        const size_t n = strlen(r.name);
        if (path.size() > n + 1 && path[n] == '\\' && base::EqualsNoCaseN(path.c_str(), r.name, n)) {
            *subkey = path.substr(n + 1);
            return r.key;
        }
        if (base::EqualsNoCase(path.c_str(), r.name)) {  // a value right under the root
            subkey->clear();
            return r.key;
        }
    }
    return nullptr;
}

bool FormatRegFile(const RegKeys& keys, std::string* text) {
    *text = std::string(kHeader) + "\r\n";
    for (const RegKey& key : keys) {
        if (HasLineBreak(key.path)) return false;
        *text += "\r\n[" + key.path + "]\r\n";
        for (const RegValue& value : key.values) {
            if (HasLineBreak(value.name)) return false;
            *text += ValueLine(value);
        }
    }
    *text += "\r\n";
    return true;
}

bool ParseRegFile(const std::string& text, RegKeys* keys) {
    keys->clear();
    bool header = false;
    for (const std::string& line : LogicalLines(text)) {
        if (line.empty() || line[0] == ';') continue;
        if (!header) {
            if (line != kHeader) return false;
            header = true;
        } else if (line[0] == '[') {
            const size_t close = line.rfind(']');
            if (close == std::string::npos || close < 2 || line[1] == '-') return false;
            keys->push_back(RegKey{line.substr(1, close - 1), {}});
        } else {
            RegValue value;
            if (keys->empty() || !TakeValue(line, &value)) return false;
            keys->back().values.push_back(std::move(value));
        }
    }
    return header;
}

std::string PlaceOf(const base::HeldKey& key, bool* real) {
    HKEY root = nullptr;
    std::string subkey;
    *real = key.RealPlace(&root, &subkey);
    return *real ? PathOf(root, subkey) : PathOf(key.root(), key.subkey());
}

std::string PlaceOf(HKEY root, const std::string& subkey, REGSAM viewFlag, bool* real) {
    std::string existing = subkey, rest;
    for (;;) {
        const base::HeldKey key = base::HoldKey(root, existing, KEY_QUERY_VALUE, viewFlag);
        if (key.ok()) return PlaceOf(key, real) + rest;
        const size_t at = base::LastSeparator(existing);
        if (key.reach() != base::Reach::kGone || at == std::string::npos || at == 0) break;
        rest = existing.substr(at) + rest;
        existing.resize(at);
    }
    *real = false;
    return PathOf(root, subkey);
}

bool ReadKeyTree(const base::HeldKey& key, const std::string& path, RegKeys* keys) {
    keys->clear();
    return ReadTree(key, path, keys);
}

bool ReadOneValue(const base::HeldKey& key, const std::string& name, RegValue* value) {
    *value = RegValue();
    value->name = name;
    if (!key.ok() || key.IsLink()) return false;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &value->type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) {
        value->absent = true;
        return true;
    }
    if (status != ERROR_SUCCESS) return false;
    value->data.assign(size + 2, '\0');  // room for a string's terminator the call may add
    DWORD read = size + 2;
    status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &value->type, reinterpret_cast<BYTE*>(&value->data[0]),
                              &read);
    value->data.resize(read);
    return status == ERROR_SUCCESS;
}

bool ReadOneValue(HKEY root, const std::string& subkey, const std::string& name, REGSAM viewFlag, RegValue* value,
                  bool* keyExists) {
    const base::HeldKey key = base::HoldKey(root, subkey, KEY_QUERY_VALUE, viewFlag);
    *keyExists = key.reach() != base::Reach::kGone;
    if (*keyExists) return ReadOneValue(key, name, value);
    *value = RegValue();
    value->name = name;
    value->absent = true;
    return true;
}

bool WriteKeys(const RegKeys& keys, REGSAM viewFlag, bool onlyMissing, int* added, bool* refused) {
    // Every place first, nothing made: one behind a link refuses them all.
    for (const RegKey& entry : keys) {
        std::string subkey;
        const HKEY root = RootOf(entry.path, &subkey);
        if (root && base::OpenKeyWay(root, subkey, 0, viewFlag).reach() == base::Reach::kRefused) {
            if (refused) *refused = true;
            return false;
        }
    }
    bool all = true;
    for (const RegKey& entry : keys) {
        std::string subkey;
        const HKEY root = RootOf(entry.path, &subkey);
        bool made = false;
        const base::HeldKey key =
            root ? base::OpenKeyWay(root, subkey, KEY_QUERY_VALUE | KEY_SET_VALUE, viewFlag, true, &made)
                 : base::HeldKey();
        if (!key.ok()) {
            if (refused && key.reach() == base::Reach::kRefused && root) *refused = true;
            all = false;
            continue;
        }
        if (made) ++*added;
        for (const RegValue& value : entry.values) {
            if (value.absent) {
                const LONG status = RegDeleteValueA(key.get(), value.name.c_str());
                all = (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) && all;
                continue;
            }
            if (onlyMissing && RegQueryValueExA(key.get(), value.name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                                   ERROR_SUCCESS)
                continue;
            if (RegSetValueExA(key.get(), value.name.c_str(), 0, value.type,
                               reinterpret_cast<const BYTE*>(value.data.data()),
                               static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS)
                ++*added;
            else
                all = false;
        }
    }
    return all;
}

}  // namespace backup
