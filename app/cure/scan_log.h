// The scan log folder: one numbered folder per logged pass under the log root,
// holding head.txt and report.txt in code page 949 with CRLF line ends.
//
// Every writer opens, writes and closes its file; a file that cannot be
// created or opened is skipped and the writer returns false, which callers
// may ignore: a log failure never stops a scan or a cure.
#pragma once
#include <windows.h>

#include <stdint.h>

#include <string>
#include <vector>

#include "base/unique_handle.h"

namespace cure {

inline constexpr char kLogRoot[] = ".\\PurvexLog";

// The number the next pass folder under root gets: one above the highest
// folder name read as a decimal number (a name without leading digits counts
// as 0), whatever order the listing comes in; 0 when root does not exist.
// rootExists (optional) tells whether the listing found the root.
int NextPassNumber(const std::string& root, bool* rootExists = nullptr);

// Creates root when missing and a new pass folder in it, "root\%08d". An
// existing folder is never reused: when the chosen name is taken the next free
// number is tried. Returns the folder path, or empty when none could be made.
std::string CreatePassFolder(const std::string& root);

// head.txt: the first three lines at the start of a pass (file created anew),
// then the fourth line "완  료" or "취  소" without a line end.
bool WriteHeadStart(const std::string& folder, const SYSTEMTIME& start);
bool AppendHeadEnd(const std::string& folder, bool completed);

// report.txt: heading (file created anew), summary, and one of the end lines.
// The heading names recordCount, the number of records the engine loaded.
bool WriteReportHeading(const std::string& folder, const SYSTEMTIME& start, int recordCount);
bool AppendReportSummary(const std::string& folder, int found, int total);
bool AppendReportCompleted(const std::string& folder, const SYSTEMTIME& end);
bool AppendReportCancelled(const std::string& folder, const SYSTEMTIME& end);

// One item of a cured row that the log names: one left for the next start of
// Windows, or one that failed for a reason the engine gives.
struct ItemNote {
    std::string record;       // the row's adware name
    std::string location;     // the item where the scan found it
    std::string restartPath;  // what the next start removes (an item left for it)
    uint8_t outcome = 0;      // PurvexItemOutcome
    uint8_t reason = 0;       // PurvexItemReason
};

// One cure table appended to a pass's report.txt: the heading when opened,
// then one row per cured adware. Closes the file when destroyed.
class CureTableWriter {
public:
    // Opens folder\report.txt (existing only) at its end and writes the
    // heading. An empty folder or a file that cannot be opened writes nothing.
    explicit CureTableWriter(const std::string& folder);
    bool is_open() const { return static_cast<bool>(file_); }
    // name, count and status exactly as the list shows them.
    void AppendRow(const std::string& name, const std::string& count, const std::string& status);
    // After the rows, when any row was left for the restart or any note is
    // given: the number of rows cured, left for the restart and failed, then
    // one line per note (left for the restart, or failed and why).
    void AppendSummary(int done, int atRestart, int failed, const std::vector<ItemNote>& notes);

private:
    base::UniqueFile file_;
};

}  // namespace cure
