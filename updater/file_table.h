// The six replaceable files, in the fixed order in which they are checked and
// fetched. The item number is also the dialog's current item while that file
// is being fetched.
#pragma once

namespace freshen {

struct UpdateItem {
    int number;                // 1 to 6
    const char* section;       // section of the version file
    const char* valueRead;     // version record value read ...
    const char* valueWritten;  // ... and written (the same value: names ignore case)
    const char* serverFile;    // appended to the update path
    const char* tempFile;      // where the download lands
    const char* installedAs;   // what the download replaces
    const char* statusText;    // status line while it is fetched
    const char* failedText;    // told to the user when its download failed
    const char* refusedText;   // told when it arrived other than announced
};

constexpr int kItemCount = 6;

// number must be 1 to kItemCount.
const UpdateItem& Item(int number);

// Item numbers in the order in which fetched files are installed.
extern const int kInstallOrder[kItemCount];

extern const char kTempFolder[];  // ".\temp"

}  // namespace freshen
