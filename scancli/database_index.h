// The records of the database file as the engine numbers them: what /list
// prints, and the ids by which /only and /exclude name records before the
// engine has scanned them. Read with the same codec the engine loads with.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

namespace scancli {

struct RecordEntry {
    int32_t id = 0;
    std::string name;  // code page 949; "" when the file holds none
    int itemCount = 0;
};

// The records of the database file at path, in the engine's index order.
// False when the file cannot be read or is no database.
bool ReadDatabaseIndex(const char* path, std::vector<RecordEntry>* records);

}  // namespace scancli
