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
    std::string profile;       // the shell's profile folder; "" when it names none
};
SystemFolders ReadSystemFolders();

// One folder of a target: its search pattern ("<folder>\*.*") and the
// folder's identity when the list of folders was made. A pinned folder is
// walked only while it is still that folder (an unknown identity: it was
// absent, and is never walked on the NT family); an unpinned one (made from a
// bare pattern) is walked whatever it is, as long as it is no link.
struct TargetFolder {
    TargetFolder(std::string searchPattern) : pattern(std::move(searchPattern)) {}
    TargetFolder(std::string searchPattern, const base::FileIdentity& folder)
        : pattern(std::move(searchPattern)), identity(folder), pinned(true) {}
    std::string pattern;
    base::FileIdentity identity;
    bool pinned = false;
};

// The folders of a target, in the order they are walked: the folders the
// program has always named for it (the profile layout of the NT 5 family on
// drive C, the first 10 characters of the system directory, the usual names
// of the Windows directory) and the folders the system itself names for it
// (the temporary path, the Windows directory's Temp, the shell's cookie
// folder, the profile's "Local Settings\Temp"), each folder once (compared by
// identity, and by long name without regard to case). A folder of one of the
// fixed names takes part only when it is absent or is, by identity, one the
// system names for the target: a folder of that name made by someone else is
// never listed or emptied. A folder that is itself a link, and one that is,
// or contains, a protected location (base/protected_locations.h), are left
// out. The search and the
// delete-all of a target use this same list, so "검색하기" lists exactly the
// files "일괄삭제" deletes.
std::vector<TargetFolder> TargetFolders(DiskTarget target, const SystemFolders& system);
// Their search patterns.
std::vector<std::string> TargetPatterns(DiskTarget target, const SystemFolders& system);
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
// number of files that could not be deleted.
int DeleteWholeTarget(DiskTarget target);

// The files a search listed, by the path their rows show, each with the
// record that reaches it again.
class ListedFiles {
public:
    void Clear() { items_.clear(); }
    void Add(const std::string& path, const base::ListedItem& item) { items_[path] = item; }

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
