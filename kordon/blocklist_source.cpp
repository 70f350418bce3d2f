#include "kordon/blocklist_source.h"

#include <sstream>
#include <vector>

namespace kadb {

namespace {

// Splits one line into its quoted texts and bare words. False (with *why)
// on an unterminated quote.
bool Tokenize(const std::string& line, std::vector<std::string>* words, std::vector<bool>* quoted,
              std::string* why) {
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            std::string text;
            ++i;
            for (;;) {
                if (i >= line.size()) {
                    *why = "unterminated quote";
                    return false;
                }
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += line[i++];
            }
            words->push_back(text);
            quoted->push_back(true);
        } else {
            size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r' &&
                   line[end] != '"' && line[end] != '#')
                ++end;
            words->push_back(line.substr(i, end - i));
            quoted->push_back(false);
            i = end;
        }
    }
    return true;
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\r' || c == '\n') break;
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

bool ParseBlockListSource(const std::string& text, Database* out, SourceError* error) {
    out->entries.clear();
    std::istringstream in(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& message) {
        out->entries.clear();
        error->line = number;
        error->message = message;
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        std::vector<std::string> words;
        std::vector<bool> quoted;
        std::string why;
        if (!Tokenize(line, &words, &quoted, &why)) return fail(why);
        if (words.empty()) continue;
        if (quoted[0] || words[0] != "control") return fail("expected `control`");
        if (words.size() < 3 || words.size() > 4) return fail("expected a CLSID, a name and an optional alternate CLSID");
        for (size_t k = 1; k < words.size(); ++k)
            if (!quoted[k]) return fail("texts are written in double quotes");

        Entry entry;
        entry.clsid = UpperCase(words[1]);
        entry.name = words[2];
        if (words.size() == 4) entry.alternateClsid = UpperCase(words[3]);
        if (!IsRegistryClsid(entry.clsid)) return fail("the CLSID is not in registry form {8-4-4-4-12}");
        if (!entry.alternateClsid.empty() && !IsRegistryClsid(entry.alternateClsid))
            return fail("the alternate CLSID is not in registry form {8-4-4-4-12}");
        if (entry.name.empty()) return fail("the name is empty");
        if (entry.name.size() > kMaxText) return fail("the name is longer than 39 bytes");
        for (const Entry& earlier : out->entries)
            if (SameClsid(earlier.clsid, entry.clsid)) return fail("the CLSID " + entry.clsid + " is listed twice");
        out->entries.push_back(std::move(entry));
    }
    return true;
}

std::string FormatBlockListSource(const Database& db) {
    std::string out;
    for (const Entry& entry : db.entries) {
        out += "control " + Quote(entry.clsid) + " " + Quote(entry.name);
        if (!entry.alternateClsid.empty()) out += " " + Quote(entry.alternateClsid);
        if (entry.origin & kKnownOrigin) {
            out += "  # changed by the library:";
            for (int shift : {0, kOrigin64BitShift}) {
                const char* view = shift ? " (64-bit view)" : "";
                if (entry.origin & (kCreatedKey << shift)) out += std::string(" key") + view;
                if (entry.origin & (kCreatedValue << shift)) out += std::string(" value") + view;
                if (entry.origin & (kSetBit << shift)) out += std::string(" bit") + view;
            }
        }
        out += "\n";
    }
    return out;
}

}  // namespace kadb
