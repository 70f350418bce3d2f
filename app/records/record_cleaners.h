// The cleaners of the activity-record and auto-record tabs, without windows.
//
// The tabs' delete command asks its questions, runs the cleaner of each
// ticked box (the tabs' table, app/clean/record_tabs.cpp) and then reports
// completion: the cleaners show nothing, return nothing the tabs use and
// never fail loudly. Each one ignores its own failures (a missing key or
// folder, a locked file, an access refusal, a history store that cannot be
// created), so the tab's completion message follows whatever they met. Keys are only ever opened,
// never created: a key that is missing stays missing. Every key is reached
// from its root one key at a time, each opened as itself, and a key tree is
// deleted through its handles (base/registry_links.h): a registry link on the
// way or at the key leaves it alone, a link inside a tree is deleted as
// itself, so no cleaning (run, say, by an administrator over a hive its user
// can change) reaches a key elsewhere. Nothing is listed first and nothing
// can be undone.
//
// Everything runs on the calling thread and returns when the work is done.
// The browser-history cleaner uses the system's COM history store, so COM
// should be initialised on that thread (the program does so at start-up);
// without it the store is passed over and the folders are still cleaned.
#pragma once

namespace records {

// The seven cleaners, one per box.

// The system's URL history store is told to clear itself; then the Windows
// folder's "History" folder and the shell's history folder are emptied
// (CleanFolder), keeping desktop.ini and wiping every index.dat first.
void CleanVisitHistory();
// HKCU "Software\Microsoft\Internet Explorer\TypedURLs" with all its subkeys.
void CleanTypedUrls();
// The shell's Recent folder is emptied, keeping desktop.ini (index.dat is
// only deleted); then HKCU "...\Explorer\RecentDocs" goes with its subkeys.
void CleanRecentDocs();
// Every value of HKCU "...\Explorer\RunMRU" except "MRUList", which keeps its
// text; the key stays.
void CleanRunMru();
// Every value of HKCU "Software\Microsoft\MediaPlayer\Player\RecentFileList";
// the key stays.
void CleanPlayerHistory();
// The auto-complete form data of the protected storage. On the NT family the
// user's key (HKCU "Software\Microsoft\Protected Storage System Provider\"
// + the user's SID text) is opened up first: it, its "Data" key and the form
// key's tree get a DACL granting full access to the user and LocalSystem, the
// form key "Data\e161255a-37c3-11d2-bcaa-00c04fd929db" is deleted with its
// subkeys, and the user's key gets its old DACL back, whatever the deletion
// met (when its DACL could not be read it keeps the new one; "Data" always
// keeps the new one). On every system the form key under HKLM's provider key
// + the user's name is deleted with its subkeys.
void CleanFormData();
// HKCU "Software\Microsoft\Internet Explorer\IntelliForms" with all its subkeys.
void CleanSavedPasswords();

// Asks the system's URL history store to clear itself. False when the store
// cannot be created (COM not initialised on this thread, no such class) or
// reports a failure.
bool ClearUrlHistoryStore();

}  // namespace records
