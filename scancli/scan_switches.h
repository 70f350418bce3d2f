// PurvexScan.exe's command line: what to do and how. No Windows calls here.
#pragma once
#include <stdint.h>

#include <set>
#include <string>
#include <vector>

namespace scancli {

enum class Mode { kScan, kCure, kList, kRestore, kHelp };

struct ScanSwitches {
    Mode mode = Mode::kScan;
    bool onlyGiven = false;       // /only: cure only the records in only
    std::set<int32_t> only;
    std::set<int32_t> excluded;   // /exclude: neither scanned nor cured
    std::string reportPath;       // /report:FILE as given; empty without it
    std::string restoreName;      // /restore:NAME
    bool log = true;              // false with /nolog
    bool backup = true;           // false with /nobackup
    bool quiet = false;
};

// Reads the arguments after the program name. Switches start with '/' or '-'
// and are matched without regard to case; values follow a ':'. On a bad
// switch returns false with *fault naming it (the message's %s) and
// *faultFormat the message; *out is then unspecified.
bool ParseSwitches(const std::vector<std::string>& args, ScanSwitches* out, std::string* fault,
                   const char** faultFormat);

// Reads "ID[,ID...]" (signed 32-bit decimal numbers); false on anything else.
bool ParseIdList(const std::string& text, std::set<int32_t>* ids);

}  // namespace scancli
