#include "tests/support/records_sandbox.h"

#include <sddl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "app/records/key_security.h"

namespace recordstest {

std::vector<BYTE> UserSid() {
    records::SidBytes sid;
    records::GetUserSid(sid);
    return sid;
}

std::string UserProviderKey() {
    std::vector<BYTE> sid = UserSid();
    if (sid.empty()) return std::string();
    // The 9x family has no text of its own: there the cleaner's text, checked
    // against the system's on the NT family.
    std::string text = SystemSidText(sid.data());
    if (text.empty()) text = records::SidToText(sid.data());
    return std::string(kProvider) + "\\" + text;
}

std::string MachineProviderKey() {
    char user[300];
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    return std::string(kProvider) + "\\" + user;
}

std::string WindowsHistoryFolder() {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\History";
}

std::string ShellFolder(int csidl) {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE);
    return folder;
}

RecordKeysBackup::RecordKeysBackup() {
    for (const char* path : {kTypedUrls, kIntelliForms, kRecentDocs, kRunMru, kPlayerFiles, kProvider})
        keys_.push_back(std::make_unique<pvtest::KeyBackup>(HKEY_CURRENT_USER, path, pvtest::KeyBackup::kDelete));
    keys_.push_back(std::make_unique<pvtest::KeyBackup>(HKEY_LOCAL_MACHINE, kProvider, pvtest::KeyBackup::kDelete));
}

std::string SystemSidText(PSID sid) {
    char* text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text)) return std::string();
    std::string result = text;
    LocalFree(text);
    return result;
}

std::vector<BYTE> KeyDaclBytes(HKEY root, const std::string& path) {
    base::UniqueHKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, READ_CONTROL, key.put()) != ERROR_SUCCESS) return {};
    DWORD size = 0;
    RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    std::vector<BYTE> descriptor(size ? size : 1);
    if (RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor.data(), &size) != ERROR_SUCCESS)
        return {};
    descriptor.resize(size);
    return descriptor;
}

bool SetEveryoneReadDacl(HKEY root, const std::string& path) {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    BYTE everyone[SECURITY_MAX_SID_SIZE];
    if (!InitializeSid(everyone, &world, 1)) return false;
    *GetSidSubAuthority(everyone, 0) = SECURITY_WORLD_RID;
    std::vector<BYTE> acl(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone));
    const PACL list = reinterpret_cast<PACL>(acl.data());
    SECURITY_DESCRIPTOR descriptor;
    base::UniqueHKey key;
    return InitializeAcl(list, static_cast<DWORD>(acl.size()), ACL_REVISION) &&
           AddAccessAllowedAce(list, ACL_REVISION, KEY_READ, everyone) &&
           InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE) &&
           RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, key.put()) == ERROR_SUCCESS &&
           RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
}

void ExpectOpenDacl(PACL dacl, PSID user) {
    ASSERT_NE(dacl, nullptr);
    ASSERT_TRUE(IsValidAcl(dacl));
    EXPECT_EQ(dacl->AclRevision, 2);
    ASSERT_EQ(dacl->AceCount, 2);
    const std::string sids[] = {SystemSidText(user), "S-1-5-18"};
    for (DWORD i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        void* entry = nullptr;
        ASSERT_TRUE(GetAce(dacl, i, &entry));
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        EXPECT_EQ(allowed->Header.AceFlags, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
        EXPECT_EQ(allowed->Mask, 0xF003Fu);
        EXPECT_EQ(SystemSidText(const_cast<DWORD*>(&allowed->SidStart)), sids[i]);
    }
}

void ExpectKeyHasOpenDacl(HKEY root, const std::string& path, PSID user) {
    SCOPED_TRACE(path);
    std::vector<BYTE> descriptor = KeyDaclBytes(root, path);
    ASSERT_FALSE(descriptor.empty());
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor.data(), &present, &dacl, &defaulted));
    EXPECT_TRUE(present);
    ExpectOpenDacl(dacl, user);
}

}  // namespace recordstest
