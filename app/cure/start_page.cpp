#include "app/cure/start_page.h"

#include <string.h>

#include "app/cure/browser_defaults.h"
#include "base/registry_links.h"
#include "base/unique_handle.h"

namespace cure {

namespace {
constexpr DWORD kStoredStartPageRoom = 50;

bool SetStringValue(HKEY key, const char* name, DWORD type, const char* data) {
    const DWORD size = static_cast<DWORD>(strlen(data) + 1);
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}
}  // namespace

std::string ReadStoredStartPage() {
    base::UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVersionKeyPath, 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS)
        return std::string();
    // One byte more than the room asked for keeps a 50-byte text terminated.
    char buffer[kStoredStartPageRoom + 1] = {};
    DWORD size = kStoredStartPageRoom;
    if (RegQueryValueExA(key.get(), kStartPageValue, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return std::string();
    return std::string(buffer);
}

bool WriteStoredStartPage(const std::string& address) {
    base::UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVersionKeyPath, 0, KEY_SET_VALUE, key.put()) !=
        ERROR_SUCCESS)
        return false;
    return SetStringValue(key.get(), kStartPageValue, REG_SZ, address.c_str());
}

int PresetChoiceFor(const std::string& address, int current) {
    for (int i = 0; i < kPresetCount; ++i) {
        if (address == kPresetAddresses[i]) return i;
    }
    return current;
}

std::string AddressOrBlank(const std::string& address) {
    return address.empty() ? std::string(kBlankPage) : address;
}

int ResetBrowserDefaults() {
    int written = 0;
    for (const BrowserDefaultKey& entry : kBrowserDefaults) {
        // The user's keys are the user's to make: a registry link there would
        // send an administrator's writes into whatever key it names.
        const base::HeldKey key = base::OpenKeyWay(entry.root, entry.path, KEY_SET_VALUE, 0);
        if (!key.ok()) continue;
        for (int i = 0; i < entry.count; ++i) {
            const BrowserDefaultValue& v = entry.values[i];
            if (SetStringValue(key.get(), v.name, v.type, v.data)) ++written;
        }
    }
    return written;
}

}  // namespace cure
