#include "kordon/kadb_codec.h"

#include <string.h>

#include <algorithm>

namespace kadb {

namespace {

constexpr char kMagic[4] = {'K', 'A', 'D', 'B'};
// The smallest record: flags and three empty texts.
constexpr size_t kMinRecordBytes = 4;

// Reads one zero-terminated text of at most kMaxText bytes at data[*pos].
bool ReadText(const uint8_t* data, size_t size, size_t* pos, std::string* out) {
    const size_t window = std::min(size - *pos, kMaxText + 1);
    const void* zero = window ? memchr(data + *pos, 0, window) : nullptr;
    if (!zero) return false;
    const size_t length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - (data + *pos));
    out->assign(reinterpret_cast<const char*>(data + *pos), length);
    *pos += length + 1;
    return true;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

void AppendText(const std::string& text, std::vector<uint8_t>* out) {
    out->insert(out->end(), text.begin(), text.end());
    out->push_back(0);
}

}  // namespace

DecodeResult Decode(const uint8_t* data, size_t size, Database* out) {
    out->entries.clear();
    // A header cut short is damaged only when what is there matches it.
    const size_t magicBytes = std::min(size, sizeof kMagic);
    if (magicBytes > 0 && memcmp(data, kMagic, magicBytes) != 0) return DecodeResult::foreign;
    if (size > 4 && data[4] != kVersion) return DecodeResult::foreign;
    if (size < kHeaderSize) return DecodeResult::damaged;

    const uint32_t count = static_cast<uint32_t>(data[5]) | static_cast<uint32_t>(data[6]) << 8 |
                           static_cast<uint32_t>(data[7]) << 16 | static_cast<uint32_t>(data[8]) << 24;
    size_t pos = kHeaderSize;
    // Every record takes at least kMinRecordBytes of the file.
    out->entries.reserve(std::min<size_t>(count, (size - pos) / kMinRecordBytes));
    for (uint32_t i = 0; i < count; ++i) {
        if (pos >= size) return DecodeResult::damaged;
        Entry entry;
        entry.origin = static_cast<uint8_t>(data[pos++] & kKnownOrigin);
        if (!ReadText(data, size, &pos, &entry.name) || !ReadText(data, size, &pos, &entry.clsid) ||
            !ReadText(data, size, &pos, &entry.alternateClsid))
            return DecodeResult::damaged;
        out->entries.push_back(std::move(entry));
    }
    return pos == size ? DecodeResult::whole : DecodeResult::damaged;
}

EncodeError CheckText(const std::string& text) {
    if (text.size() > kMaxText) return EncodeError::tooLong;
    if (text.find('\0') != std::string::npos) return EncodeError::embeddedZero;
    return EncodeError::none;
}

EncodeError Encode(const Database& db, std::vector<uint8_t>* out, size_t* badEntry) {
    out->clear();
    const uint32_t count = static_cast<uint32_t>(db.entries.size());
    if (count != db.entries.size()) return EncodeError::tooMany;  // more than the count field holds
    for (char c : kMagic) out->push_back(static_cast<uint8_t>(c));
    out->push_back(kVersion);
    for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<uint8_t>(count >> shift));
    for (size_t i = 0; i < db.entries.size(); ++i) {
        const Entry& entry = db.entries[i];
        for (const std::string* text : {&entry.name, &entry.clsid, &entry.alternateClsid}) {
            const EncodeError error = CheckText(*text);
            if (error != EncodeError::none) {
                out->clear();
                if (badEntry) *badEntry = i;
                return error;
            }
        }
        out->push_back(static_cast<uint8_t>(entry.origin & kKnownOrigin));
        AppendText(entry.name, out);
        AppendText(entry.clsid, out);
        AppendText(entry.alternateClsid, out);
    }
    return EncodeError::none;
}

bool IsRegistryClsid(const std::string& text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
    for (size_t i = 1; i < 37; ++i) {
        const bool hyphen = i == 9 || i == 14 || i == 19 || i == 24;
        if (hyphen ? text[i] != '-' : !IsHexDigit(text[i])) return false;
    }
    return true;
}

bool SameClsid(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

}  // namespace kadb
