// The one way the program opens the registry keys it removes, exports or
// rewrites when someone else may have made them: a database record's key, a
// key of the user's hive that an administrator's cleaning empties, the place
// a backup puts a key back to. A registry link (a key made with
// REG_OPTION_CREATE_LINK, whose "SymbolicLinkValue" names another key) is
// followed by the ordinary calls, so a key named harmlessly could send a
// deletion, an export or a write into any key the program may change.
//
// What it promises on the NT family:
//  - A key is opened as itself: relative to its parent's open handle with
//    REG_OPTION_OPEN_LINK, so a link opens as the link, never as the key it
//    names. Where the system tells a key's full name (NtQueryKey), a key so
//    opened must be named as that parent's child; one that is not counts as
//    a link.
//  - A link is never entered: a tree removal deletes a link it meets as
//    itself, an export reads nothing of it, a write never passes through it.
//  - A key is deleted through its own handle (NtDeleteKey, looked up by name
//    in ntdll), the handle that was opened and checked, never by name.
// The 9x family has no registry links and no NtDeleteKey: there the same
// calls open keys by name and delete them with RegDeleteKey.
//
// Two ways of reaching a key:
//  - HoldKey reaches a database record's key as the system resolves its path
//    (links on the way followed, as base/deletion.h's HoldPath does for
//    files); only the key itself is opened as itself. Where it really is
//    (RealPlace) is what the protected lists judge.
//  - OpenKeyWay opens every key from the root down as itself and refuses a
//    link anywhere on the way; it can make the missing keys, as plain keys.
//    For keys put back or rewritten at a place written down earlier, and for
//    the fixed keys of the user's hive that the cleaners empty.
#pragma once
#include <windows.h>

#include <string>

#include "base/deletion.h"
#include "base/unique_handle.h"

namespace base {

// True where keys can be links and are deleted through their handles: the
// system has NtDeleteKey (the NT family).
bool RegistryHasLinks();

// An open registry key and what it is. Move-only.
class HeldKey {
public:
    HeldKey() = default;
    HeldKey(HeldKey&&) = default;
    HeldKey& operator=(HeldKey&&) = default;

    Reach reach() const { return reach_; }
    bool ok() const { return reach_ == Reach::kHeld; }
    HKEY get() const { return key_.get(); }
    // A link, opened as itself: it holds nothing but the name of its target.
    bool IsLink() const { return link_; }
    // The root and subkey it was reached by, as named.
    HKEY root() const { return root_; }
    const std::string& subkey() const { return subkey_; }
    // Its full name in the registry ("\REGISTRY\MACHINE\...",
    // "\REGISTRY\USER\<hive>\..."); "" where the system cannot tell.
    const std::string& realName() const { return realName_; }
    // Where it really is: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER for this
    // user's hive, HKEY_USERS for any other hive (a user's classes hive
    // "<sid>_Classes" among them), and the subkey there. False where the
    // system cannot tell.
    bool RealPlace(HKEY* root, std::string* subkey) const;

    // A subkey opened as itself (see above), with access; KEY_QUERY_VALUE is
    // always added. Gone when there is no such subkey; refused when it cannot
    // be opened or opens as another key's name.
    HeldKey Sub(const std::string& name, REGSAM access) const;

    // Deletes this key, which must hold no subkeys (a link holds none),
    // through its handle. The platform's status code; the handle stays open.
    LONG DeleteSelf() const;
    // Deletes every subkey, depth first, a link as itself and never entered,
    // then this key. Stops at the first subkey that cannot be deleted.
    // ERROR_SUCCESS when this key is gone.
    LONG RemoveTree() const;

private:
    friend HeldKey HoldKey(HKEY root, const std::string& subkey, REGSAM access, REGSAM view);
    friend HeldKey OpenKeyWay(HKEY root, const std::string& subkey, REGSAM access, REGSAM view, bool create,
                              bool* made);
    static HeldKey Refused(Reach reach);
    // Opens (or with create makes, *made telling whether it is new) name, a
    // single key below parent, as itself; parentName is the parent's full
    // name ("" when unknown), merged as in HKEY_CLASSES_ROOT.
    static HeldKey OpenChild(HKEY parent, const std::wstring& parentName, bool merged, const std::string& name,
                             REGSAM access, REGSAM view, bool create, bool* made);
    Reach reach_ = Reach::kRefused;
    UniqueHKey key_;
    bool link_ = false;
    HKEY root_ = nullptr;
    std::string subkey_;
    REGSAM view_ = 0;
    bool merged_ = false;
    std::wstring wideName_;
    std::string realName_;
};

// root\subkey with access (KEY_QUERY_VALUE always added) in the registry view
// of view (0 or KEY_WOW64_64KEY): the keys on the way as the system resolves
// them, the key itself opened as itself. A subkey that names no key ("" or
// only backslashes) is refused. Gone when the key or a key on the way is
// missing.
HeldKey HoldKey(HKEY root, const std::string& subkey, REGSAM access, REGSAM view);

// root\subkey with access, every key from the root down opened as itself:
// refused when one of them is a link. With create, a missing key on the way,
// the last included, is made as a plain key, and *made (when given) tells
// whether the last one is new; without it, gone when one is missing.
HeldKey OpenKeyWay(HKEY root, const std::string& subkey, REGSAM access, REGSAM view, bool create = false,
                   bool* made = nullptr);

// Deletes root\subkey and everything below it as HeldKey::RemoveTree does,
// reached as OpenKeyWay reaches it. ERROR_SUCCESS also when it is not there.
LONG RemoveKeyTreeOnWay(HKEY root, const std::string& subkey, REGSAM view);

// Where the key of a full registry name lies (see HeldKey::RealPlace).
bool PlaceOfRealName(const std::string& realName, HKEY* root, std::string* subkey);

// The open key's full name in the registry ("\REGISTRY\MACHINE\..."), read
// with NtQueryKey (looked up by name); "" when the system cannot tell (the 9x
// family, a null key). In a file of its own (key_name.cpp), so that a library
// needing only the name links nothing else of this header.
std::wstring KernelName(HKEY key);

}  // namespace base
