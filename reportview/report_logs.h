// The scan logs as files: listing the log folders, reading the start of
// head.txt and report.txt, saving a report's text and deleting a log folder.
// No windows here; the reports page decides what to show.
#pragma once
#include <string>
#include <vector>

#include "base/deletion.h"

namespace reports {

constexpr size_t kHeadBytes = 200;     // read of head.txt
constexpr size_t kReportBytes = 1000;  // read of report.txt, shown and saved as it is

// The list columns 1 to 4 of one log: head.txt cut at its first three
// "\r\n". Columns the text does not reach stay empty; the status is
// everything after the third line break, line breaks included.
struct HeadColumns {
    std::string date, kind, title, status;
};
HeadColumns SplitHead(const std::string& text);

// The first `limit` bytes of the file at path as text, up to the first zero
// byte. False, with text empty, when the file cannot be opened for reading.
bool ReadTextStart(const std::string& path, size_t limit, std::string* text);

// A log folder as the listing found it: its name, whole whatever its length,
// and the record that reaches it again (base/deletion.h).
struct LogFolder {
    std::string name;
    base::ListedItem listed;
};
// The folders in the folder that pattern ("dir\*.*") searches, in the order
// of the search, without "." and "..". A folder that is itself a link is not
// searched.
std::vector<LogFolder> FindSubfolders(const std::string& pattern);

// Creates (or truncates) the file at path and writes bytes, without a
// terminator. False when the file cannot be created or written; a file
// that was created or truncated but not written whole is removed again.
bool SaveTextFile(const std::string& path, const std::string& bytes);

// Puts back the cure's backup kept in folder (backup/restore.h): the number of
// items put back, or backup's kNoBackup, kRefusedBackup or kUncheckedBackup,
// nothing having been put back. A backup too large for memory is refused.
int RestoreBackup(const std::string& folder);

// Deletes a listed log folder with everything in it, only while the log root
// and the folder are still the ones listed (base/deletion.h). A link inside
// it (or the folder itself, when it is one) is removed as a link where the
// system can open the link itself; its target is never touched. True when
// nothing is left of it, also when it was gone already.
bool RemoveLogFolder(const base::ListedItem& folder);

}  // namespace reports
