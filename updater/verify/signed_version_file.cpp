#include "updater/verify/signed_version_file.h"

#include "base/sha256.h"

namespace freshen {

bool operator<(const UtcDate& a, const UtcDate& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}

namespace {

const char kUpdateSection[] = "UPDATE";

bool SameName(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return i == a.size() && !b[i];
}

std::string Trim(const std::string& s) {
    size_t begin = s.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::string();
    return s.substr(begin, s.find_last_not_of(" \t") - begin + 1);
}

struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;

    // The first value of key; null when absent.
    const std::string* Find(const char* key) const {
        for (const auto& k : keys)
            if (SameName(k.first, key)) return &k.second;
        return nullptr;
    }
};

std::vector<Section> ReadProfile(const std::string& text) {
    std::vector<Section> sections;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = Trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            if (close != std::string::npos) sections.push_back(Section{Trim(line.substr(1, close - 1)), {}});
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos || sections.empty()) continue;
        std::string value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        sections.back().keys.emplace_back(Trim(line.substr(0, equals)), value);
    }
    return sections;
}

const Section* FindSection(const std::vector<Section>& sections, const char* name) {
    for (const Section& s : sections)
        if (SameName(s.name, name)) return &s;
    return nullptr;
}

// Digits only, at most ten of them, at most max.
bool ParseNumber(const std::string* text, uint32_t max, uint32_t& out) {
    if (!text || text->empty() || text->size() > 10) return false;
    uint64_t value = 0;
    for (char c : *text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > max) return false;
    out = static_cast<uint32_t>(value);
    return true;
}

bool ParseDigest(const std::string* text, std::string& out) {
    if (!text || text->size() != 2 * base::kSha256Size) return false;
    out.clear();
    for (char c : *text) {
        if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
        out += c;
    }
    return true;
}

// YYYY-MM-DD, a day that exists.
bool ParseDate(const std::string* text, UtcDate& out) {
    if (!text || text->size() != 10 || (*text)[4] != '-' || (*text)[7] != '-') return false;
    uint32_t year = 0, month = 0, day = 0;
    std::string y = text->substr(0, 4), m = text->substr(5, 2), d = text->substr(8, 2);
    if (!ParseNumber(&y, 9999, year) || !ParseNumber(&m, 12, month) || !ParseNumber(&d, 31, day)) return false;
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (year == 0 || month == 0 || day == 0) return false;
    if (static_cast<int>(day) > kDays[month - 1] + (month == 2 && leap ? 1 : 0)) return false;
    out = UtcDate{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
    return true;
}

}  // namespace

bool ParseVersionFile(const std::string& text, const char* const* sections, int count, VersionFile& out) {
    const std::vector<Section> profile = ReadProfile(text);
    VersionFile file;
    for (int i = 0; i < count; ++i) {
        Announcement a;
        const Section* s = FindSection(profile, sections[i]);
        if (s) {
            a.present = true;
            if (const std::string* version = s->Find("VER")) a.version = version->substr(0, kMaxVersionLength);
            if (!ParseDigest(s->Find("SHA256"), a.sha256Hex) || !ParseNumber(s->Find("SIZE"), kMaxAnnouncedSize, a.size))
                return false;
        }
        file.files.push_back(a);
    }
    const Section* update = FindSection(profile, kUpdateSection);
    if (!update || !ParseNumber(update->Find("SERIAL"), 0xFFFFFFFF, file.serial) || file.serial == 0 ||
        !ParseDate(update->Find("EXPIRES"), file.expires))
        return false;
    out = file;
    return true;
}

Verdict CheckVersionFile(const std::string& text, const std::string* signature, const uint8_t modulus[kRsaBytes],
                         uint32_t lastSerial, const UtcDate& today, const char* const* sections, int count,
                         VersionFile& out) {
    if (!signature) return Verdict::kNoSignature;
    if (!VerifyRsaSha256(modulus, text.data(), text.size(), signature->data(), signature->size()))
        return Verdict::kBadSignature;
    VersionFile file;
    if (!ParseVersionFile(text, sections, count, file)) return Verdict::kIncomplete;
    if (file.serial < lastSerial) return Verdict::kOlderSerial;
    if (file.expires < today) return Verdict::kExpired;
    out = file;
    return Verdict::kAccepted;
}

}  // namespace freshen
