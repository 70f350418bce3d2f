#include "backup/seal.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/sha256.h"
#include "base/system_function.h"
#include "base/unique_handle.h"

namespace backup {

namespace {

// Beside the version record, under the program's own key.
constexpr char kSealKeyPath[] = "SOFTWARE\\(주)Orvane\\Purvex\\BackupSeal";
constexpr char kSealKeyValue[] = "Key";
constexpr DWORD kKeyBytes = 32;
constexpr int kWaitsForMaker = 20;
constexpr size_t kLongestSealFile = 256;  // another process made the key: its value follows at once

// A SID of the NT authority with one or two sub-authorities, as bytes.
struct WellKnownSid {
    BYTE bytes[SECURITY_MAX_SID_SIZE] = {};
    WellKnownSid(DWORD first, DWORD second = 0) {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        InitializeSid(bytes, &nt, second ? 2 : 1);
        *GetSidSubAuthority(bytes, 0) = first;
        if (second) *GetSidSubAuthority(bytes, 1) = second;
    }
    PSID sid() { return bytes; }
};

// The key's security: a DACL of full access for administrators and SYSTEM
// only, inheriting nothing from the program's key.
class SealKeySecurity {
public:
    SealKeySecurity() {
        const DWORD entry = sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD);
        acl_.assign(sizeof(ACL) + 2 * entry + GetLengthSid(admins_.sid()) + GetLengthSid(system_.sid()), 0);
        const PACL acl = reinterpret_cast<PACL>(acl_.data());
        ok_ = InitializeAcl(acl, static_cast<DWORD>(acl_.size()), ACL_REVISION) &&
              AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, admins_.sid()) &&
              AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, system_.sid()) &&
              InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
              SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE);
        using ControlFn = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, SECURITY_DESCRIPTOR_CONTROL, SECURITY_DESCRIPTOR_CONTROL);
        static const auto setControl = base::SystemFunction<ControlFn>("advapi32.dll", "SetSecurityDescriptorControl");
        if (ok_ && setControl) setControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);  // NT 4 inherits nothing
    }
    bool ok() const { return ok_; }
    SECURITY_ATTRIBUTES* attributes() {
        attributes_ = {sizeof attributes_, &descriptor_, FALSE};
        return ok_ ? &attributes_ : nullptr;
    }
    PSECURITY_DESCRIPTOR descriptor() { return &descriptor_; }

    // Trusted: owned by administrators, SYSTEM or this process's user, and
    // no entry of its DACL lets anyone else in. A system without key
    // security (RegGetKeySecurity not implemented) has nothing to check.
    bool Trusts(HKEY key) {
        DWORD size = 0;
        const LONG asked = RegGetKeySecurity(key, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr, &size);
        if (asked == ERROR_CALL_NOT_IMPLEMENTED) return true;
        std::vector<BYTE> bytes(size);
        PSID owner = nullptr;
        PACL dacl = nullptr;
        BOOL defaulted = FALSE, present = FALSE;
        if (asked != ERROR_INSUFFICIENT_BUFFER || size == 0 ||
            RegGetKeySecurity(key, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, bytes.data(), &size) !=
                ERROR_SUCCESS ||
            !GetSecurityDescriptorOwner(bytes.data(), &owner, &defaulted) ||
            !GetSecurityDescriptorDacl(bytes.data(), &present, &dacl, &defaulted) || !present || !dacl ||
            !owner || !(IsAdministration(owner) || IsThisUser(owner)))
            return false;
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            void* ace = nullptr;
            if (!GetAce(dacl, i, &ace)) return false;
            const ACE_HEADER* header = static_cast<ACE_HEADER*>(ace);
            if (header->AceType == ACCESS_DENIED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE)) continue;
            const BYTE type = header->AceType;
            if (type != ACCESS_ALLOWED_ACE_TYPE ||
                !IsAdministration(reinterpret_cast<PSID>(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart)))
                return false;
        }
        return true;
    }

private:
    bool IsAdministration(PSID sid) { return EqualSid(sid, admins_.sid()) || EqualSid(sid, system_.sid()); }
    static bool IsThisUser(PSID sid) {
        base::UniqueHandleKernel token;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
        for (TOKEN_INFORMATION_CLASS kind : {TokenUser, TokenOwner}) {
            DWORD size = 0;
            GetTokenInformation(token.get(), kind, nullptr, 0, &size);
            std::vector<BYTE> info(size + sizeof(void*));
            if (size && GetTokenInformation(token.get(), kind, info.data(), size, &size) &&
                EqualSid(sid, *reinterpret_cast<PSID*>(info.data())))  // both begin with the SID's pointer
                return true;
        }
        return false;
    }

    WellKnownSid admins_{SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}, system_{SECURITY_LOCAL_SYSTEM_RID};
    std::vector<BYTE> acl_;
    SECURITY_DESCRIPTOR descriptor_ = {};
    SECURITY_ATTRIBUTES attributes_ = {};
    bool ok_ = false;
};

// Random bytes from the system: RtlGenRandom (XP on), else CryptoAPI.
bool RandomBytes(BYTE* out, DWORD size) {
    using GenRandomFn = BOOLEAN(WINAPI*)(PVOID, ULONG);
    static const auto genRandom = base::SystemFunction<GenRandomFn>("advapi32.dll", "SystemFunction036");
    if (genRandom && genRandom(out, size)) return true;
    using AcquireFn = BOOL(WINAPI*)(HCRYPTPROV*, LPCSTR, LPCSTR, DWORD, DWORD);
    using CryptRandomFn = BOOL(WINAPI*)(HCRYPTPROV, DWORD, BYTE*);
    using ReleaseFn = BOOL(WINAPI*)(HCRYPTPROV, DWORD);
    static const auto acquire = base::SystemFunction<AcquireFn>("advapi32.dll", "CryptAcquireContextA");
    static const auto cryptRandom = base::SystemFunction<CryptRandomFn>("advapi32.dll", "CryptGenRandom");
    static const auto release = base::SystemFunction<ReleaseFn>("advapi32.dll", "CryptReleaseContext");
    HCRYPTPROV provider = 0;
    if (!acquire || !cryptRandom || !release ||
        !acquire(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT | CRYPT_SILENT))
        return false;
    const bool made = cryptRandom(provider, size, out) != FALSE;
    release(provider, 0);
    return made;
}

bool ReadKeyBytes(HKEY key, std::string* bytes) {
    DWORD type = 0, size = kKeyBytes;
    bytes->assign(kKeyBytes, '\0');
    return RegQueryValueExA(key, kSealKeyValue, nullptr, &type, reinterpret_cast<BYTE*>(&(*bytes)[0]), &size) ==
               ERROR_SUCCESS &&
           type == REG_BINARY && size == kKeyBytes;
}

// The machine's key; made first, with make, when there is none. The key is
// made with its security (set again where the system passed it over when
// making it: Wine); the process that makes it writes its value at once, one
// that finds it without its security or value waits a moment for the maker.
// A key whose security was not as it must be gets a new value: the old one
// may have been read.
bool MachineKey(bool make, std::string* bytes) {
    SealKeySecurity security;
    base::UniqueHKey key;
    DWORD disposition = 0;
    const REGSAM access = KEY_QUERY_VALUE | READ_CONTROL | (make ? KEY_SET_VALUE | WRITE_DAC : 0);
    const LONG opened = make ? RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSealKeyPath, 0, nullptr, 0, access,
                                               security.attributes(), key.put(), &disposition)
                             : RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSealKeyPath, 0, access, key.put());
    if (opened != ERROR_SUCCESS || !security.ok()) return false;
    const bool made = disposition == REG_CREATED_NEW_KEY;
    for (int wait = 0; make && !made && wait < kWaitsForMaker && !security.Trusts(key.get()); ++wait) Sleep(50);
    bool fresh = made;
    if (!security.Trusts(key.get())) {
        if (!make || RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, security.descriptor()) != ERROR_SUCCESS ||
            !security.Trusts(key.get()))
            return false;
        fresh = true;
    }
    for (int wait = 0; make && !fresh && wait < kWaitsForMaker && !ReadKeyBytes(key.get(), bytes); ++wait) Sleep(50);
    if (make && (fresh || !ReadKeyBytes(key.get(), bytes))) {
        BYTE value[kKeyBytes];
        const bool written = RandomBytes(value, kKeyBytes) &&
                             RegSetValueExA(key.get(), kSealKeyValue, 0, REG_BINARY, value, kKeyBytes) == ERROR_SUCCESS;
        SecureZeroMemory(value, sizeof value);
        if (!written) return false;
    }
    return ReadKeyBytes(key.get(), bytes);
}

}  // namespace

bool SealOf(const std::string& text, bool make, std::string* seal) {
    std::string key;
    if (!MachineKey(make, &key)) return false;
    *seal = base::HmacSha256Hex(key.data(), key.size(), text.data(), text.size());
    SecureZeroMemory(&key[0], key.size());
    return true;
}

bool SealChecks(const std::string& text, const std::string& seal) {
    std::string expected;
    if (!SealOf(text, false, &expected) || expected.size() != seal.size()) return false;
    unsigned char differs = 0;  // every byte compared, whatever differs first
    for (size_t i = 0; i < seal.size(); ++i) differs |= static_cast<unsigned char>(expected[i] ^ seal[i]);
    return differs == 0;
}

FileRead ReadSeal(const base::OpenFolder& folder, std::string* seal) {
    const FileRead read = ReadOwnFile(folder, kSealName, kLongestSealFile, seal);
    seal->resize(std::min(seal->size(), seal->find_first_of("\r\n")));
    return read;
}

}  // namespace backup
