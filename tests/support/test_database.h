// Signature databases for the tests: records built in code and written as an
// ADB file with the database codec, as the engine and the scan page read it.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "adb/adb_codec.h"

namespace pvtest {

adb::Item MakeItem(uint8_t type, const std::string& location, const std::string& target = "");
adb::Record MakeRecord(int32_t id, const std::string& name, std::vector<adb::Item> items);

// Items of the kinds the scan page's tests use, by the item codes.
adb::Item FileItem(const std::string& folder, const std::string& name);        // code 0
adb::Item FolderItem(const std::string& path);                                 // code 1
adb::Item UserKeyItem(const std::string& subkey);                              // code 3, HKCU
adb::Item UserValueItem(const std::string& subkey, const std::string& value);  // code 8, HKCU

// Writes the records as an ADB file at path; false when they cannot be
// encoded or written.
bool WriteDatabase(const std::string& path, const std::vector<adb::Record>& records);

}  // namespace pvtest
