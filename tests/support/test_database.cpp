#include "tests/support/test_database.h"

#include "tests/support/sandbox.h"

namespace pvtest {

adb::Item MakeItem(uint8_t type, const std::string& location, const std::string& target) {
    adb::Item item;
    item.type = type;
    item.location = location;
    item.target = target;
    return item;
}

adb::Record MakeRecord(int32_t id, const std::string& name, std::vector<adb::Item> items) {
    adb::Record record;
    record.id = id;
    record.name = name;
    record.items = std::move(items);
    return record;
}

adb::Item FileItem(const std::string& folder, const std::string& name) { return MakeItem(0, folder, name); }
adb::Item FolderItem(const std::string& path) { return MakeItem(1, path); }
adb::Item UserKeyItem(const std::string& subkey) { return MakeItem(3, subkey); }
adb::Item UserValueItem(const std::string& subkey, const std::string& value) { return MakeItem(8, subkey, value); }

bool WriteDatabase(const std::string& path, const std::vector<adb::Record>& records) {
    adb::Database db;
    db.records = records;
    std::vector<uint8_t> bytes;
    if (adb::Encode(db, &bytes) != adb::EncodeError::none) return false;
    return WriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace pvtest
