#include "tests/support/registry_sandbox.h"

#include <gtest/gtest.h>

#include "base/registry_links.h"

namespace pvtest {

namespace {

void Save(HKEY key, REGSAM view, KeyBackup::Snapshot* out) {
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameSize = sizeof name;
        DWORD type = 0, dataSize = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS)
            break;
        RegValue v;
        v.present = true;
        v.type = type;
        v.data.assign(dataSize, '\0');
        nameSize = sizeof name;
        RegEnumValueA(key, i, name, &nameSize, nullptr, &type,
                      dataSize ? reinterpret_cast<BYTE*>(&v.data[0]) : nullptr, &dataSize);
        out->values.emplace_back(name, v);
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        base::UniqueHKey sub;
        KeyBackup::Snapshot child;
        if (RegOpenKeyExA(key, name, 0, KEY_READ | view, sub.put()) == ERROR_SUCCESS) Save(sub.get(), view, &child);
        out->subkeys.emplace_back(name, child);
    }
}

void Restore(HKEY parent, const std::string& path, REGSAM view, const KeyBackup::Snapshot& s) {
    base::UniqueHKey key;
    if (RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& v : s.values)
        RegSetValueExA(key.get(), v.first.c_str(), 0, v.second.type,
                       reinterpret_cast<const BYTE*>(v.second.data.data()),
                       static_cast<DWORD>(v.second.data.size()));
    for (const auto& sub : s.subkeys) Restore(key.get(), sub.first, view, sub.second);
}

// Within a read-only DACL (Wine refuses KEY_ALL_ACCESS there).
constexpr REGSAM kDeleteAccess = KEY_READ | DELETE;

bool IsLink(HKEY key) {
    DWORD type = REG_NONE;
    return RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}

LONG DeleteOpenKey(HKEY key) {
    using DeleteFn = LONG(WINAPI*)(HANDLE);
    static const auto ntDelete = reinterpret_cast<DeleteFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
    return ntDelete(key);
}

// Every subkey through its handle, a link as itself, by wide names (a test
// may make names the code page cannot hold).
void DeleteSubkeys(HKEY key, REGSAM view) {
    wchar_t name[256];
    for (DWORD length = 256; RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                             ERROR_SUCCESS;
         length = 256) {
        base::UniqueHKey child;
        if (RegOpenKeyExW(key, name, REG_OPTION_OPEN_LINK, kDeleteAccess | view, child.put()) != ERROR_SUCCESS) break;
        if (!IsLink(child.get())) DeleteSubkeys(child.get(), view);
        if (DeleteOpenKey(child.get()) != 0) break;
    }
}

}  // namespace

RegValue ReadValue(HKEY root, const std::string& path, const char* name, REGSAM view) {
    RegValue v;
    base::UniqueHKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE | view, key.put()) != ERROR_SUCCESS) return v;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &v.type, nullptr, &size) != ERROR_SUCCESS) return v;
    v.data.assign(size, '\0');
    if (RegQueryValueExA(key.get(), name, nullptr, &v.type,
                         size ? reinterpret_cast<BYTE*>(&v.data[0]) : nullptr, &size) != ERROR_SUCCESS)
        return RegValue();
    v.data.resize(size);
    v.present = true;
    return v;
}

bool KeyExists(HKEY root, const std::string& path, REGSAM view) {
    base::UniqueHKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put()) == ERROR_SUCCESS;
}

bool SetValue(HKEY root, const std::string& path, const char* name, const std::string& bytes, DWORD type,
              REGSAM view) {
    base::UniqueHKey key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    return RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool DeleteKeyTree(HKEY root, const std::string& path, REGSAM view) {
    base::UniqueHKey key;
    if (RegOpenKeyExA(root, path.c_str(), REG_OPTION_OPEN_LINK, kDeleteAccess | view, key.put()) == ERROR_SUCCESS) {
        if (!IsLink(key.get())) DeleteSubkeys(key.get(), view);
        DeleteOpenKey(key.get());
    }
    return !KeyExists(root, path, view);
}

bool MakeKeyLink(HKEY root, const std::string& path, HKEY targetRoot, const std::string& targetPath) {
    const std::string target = base::HoldKey(targetRoot, targetPath, KEY_READ, 0).realName();
    const std::wstring wide(target.begin(), target.end());
    base::UniqueHKey link;
    return !target.empty() &&
           RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK, KEY_ALL_ACCESS, nullptr, link.put(),
                           nullptr) == ERROR_SUCCESS &&
           RegSetValueExW(link.get(), L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(wide.data()),
                          static_cast<DWORD>(wide.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

TestKey::TestKey(HKEY root, const std::string& parent) : root_(root) {
    static LONG serial = 0;
    do {
        path_ = (parent.empty() ? "" : parent + "\\") + "PurvexTest_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(InterlockedIncrement(&serial));
    } while (KeyExists(root_, path_));
    base::UniqueHKey key;
    EXPECT_EQ(RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
              ERROR_SUCCESS)
        << path_;
}

TestKey::~TestKey() { DeleteKeyTree(root_, path_); }

KeyBackup::KeyBackup(HKEY root, std::string path, Mode mode, REGSAM view)
    : root_(root), path_(std::move(path)), view_(view), existed_(false) {
    base::UniqueHKey key;
    if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ | view_, key.put()) == ERROR_SUCCESS) {
        existed_ = true;
        Save(key.get(), view_, &saved_);
    }
    key.reset();
    if (mode == kDelete) DeleteKeyTree(root_, path_, view_);
    if (mode == kEnsure) Restore(root_, path_, view_, Snapshot());
}

KeyBackup::~KeyBackup() {
    DeleteKeyTree(root_, path_, view_);
    if (existed_) Restore(root_, path_, view_, saved_);
}

}  // namespace pvtest
