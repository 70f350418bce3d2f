// The user's SID and the access lists of registry keys, for the auto-complete
// form cleaner: the system keeps the form data under keys that only the system
// may change, so the cleaner opens them up for the user before it deletes them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace records {

// A SID or a self-relative security descriptor, owned as bytes.
using SidBytes = std::vector<BYTE>;
using SecurityBytes = std::vector<BYTE>;

// The SID of the user of this process's token (opened for query; the size of
// its user information asked first). False, with sid empty, when the token or
// its user cannot be read.
bool GetUserSid(SidBytes& sid);

// The SID as text: "S-1-" followed by the last byte of its identifier
// authority, then "-" and each sub-authority in decimal, in order. Authorities
// above 255 (none the system gives a user) are shown by that last byte only.
std::string SidToText(PSID sid);

// Keys are reached from root one at a time, each opened as itself
// (base/registry_links.h): a link anywhere on the way, or at the key itself,
// is never followed and the key counts as one that cannot be opened.

// The DACL of root\path (opened for reading its security, never created) as a
// self-relative descriptor holding only the DACL. False, with out empty, when
// the key cannot be opened or its security read.
bool ReadKeyDacl(HKEY root, const char* path, SecurityBytes& out);

// A DACL (revision 2) of two access-allowed entries, in this order: the user,
// then LocalSystem (S-1-5-18), each with full key access (0xF003F) inherited
// by subkeys (object and container inheritance), in an absolute security
// descriptor (revision 1) that names it as present and not defaulted.
class OpenDacl {
public:
    OpenDacl() = default;
    OpenDacl(const OpenDacl&) = delete;
    OpenDacl& operator=(const OpenDacl&) = delete;
    PSECURITY_DESCRIPTOR descriptor() { return &descriptor_; }
    PACL dacl() { return reinterpret_cast<PACL>(acl_.data()); }

private:
    friend bool BuildOpenDacl(PSID user, OpenDacl& out);
    std::vector<BYTE> acl_;
    SECURITY_DESCRIPTOR descriptor_ = {};
};

// Fills out for user. False when user is not a valid SID or an entry cannot
// be added; out is then unusable.
bool BuildOpenDacl(PSID user, OpenDacl& out);

// Sets the DACL of root\path from descriptor (the key is opened, never
// created). With recurse, every subkey and its subtree gets it too, each key
// before its own subkeys; a subkey that cannot be reached, or is a link, is
// passed over.
// False when path is empty or root\path's own DACL cannot be set.
bool WriteKeyDacl(HKEY root, const char* path, PSECURITY_DESCRIPTOR descriptor, bool recurse);

}  // namespace records
