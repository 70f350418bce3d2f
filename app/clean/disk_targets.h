// The disk tab's work without windows: the folders each target covers, the
// link-safe walk that both the search and the delete-all use, the deletion of
// listed rows, the sizes and texts of the list rows, and emptying the
// recycle bin. Every deletion goes through base/deletion.h.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/deletion.h"
#include "base/user_folders.h"

namespace clean {

// Every composed path and search pattern fits this buffer, terminator
// included; one that would not is skipped, never cut.
constexpr size_t kPathSize = 260;

enum class DiskTarget { Cookies, TempFiles, WindowsTemp };

// What the system says about its folders, read once per scan or deletion.
// These names are the user's to change (TMP and TEMP, "User Shell Folders"):
// TargetFolders judges each folder before it takes part.
struct SystemFolders {
    std::string userName;      // the current user's log-on name
    std::string tempPath;      // the temporary path, ending in "\"
    std::string windowsDir;    // the Windows directory, read in full
    std::string systemDir;     // the system directory
    std::string shellCookies;  // the shell's cookie folder; "" when it names none
};
SystemFolders ReadSystemFolders();

// One folder of a target: its search pattern ("<folder>\*.*"), and the folder
// as TargetFolders judged it, held open: the walk starts from exactly the
// folder judged, whatever its path leads to meanwhile. A folder that is not
// held is walked only when it was not refused (refusal kNone): a pinned one
// while it is still the folder of that identity, an unpinned one (made from a
// bare pattern) whatever it is, as long as it is no link.
struct TargetFolder {
    TargetFolder(std::string searchPattern) : pattern(std::move(searchPattern)) {}
    TargetFolder(std::string searchPattern, const base::FileIdentity& folder)
        : pattern(std::move(searchPattern)), identity(folder), pinned(true) {}
    std::string pattern;
    base::FileIdentity identity;
    bool pinned = false;
    base::OpenFolder held;
    // Why it is not emptied; kAbsent: nothing was there, it lists nothing.
    base::UserFolderRefusal refusal = base::UserFolderRefusal::kNone;
};

// The folders of a target, in the order they are walked: the folders the
// program has always named for it (the profile layout of the NT 5 family on
// drive C, the first 10 characters of the system directory, the usual names
// of the Windows directory) and the folders the system itself names for it
// (the temporary path, the Windows directory's Temp, the shell's cookie
// folder), each folder once (compared by identity, and by long name without
// regard to case). Every folder is opened and judged as base/user_folders.h
// judges the folders of a user's own files: inside the user's profile (never
// through a link on the way) or one of the system's own folders, and neither
// a protected location nor one that contains one. A folder the system names
// that fails is listed all the same, with its refusal, and nothing in it is
// touched. A folder of one of the fixed names takes part only when it is
// absent or is, by identity, one the system names for the target (or the
// profile's "Local Settings\Temp") and passed: one of that name made by
// someone else is never listed or emptied. The search and the delete-all of
// a target use this same list, so "검색하기" lists exactly the files
// "일괄삭제" deletes.
std::vector<TargetFolder> TargetFolders(DiskTarget target, const SystemFolders& system);
// The search patterns of the folders that are not refused.
std::vector<std::string> TargetPatterns(DiskTarget target, const SystemFolders& system);
// The short text a refused folder's row shows in its size column; nullptr
// for kNone and kAbsent (nothing to tell).
const char* RefusalText(base::UserFolderRefusal refusal);
// Whether two search patterns search the same folder: compared by the
// folders' long names (when they exist), without regard to case.
bool SameSearchFolder(const std::string& a, const std::string& b);

// Walks the folder of a pattern (a folder followed by "\*.*", or by "*.*"
// after a trailing backslash) and every folder below it, calling onFile(full
// path, name) for each file. The walk never starts at a link and never enters
// one (base/deletion.h); folders whose name begins with "." are not entered;
// entries whose path or pattern would not fit kPathSize are skipped; a folder
// that cannot be opened or listed lists nothing. onFile returning false
// stops the whole walk; the result is then false.
bool WalkFiles(const TargetFolder& folder,
               const std::function<bool(const char* path, const char* name)>& onFile);
// The same walk for the search, with the record of each file for its row.
bool ListFiles(const TargetFolder& folder,
               const std::function<bool(const char* path, const char* name, const base::ListedItem& item)>& onFile);

// Deletes every file WalkFiles finds, through the handle of the folder the
// walk holds; folders stay. Each failed deletion adds 1 to failures.
void DeleteAllFiles(const TargetFolder& folder, int& failures);

// Deletes every file of every folder of a target, as "일괄삭제" does; the
// number of files that could not be deleted. *refused (when given) gets the
// number of folders the system names for the target that were refused.
int DeleteWholeTarget(DiskTarget target, int* refused = nullptr);

// The files a search listed, by the path their rows show, each with the
// record that reaches it again.
class ListedFiles {
public:
    void Clear() { items_.clear(); }
    void Add(const std::string& path, const base::ListedItem& item) { items_[path] = item; }
    // Whether a row of that path is a file the search listed (a refused
    // folder's row is none).
    bool Contains(const std::string& path) const { return items_.count(path) != 0; }

    // One run of deletions (one press of the delete button): the folders of
    // the rows are reached again once each and held while the run lasts.
    class Run {
    public:
        explicit Run(const ListedFiles& files) : files_(files) {}
        // Deletes the file a row shows, as it is (a read-only file stays),
        // and only while the folder it was listed under and every folder on
        // the way are still the ones listed. False when it is gone, is no
        // longer what was listed, or cannot be deleted.
        bool Delete(const std::string& path);

    private:
        const ListedFiles& files_;
        base::HeldFolders folders_;
    };
    // A run of one.
    bool Delete(const std::string& path) const { return Run(*this).Delete(path); }

private:
    std::map<std::string, base::ListedItem> items_;
};

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

// The number of items in the recycle bin, as the shell lists them.
int RecycleBinItemCount();

// Empties the recycle bins of all drives: no confirmation, no progress
// window, no sound. An empty bin is no error.
void EmptyRecycleBins();

}  // namespace clean
