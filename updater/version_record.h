// The installed versions kept in the version record under the local-machine
// root. Values are text stored without a terminating zero; the updater reads
// at most 19 characters of each into a zero-filled 20-byte buffer.
#pragma once
#include <windows.h>
#include "base/unique_handle.h"
#include "base/version_key.h"

namespace freshen {

constexpr int kVersionSize = 20;  // buffer size, terminator included
using VersionText = char[kVersionSize];

using base::kVersionKeyPath;

// Opens the record for reading and writing; never creates it. Empty when the
// key is absent or cannot be opened.
base::UniqueHKey OpenVersionRecord();

// Fills out with the value's first 19 bytes and zeros after them, whether or
// not the stored data ends with a terminator. A null key or a missing value
// gives the empty text.
void ReadInstalledVersion(HKEY key, const char* name, VersionText& out);

// Stores text as REG_SZ with a data length equal to its length (no
// terminator). False when the key is null or the write failed.
bool WriteInstalledVersion(HKEY key, const char* name, const char* text);

// The serial of the version file last accepted, value "UpdateSerial" (its
// decimal text, stored like a version): 0 when the key is null or the value
// is missing or not a number.
extern const char kSerialValue[];
unsigned long ReadAcceptedSerial(HKEY key);
bool WriteAcceptedSerial(HKEY key, unsigned long serial);

// Where the accepted serial is kept when the version record cannot be
// written (no record, no access): ".\Freshen.serial" beside the updater, its
// decimal text.
extern const char kSerialCopyPath[];

// The lowest serial a version file may carry: the highest of the record's
// value, the copy's and builtSerial, the serial the installed release was
// built with. A missing or unreadable serial never lets a lower one in.
unsigned long LowestAcceptedSerial(HKEY key, unsigned long builtSerial);

// Keeps serial as the one last accepted: in the record, or when that cannot
// be written, in the copy. False when neither could be written.
bool KeepAcceptedSerial(HKEY key, unsigned long serial);

}  // namespace freshen
