// Every file of the release the updater can replace, one row each, in the
// fixed order in which they are checked and fetched. This table is the one
// place that names a release file to the updater: the main program's first
// writing of the version record and scripts/publish-update.sh follow it.
// The item number is also the dialog's current item while that file is
// being fetched.
#pragma once
#include <string>
#include <vector>

namespace freshen {

struct UpdateItem {
    int number;                // 1 to kItemCount: the row's place
    int installRank;           // the order of the install step, from 1
    const char* section;       // section of the version file
    const char* valueRead;     // version record value read ...
    const char* valueWritten;  // ... and written (the same value: names ignore case)
    const char* serverFile;    // appended to the update path; also its name in ".\temp"
    const char* installedAs;   // what the download replaces: ".\<name>"
    // The file carries no version text of its own: the main program's first
    // start records it at the release's version (Purvex.exe's FileVersion).
    bool releaseVersion;
};

extern const int kItemCount;
constexpr int kMainProgramItem = 1;  // Purvex.exe

// number must be 1 to kItemCount.
const UpdateItem& Item(int number);

// Item numbers in the order in which fetched files are installed.
std::vector<int> InstallOrder();

extern const char kTempFolder[];  // ".\temp"

// ".\temp\<server name>": where the item's download lands.
std::string TempPath(const UpdateItem& item);
// The item's server name followed by one of the suffixes of freshen_texts.h.
std::string FileText(const UpdateItem& item, const char* suffix);

}  // namespace freshen
