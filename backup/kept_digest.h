// The digest (SHA-256, lower-case hexadecimal) of what a backup keeps of an
// item, as its manifest entry names it: a kept file's or REGEDIT4 file's
// bytes, or a kept folder tree's names and files.
#pragma once
#include <windows.h>

#include <string>

#include "base/deletion.h"

namespace backup {

std::string DigestOfText(const std::string& text);
// The digest of the bytes of file, read from its start; "" when it cannot be read.
std::string DigestOfOpenFile(HANDLE file);

// The digest of folder's entry stored: a file's bytes; for a folder, every
// entry below it by name (a link as a link, never entered) and every file's
// bytes. "" when it is not there, or when a file in it cannot be read, is
// a link to a file or has more than one name.
std::string DigestOfStored(const base::OpenFolder& folder, const std::string& stored);

}  // namespace backup
