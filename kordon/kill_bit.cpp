#include "kordon/kill_bit.h"

#include "base/unique_handle.h"
#include "kordon/kadb_codec.h"

namespace kordon {

namespace {

std::string ControlKey(const std::string& clsid) { return std::string(kCompatibilityKey) + "\\" + clsid; }

enum class Flags { absent, number, other };

// Reads the flags value of an open key; *value is set for a number.
Flags ReadFlags(HKEY key, DWORD* value) {
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    const LONG status = RegQueryValueExA(key, kFlagsValue, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    if (status == ERROR_FILE_NOT_FOUND) return Flags::absent;
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return Flags::other;
    *value = data;
    return Flags::number;
}

bool WriteFlags(HKEY key, DWORD value) {
    return RegSetValueExA(key, kFlagsValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool IsEmptyKey(HKEY key) {
    DWORD subkeys = 0, values = 0;
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

// Deletes the control's key when it holds nothing (a key made by SetKillBit).
void DeleteKeyIfEmpty(const std::string& clsid) {
    base::UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ControlKey(clsid).c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return;
    const bool empty = IsEmptyKey(key.get());
    key.reset();
    if (empty) RegDeleteKeyA(HKEY_LOCAL_MACHINE, ControlKey(clsid).c_str());
}

}  // namespace

bool IsKillBitSet(const std::string& clsid) {
    base::UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ControlKey(clsid).c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD flags = 0;
    return ReadFlags(key.get(), &flags) == Flags::number && (flags & kKillBit) != 0;
}

bool SetKillBit(const std::string& clsid, uint8_t* created) {
    *created = 0;
    base::UniqueHKey key;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, ControlKey(clsid).c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, key.put(), &disposition) != ERROR_SUCCESS)
        return false;
    const bool newKey = disposition == REG_CREATED_NEW_KEY;

    DWORD flags = 0;
    const Flags kind = ReadFlags(key.get(), &flags);
    bool done = false;
    if (kind == Flags::number) {
        done = (flags & kKillBit) != 0 || WriteFlags(key.get(), flags | kKillBit);
    } else if (kind == Flags::absent) {
        done = WriteFlags(key.get(), kKillBit);
        if (done) *created |= kadb::kCreatedValue;
    }
    key.reset();
    if (newKey) {
        if (done) *created |= kadb::kCreatedKey;
        else DeleteKeyIfEmpty(clsid);  // leave no trace of a failed attempt
    }
    return done;
}

bool ClearKillBit(const std::string& clsid, uint8_t origin) {
    base::UniqueHKey key;
    const LONG status =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, ControlKey(clsid).c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.put());
    if (status == ERROR_FILE_NOT_FOUND) return true;
    if (status != ERROR_SUCCESS) return false;

    DWORD flags = 0;
    bool done = true;
    if (ReadFlags(key.get(), &flags) == Flags::number) {
        const DWORD rest = flags & ~kKillBit;
        if ((origin & kadb::kCreatedValue) && rest == 0)
            done = RegDeleteValueA(key.get(), kFlagsValue) == ERROR_SUCCESS;
        else if (rest != flags)
            done = WriteFlags(key.get(), rest);
    }
    key.reset();
    if (done && (origin & kadb::kCreatedKey)) DeleteKeyIfEmpty(clsid);
    return done;
}

}  // namespace kordon
