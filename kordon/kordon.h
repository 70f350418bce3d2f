// The ActiveX block-list library's interface: the record it exchanges with
// its callers and its eleven exports. Kordon.dll and every program that loads
// it include this one header.
//
// Callers load "Kordon.dll" by name and resolve each export by name with
// GetProcAddress; the function-pointer types below match the exports exactly.
// All exports use the C calling convention and carry undecorated names. Every
// export is called on one thread only (the caller's user-interface thread).
#pragma once
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KORDON_DLL "Kordon.dll"
#define KORDON_DEFAULT_ADB ".\\Kordon.adb"
// A text field holds at most 39 characters (bytes of code page 949) and its
// terminating zero.
#define KORDON_TEXT_SIZE 40
#define KORDON_MAX_TEXT (KORDON_TEXT_SIZE - 1)

// One control of the block list. The library hands out its own records as a
// linked list; a caller passes in temporary records of its own, of which the
// library reads the fields each export names and nothing else.
typedef struct ActiveXBlockRecord {
    char name[KORDON_TEXT_SIZE];
    char clsid[KORDON_TEXT_SIZE];           // registry form, "{8-4-4-4-12}"
    char alternateClsid[KORDON_TEXT_SIZE];  // kept with the record, not blocked
    uint8_t blocked;                        // nonzero: the control's kill bit is set
    uint8_t unused[3];
    struct ActiveXBlockRecord* next;        // null after the last record
} ActiveXBlockRecord;

// Loads the database file (a relative path resolves against the current
// folder at the time of the call). Nonzero when the whole file was read.
// On 0 the library still holds a database: the records that were whole in a
// damaged file, or none for a missing file; a later save writes it. A file
// that is not a block-list database at all is never overwritten.
typedef int (__cdecl* ActivexBlockDBLoadFn)(const char* path);
// The first record, or null for an empty (or unloaded) database. The records
// stay valid until the next load, unload, add or delete.
typedef ActiveXBlockRecord* (__cdecl* ActivexBlockGetListItemFn)(void);
typedef int (__cdecl* ActivexBlockGetDBCountFn)(void);
// How many records' kill bits the machine holds set now, each record's
// blocked byte brought up to date. The library reads the bits again whenever
// the registry may have changed since it last read them.
typedef int (__cdecl* ActivexBlockGetKillbitCountFn)(void);
// Sets (Lock) or clears (UnLock) the kill bit of the control with this
// CLSID, which must be a record's CLSID. Unlocking puts back the machine's
// state before the lock: other flag bits stay, and a key or value the
// library created is removed again. Nonzero on success. Where nothing would
// change (the registry has not changed since the library read the bit set,
// or clear with nothing of its own to remove), the registry is not touched.
typedef int (__cdecl* ActivexBlockLockFn)(const char* clsid);
typedef int (__cdecl* ActivexBlockUnLockFn)(const char* clsid);
// Appends a copy of the record's three texts (each terminated within its
// field, the CLSID in registry form); a nonzero blocked byte also locks it.
typedef int (__cdecl* ActivexBlockDBAddFn)(const ActiveXBlockRecord* record);
// Replaces the texts of the first record whose CLSID is oldClsid. When the
// CLSID changes, the old one is unlocked first; a nonzero blocked byte locks
// the new one.
typedef int (__cdecl* ActivexBlockDBEditFn)(const char* oldClsid, const ActiveXBlockRecord* record);
// Deletes the first record whose CLSID is record->clsid; nonzero when one
// was deleted. The machine is not touched (callers unlock first).
typedef int (__cdecl* ActivexBlockDBDelFn)(const ActiveXBlockRecord* record);
// Writes the database to the file it was loaded from: a new file replaces the
// old one in one step, so the old or the new database is always whole.
typedef int (__cdecl* ActivexBlockDBSaveFn)(void);
// Forgets the database (without saving). Nonzero when one was loaded.
typedef int (__cdecl* ActivexBlockDBUnLoadFn)(void);

#ifdef KORDON_BUILD
int __cdecl ActivexBlockDBLoad(const char* path);
ActiveXBlockRecord* __cdecl ActivexBlockGetListItem(void);
int __cdecl ActivexBlockGetDBCount(void);
int __cdecl ActivexBlockGetKillbitCount(void);
int __cdecl ActivexBlockLock(const char* clsid);
int __cdecl ActivexBlockUnLock(const char* clsid);
int __cdecl ActivexBlockDBAdd(const ActiveXBlockRecord* record);
int __cdecl ActivexBlockDBEdit(const char* oldClsid, const ActiveXBlockRecord* record);
int __cdecl ActivexBlockDBDel(const ActiveXBlockRecord* record);
int __cdecl ActivexBlockDBSave(void);
int __cdecl ActivexBlockDBUnLoad(void);
#endif

#ifdef __cplusplus
}
#endif

// The layout both sides rely on: 128 bytes on the 32-bit build; on a 64-bit
// build the next pointer takes its natural 8-byte place.
#ifdef __cplusplus
static_assert(offsetof(ActiveXBlockRecord, name) == 0, "name at 0");
static_assert(offsetof(ActiveXBlockRecord, clsid) == 40, "CLSID at 40");
static_assert(offsetof(ActiveXBlockRecord, alternateClsid) == 80, "alternate CLSID at 80");
static_assert(offsetof(ActiveXBlockRecord, blocked) == 120, "blocked byte at 120");
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(ActiveXBlockRecord, next) == 124, "next pointer at 124");
static_assert(sizeof(ActiveXBlockRecord) == 128, "128 bytes on the 32-bit build");
#else
static_assert(offsetof(ActiveXBlockRecord, next) == 128, "next pointer at 128");
static_assert(sizeof(ActiveXBlockRecord) == 136, "136 bytes on a 64-bit build");
#endif
#endif
