// Installing fetched files and removing what the update left behind.
#pragma once
#include <windows.h>

#include "updater/file_table.h"

namespace freshen {

// Replaces to with from in one step, so that to is always either the old
// file or the new one, whole. from must lie on the same volume (".\temp" lies
// inside the installation folder). False when from is missing or the
// replacement failed; to is then unchanged.
bool ReplaceInstalledFile(const char* from, const char* to);

// Moves each file this update fetched (fetched[number - 1]) from ".\temp"
// over its installed name, in the fixed install order; any other file in
// ".\temp" stays where it is. installed[number - 1] tells which were
// replaced. Returns how many.
int InstallFetchedFiles(const bool fetched[kItemCount], bool installed[kItemCount]);

// Deletes ".\temp" with its contents, permanently and silently, and
// ".\Purvex_Ver.txt". "temp" goes only as a folder of the current folder,
// which is the installation folder (the updater makes its own folder the
// current one as it starts), and through base/deletion.h: never when it is a
// link, never through a link inside it. Nothing is shown (owner is not used).
// Failures are not reported.
void RemoveLeftovers(HWND owner);

}  // namespace freshen
