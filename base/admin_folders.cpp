#include "base/admin_folders.h"

#include <aclapi.h>
#include <string.h>

#include <vector>

#include "base/path_text.h"
#include "base/system_function.h"
#include "base/unique_handle.h"

namespace base {

namespace {

constexpr char kPendingName[] = "PurvexPending";
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kFolderOrLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
// Rights by which someone could change what a path through a folder reaches.
constexpr ACCESS_MASK kChangeRights = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                                      WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL | MAXIMUM_ALLOWED;
// At a drive root anyone may add entries: that changes none already there.
constexpr ACCESS_MASK kRootChangeRights = kChangeRights & ~(FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY);

using SidBytes = std::vector<BYTE>;

SidBytes MakeSid(BYTE authority, std::initializer_list<DWORD> subAuthorities) {
    SidBytes sid(8 + 4 * subAuthorities.size());
    sid[0] = SID_REVISION;
    sid[1] = static_cast<BYTE>(subAuthorities.size());
    sid[7] = authority;
    size_t at = 8;
    for (DWORD sub : subAuthorities) {
        memcpy(&sid[at], &sub, 4);
        at += 4;
    }
    return sid;
}

const SidBytes& Administrators() {
    static const SidBytes sid = MakeSid(5, {32, 544});
    return sid;
}
const SidBytes& LocalSystem() {
    static const SidBytes sid = MakeSid(5, {18});
    return sid;
}
const SidBytes& TrustedInstaller() {
    static const SidBytes sid = MakeSid(5, {80, 956008885u, 3418522649u, 1831038044u, 1853292631u, 2271478464u});
    return sid;
}
const SidBytes& CreatorOwner() {
    static const SidBytes sid = MakeSid(3, {0});
    return sid;
}

// The SID's bytes, its length read from itself; empty for none.
SidBytes BytesOf(const void* sid) {
    if (!sid) return SidBytes();
    const BYTE* bytes = static_cast<const BYTE*>(sid);
    return SidBytes(bytes, bytes + 8 + 4 * bytes[1]);
}

// What a token says about itself, its size asked first.
std::vector<BYTE> TokenInfo(HANDLE token, TOKEN_INFORMATION_CLASS kind) {
    DWORD size = 0;
    GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<BYTE> info(size);
    if (size == 0 || !GetTokenInformation(token, kind, info.data(), size, &size)) info.clear();
    return info;
}

// Whether the token holds Administrators for access (not for denial only).
bool HoldsAdministrators(HANDLE token) {
    const std::vector<BYTE> info = TokenInfo(token, TokenGroups);
    if (info.size() < sizeof(TOKEN_GROUPS)) return false;
    const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(info.data());
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        const SID_AND_ATTRIBUTES& group = groups->Groups[i];
        if (BytesOf(group.Sid) == Administrators() && (group.Attributes & SE_GROUP_ENABLED) &&
            !(group.Attributes & SE_GROUP_USE_FOR_DENY_ONLY))
            return true;
    }
    return false;
}

// This process's user, when every token of that user is an administrator's:
// this one holds Administrators, and so does the lesser token user account
// control links to it, where there is one. Empty otherwise.
SidBytes TrustedOwnUser() {
    constexpr TOKEN_INFORMATION_CLASS kLinkedToken = static_cast<TOKEN_INFORMATION_CLASS>(19);
    UniqueHandleKernel token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()) || !HoldsAdministrators(token.get()))
        return SidBytes();
    const std::vector<BYTE> user = TokenInfo(token.get(), TokenUser);
    if (user.size() < sizeof(TOKEN_USER)) return SidBytes();
    HANDLE linked = nullptr;
    DWORD size = 0;
    if (GetTokenInformation(token.get(), kLinkedToken, &linked, sizeof linked, &size) && linked) {
        const UniqueHandleKernel lesser(linked);
        if (!HoldsAdministrators(lesser.get())) return SidBytes();
    }
    return BytesOf(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid);
}

bool IsTrusted(const SidBytes& sid) {
    static const SidBytes ownUser = TrustedOwnUser();
    return sid == Administrators() || sid == LocalSystem() || sid == TrustedInstaller() ||
           (!ownUser.empty() && sid == ownUser);
}

// Whether an access list lets anyone untrusted use any of rights on the folder
// itself. A list that cannot be read through counts as letting them.
bool LetsOthers(const ACL* acl, bool ownerTrusted, ACCESS_MASK rights) {
    if (!acl) return true;  // no list: everyone may do everything
    const BYTE* at = reinterpret_cast<const BYTE*>(acl) + sizeof(ACL);
    const BYTE* end = reinterpret_cast<const BYTE*>(acl) + acl->AclSize;
    for (WORD i = 0; i < acl->AceCount; ++i) {
        if (at + sizeof(ACE_HEADER) > end) return true;
        const ACE_HEADER* header = reinterpret_cast<const ACE_HEADER*>(at);
        if (header->AceSize < sizeof(ACE_HEADER) || at + header->AceSize > end) return true;
        const BYTE type = header->AceType;
        const bool allows = type == ACCESS_ALLOWED_ACE_TYPE || type == ACCESS_ALLOWED_CALLBACK_ACE_TYPE ||
                            type == ACCESS_ALLOWED_COMPOUND_ACE_TYPE || type == ACCESS_ALLOWED_OBJECT_ACE_TYPE ||
                            type == ACCESS_ALLOWED_CALLBACK_OBJECT_ACE_TYPE;
        if (allows && !(header->AceFlags & INHERIT_ONLY_ACE)) {
            if (header->AceSize < 8) return true;
            const ACCESS_MASK mask = *reinterpret_cast<const ACCESS_MASK*>(at + 4);
            if (mask & rights) {
                // The SID follows the mask only in the plain forms.
                const bool plain = type == ACCESS_ALLOWED_ACE_TYPE || type == ACCESS_ALLOWED_CALLBACK_ACE_TYPE;
                if (!plain || header->AceSize < 16 || 8 + 8 + 4u * at[9] > header->AceSize) return true;
                const SidBytes sid = BytesOf(at + 8);
                if (!IsTrusted(sid) && !(sid == CreatorOwner() && ownerTrusted)) return true;
            }
        }
        at += header->AceSize;
    }
    return false;
}

// One folder by its full path: no link, a trusted owner, and no change
// right for anyone else (at a drive root, adding entries aside).
FolderTrust JudgeOne(const std::string& path, bool isRoot) {
    using GetSecurityInfoFn = DWORD(WINAPI*)(HANDLE, SE_OBJECT_TYPE, SECURITY_INFORMATION, PSID*, PSID*, PACL*,
                                             PACL*, PSECURITY_DESCRIPTOR*);
    static const auto getSecurity = SystemFunction<GetSecurityInfoFn>("advapi32.dll", "GetSecurityInfo");
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kFolderOrLink) != FILE_ATTRIBUTE_DIRECTORY)
        return FolderTrust::kLink;
    UniqueFile folder(CreateFileA(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folder || !GetFileInformationByHandle(folder.get(), &info)) return FolderTrust::kOthersMayChange;
    if ((info.dwFileAttributes & kFolderOrLink) != FILE_ATTRIBUTE_DIRECTORY) return FolderTrust::kLink;
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!getSecurity || getSecurity(folder.get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                    &owner, nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return FolderTrust::kOthersMayChange;
    const bool ownerTrusted = IsTrusted(BytesOf(owner));
    const bool others = !ownerTrusted || LetsOthers(dacl, ownerTrusted, isRoot ? kRootChangeRights : kChangeRights);
    LocalFree(descriptor);
    return others ? FolderTrust::kOthersMayChange : FolderTrust::kAdminsOnly;
}

// The full path, without a trailing backslash past the drive root; "" for
// anything but a drive's folder ("X:\...").
std::string DriveFolder(const std::string& path) {
    char full[MAX_PATH * 2];
    const DWORD n = path.empty() ? 0 : GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n < 3 || n >= sizeof full || full[1] != ':' || full[2] != '\\') return std::string();
    return WithoutTrailingSeparators(std::string(full, n));
}

// A self-relative security descriptor whose list, kept from inheriting,
// gives Administrators and LocalSystem full access, passed on to everything
// made inside.
std::vector<BYTE> AdminsOnlyDescriptor() {
    std::vector<BYTE> aces;
    for (const SidBytes* sid : {&Administrators(), &LocalSystem()}) {
        ACE_HEADER header = {ACCESS_ALLOWED_ACE_TYPE, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
                             static_cast<WORD>(8 + sid->size())};
        const ACCESS_MASK mask = FILE_ALL_ACCESS;
        const BYTE* h = reinterpret_cast<const BYTE*>(&header);
        const BYTE* m = reinterpret_cast<const BYTE*>(&mask);
        aces.insert(aces.end(), h, h + sizeof header);
        aces.insert(aces.end(), m, m + sizeof mask);
        aces.insert(aces.end(), sid->begin(), sid->end());
    }
    SECURITY_DESCRIPTOR_RELATIVE head = {};
    head.Revision = SECURITY_DESCRIPTOR_REVISION;
    head.Control = SE_DACL_PRESENT | SE_DACL_PROTECTED | SE_SELF_RELATIVE;
    head.Dacl = sizeof head;
    ACL acl = {ACL_REVISION, 0, static_cast<WORD>(sizeof(ACL) + aces.size()), 2, 0};
    std::vector<BYTE> out(reinterpret_cast<const BYTE*>(&head), reinterpret_cast<const BYTE*>(&head) + sizeof head);
    out.insert(out.end(), reinterpret_cast<const BYTE*>(&acl), reinterpret_cast<const BYTE*>(&acl) + sizeof acl);
    out.insert(out.end(), aces.begin(), aces.end());
    return out;
}

}  // namespace

FolderTrust JudgeFolderChain(const std::string& folder) {
    if (!WorksByHandle()) return FolderTrust::kAdminsOnly;
    const std::string full = DriveFolder(folder);
    if (full.empty()) return FolderTrust::kOthersMayChange;
    FolderTrust trust = JudgeOne(full.substr(0, 3), true);
    for (size_t at = 3; trust == FolderTrust::kAdminsOnly && at < full.size();) {
        const size_t end = NextSeparator(full, at);
        trust = JudgeOne(full.substr(0, end), false);
        at = end + 1;
    }
    return trust;
}

OpenFolder OpenPendingFolder(const std::string& path) {
    const std::string full = DriveFolder(path);
    if (!WorksByHandle() || full.empty() || JudgeOne(full.substr(0, 3), true) != FolderTrust::kAdminsOnly)
        return OpenFolder();
    const std::string pending = full.substr(0, 3) + kPendingName;
    std::vector<BYTE> descriptor = AdminsOnlyDescriptor();
    SECURITY_ATTRIBUTES security = {sizeof security, descriptor.data(), FALSE};
    CreateDirectoryA(pending.c_str(), &security);  // one already there is judged as it is
    if (JudgeOne(pending, false) != FolderTrust::kAdminsOnly) return OpenFolder();
    return OpenFolder::Root(pending.c_str());
}

}  // namespace base
