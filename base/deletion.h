// The one door through which the program deletes the user's and the system's
// files and folders (a program's own scratch files aside), and moves them
// away to keep them (a cure's backup) or back again (its restore).
//
// What it never does, on the NT family:
//  - It never deletes through a link. A walk never enters a junction, mount
//    point or symbolic link (an entry with the reparse-point attribute); a
//    link met on the way is removed as itself, and only when the system opens
//    the link itself (Wine opens its target instead: such a link stays). A
//    folder that is itself a link is never the start of a walk.
//  - It never acts by path after a check. Every folder below a walk's start
//    is opened relative to its parent's open handle without following a
//    reparse point, and every item is deleted through its own handle
//    (FileDispositionInformation), so a path renamed or swapped meanwhile
//    cannot send a deletion elsewhere.
//  - It never acts on what is no longer what was listed. An item is reached
//    again from the start of the listing that found it: that folder, each
//    folder on the way and a folder or link item itself must still be the
//    ones listed (volume serial number and file index, read on the handles
//    the act then uses), and an entry listed as a link must still be one and
//    the reverse. A plain file must still be a plain file in that folder (one
//    made anew under its name counts as it, as the file held then).
//  - It never writes to a file that has more than one name (hard links), nor
//    changes its attributes, which are every name's: such a file is only
//    unlinked, and a read-only one stays.
// Whatever is left for any of these reasons is reported as not done, like any
// other failure (a file in use, no access).
//
// Moving (HeldItem::MoveInto) keeps the same promises: a move is a removal
// from where the item was. A file or a link moves by handle into the
// destination folder's handle (never replacing anything there) when both lie
// on one volume; to another volume a file is copied, byte for byte with its
// times and attributes, and then deleted by handle (a link cannot be copied
// and stays). A folder moves as a walk: the folder is made anew at the
// destination, everything in it moves, and the emptied folder is removed;
// the walk never enters a link. Making way to a place (OpenFolder::MadeWay)
// opens every folder from the drive root down relative to its parent, makes
// a missing one as a plain folder and refuses a link on the way.
//
// The 9x family's file systems have no links and no file indexes: there the
// same calls work on plain paths. Which way the layer works follows what the
// system offers (the NT calls of ntdll), never the version it reports, which
// a compatibility layer can make Windows 98 on the NT family.
//
// Reaching an item (HoldListed, HoldPath, OpenFolder) is kept apart from acting
// on it (HeldItem's Delete, RemoveTree and MoveInto), so a caller can check
// what it holds (say, against the protected locations) before it acts on
// exactly that.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "base/unique_handle.h"

namespace base {

// For tests only: from now on this copy of the layer works the 9x family's
// way, by path, as it does where the NT calls are missing (under Wine they
// are always there).
void UsePathCallsForTests();
// True where the layer works the NT family's way, by handle; false where it
// works by path (the 9x family, or after UsePathCallsForTests).
bool WorksByHandle();

// Which file or folder a name stands for: the volume's serial number and the
// file index. Unknown (index 0) where the system gives none.
struct FileIdentity {
    DWORD volume = 0;
    ULONGLONG index = 0;
    bool Known() const { return index != 0; }
};
// Both known and the same.
bool SameIdentity(const FileIdentity& a, const FileIdentity& b);

// The identity of what path names, links followed as the system follows them;
// unknown when it cannot be opened, and always on the 9x family.
FileIdentity IdentityOf(const char* path);

// One entry of a folder listing ("." and ".." are never listed).
struct FolderEntry {
    std::string name;       // in the ANSI code page
    std::wstring wideName;  // NT family: the name as stored, which the handle calls use
    std::string shortName;  // the 8.3 name where the listing gives one
    DWORD attributes = 0;
    FileIdentity identity;  // as listed (NT family from XP on); for a folder, read on its handle when opened
    bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool IsLink() const { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
};

// What a listing found, kept to act on it later: the folder the listing
// started at and every entry from there down to the item.
struct ListedItem {
    std::string root;                // full path
    FileIdentity rootIdentity;
    std::vector<FolderEntry> steps;  // the folders on the way, then the item
    bool Empty() const { return steps.empty(); }
};

// What to do about attributes that would stop a deletion.
enum class Attributes {
    kAsTheyAre,      // a read-only file is not deleted
    kClearReadOnly,  // a read-only entry loses that attribute first
    kNormal,         // a read-only or system entry gets normal attributes first
};

// How the files inside a moved folder are named where they arrive: as they
// are, with a suffix added, or with that suffix taken off (a name that does
// not end in it stays as it is).
struct FileNaming {
    enum Mode { kSame, kAddSuffix, kDropSuffix };
    Mode mode = kSame;
    const char* suffix = "";  // ASCII
};

// How a move ended.
struct MoveOutcome {
    bool arrived = false;   // something of the item is now at the destination
    bool complete = false;  // nothing of it is left where it was
};

class HeldItem;

// A folder held open (NT family) or named (9x family) for listing it and
// acting on its entries. Move-only.
class OpenFolder {
public:
    // Opens the folder at path as the start of a walk or listing. The path is
    // resolved as the system resolves it (links on the way are followed), but
    // the folder itself must be no link. With expected, it must also still
    // be that folder (NT family: an unknown expected identity refuses).
    // forDeletion opens it so that it can be removed itself. !ok() otherwise.
    static OpenFolder Root(const char* path, bool forDeletion = false, const FileIdentity* expected = nullptr);
    // The folder at path as the system resolves it, itself a link or not:
    // the folder a database item lies in, the current folder.
    static OpenFolder Resolved(const char* path);
    // The folder at path (on a drive: "X:\..."), reached from the drive root
    // one folder at a time relative to the one before, never through a link;
    // a missing folder on the way, the last included, is made as a plain
    // folder. !ok() when a folder on the way is a link or no folder, or
    // cannot be opened or made.
    static OpenFolder MadeWay(const char* path);

    bool ok() const { return valid_; }
    const std::string& path() const { return path_; }  // full path, ANSI
    const FileIdentity& identity() const { return identity_; }
    std::string PathOf(const FolderEntry& entry) const;
    // Where this folder really is when the system can say so (NT family from
    // Vista on: every link on the way resolved), true then; else path().
    bool RealPath(std::string* path) const;
    // Another handle on the same folder.
    OpenFolder Duplicate() const;

    // The entries in the system's order. False when the folder cannot be listed.
    bool List(std::vector<FolderEntry>* entries) const;
    // The entry whose long or short name is name, letter case aside.
    bool Find(const char* name, FolderEntry* entry) const;
    // A listed subfolder, opened relative to this folder. !ok() when it is a
    // link, or no longer the folder listed; then *gone tells whether nothing
    // of that name is there.
    OpenFolder Sub(const FolderEntry& entry, bool forDeletion = false, bool* gone = nullptr) const;
    // The record that reaches entry again later (HoldListed).
    ListedItem Record(const FolderEntry& entry) const;

    // Deletes a listed file, empty folder or link (as itself) through its own
    // handle. False when it is no longer what was listed, when the system
    // would open a link's target instead of the link, or when the system
    // refuses (in use, read-only, not empty, no access).
    bool DeleteEntry(const FolderEntry& entry, Attributes attributes) const;
    // Deletes every entry, subfolders with their contents (never entering a
    // link), links as themselves; single failures are passed over. False when
    // the folder cannot be listed or something could not be deleted.
    bool RemoveContents(Attributes attributes) const;
    // Marks this folder, opened forDeletion and emptied, for removal: it goes
    // when this object does. False when the system refuses.
    bool RemoveSelf(Attributes attributes) const;

    // Opens a listed file for writing, shared for reading and writing, unless
    // it is a link, is no longer the file listed, or has more than one name
    // (writing would change the other names' file too). Invalid otherwise.
    UniqueFile OpenToOverwrite(const FolderEntry& entry) const;
    // Opens a listed file for reading, shared for reading and deleting only
    // (nobody writes to it while it is open), unless it is a link, is no
    // longer the file listed, or has more than one name. Invalid otherwise.
    UniqueFile OpenToRead(const FolderEntry& entry) const;
    // Makes name (one component) as a new empty file in this folder and opens
    // it for writing, shared for reading; never opens or replaces what is
    // there. Invalid when the name is taken or the file cannot be made.
    UniqueFile MakeFile(const std::string& name) const;

    // The subfolder name (one component), reached relative to this folder and
    // never through a link: kOpen opens an existing plain folder, kOpenOrMake
    // also makes a missing one as a plain folder, kNew only makes a new one.
    // !ok() when it is a link or no folder, is missing (kOpen) or there
    // already (kNew), or cannot be opened or made.
    enum class Reaching { kOpen, kOpenOrMake, kNew };
    OpenFolder Below(const std::string& name, Reaching how) const;

private:
    friend class HeldFolders;
    friend class HeldItem;
    // The folder at path by its path; itselfALink: also when it is a link,
    // which is then followed.
    static OpenFolder ByPath(const char* path, ACCESS_MASK access, bool itselfALink);
    // An entry of name as this folder's calls take it (the wide name on the NT family).
    FolderEntry Named(const std::string& name) const;
    // A listed file opened with access and share (by path: genericAccess and
    // pathShare); see OpenToOverwrite for what is refused.
    UniqueFile OpenListedFile(const FolderEntry& entry, ACCESS_MASK access, DWORD share, DWORD genericAccess,
                              DWORD pathShare) const;
    // Makes target's folder in this one, with attributes; an existing one is
    // opened instead when intoExisting (unless it is a link or no folder).
    // *made tells whether it is new.
    OpenFolder MakeSub(const FolderEntry& target, DWORD attributes, bool intoExisting, bool* made) const;
    // Moves a listed file or link into to as target (see MoveInto).
    bool MoveEntry(const FolderEntry& entry, const OpenFolder& to, const FolderEntry& target) const;
    // Moves this folder, opened for deletion, with everything in it into to as target.
    MoveOutcome MoveTree(const OpenFolder& to, const FolderEntry& target, const FileNaming& naming,
                         bool intoExisting) const;
    bool valid_ = false;
    UniqueFile handle_;  // NT family
    std::string path_;
    FileIdentity identity_;
    std::string rootPath_;  // where the walk that opened this folder started
    FileIdentity rootIdentity_;
    std::vector<FolderEntry> steps_;  // the folders from there to this one
    friend HeldItem HoldEntry(OpenFolder parent, const FolderEntry& entry);
};

// How reaching an item ended.
enum class Reach {
    kHeld,     // held, checked, ready to act on
    kGone,     // nothing of that name is there (any more)
    kRefused,  // something on the way, or the item, is not what was listed
};

// An item reached and checked: its folder held open, its entry and, for a
// folder that is no link, the folder itself held open. Acting on it acts on
// exactly what was checked. Move-only.
class HeldItem {
public:
    Reach reach() const { return reach_; }
    bool IsFolder() const { return entry_.IsFolder(); }
    bool IsLink() const { return entry_.IsLink(); }
    const std::string& path() const { return path_; }
    const std::string& name() const { return entry_.name; }  // its long name
    DWORD attributes() const { return entry_.attributes; }    // as listed
    // A folder's identity as read on its handle; a file's or link's as found when held.
    const FileIdentity& identity() const { return identity_; }
    // The folder it lies in, by the identity read on that folder's handle.
    const FileIdentity& folderIdentity() const { return parent_.identity(); }

    // A file, a link as itself, or an empty folder. False unless held.
    bool Delete(Attributes attributes);
    // A folder with everything in it (a link or a file: as Delete). True when
    // the item is gone; false unless held.
    bool RemoveTree(Attributes attributes);
    // Moves the item into folder under name, which nothing there may have
    // (see the promises above); a folder's files get their names by naming
    // (name itself is used as given). intoExisting lets a folder item join a
    // plain folder of that name already there: what it holds moves in beside
    // what is there, never replacing it. A file or link that cannot move
    // (in use, no access, a link to another volume) stays where it was.
    MoveOutcome MoveInto(const OpenFolder& folder, const std::string& name, const FileNaming& naming,
                         bool intoExisting = false);
    // Where the item really is: its folder's RealPath and its name; true
    // when the system could say so.
    bool RealPath(std::string* path) const;
    // A held file opened for reading (OpenFolder::OpenToRead). Invalid for a
    // folder or a link, or unless held.
    UniqueFile OpenToRead() const;

private:
    friend class HeldFolders;
    friend HeldItem HoldEntry(OpenFolder parent, const FolderEntry& entry);
    friend HeldItem HoldPath(const char* path);
    static HeldItem NotHeld(bool gone);
    Reach reach_ = Reach::kRefused;
    OpenFolder parent_;
    FolderEntry entry_;
    OpenFolder self_;  // a folder that is no link
    std::string path_;
    FileIdentity identity_;
};

// Holds entry of parent (listed there earlier or just now). Gone when nothing
// of that name is there; refused when it is no longer what entry says (a link
// for a folder or the reverse, another folder or link, a folder for a file)
// or cannot be opened.
HeldItem HoldEntry(OpenFolder parent, const FolderEntry& entry);
// Reaches a listed item again (see the promises above).
HeldItem HoldListed(const ListedItem& item);

// The folders of listed items reached again for one run of deletions (one
// press of a delete button) and held while it lasts: each folder is opened
// and checked once, and every item of the run is reached through those
// handles as HoldListed reaches one.
class HeldFolders {
public:
    HeldItem Hold(const ListedItem& item);

private:
    std::map<std::string, OpenFolder> folders_;  // by the chain of names and identities that reached them
};
// Reaches the item at path as the system resolves it, links on the way
// followed (the system's own compatibility junctions among them), the item
// itself never followed. For a database item. A drive root is refused.
HeldItem HoldPath(const char* path);

}  // namespace base
