#include "adb/signature_source.h"

#include <stdlib.h>

#include <sstream>
#include <vector>

#include "adb/item_type.h"

namespace adb {

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

// Splits one line into bare words and double-quoted texts ("" inside a quoted
// text is one quote). A # outside quotes starts a comment.
bool Tokenize(const std::string& line, std::vector<Token>* tokens, std::string* problem) {
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') { ++i; continue; }
        if (c == '#') break;
        Token token;
        if (c == '"') {
            token.quoted = true;
            ++i;
            for (;;) {
                if (i >= line.size()) { *problem = "unterminated quoted text"; return false; }
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') { token.text += '"'; i += 2; continue; }
                    ++i;
                    break;
                }
                token.text += line[i++];
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '"')
                token.text += line[i++];
        }
        tokens->push_back(token);
    }
    return true;
}

const struct { const char* name; RootKey root; } kRoots[] = {
    {"HKCR", RootKey::classesRoot}, {"HKCU", RootKey::currentUser}, {"HKLM", RootKey::localMachine},
    {"HKU", RootKey::users},        {"HKCC", RootKey::currentConfig},
};

const char* RootName(RootKey root) {
    for (const auto& r : kRoots)
        if (r.root == root) return r.name;
    return "?";
}

// Item keywords: the kind and whether it belongs to the first family (0-18).
struct ItemWord {
    const char* word;
    ItemKind kind;
    bool primary;
};
const ItemWord kItemWords[] = {
    {"file", ItemKind::file, true},        {"folder", ItemKind::folder, true},
    {"key", ItemKind::key, true},          {"value", ItemKind::value, true},
    {"also-file", ItemKind::file, false},  {"also-folder", ItemKind::folder, false},
    {"also-key", ItemKind::key, false},    {"also-value", ItemKind::value, false},
};

bool ParseInt(const std::string& word, long long low, long long high, long long* value) {
    if (word.empty()) return false;
    char* end = nullptr;
    long long v = strtoll(word.c_str(), &end, 10);
    if (*end != 0 || v < low || v > high) return false;
    *value = v;
    return true;
}

std::string DescribeEncodeError(EncodeError error, size_t position) {
    switch (error) {
    case EncodeError::tooLong: return "text longer than 254 characters";
    case EncodeError::unrepresentable:
        return "character at position " + std::to_string(position) + " cannot be stored";
    case EncodeError::absentText: return "missing text";
    case EncodeError::none: break;
    }
    return "";
}

class Parser {
public:
    explicit Parser(SourceError* error) : error_(error) {}

    bool Line(int number, const std::string& line) {
        line_ = number;
        std::vector<Token> tokens;
        std::string problem;
        if (!Tokenize(line, &tokens, &problem)) return Fail(problem);
        if (tokens.empty()) return true;
        const Token& head = tokens[0];
        if (head.quoted) return Fail("a line starts with a keyword");
        if (head.text == "adware") return Adware(tokens);
        if (head.text == "end") {
            if (!open_) return Fail("'end' without 'adware'");
            if (tokens.size() != 1) return Fail("'end' takes nothing after it");
            open_ = false;
            return true;
        }
        if (!open_) return Fail("item outside an 'adware' block");
        return ItemLine(tokens);
    }

    bool Finish(Database* out) {
        if (open_) { line_ = openLine_; return Fail("'adware' block without 'end'"); }
        out->records = std::move(records_);
        return true;
    }

private:
    bool Fail(const std::string& message) {
        error_->line = line_;
        error_->message = message;
        return false;
    }

    bool CheckText(const std::string& text, const char* what) {
        size_t position = 0;
        EncodeError e = CheckString(text, &position);
        if (e != EncodeError::none) return Fail(std::string(what) + ": " + DescribeEncodeError(e, position));
        return true;
    }

    bool Adware(const std::vector<Token>& tokens) {
        if (open_) return Fail("'adware' inside an open block (missing 'end')");
        long long id = 0;
        if (tokens.size() != 3 || !ParseInt(tokens[1].text, INT32_MIN, INT32_MAX, &id))
            return Fail("expected: adware <id> \"<name>\"");
        if (!CheckText(tokens[2].text, "name")) return false;
        Record record;
        record.id = static_cast<int32_t>(id);
        record.name = tokens[2].text;
        records_.push_back(record);
        open_ = true;
        openLine_ = line_;
        return true;
    }

    bool Flags(const std::vector<Token>& tokens, size_t first, Item* item) {
        for (size_t i = first; i < tokens.size(); ++i) {
            const std::string& w = tokens[i].text;
            if (tokens[i].quoted) return Fail("unexpected text \"" + w + "\"");
            if (w == "kill-rundll32") item->killRundll32 = 1;
            else if (w == "kill-own") item->killOwnProcess = 1;
            else if (w == "restart-explorer") item->restartExplorer = 1;
            else return Fail("unknown flag '" + w + "'");
        }
        return true;
    }

    bool ItemLine(const std::vector<Token>& tokens) {
        Record& record = records_.back();
        if (record.items.size() == 255) return Fail("more than 255 items in one record");
        Item item;
        item.target = std::string();
        size_t next = 1;
        const std::string& word = tokens[0].text;
        if (word == "raw") {  // raw <code> <location> <target>: any code, for test databases
            long long code = 0;
            if (tokens.size() < 4 || !ParseInt(tokens[1].text, 0, 255, &code))
                return Fail("expected: raw <code 0-255> \"<location>\" \"<target>\"");
            item.type = static_cast<uint8_t>(code);
            item.location = tokens[2].text;
            item.target = tokens[3].text;
            next = 4;
        } else {
            const ItemWord* keyword = nullptr;
            for (const auto& w : kItemWords)
                if (word == w.word) keyword = &w;
            if (!keyword) return Fail("unknown keyword '" + word + "'");
            RootKey root = RootKey::none;
            bool registry = keyword->kind == ItemKind::key || keyword->kind == ItemKind::value;
            if (registry) {
                if (tokens.size() < 2) return Fail("missing registry root");
                for (const auto& r : kRoots)
                    if (tokens[1].text == r.name && !tokens[1].quoted) root = r.root;
                if (root == RootKey::none) return Fail("unknown registry root '" + tokens[1].text + "'");
                next = 2;
            }
            if (tokens.size() <= next) return Fail("missing location");
            item.location = tokens[next++].text;
            if (keyword->kind == ItemKind::file && keyword->primary) {
                if (tokens.size() <= next || !tokens[next].quoted) return Fail("missing \"<file name>\"");
                item.target = tokens[next++].text;
            }
            if (keyword->kind == ItemKind::value) {
                if (tokens.size() <= next || !tokens[next].quoted) return Fail("missing \"<value name>\"");
                item.target = tokens[next++].text;
            }
            ItemTypeCode(keyword->kind, root, keyword->primary, &item.type);
        }
        if (!CheckText(*item.location, "location") || !CheckText(*item.target, "target")) return false;
        if (!Flags(tokens, next, &item)) return false;
        record.items.push_back(item);
        return true;
    }

    SourceError* error_;
    std::vector<Record> records_;
    bool open_ = false;
    int line_ = 0;
    int openLine_ = 0;
};

std::string Quote(const Text& text) {
    if (!text) return "<absent>";
    std::string out = "\"";
    for (char c : *text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

bool ParseSignatureSource(const std::string& text, Database* out, SourceError* error) {
    out->records.clear();
    Parser parser(error);
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        if (!parser.Line(++number, line)) return false;
    }
    return parser.Finish(out);
}

std::string FormatSignatureSource(const Database& db) {
    std::ostringstream out;
    for (const Record& record : db.records) {
        out << "adware " << record.id << ' ' << Quote(record.name) << '\n';
        for (const Item& item : record.items) {
            ItemTypeInfo info = DescribeItemType(item.type);
            bool primary = item.type < 32;
            bool hasTarget = info.kind == ItemKind::value || (info.kind == ItemKind::file && primary);
            // A kind without a target keeps the raw form when its target is not empty.
            bool raw = info.kind == ItemKind::undefined || (!hasTarget && item.target != std::string());
            out << "    ";
            if (raw) {
                out << "raw " << static_cast<int>(item.type) << ' ' << Quote(item.location) << ' '
                    << Quote(item.target);
            } else {
                if (!primary) out << "also-";
                switch (info.kind) {
                case ItemKind::file: out << "file"; break;
                case ItemKind::folder: out << "folder"; break;
                case ItemKind::key: out << "key"; break;
                default: out << "value"; break;
                }
                if (info.root != RootKey::none) out << ' ' << RootName(info.root);
                out << ' ' << Quote(item.location);
                if (hasTarget) out << ' ' << Quote(item.target);
            }
            if (item.killRundll32 == 1) out << " kill-rundll32";
            if (item.killOwnProcess == 1) out << " kill-own";
            if (item.restartExplorer == 1) out << " restart-explorer";
            out << '\n';
        }
        out << "end\n\n";
    }
    return out.str();
}

}  // namespace adb
