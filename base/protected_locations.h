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

// True when removing the folder tree at path would remove a protected folder:
// path names one of them or a folder that contains one. Spellings do not
// matter: letter case, forward slashes, "." and "..", a trailing backslash,
// short 8.3 names, a relative path and environment references are all read
// the way the system reads them, and where the system can tell where a link
// leads, the folder it reaches counts too. An empty path is protected (it
// would name the current folder).
bool IsProtectedFolder(const char* path);

// True when removing the key tree root\subkey would remove a protected key:
// the root itself, a listed key, or a key that contains one, in either
// registry view of 64-bit Windows (the 32-bit view's "Wow6432Node" twins of
// the listed keys, and the "Wow6432Node" keys themselves, count too). Letter
// case and stray backslashes do not matter.
bool IsProtectedKey(HKEY root, const char* subkey);

// True for the values that must stay whatever their data: the log-on shell
// and user initialisation of the machine, in either registry view.
bool IsProtectedValue(HKEY root, const char* subkey, const char* name);

}  // namespace base
