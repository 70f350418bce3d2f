#include "scancli/database_index.h"

#include <windows.h>

#include "adb/adb_codec.h"
#include "base/file_size.h"
#include "base/unique_handle.h"

namespace scancli {

namespace {
// Far above any real database, which the engine refuses beyond 8 MB anyway.
constexpr uint64_t kMaxDatabaseBytes = 64u * 1024 * 1024;
}  // namespace

bool ReadDatabaseIndex(const char* path, std::vector<RecordEntry>* records) {
    records->clear();
    base::UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    uint64_t size = 0;
    if (!file || !base::GetFileLength(file.get(), &size) || size > kMaxDatabaseBytes) return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(size), &read, nullptr) || read != size))
        return false;
    adb::Database database;
    if (!adb::Decode(bytes.data(), bytes.size(), &database)) return false;
    for (const adb::Record& record : database.records)
        records->push_back({record.id, record.name.value_or(""), static_cast<int>(record.items.size())});
    return true;
}

}  // namespace scancli
