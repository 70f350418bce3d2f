// The settings a cure rewrites and keeps first, the only ones a backup may
// name (Keeper::KeepSettings, and the restore that puts them back): the
// browser's pages that the scan page resets and sets after a cure, and the
// two Winsock catalog entries the engine writes anew.
#pragma once
#include <windows.h>

#include <string>

namespace backup {

// True when root\subkey's value name is one of those settings, spelled as
// the program spells them (letter case aside) or as a backup records where
// they really are (a numbered control set, the 32-bit view's Wow6432Node).
bool IsKeptSetting(HKEY root, const std::string& subkey, const std::string& name);

}  // namespace backup
