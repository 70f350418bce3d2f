// Test databases for the scan page: records built in code and written as
// Purvex.adb with the database codec; the expected files of the data folder.
#pragma once
#include <string>
#include <vector>

#include "adb/adb_codec.h"

namespace cure_test {

adb::Item FileItem(const std::string& folder, const std::string& name);  // code 0
adb::Item FolderItem(const std::string& path);                           // code 1
adb::Item UserKeyItem(const std::string& subkey);                        // code 3, HKCU
adb::Item UserValueItem(const std::string& subkey, const std::string& value);  // code 8, HKCU
adb::Record Record(int32_t id, const std::string& name, std::vector<adb::Item> items);

// Writes the records as an ADB file; false when it cannot be written.
bool WriteDatabase(const std::string& path, const std::vector<adb::Record>& records);

// A file of this test directory's data folder, as bytes.
std::string ReadTestData(const std::string& name);

}  // namespace cure_test
