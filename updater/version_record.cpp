#include "updater/version_record.h"

#include <cstring>
#include <vector>

namespace freshen {

base::UniqueHKey OpenVersionRecord() {
    base::UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVersionKeyPath, 0, KEY_READ | KEY_WRITE, key.put()) != ERROR_SUCCESS)
        key.reset();
    return key;
}

void ReadInstalledVersion(HKEY key, const char* name, VersionText& out) {
    std::memset(out, 0, sizeof out);
    if (!key) return;
    // Ask for the size first: a value longer than the buffer must still give
    // its first 19 bytes rather than nothing.
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0) return;
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return;
    size_t length = strnlen(data.data(), size);
    if (length > kVersionSize - 1) length = kVersionSize - 1;
    std::memcpy(out, data.data(), length);
}

const char kSerialValue[] = "UpdateSerial";

unsigned long ReadAcceptedSerial(HKEY key) {
    VersionText text;
    ReadInstalledVersion(key, kSerialValue, text);
    unsigned long long serial = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9' || serial > 0xFFFFFFFFull) return 0;
        serial = serial * 10 + static_cast<unsigned>(*c - '0');
    }
    return serial > 0xFFFFFFFFull ? 0 : static_cast<unsigned long>(serial);
}

bool WriteAcceptedSerial(HKEY key, unsigned long serial) {
    char text[16];
    wsprintfA(text, "%lu", serial);
    return WriteInstalledVersion(key, kSerialValue, text);
}

bool WriteInstalledVersion(HKEY key, const char* name, const char* text) {
    if (!key) return false;
    return base::SetTextWithoutTerminator(key, name, text) == ERROR_SUCCESS;
}

}  // namespace freshen
