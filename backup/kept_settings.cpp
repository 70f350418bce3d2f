#include "backup/kept_settings.h"

#include <ctype.h>

#include "base/ansi_text.h"

namespace backup {

namespace {

struct Setting {
    HKEY root;
    const char* subkey;
    const char* name;
};

constexpr char kBrowserMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr char kBrowserSearch[] = "Software\\Microsoft\\Internet Explorer\\Search";
constexpr char kCatalogEntries[] =
    "SYSTEM\\CurrentControlSet\\Services\\WinSock2\\Parameters\\Protocol_Catalog9\\Catalog_Entries\\";

const Setting kSettings[] = {
    {HKEY_LOCAL_MACHINE, kBrowserMain, "Default_Page_URL"},
    {HKEY_LOCAL_MACHINE, kBrowserMain, "Local Page"},
    {HKEY_LOCAL_MACHINE, kBrowserMain, "Search Page"},
    {HKEY_LOCAL_MACHINE, kBrowserMain, "Start Page"},
    {HKEY_LOCAL_MACHINE, kBrowserSearch, "CustomizeSearch"},
    {HKEY_LOCAL_MACHINE, kBrowserSearch, "SearchAssistant"},
    {HKEY_CURRENT_USER, kBrowserMain, "Local Page"},
    {HKEY_CURRENT_USER, kBrowserMain, "Search Page"},
    {HKEY_CURRENT_USER, kBrowserMain, "Start Page"},
};
const char* const kCatalogEntryNames[] = {"000000000001", "000000000002"};
constexpr char kCatalogValue[] = "PackedCatalogItem";

// The program's spelling of a key that a backup records where it really is
// (backup/reg_file.h PlaceOf): a numbered control set is the current one, and
// the 32-bit view's "Wow6432Node" twin of a machine key the key it mirrors.
std::string AsSpelled(HKEY root, const std::string& subkey) {
    if (root != HKEY_LOCAL_MACHINE) return subkey;
    static const char kControlSet[] = "SYSTEM\\ControlSet";
    static const char kTwin[] = "SOFTWARE\\Wow6432Node\\";
    const size_t setLength = sizeof kControlSet - 1, twinLength = sizeof kTwin - 1;
    if (subkey.size() > setLength + 3 && base::EqualsNoCaseN(subkey.c_str(), kControlSet, setLength) &&
        isdigit(static_cast<unsigned char>(subkey[setLength])) &&
        isdigit(static_cast<unsigned char>(subkey[setLength + 1])) &&
        isdigit(static_cast<unsigned char>(subkey[setLength + 2])) && subkey[setLength + 3] == '\\')
        return "SYSTEM\\CurrentControlSet" + subkey.substr(setLength + 3);
    if (subkey.size() > twinLength && base::EqualsNoCaseN(subkey.c_str(), kTwin, twinLength))
        return "SOFTWARE\\" + subkey.substr(twinLength);
    return subkey;
}

}  // namespace

bool IsKeptSetting(HKEY root, const std::string& place, const std::string& name) {
    const std::string subkey = AsSpelled(root, place);
    for (const Setting& s : kSettings)
        if (root == s.root && base::EqualsNoCase(subkey.c_str(), s.subkey) && base::EqualsNoCase(name.c_str(), s.name))
            return true;
    for (const char* entry : kCatalogEntryNames)
        if (root == HKEY_LOCAL_MACHINE && base::EqualsNoCase(subkey.c_str(), (kCatalogEntries + std::string(entry)).c_str()) &&
            base::EqualsNoCase(name.c_str(), kCatalogValue))
            return true;
    return false;
}

}  // namespace backup
