#include "backup/kept_settings.h"

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

}  // namespace

bool IsKeptSetting(HKEY root, const std::string& subkey, const std::string& name) {
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
