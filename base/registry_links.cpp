#include "base/registry_links.h"

#include <vector>

#include "base/ansi_text.h"
#include "base/path_text.h"
#include "base/system_function.h"

namespace base {

namespace {

using NtDeleteKeyFn = LONG(WINAPI*)(HANDLE);
using StatusToErrorFn = ULONG(WINAPI*)(LONG);

NtDeleteKeyFn DeleteKeyCall() {
    static const auto call = SystemFunction<NtDeleteKeyFn>("ntdll.dll", "NtDeleteKey");
    return call;
}

std::string Joined(const std::vector<std::string>& parts, size_t from, size_t to) {
    std::string path;
    for (size_t i = from; i < to; ++i) path += (path.empty() ? "" : "\\") + parts[i];
    return path;
}

std::wstring Wide(const std::string& text) {
    if (text.empty()) return std::wstring();
    std::wstring out(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                      static_cast<int>(out.size()));
    out.resize(n > 0 ? n : 0);
    return out;
}

// "" when a character has no exact form in the ANSI code page: a name so
// changed would name another key.
std::string Narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    std::string out(text.size() * 2, '\0');
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), &out[0],
                                static_cast<int>(out.size()), nullptr, &lossy);
    if (n == 0 && GetLastError() == ERROR_INVALID_FLAGS)  // NT 4
        n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                static_cast<int>(out.size()), nullptr, &lossy);
    return n > 0 && !lossy ? out.substr(0, n) : std::string();
}

std::vector<std::wstring> WideComponents(const std::wstring& name) {
    std::vector<std::wstring> parts;
    size_t at = 0;
    while (at <= name.size()) {
        size_t end = name.find(L'\\', at);
        if (end == std::wstring::npos) end = name.size();
        if (end > at) parts.push_back(name.substr(at, end - at));
        at = end + 1;
    }
    return parts;
}

std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// A full name in the form two names of one key share: upper case; a user's
// classes hive "<sid>_Classes" as "<sid>\SOFTWARE\CLASSES"; a "Wow6432Node"
// below "SOFTWARE" or "CLASSES" left out (the registry views show one key
// under both names). merged: as HKEY_CLASSES_ROOT merges them, the machine's
// and any user's classes are one "CLASSES".
std::vector<std::wstring> Canonical(const std::wstring& name, bool merged) {
    std::vector<std::wstring> parts = WideComponents(Upper(name));
    static const std::wstring kClassesHive = L"_CLASSES";
    if (parts.size() >= 3 && parts[0] == L"REGISTRY" && parts[1] == L"USER" && parts[2].size() > kClassesHive.size() &&
        parts[2].compare(parts[2].size() - kClassesHive.size(), kClassesHive.size(), kClassesHive) == 0) {
        parts[2].resize(parts[2].size() - kClassesHive.size());
        parts.insert(parts.begin() + 3, {L"SOFTWARE", L"CLASSES"});
    }
    for (size_t i = 1; i < parts.size();)
        if (parts[i] == L"WOW6432NODE" && (parts[i - 1] == L"SOFTWARE" || parts[i - 1] == L"CLASSES"))
            parts.erase(parts.begin() + i);
        else
            ++i;
    if (merged && parts.size() >= 4 && parts[0] == L"REGISTRY") {
        const size_t software = parts[1] == L"MACHINE" ? 2 : parts[1] == L"USER" ? 3 : 0;
        if (software && parts.size() > software + 1 && parts[software] == L"SOFTWARE" &&
            parts[software + 1] == L"CLASSES") {
            parts.erase(parts.begin(), parts.begin() + software + 1);  // "CLASSES" stays
        }
    }
    return parts;
}

// This user's hive, "\REGISTRY\USER\<sid>": the parent of a key of
// HKEY_CURRENT_USER opened as itself. "" when the system cannot tell.
std::wstring CurrentUserHive() {
    char name[512];
    DWORD length = sizeof name;
    UniqueHKey key;
    if (RegEnumKeyExA(HKEY_CURRENT_USER, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        RegOpenKeyExA(HKEY_CURRENT_USER, name, REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return std::wstring();
    const std::vector<std::wstring> parts = WideComponents(KernelName(key.get()));
    if (parts.size() != 4 || Upper(parts[1]) != L"USER") return std::wstring();
    return L"\\" + parts[0] + L"\\" + parts[1] + L"\\" + parts[2];
}

// The full name of a root as opened from this process; "" where it is not one
// key (the merged classes, the current configuration) or cannot be told.
std::wstring RootKernelName(HKEY root) {
    if (!RegistryHasLinks()) return std::wstring();
    if (root == HKEY_LOCAL_MACHINE) return L"\\REGISTRY\\MACHINE";
    if (root == HKEY_USERS) return L"\\REGISTRY\\USER";
    if (root == HKEY_CURRENT_USER) return CurrentUserHive();
    return std::wstring();
}

// The key holds a link's "SymbolicLinkValue" (a plain key holding one is
// taken for a link too). False when its values cannot be read.
bool HoldsLinkValue(HKEY key) {
    DWORD type = REG_NONE, size = 0;
    const LONG status = RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, &size);
    return (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) && type == REG_LINK;
}

LONG ErrorOf(LONG status) {
    static const auto convert = SystemFunction<StatusToErrorFn>("ntdll.dll", "RtlNtStatusToDosError");
    if (status == 0) return ERROR_SUCCESS;
    return convert ? static_cast<LONG>(convert(status)) : ERROR_ACCESS_DENIED;
}

}  // namespace

bool RegistryHasLinks() { return DeleteKeyCall() != nullptr; }

HeldKey HeldKey::Refused(Reach reach) {
    HeldKey key;
    key.reach_ = reach;
    return key;
}

HeldKey HeldKey::OpenChild(HKEY parent, const std::wstring& parentName, bool merged, const std::string& name,
                           REGSAM access, REGSAM view, bool create, bool* made) {
    const bool links = RegistryHasLinks();
    const DWORD options = links ? REG_OPTION_OPEN_LINK : 0;
    HeldKey child;
    DWORD disposition = 0;
    LONG status = ERROR_ACCESS_DENIED;
    // With its values readable where this process may read them: only so
    // can a link tell itself. A key opened as itself is safe to act on even
    // where they are not.
    for (const REGSAM asked : {access | KEY_QUERY_VALUE, access}) {
        status = create ? RegCreateKeyExA(parent, name.c_str(), 0, nullptr, options, asked | view, nullptr,
                                          child.key_.put(), &disposition)
                        : RegOpenKeyExA(parent, name.c_str(), options, asked | view, child.key_.put());
        if (status != ERROR_ACCESS_DENIED || asked == access) break;
    }
    if (status == ERROR_FILE_NOT_FOUND) return Refused(Reach::kGone);
    if (status != ERROR_SUCCESS) return Refused(Reach::kRefused);
    if (made) *made = disposition == REG_CREATED_NEW_KEY;
    child.view_ = view;
    child.merged_ = merged;
    child.link_ = links && HoldsLinkValue(child.key_.get());
    child.wideName_ = KernelName(child.key_.get());
    // Named as the parent's child, or the system followed something.
    if (!child.wideName_.empty()) {
        const std::vector<std::wstring> real = Canonical(child.wideName_, merged);
        const std::wstring last = Upper(Wide(name));
        const bool named = parentName.empty() ? !real.empty() && Upper(WideComponents(child.wideName_).back()) == last
                                              : real == Canonical(parentName + L"\\" + Wide(name), merged);
        if (!named) return Refused(Reach::kRefused);
    }
    child.realName_ = Narrow(child.wideName_);
    child.reach_ = Reach::kHeld;
    return child;
}

HeldKey HeldKey::Sub(const std::string& name, REGSAM access) const {
    if (!ok() || name.empty() || name.find('\\') != std::string::npos) return Refused(Reach::kRefused);
    HeldKey child = OpenChild(get(), wideName_, merged_, name, access, view_, false, nullptr);
    child.root_ = root_;
    child.subkey_ = subkey_ + "\\" + name;
    return child;
}

bool HeldKey::RealPlace(HKEY* root, std::string* subkey) const {
    return ok() && !realName_.empty() && PlaceOfRealName(realName_, root, subkey);
}

LONG HeldKey::DeleteSelf() const {
    if (!ok()) return reach_ == Reach::kGone ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED;
    if (const auto deleteKey = DeleteKeyCall()) return ErrorOf(deleteKey(key_.get()));
    return RegDeleteKeyA(root_, subkey_.c_str());  // the 9x family: no links
}

LONG HeldKey::RemoveTree() const {
    if (!ok()) return DeleteSelf();
    // Always the first subkey: each deletion takes it off the list.
    while (!link_) {
        char name[512];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const HeldKey child = Sub(std::string(name, length), DELETE | KEY_ENUMERATE_SUB_KEYS);
        if (child.RemoveTree() != ERROR_SUCCESS) break;
    }
    return DeleteSelf();
}

HeldKey HoldKey(HKEY root, const std::string& subkey, REGSAM access, REGSAM view) {
    const std::vector<std::string> parts = Components(subkey);
    if (parts.empty()) return HeldKey::Refused(Reach::kRefused);
    HKEY parent = root;
    UniqueHKey opened;
    std::wstring parentName = RootKernelName(root);
    if (parts.size() > 1) {
        const LONG status = RegOpenKeyExA(root, Joined(parts, 0, parts.size() - 1).c_str(), 0,
                                          KEY_QUERY_VALUE | view, opened.put());
        if (status == ERROR_FILE_NOT_FOUND) return HeldKey::Refused(Reach::kGone);
        if (status != ERROR_SUCCESS) return HeldKey::Refused(Reach::kRefused);
        parent = opened.get();
        parentName = KernelName(parent);
    }
    HeldKey key = HeldKey::OpenChild(parent, parentName, root == HKEY_CLASSES_ROOT, parts.back(), access, view,
                                     false, nullptr);
    key.root_ = root;
    key.subkey_ = Joined(parts, 0, parts.size());
    return key;
}

HeldKey OpenKeyWay(HKEY root, const std::string& subkey, REGSAM access, REGSAM view, bool create, bool* made) {
    const std::vector<std::string> parts = Components(subkey);
    if (parts.empty()) return HeldKey::Refused(Reach::kRefused);
    const bool merged = root == HKEY_CLASSES_ROOT;
    HeldKey key;
    std::wstring parentName = RootKernelName(root);
    for (size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const REGSAM asked = last ? access : (create ? KEY_CREATE_SUB_KEY : 0);
        HeldKey next = HeldKey::OpenChild(i == 0 ? root : key.get(), parentName, merged, parts[i], asked, view, create,
                                          last ? made : nullptr);
        if (!next.ok()) return next;
        if (next.IsLink()) return HeldKey::Refused(Reach::kRefused);
        key = std::move(next);
        parentName = key.wideName_;
    }
    key.root_ = root;
    key.subkey_ = Joined(parts, 0, parts.size());
    return key;
}

LONG RemoveKeyTreeOnWay(HKEY root, const std::string& subkey, REGSAM view) {
    const HeldKey key = OpenKeyWay(root, subkey, DELETE | KEY_ENUMERATE_SUB_KEYS, view);
    if (key.reach() == Reach::kGone) return ERROR_SUCCESS;
    return key.ok() ? key.RemoveTree() : ERROR_ACCESS_DENIED;
}

bool PlaceOfRealName(const std::string& realName, HKEY* root, std::string* subkey) {
    const std::vector<std::string> parts = Components(realName);
    if (parts.size() < 2 || !EqualsNoCase(parts[0].c_str(), "REGISTRY")) return false;
    if (EqualsNoCase(parts[1].c_str(), "MACHINE")) {
        *root = HKEY_LOCAL_MACHINE;
        *subkey = Joined(parts, 2, parts.size());
        return true;
    }
    if (!EqualsNoCase(parts[1].c_str(), "USER")) return false;
    const std::vector<std::wstring> hive = WideComponents(CurrentUserHive());
    const bool own = parts.size() > 2 && hive.size() == 3 && Upper(Wide(parts[2])) == Upper(hive[2]);
    *root = own ? HKEY_CURRENT_USER : HKEY_USERS;
    *subkey = Joined(parts, own ? 3 : 2, parts.size());
    return true;
}

}  // namespace base
