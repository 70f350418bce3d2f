// Locations the program never removes, whatever it is told. The adware
// database and its updates decide what a cure deletes, and one wrong or
// hostile record must not be able to take the system with it: the repair asks
// here before every folder, key and value removal, and an item naming a
// protected location is left alone and reported as failed. The cleaning tabs
// ask before they empty a folder the system names for them.
//
// The whole list lives in protected_locations.cpp, each entry with the reason
// it is there.
#pragma once
#include <windows.h>

namespace base {

class HeldItem;
class HeldKey;
class OpenFolder;

// True when removing the folder tree at path would remove a protected folder:
// path names one of them or a folder that contains one. Spellings do not
// matter: letter case, forward slashes, "." and "..", a trailing backslash,
// short 8.3 names, a relative path and environment references are all read
// the way the system reads them, and where the system can tell where a link
// leads, the folder it reaches counts too. An empty path is protected (it
// would name the current folder). Where the folder exists, its identity
// decides too (base/deletion.h): it is protected when it is, or contains, a
// protected folder by volume serial number and file index, so links, short
// names, shares (loopback administrative shares included) and device
// spellings all reach the same answer.
bool IsProtectedFolder(const char* path);
// The same for a folder or item held for acting on it: by its path and by the
// identity read on its own handle, so the answer is about exactly what is
// held. A link is judged by where its path leads.
bool IsProtectedFolder(const OpenFolder& folder);
bool IsProtectedFolder(const HeldItem& item);

// True when removing the file at path would remove a file the system itself
// owns: one of its start-up and log-on files directly in the Windows folder
// or a system folder (System32, SysWOW64, System, and on 64-bit Windows the
// real system folder), one of the boot files at the root of a fixed drive, or
// a file the system guards itself (Windows File Protection, where the system
// has it). Spellings do not matter, as for IsProtectedFolder: where the
// file's folder exists, its identity decides, so a short name, a link on the
// way, a share or a device spelling reach the same answer. The file itself
// need not exist (a restore asks before it puts one back). An empty path is
// protected. Any other file in those folders is not: adware that put a file
// of its own there can still be removed.
bool IsProtectedFile(const char* path);
// The same for a file held for acting on it: its folder judged by the
// identity read on the folder's own handle, its name as stored there.
bool IsProtectedFile(const HeldItem& item);

// True for a path that names no drive: a network path ("\\server\share\...",
// "\\?\UNC\...", loopback administrative shares among them) or a device path
// ("\\.\...", "\\?\GLOBALROOT\...", volume names). The long spelling of a
// drive path ("\\?\C:\...") is no such path. A database item so named is
// never removed.
bool IsDeviceOrNetworkPath(const char* path);

// True when removing the key tree root\subkey would remove a protected key:
// the root itself, a listed key or a key that contains one, or a key within
// one protected whole, in either registry view of 64-bit Windows. Letter case
// and stray backslashes do not matter; a numbered control set counts as the
// current one, a numbered hardware profile as the current one (which
// HKEY_CURRENT_CONFIG is), every hive under HKEY_USERS as the current user's
// (a user's classes hive "<sid>_Classes" as its "Software\Classes"),
// HKEY_CLASSES_ROOT as both the machine's and the user's classes, and a
// "Wow6432Node" twin (the 32-bit view) as the key it mirrors, the
// "Wow6432Node" keys themselves included.
bool IsProtectedKey(HKEY root, const char* subkey);

// True for the values that must stay whatever their data: the log-on shell
// and user initialisation of the machine, and every value of a key protected
// whole, in either registry view and under every spelling IsProtectedKey
// reads.
bool IsProtectedValue(HKEY root, const char* subkey, const char* name);

// The same for a key held for acting on it (base/registry_links.h): judged
// where it really is when the system can tell (every link on the way
// resolved, the key itself a link or not), else by the names it was reached by.
bool IsProtectedKey(const HeldKey& key);
bool IsProtectedValue(const HeldKey& key, const char* name);

}  // namespace base
