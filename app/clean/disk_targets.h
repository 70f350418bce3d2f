// The disk tab's work without windows: the folders each target covers, the
// link-safe walk that both the search and the delete-all use, the sizes and
// texts of the list rows, and emptying the recycle bin.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace clean {

// Every composed path and search pattern fits this buffer, terminator
// included; one that would not is skipped, never cut.
constexpr size_t kPathSize = 260;

enum class DiskTarget { Cookies, TempFiles, WindowsTemp };

// What the system says about its folders, read once per scan or deletion.
struct SystemFolders {
    std::string userName;      // the current user's log-on name
    std::string tempPath;      // the temporary path, ending in "\"
    std::string windowsDir;    // the Windows directory, read in full
    std::string systemDir;     // the system directory
    std::string shellCookies;  // the shell's cookie folder; "" when it names none
};
SystemFolders ReadSystemFolders();

// The search patterns ("<folder>\*.*") of a target, in the order they are
// walked: the folders the program has always named for it (the profile
// layout of the NT 5 family on drive C, the first 10 characters of the system
// directory, the usual names of the Windows directory) and the folders the
// system itself names for it, each folder once (compared by long name,
// without regard to case). A folder that is, or contains, a protected
// location (base/protected_locations.h) is left out. The search and the delete-all of a target use
// this same list, so "검색하기" lists exactly the files "일괄삭제" deletes.
std::vector<std::string> TargetPatterns(DiskTarget target, const SystemFolders& system);
// Whether two search patterns search the same folder: compared by the
// folders' long names (when they exist), without regard to case.
bool SameSearchFolder(const std::string& a, const std::string& b);

// Walks pattern (a folder followed by "\*.*", or by "*.*" after a trailing
// backslash) and every folder below it, calling onFile(full path, name) for
// each file. Folders whose name begins with "." are not entered; links (a
// directory with the reparse-point attribute) are neither entered nor
// reported; entries whose path or pattern would not fit kPathSize are
// skipped. A pattern that finds nothing ends the walk at once. onFile
// returning false stops the whole walk; the result is then false.
bool WalkFiles(const std::string& pattern, const std::function<bool(const char* path, const char* name)>& onFile);

// Deletes every file WalkFiles finds under pattern; folders stay. Each failed
// deletion adds 1 to failures.
void DeleteAllFiles(const std::string& pattern, int& failures);

// The file's length in bytes; 0 when it cannot be opened for reading.
uint64_t FileLength(const char* path);
// The size column: bytes x 0.001 as "%.1lfKB" (1,536 bytes: "1.5KB").
std::string SizeText(uint64_t bytes);
// The status line while a file is listed: "검사대상 : " with the first 13
// characters of the path (a double-byte character is never split), "....",
// then the file name.
std::string ListingStatus(const char* path, const char* name);
// Whether a path column ends in exactly "index.dat" (letter case counts).
bool IsIndexDatPath(const char* path);

// Empties the recycle bins of all drives: no confirmation, no progress
// window, no sound. An empty bin is no error.
void EmptyRecycleBins();

}  // namespace clean
