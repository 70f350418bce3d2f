// The engine library's interface: the records it hands out and its
// fourteen exports. Purvex.dll and every program that loads it include this one header.
//
// Callers load "Purvex.dll" by name and resolve each export by name with
// GetProcAddress; the function-pointer types below match the exports exactly.
// All exports use the C calling convention and carry undecorated names.
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define PURVEX_ENGINE_DLL "Purvex.dll"
#define PURVEX_DEFAULT_ADB "Purvex.adb"

// One trace of an adware record. In a scan result, location holds the fully
// resolved path (for a file item: folder, backslash, file name) and target the
// normalised target text. The texts belong to the engine.
typedef struct AdwareItem {
    uint8_t type;            // ItemType code (file, folder, key or value and its root)
    char* location;
    char* target;
    uint8_t killRundll32;    // 1: end the system Rundll32.exe before removal
    uint8_t killOwnProcess;  // 1: end the process whose image is location
    uint8_t restartExplorer; // 1: end explorer.exe and start it again
} AdwareItem;

// The result of scanning one record; passed back unchanged to ftool_AdRepair.
// name and items stay valid until ftool_UnloadADB; the caller never frees them.
// name is never NULL (a record whose name could not be read has "").
typedef struct AdScanResult {
    int32_t id;           // the record's id when something was found, else -1
    char* name;
    uint32_t foundCount;  // only the low byte is meaningful
    AdwareItem* items;    // foundCount items in database order
} AdScanResult;

// 0 on success, -1 when the file cannot be opened or its magic is wrong.
typedef int32_t (__cdecl* FtoolLoadAdbFn)(const char* path);
// Always 0. Extra arguments are harmless under the C calling convention.
typedef int32_t (__cdecl* FtoolUnloadAdbFn)(void);
// Number of records loaded (0 when nothing is loaded).
typedef int32_t (__cdecl* FtoolGetAdCountFn)(void);
// index must be 0 .. count - 1; anything else returns id -1, name "", 0 items.
typedef AdScanResult (__cdecl* FtoolAdScanFn)(int32_t index);
// Non-zero when the removal succeeded (outcome of the last item that reports one).
typedef uint8_t (__cdecl* FtoolAdRepairFn)(AdScanResult result);
// The engine's version text, the same static text on every call.
typedef const char* (__cdecl* FtoolGetVerFn)(void);
// 1 when the current user's browser start page was written, 0 otherwise.
typedef uint8_t (__cdecl* FtoolSetStartPageFn)(const char* url);
// From now on every ftool_AdRepair keeps what it removes in folder instead
// of destroying it: files and folder trees moved in (renamed to end in
// ".bak"), registry keys and values as REGEDIT4 files, the Winsock catalog
// entries before they are rewritten, and backup.txt, the list of it all. An
// item that cannot be kept is not removed. folder is one of the program's
// backup folders, ".\PurvexBackup\NNNNNNNN" or ".\PurvexLog\NNNNNNNN\backup"
// in the installation folder (the current folder), made with the folders on
// its way when absent, never through a link. NULL or "" switches backups
// off. 1 when backups are on in folder, else 0 (and they are off): also when
// folder is no such folder, a folder on its way is a link, or the backup
// already in it does not check.
typedef uint8_t (__cdecl* FtoolSetBackupFolderFn)(const char* folder);
// Puts back what a cure kept in folder (one of the backup folders above),
// newest first, each only at its own place and never over what is there now
// (such an item stays in the backup), never to a place a cure would not
// remove; the settings a cure rewrote (Winsock catalog, browser pages) are
// put back as they were. The number of files, folders, keys and values put
// back, or a PurvexRestoreResult, nothing having been put back.
typedef int32_t (__cdecl* FtoolRestoreBackupFn)(const char* folder);
enum PurvexRestoreResult {
    PURVEX_RESTORE_NO_BACKUP = -1,  // folder is missing or holds no backup
    PURVEX_RESTORE_REFUSED = -2,    // the backup is not wholly as the cure left it: a file in it changed, is a
                                    // link or has another name, or folder is no backup folder of the program
    PURVEX_RESTORE_UNCHECKED = -3,  // the backup carries no seal, or this process may not read the machine's
                                    // key that checks it (administrators only)
};

// What the last ftool_AdRepair did with one item of the result it was given.
enum PurvexItemOutcome {
    PURVEX_ITEM_UNTOUCHED = 0,   // nothing to remove for its code, or no such item
    PURVEX_ITEM_REMOVED = 1,     // gone from its place (into the backup while backups are on)
    PURVEX_ITEM_FAILED = 2,      // still there: in use, no access, no longer what the scan
                                 // found, could not be kept first, no root for its code
    PURVEX_ITEM_REFUSED = 3,     // left alone on purpose: a location a cure never removes, or a
                                 // share or device path
    PURVEX_ITEM_AT_RESTART = 4,  // left for the next start of Windows, which removes it
};
// The PurvexItemOutcome of item index (0 .. foundCount - 1) of the result the
// last ftool_AdRepair was given; PURVEX_ITEM_UNTOUCHED for any other index and
// before the first repair.
typedef uint8_t (__cdecl* FtoolGetItemOutcomeFn)(int32_t index);

// What a repair does with a file or folder item it cannot remove now because
// it is in use (a program runs from it, holds it open, has it loaded).
enum PurvexRestartMode {
    PURVEX_RESTART_OFF = 0,     // the item fails (the default)
    PURVEX_RESTART_KEPT = 1,    // it is left for the next start of Windows; while backups are on,
                                // only when the backup could keep a copy of it first
    PURVEX_RESTART_UNKEPT = 2,  // also without a copy
};
// An item is left for the next start only where nobody but administrators
// can change its path before then: moved into the program's own pending
// folder at its drive's root (made for administrators alone), or at its own
// place when every folder from the drive root down is so. Registry items are
// never left. 1 for a known mode (from now on), else 0 (mode unchanged).
typedef uint8_t (__cdecl* FtoolSetRestartRemovalFn)(uint8_t mode);

// Why the last repair left an item as it did (with PURVEX_ITEM_AT_RESTART and
// PURVEX_ITEM_FAILED).
enum PurvexItemReason {
    PURVEX_REASON_NONE = 0,
    PURVEX_REASON_IN_USE = 1,         // in use: left for the next start
    PURVEX_REASON_NO_COPY = 2,        // in use and unreadable: no backup copy could be kept (failed:
                                      // not left; at restart: left without one)
    PURVEX_REASON_UNSAFE_FOLDER = 3,  // in use; someone else can change a folder on its way: not left
    PURVEX_REASON_LINK = 4,           // in use; a link on its way, or it is one: not left
    PURVEX_REASON_NOT_TAKEN = 5,      // in use; the system did not take it (administrators only)
};
// The PurvexItemReason of item index of the last repair; PURVEX_REASON_NONE for
// any other index.
typedef uint8_t (__cdecl* FtoolGetItemReasonFn)(int32_t index);
// The path handed to the system for item index of the last repair, the last
// one for a folder: its own place, or where it was moved to; "" when none.
// Valid until the next repair.
typedef const char* (__cdecl* FtoolGetItemRestartPathFn)(int32_t index);
// Leaves for the next start, without a backup copy, the items the last repair
// did not leave for want of one (failed, PURVEX_REASON_NO_COPY); their
// outcomes and reasons change. Returns the outcome of the last repair as
// ftool_AdRepair would now.
typedef uint8_t (__cdecl* FtoolRemoveUnkeptAtRestartFn)(void);

#ifdef PURVEX_ENGINE_BUILD
int32_t __cdecl ftool_LoadADB(const char* path);
int32_t __cdecl ftool_UnloadADB(void);
int32_t __cdecl ftool_GetAdCount(void);
AdScanResult __cdecl ftool_AdScan(int32_t index);
uint8_t __cdecl ftool_AdRepair(AdScanResult result);
const char* __cdecl ftool_GetVer(void);
uint8_t __cdecl ftool_SetStartPage(const char* url);
uint8_t __cdecl ftool_SetBackupFolder(const char* folder);
int32_t __cdecl ftool_RestoreBackup(const char* folder);
uint8_t __cdecl ftool_GetItemOutcome(int32_t index);
uint8_t __cdecl ftool_SetRestartRemoval(uint8_t mode);
uint8_t __cdecl ftool_GetItemReason(int32_t index);
const char* __cdecl ftool_GetItemRestartPath(int32_t index);
uint8_t __cdecl ftool_RemoveUnkeptAtRestart(void);
#endif

#ifdef __cplusplus
}
#endif
