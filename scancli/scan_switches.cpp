#include "scancli/scan_switches.h"

#include <ctype.h>
#include <errno.h>
#include <stdlib.h>

#include "scancli/scan_texts.h"

namespace scancli {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// One switch: its lower-case name and, after the first ':', its value.
struct Switch {
    std::string name;
    std::string value;
    bool hasValue = false;
};

bool SplitSwitch(const std::string& arg, Switch* out) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return false;
    const size_t colon = arg.find(':');
    out->name = Lower(arg.substr(1, colon == std::string::npos ? std::string::npos : colon - 1));
    out->hasValue = colon != std::string::npos;
    if (out->hasValue) out->value = arg.substr(colon + 1);
    return true;
}

}  // namespace

bool ParseIdList(const std::string& text, std::set<int32_t>* ids) {
    size_t start = 0;
    do {
        const size_t comma = text.find(',', start);
        const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (part.empty() || part.find_first_not_of("+-0123456789") != std::string::npos) return false;
        char* end = nullptr;
        errno = 0;
        const long long id = strtoll(part.c_str(), &end, 10);
        if (*end != 0 || errno == ERANGE || id < INT32_MIN || id > INT32_MAX) return false;
        ids->insert(static_cast<int32_t>(id));
        start = comma == std::string::npos ? std::string::npos : comma + 1;
    } while (start != std::string::npos);
    return true;
}

bool ParseSwitches(const std::vector<std::string>& args, ScanSwitches* out, std::string* fault,
                   const char** faultFormat) {
    *out = ScanSwitches();
    bool modeGiven = false;
    *faultFormat = kMsgBadSwitch;
    for (const std::string& arg : args) {
        *fault = arg;
        Switch s;
        if (!SplitSwitch(arg, &s)) return false;
        const bool plain = !s.hasValue;
        Mode mode = Mode::kScan;
        bool isMode = true;
        if (s.name == "scan" && plain) {
            mode = Mode::kScan;
        } else if (s.name == "cure" && plain) {
            mode = Mode::kCure;
        } else if (s.name == "list" && plain) {
            mode = Mode::kList;
        } else if (s.name == "?" && plain) {
            mode = Mode::kHelp;
        } else if (s.name == "restore" && !s.value.empty() && out->restoreName.empty()) {
            mode = Mode::kRestore;
            out->restoreName = s.value;
        } else {
            isMode = false;
        }

        if (isMode) {
            if (modeGiven && out->mode != mode) {
                *faultFormat = kMsgSwitchTwice;
                return false;
            }
            modeGiven = true;
            out->mode = mode;
        } else if (s.name == "only" && ParseIdList(s.value, &out->only)) {
            out->onlyGiven = true;
        } else if (s.name == "exclude" && ParseIdList(s.value, &out->excluded)) {
            // the ids are in out->excluded
        } else if (s.name == "report" && !s.value.empty()) {
            out->reportPath = s.value;
        } else if (s.name == "nolog" && plain) {
            out->log = false;
        } else if (s.name == "nobackup" && plain) {
            out->backup = false;
        } else if (s.name == "quiet" && plain) {
            out->quiet = true;
        } else {
            return false;
        }
    }
    // What only a scan or a cure uses makes no sense elsewhere: said rather than ignored.
    const struct {
        const char* name;
        bool given;
    } scanSwitches[] = {{"/only", out->onlyGiven}, {"/exclude", !out->excluded.empty()}, {"/report", !out->reportPath.empty()}};
    const bool scanOrCure = out->mode == Mode::kScan || out->mode == Mode::kCure;
    for (const auto& s : scanSwitches) {
        if (s.given && !scanOrCure) {
            *fault = s.name;
            *faultFormat = kMsgSwitchTwice;
            return false;
        }
    }
    if (out->onlyGiven && out->mode != Mode::kCure) {
        fault->clear();
        *faultFormat = kMsgOnlyWithoutCure;
        return false;
    }
    return true;
}

}  // namespace scancli
