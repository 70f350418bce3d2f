#include "app/records/key_values.h"

#include <string.h>

#include "base/registry_links.h"

namespace records {

namespace {

// The data of a number or text value, read by name after the enumeration gave
// its type; the record keeps kind kOther when the value changed under us.
void ReadData(HKEY key, DWORD type, DWORD size, ValueRecord& record) {
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0, got = sizeof number, gotType = 0;
        if (RegQueryValueExA(key, record.name.c_str(), nullptr, &gotType, reinterpret_cast<BYTE*>(&number),
                             &got) == ERROR_SUCCESS && gotType == REG_DWORD && got == sizeof number) {
            record.kind = ValueRecord::kNumber;
            record.number = number;
        }
    } else if (type == REG_SZ) {
        std::vector<char> text(size + 1, '\0');  // room for a terminator the data may lack
        DWORD got = size, gotType = 0;
        if (RegQueryValueExA(key, record.name.c_str(), nullptr, &gotType, reinterpret_cast<BYTE*>(text.data()),
                             &got) == ERROR_SUCCESS && gotType == REG_SZ) {
            record.kind = ValueRecord::kText;
            record.text.assign(text.data(), strnlen(text.data(), got));
        }
    }
}

}  // namespace

std::vector<ValueRecord> EnumKeyValues(HKEY key) {
    std::vector<ValueRecord> records;
    DWORD count = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return records;
    for (DWORD index = 0; index < count; ++index) {
        char name[kValueNameSize];
        DWORD nameSize = kValueNameSize, type = REG_NONE, size = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            continue;  // vanished, or a name too long for the buffer
        ValueRecord record;
        record.name.assign(name, nameSize);
        ReadData(key, type, size, record);
        records.push_back(std::move(record));
    }
    return records;
}

bool RemoveValue(HKEY root, const char* path, const char* name) {
    const base::HeldKey key = base::OpenKeyWay(root, path ? path : "", KEY_SET_VALUE, 0);
    if (key.reach() == base::Reach::kGone) return true;  // the key went, and its values with it
    if (!key.ok()) return false;
    const LONG deleted = RegDeleteValueA(key.get(), name);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

void RemoveValuesExcept(const char* path, const char* kept) {
    const base::HeldKey key = base::OpenKeyWay(HKEY_CURRENT_USER, path ? path : "", KEY_ALL_ACCESS, 0);
    if (!key.ok()) return;
    for (const ValueRecord& value : EnumKeyValues(key.get()))
        if (!kept || value.name != kept) RegDeleteValueA(key.get(), value.name.c_str());
}

}  // namespace records
