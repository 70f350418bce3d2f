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
const char kSerialCopyPath[] = ".\\Freshen.serial";

namespace {

// Decimal digits only, at most 4294967295; 0 otherwise.
unsigned long ParseSerial(const char* text) {
    unsigned long long serial = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9' || serial > 0xFFFFFFFFull) return 0;
        serial = serial * 10 + static_cast<unsigned>(*c - '0');
    }
    return serial > 0xFFFFFFFFull ? 0 : static_cast<unsigned long>(serial);
}

unsigned long ReadSerialCopy() {
    base::UniqueFile file(CreateFileA(kSerialCopyPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    char text[kVersionSize] = {};
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), text, sizeof text - 1, &got, nullptr)) return 0;
    text[got] = '\0';
    return ParseSerial(text);
}

bool WriteSerialCopy(const char* text) {
    base::UniqueFile file(CreateFileA(kSerialCopyPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD put = 0;
    const DWORD length = static_cast<DWORD>(strlen(text));
    return file && WriteFile(file.get(), text, length, &put, nullptr) && put == length;
}

}  // namespace

unsigned long ReadAcceptedSerial(HKEY key) {
    VersionText text;
    ReadInstalledVersion(key, kSerialValue, text);
    return ParseSerial(text);
}

bool WriteAcceptedSerial(HKEY key, unsigned long serial) {
    char text[16];
    wsprintfA(text, "%lu", serial);
    return WriteInstalledVersion(key, kSerialValue, text);
}

unsigned long LowestAcceptedSerial(HKEY key, unsigned long builtSerial) {
    unsigned long lowest = builtSerial;
    for (unsigned long kept : {ReadAcceptedSerial(key), ReadSerialCopy()})
        if (kept > lowest) lowest = kept;
    return lowest;
}

bool KeepAcceptedSerial(HKEY key, unsigned long serial) {
    if (WriteAcceptedSerial(key, serial)) return true;
    char text[16];
    wsprintfA(text, "%lu", serial);
    return WriteSerialCopy(text);
}

bool WriteInstalledVersion(HKEY key, const char* name, const char* text) {
    if (!key) return false;
    return base::SetTextWithoutTerminator(key, name, text) == ERROR_SUCCESS;
}

}  // namespace freshen
