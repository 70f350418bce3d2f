// The startup list without windows: the values of the Run-type registry keys
// and the entries of the startup folders that start programs at log-on, in the
// order the startup tab lists them; their sort by name; and the deletion of a
// row by its own kind with an honest outcome.
//
// The tab's list view holds nothing but these rows: it inserts the scanned
// rows in order (top row first), hands its rows (texts and ticks) to the sort
// and writes them back, and deletes its ticked rows through DeleteCheckedRows.
// All texts are in the ANSI code page (949 on a Korean system), as the list
// view's ANSI messages take them.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/deletion.h"

namespace startup {

// One row of the startup list, column by column:
//   0 ""         the tick box only: checked
//   1 "값이름"   name: the value name (empty for a key's default value), or
//                the file or subfolder name
//   2 "데이터값" data: the value data as text (see ValueText in
//                value_text.h); always empty for a folder row
//   3 "경  로"   path: "HKEY_CURRENT_USER\" or "HKEY_LOCAL_MACHINE\" followed
//                by the key for a registry row, and k64BitViewMarker after a
//                key read from the 64-bit registry view; the folder searched,
//                ending in "\", for a folder row
// The kind of a row follows from its path alone (KindOf).
struct StartupRow {
    std::string name;
    std::string data;
    std::string path;
    bool checked = false;  // the scan lists every row unchecked
    // A folder row found by the scan: what reaches its file again
    // (base/deletion.h). Empty for registry rows and rows made otherwise.
    base::ListedItem listed;
};

enum class RowKind { kRegistryValue, kFolderEntry };

// A path that begins with "HKEY" is a registry value, any other a folder entry.
RowKind KindOf(const StartupRow& row);

// What a scan lists, top row first, and whether the path column (3) narrows
// from 140 to 124 pixels to leave room for the list's scroll bar: that happens
// from the ninth value of one key on, or when a folder row is added to a list
// that already holds more than eight rows. The scan never widens the column
// again; the tab does that when it empties its list on leaving.
struct StartupList {
    std::vector<StartupRow> rows;
    bool narrowPathColumn = false;
};

// The registry keys read, in reading order: the user's Run, Run-, RunOnce,
// RunOnceEx, RunServices and RunServicesOnce keys, the user's key
// "...\Explorer\User Shell Folders\Startup" (read as a key), then the
// machine's six keys of the same names.
struct RunKey {
    HKEY root;  // HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE
    const char* path;
};
inline constexpr int kRunKeyCount = 13;
extern const RunKey kRunKeys[kRunKeyCount];

// On 64-bit Windows this 32-bit program sees the machine's keys in their
// 32-bit registry view; the 64-bit view holds the start entries of 64-bit
// programs. Its rows carry this marker after the key in the path column and
// are deleted in that view. The user's keys are one in both views.
inline constexpr char k64BitViewMarker[] = " (64비트)";

// Lists the values of root\key (root HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER;
// the key is opened for reading only) at the top of the list, in their
// enumeration order, above the rows already there. A key that cannot be opened
// adds nothing; a value whose name does not fit 255 bytes is left out. With
// view64, the key of the 64-bit registry view is read, and only under WOW64
// and where it is not the very key of the view this process sees.
void AddRegistryKey(HKEY root, const char* key, StartupList* list, bool view64 = false);

// Appends the entries of folder (a path ending in "\") in the order the search
// returns them, each with its record. A subfolder is searched first and its
// rows come before its own row; a link to a folder gets its own row but is
// never entered, and a folder that is itself a link is not searched. Entries
// whose name begins with "." and the names "INFO2" and "desktop.ini"
// (compared exactly, letter case included) get no row. A folder whose search
// pattern (folder + "*.*") does not fit 260 bytes with its terminator is not
// searched; a folder that does not exist adds nothing.
void AddFolder(const std::string& folder, StartupList* list);

// The startup folders, in search order, each ending in "\":
//   "C:\Documents and Settings\All Users\시작 메뉴\프로그램\시작프로그램\"
//   "C:\Documents and Settings\<userName>\시작 메뉴\프로그램\시작프로그램\"
//       (left out when userName is empty)
//   "C:\Documents and Settings\Administrator\시작 메뉴\프로그램\시작프로그램\"
//   "C:\WINDOWS\시작 메뉴\프로그램\시작프로그램\"
// then the shell's own startup folder of all users and of the current user,
// each only when it differs (letter case aside) from every folder before it.
// The fixed four stay as they are even when two are the same: the user
// "Administrator" sees that folder's rows twice.
std::vector<std::string> StartupFolders(const std::string& userName);

// The log-on name of the current user (GetUserNameA into 255 bytes); empty
// when it cannot be read.
std::string LogonUserName();

// The whole scan: every key of kRunKeys in order (under WOW64 each machine
// key in its 32-bit view, then in its 64-bit view), then every folder of
// StartupFolders(LogonUserName()). The rows of the key read last stand at the
// top; the folder rows follow in the order found.
StartupList ScanStartupEntries();

// Compares two names character by character by their codes in the ANSI code
// page (a double-byte character's code is lead byte * 256 + trail byte),
// letter case included, as the C library's _mbscmp does. Negative, zero or
// positive.
int CompareNames(const std::string& a, const std::string& b);

// The exchange sort of the name column over all rows, registry and folder
// rows together: for every i and every j after it, rows i and j (texts and
// tick alike) change places when they are out of order, descending or
// ascending by CompareNames. Equal names are never exchanged.
void SortByName(std::vector<StartupRow>* rows, bool descending);

// The name column's sort direction, which lasts as long as the tab (neither a
// scan nor leaving the tab resets it). Every click on the column flips it,
// also on an empty list: the first click sorts descending (header image 3,
// the downward arrow), the next ascending (image 2, the upward arrow).
class NameSortToggle {
public:
    // The direction of this click: true for descending.
    bool Click() {
        const bool descending = !ascendingNext_;
        ascendingNext_ = descending;
        return descending;
    }

private:
    bool ascendingNext_ = false;
};

// The records of the folder rows a scan listed, by their path and name
// columns: the tab's list view holds only the texts.
class ListedRows {
public:
    void Clear() { items_.clear(); }
    void Add(const StartupRow& row);
    // Gives row the record of the listed folder row with its path and name.
    void Attach(StartupRow* row) const;

private:
    std::map<std::pair<std::string, std::string>, base::ListedItem> items_;
};

// The outcome of deleting one row. A row leaves the list unless its value or
// file is still there after the attempt.
enum class DeleteOutcome {
    kDeleted,      // it was there and is gone now
    kAlreadyGone,  // it was gone before the attempt (e.g. the second of two
                   // rows of the same file): counts as deleted
    kStillThere,   // it is still there, or could not be found to be gone (no
                   // access, a subfolder, a file in use, a path past 260 bytes)
};
inline bool LeavesList(DeleteOutcome outcome) { return outcome != DeleteOutcome::kStillThere; }

// Deletes the value name of the key a registry row's path names (the part
// before the first "\" is the root: exactly "HKEY_CURRENT_USER" or, for
// anything else, HKEY_LOCAL_MACHINE), in the 64-bit registry view when the
// path ends in k64BitViewMarker (such a row is never deleted outside WOW64).
// The key is opened for writing only here. An empty name is the key's
// default value.
DeleteOutcome DeleteRegValue(const std::string& path, const std::string& name);

// Deletes the file folder + name through the handle of folder, which must be
// no link (base/deletion.h); a folder is never removed, nor a link to one.
DeleteOutcome DeleteFolderEntry(const std::string& folder, const std::string& name);
// Deletes the file a folder row's record names, only while the startup
// folder it was listed under and every folder on the way are still the ones
// listed; otherwise it stays (kStillThere).
DeleteOutcome DeleteListedEntry(const base::ListedItem& listed);

// Deletes the row's value or file by the row's kind; a folder row by its
// record when it has one.
DeleteOutcome DeleteRow(const StartupRow& row);

// How a delete over the checked rows ends, for the tab's message:
//   kNothingChecked  no row was checked: nothing changed
//   kCompleted       every checked row was deleted or already gone
//   kSomeKept        at least one checked row is still there (also when none
//                    could be deleted)
enum class DeleteEnd { kNothingChecked, kCompleted, kSomeKept };

struct DeleteTally {
    int removed = 0;  // rows that left the list
    int kept = 0;     // checked rows still there, left in the list checked
    DeleteEnd end() const {
        if (kept > 0) return DeleteEnd::kSomeKept;
        return removed > 0 ? DeleteEnd::kCompleted : DeleteEnd::kNothingChecked;
    }
};

// Deletes every checked row from the top down by its own kind. Rows that leave
// the list are erased from rows, each after left(its index in rows just then)
// when a caller keeps its own list in step; the others keep their place and
// tick.
DeleteTally DeleteCheckedRows(std::vector<StartupRow>* rows, const std::function<void(size_t row)>& left = {});

}  // namespace startup
