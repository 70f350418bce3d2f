#include "tests/support/version_key_sandbox.h"

#include "base/unique_handle.h"
#include "base/version_key.h"

namespace pvtest {

namespace {
// The key above path.
std::string Above(const std::string& path) { return path.substr(0, path.rfind('\\')); }
// "SOFTWARE\(주)Orvane\Purvex" and "SOFTWARE\(주)Orvane", which the version key's making may make.
const std::string kProductKey = Above(base::kVersionKeyPath), kMakerKey = Above(kProductKey);
}  // namespace

VersionKeySandbox::Parents::Parents()
    : product(KeyExists(HKEY_LOCAL_MACHINE, kProductKey)), maker(KeyExists(HKEY_LOCAL_MACHINE, kMakerKey)) {}

VersionKeySandbox::Parents::~Parents() {
    if (!product) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProductKey.c_str());  // fails unless empty
    if (!maker) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMakerKey.c_str());
}

VersionKeySandbox::VersionKeySandbox(Start start) : tree_(HKEY_LOCAL_MACHINE, base::kVersionKeyPath) {
    if (start == kEnsured) Create();
    if (start == kAbsent) Delete();
}

void VersionKeySandbox::Create() {
    base::UniqueHKey key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, base::kVersionKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr);
}

void VersionKeySandbox::Delete() { DeleteKeyTree(HKEY_LOCAL_MACHINE, base::kVersionKeyPath); }

void VersionKeySandbox::Set(const char* name, const char* text) {
    base::UniqueHKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, base::kVersionKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, key.put(),
                        nullptr) == ERROR_SUCCESS)
        base::SetTextWithoutTerminator(key.get(), name, text);
}

std::string VersionKeySandbox::Get(const char* name) const {
    const RegValue value = ReadValue(HKEY_LOCAL_MACHINE, base::kVersionKeyPath, name);
    if (!value.present) return "<missing>";
    std::string text = value.data;
    if (!text.empty() && text.back() == '\0') text.pop_back();  // a terminator the platform added
    return text;
}

std::map<std::string, std::string> VersionKeySandbox::Values() const {
    std::map<std::string, std::string> values;
    base::UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, base::kVersionKeyPath, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLength = sizeof name;
        if (RegEnumValueA(key.get(), i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        values[name] = ReadValue(HKEY_LOCAL_MACHINE, base::kVersionKeyPath, name).data;
    }
    return values;
}

}  // namespace pvtest
