#include "app/records/key_security.h"

#include <stdio.h>

#include "base/registry_links.h"
#include "base/unique_handle.h"

namespace records {

namespace {

constexpr DWORD kFullKeyAccess = 0xF003F;  // KEY_ALL_ACCESS
constexpr BYTE kInheritedBySubkeys = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;  // 3
constexpr DWORD kSubkeyNameSize = 261;     // names of up to 260 characters, terminator included

// Adds an access-allowed entry and marks it inherited. AddAccessAllowedAceEx
// is missing on NT 4, so the flags are set on the entry afterwards.
bool AddFullAccess(PACL acl, PSID sid) {
    if (!AddAccessAllowedAce(acl, ACL_REVISION, kFullKeyAccess, sid)) return false;
    void* entry = nullptr;
    if (!GetAce(acl, acl->AceCount - 1, &entry)) return false;
    static_cast<ACE_HEADER*>(entry)->AceFlags = kInheritedBySubkeys;
    return true;
}

// Gives every subkey of key and its subtree the DACL, each key before its
// own subkeys. A subkey is opened as itself, below key's own handle: a link
// or a subkey that cannot be reached is passed over.
void WriteSubkeyDacls(const base::HeldKey& key, PSECURITY_DESCRIPTOR descriptor) {
    DWORD count = 0;
    if (!key.ok() || key.IsLink() ||
        RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0; index < count; ++index) {
        char name[kSubkeyNameSize];
        DWORD nameSize = kSubkeyNameSize;
        const LONG found = RegEnumKeyExA(key.get(), index, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
        if (found == ERROR_NO_MORE_ITEMS) break;
        if (found != ERROR_SUCCESS) continue;
        const base::HeldKey child = key.Sub(name, WRITE_DAC);
        if (child.ok() && !child.IsLink() &&
            RegSetKeySecurity(child.get(), DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS)
            WriteSubkeyDacls(key.Sub(name, KEY_READ), descriptor);
    }
}

}  // namespace

bool GetUserSid(SidBytes& sid) {
    sid.clear();
    base::UniqueHandleKernel token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size < sizeof(TOKEN_USER)) return false;
    std::vector<BYTE> info(size);
    if (!GetTokenInformation(token.get(), TokenUser, info.data(), size, &size)) return false;
    const PSID user = reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid;
    if (!IsValidSid(user)) return false;
    sid.resize(GetLengthSid(user));
    if (!CopySid(static_cast<DWORD>(sid.size()), sid.data(), user)) {
        sid.clear();
        return false;
    }
    return true;
}

std::string SidToText(PSID sid) {
    char part[16];
    snprintf(part, sizeof part, "S-1-%lu", static_cast<unsigned long>(GetSidIdentifierAuthority(sid)->Value[5]));
    std::string text = part;
    const BYTE count = *GetSidSubAuthorityCount(sid);
    for (BYTE i = 0; i < count; ++i) {
        snprintf(part, sizeof part, "-%lu", static_cast<unsigned long>(*GetSidSubAuthority(sid, i)));
        text += part;
    }
    return text;
}

bool ReadKeyDacl(HKEY root, const char* path, SecurityBytes& out) {
    out.clear();
    const base::HeldKey key = base::OpenKeyWay(root, path ? path : "", READ_CONTROL, 0);
    if (!key.ok()) return false;
    DWORD size = 0;
    if (RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, nullptr, &size) != ERROR_INSUFFICIENT_BUFFER ||
        !size)
        return false;
    out.resize(size);
    if (RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, out.data(), &size) != ERROR_SUCCESS) {
        out.clear();
        return false;
    }
    return true;
}

bool BuildOpenDacl(PSID user, OpenDacl& out) {
    if (!user || !IsValidSid(user)) return false;
    BYTE systemBytes[SECURITY_MAX_SID_SIZE];
    const PSID system = systemBytes;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    if (!InitializeSid(system, &nt, 1)) return false;
    *GetSidSubAuthority(system, 0) = SECURITY_LOCAL_SYSTEM_RID;

    // The list header and two entries of a mask and a SID each; the SID's first
    // DWORD is counted in the entry, so it is subtracted once per entry.
    const DWORD entry = sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD);
    out.acl_.assign(sizeof(ACL) + 2 * entry + GetLengthSid(user) + GetLengthSid(system), 0);
    const PACL acl = out.dacl();
    return InitializeAcl(acl, static_cast<DWORD>(out.acl_.size()), ACL_REVISION) && AddFullAccess(acl, user) &&
           AddFullAccess(acl, system) &&
           InitializeSecurityDescriptor(&out.descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(&out.descriptor_, TRUE, acl, FALSE);
}

bool WriteKeyDacl(HKEY root, const char* path, PSECURITY_DESCRIPTOR descriptor, bool recurse) {
    if (!path || !path[0]) return false;
    const base::HeldKey key = base::OpenKeyWay(root, path, WRITE_DAC, 0);
    if (!key.ok() || RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor) != ERROR_SUCCESS)
        return false;
    // Opened again: the new DACL decides what this process may now read.
    if (recurse) WriteSubkeyDacls(base::OpenKeyWay(root, path, KEY_READ, 0), descriptor);
    return true;
}

}  // namespace records
