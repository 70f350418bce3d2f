// File-system sandboxes for the tests: temporary folders, files read and
// written as bytes, the current folder set for a while, and folder links made
// the way the Unix side of the prefix makes them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace pvtest {

// A fresh empty folder under the temporary path, removed with its contents
// (never through a link) when the object goes away. A folder that cannot be
// made is a failure of the test.
class TempFolder {
public:
    explicit TempFolder(const std::string& tag = "pvtest");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Makes path the current folder; the previous one comes back with the object.
// A folder that cannot be entered is a failure of the test.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& path);
    ~CurrentFolder();
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    char previous_[MAX_PATH] = {};
};

// Sets an environment variable of this process (nullptr removes it) while
// the object lives; its earlier value, or its absence, comes back.
class EnvironmentOverride {
public:
    EnvironmentOverride(std::string name, const char* value);
    ~EnvironmentOverride();
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;
    void Set(const char* value);  // another value meanwhile

private:
    std::string name_, saved_;
    bool had_ = false;
};

// Sets a fixed folder (a shell folder of the prefix) aside for a while: the
// folder is moved to a sibling name and an empty folder of the same name takes
// its place; when the object goes, whatever is then at path is removed (never
// through a link) and the folder is moved back, exactly as it was. An absent
// folder is created empty and removed again. ok() is false, with path left
// alone, when path is a link or the folder can be neither moved nor created.
class FolderBackup {
public:
    explicit FolderBackup(std::string path);
    ~FolderBackup();
    FolderBackup(const FolderBackup&) = delete;
    FolderBackup& operator=(const FolderBackup&) = delete;
    bool ok() const { return created_; }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_, aside_;
    bool created_ = false;
};

// A folder at a fixed place that may be there already (a startup folder, a
// profile folder), used for a while: its missing folders are made, entries are
// planted in it, and when the object goes away the planted entries and the
// folders it made are removed again. Whatever else is there stays as it was.
class PlantedFolder {
public:
    explicit PlantedFolder(std::string path);  // path without a trailing "\"
    ~PlantedFolder();
    PlantedFolder(const PlantedFolder&) = delete;
    PlantedFolder& operator=(const PlantedFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    // Plants a file or a folder; relative may name subfolders, made as needed.
    // True when it is there.
    bool PlantFile(const std::string& relative, const std::string& bytes = std::string());
    bool PlantFolder(const std::string& relative);
    // Plants a folder link (MakeFolderLink) to target. Let the target outlive
    // this object: a link whose target is gone cannot be seen to be removed.
    bool PlantLink(const std::string& relative, const std::string& target);

private:
    void Remember(const std::string& relative);
    std::string path_;
    std::vector<std::string> made_;     // folders made here, outermost first
    std::vector<std::string> planted_;  // first path parts of what was planted
    std::vector<std::string> links_;    // links planted, removed first
};

// The folder of the running test program (the build's bin folder), without a
// trailing "\".
std::string ProgramFolder();
// The folder a system call fills in (GetWindowsDirectoryA, GetSystemDirectoryA
// and the like), or "" when the call fails.
std::string SystemFolder(UINT(WINAPI* query)(LPSTR, UINT));
// An environment variable of this process, or "" when it is not set.
std::string Environment(const char* name);

// Deletes a folder tree. A link inside it is removed as a link (its target is
// never entered). True when the folder is gone afterwards.
bool RemoveTree(const std::string& path);
bool Exists(const std::string& path);  // a file, folder or link
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);
// The whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
// Creates every missing folder of path.
bool MakeFolders(const std::string& path);

// A symbolic link at link (a Windows path) to the folder target, made with the
// host's ln -s: Wine shows it as a directory with the reparse-point attribute,
// as Windows shows a junction. CreateSymbolicLink creates nothing under Wine,
// and neither RemoveDirectory nor DeleteFile removes such a link, so both are
// done by starting the host's own programs. True when the link is in place.
bool MakeFolderLink(const std::string& link, const std::string& target);
// Removes a link made by MakeFolderLink (the target stays). True when gone.
bool RemoveFolderLink(const std::string& link);
bool IsLink(const std::string& path);

// Swaps the folder at path for a folder link to target, as a hostile user
// would between a listing and a deletion: the folder is moved to a sibling
// name and the link takes its place; both are put back when the object goes.
class SwappedForLink {
public:
    SwappedForLink(std::string path, const std::string& target);
    ~SwappedForLink();
    SwappedForLink(const SwappedForLink&) = delete;
    SwappedForLink& operator=(const SwappedForLink&) = delete;
    bool ok() const { return ok_; }

private:
    std::string path_, aside_;
    bool ok_ = false;
};

// Makes "\\127.0.0.1\C$" and "\\?\UNC\localhost\C$" reach drive C of the
// prefix, as the administrative share does on Windows. True when they do.
bool ShareDriveC();

// Maps a drive letter to folder while the object lives (a link in the
// prefix's dosdevices): its root is then a drive root that holds only what
// the test puts there.
class MappedDrive {
public:
    MappedDrive(char letter, const std::string& folder);
    ~MappedDrive();
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;
    bool ok() const { return ok_; }
    std::string root() const { return std::string(1, letter_) + ":\\"; }

private:
    char letter_;
    std::string device_;  // the Unix path of the link
    bool ok_ = false;
};

// Moves a file or folder into the recycle bin as the shell's "delete" does
// (under Wine: the XDG trash of the prefix's private HOME), silently. True
// when path is gone afterwards.
bool MoveToRecycleBin(const std::string& path);

}  // namespace pvtest
