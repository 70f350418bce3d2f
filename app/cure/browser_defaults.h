// Every fixed address of the start-page settings in one place: the quick-choice
// presets and the browser maker's defaults that a cure puts back.
#pragma once
#include <windows.h>

#include "base/version_key.h"

namespace cure {

inline constexpr char kBlankPage[] = "about:blank";

// Start-page presets by quick-choice index (radio group order 0..5). Bare host
// names, no scheme, no path.
inline constexpr int kPresetCount = 6;
inline constexpr int kBlankPresetIndex = 5;
inline constexpr const char* kPresetAddresses[kPresetCount] = {
    "www.orvane.co.kr",   // 0 "Orvane": the maker's own site
    "www.daum.net",       // 1 "다  음"
    "www.google.co.kr",   // 2 "구  글"
    "kr.yahoo.com",       // 3 "야  후"
    "www.naver.com",      // 4 "네이버"
    kBlankPage,           // 5 "빈페이지"
};

// The program's version key; its value "StartPage" keeps the chosen address.
using base::kVersionKeyPath;
inline constexpr char kStartPageValue[] = "StartPage";

// The browser's own defaults, written back after every cure. Keys are opened,
// never created; values are written in this order, each with its terminator.
struct BrowserDefaultValue {
    const char* name;
    DWORD type;
    const char* data;
};
struct BrowserDefaultKey {
    HKEY root;
    const char* path;
    const BrowserDefaultValue* values;
    int count;
};

inline constexpr char kBrowserRedirectHome[] =
    "http://www.microsoft.com/isapi/redir.dll?prd=ie&pver=6&ar=msnhome";
inline constexpr char kBrowserRedirectSearch[] =
    "http://www.microsoft.com/isapi/redir.dll?prd=ie&ar=iesearch";
inline constexpr char kBrowserRedirectStart[] =
    "http://www.microsoft.com/isapi/redir.dll?prd={SUB_PRD}&clcid={SUB_CLSID}&pver={SUB_PVER}&ar=home";
inline constexpr char kBrowserSearchCustomize[] =
    "http://ie.search.msn.com/{SUB_RFC1766}/srchasst/srchcust.htm";
inline constexpr char kBrowserSearchAssistant[] =
    "http://ie.search.msn.com/{SUB_RFC1766}/srchasst/srchasst.htm";

inline constexpr BrowserDefaultValue kMachineMainValues[] = {
    {"Default_Page_URL", REG_SZ, kBrowserRedirectHome},
    {"Local Page", REG_EXPAND_SZ, "%SystemRoot%\\system32\\blank.htm"},
    {"Search Page", REG_SZ, kBrowserRedirectSearch},
    {"Start Page", REG_SZ, kBrowserRedirectStart},
};
inline constexpr BrowserDefaultValue kMachineSearchValues[] = {
    {"CustomizeSearch", REG_SZ, kBrowserSearchCustomize},
    {"SearchAssistant", REG_SZ, kBrowserSearchAssistant},
};
inline constexpr BrowserDefaultValue kUserMainValues[] = {
    {"Local Page", REG_SZ, "C:\\WINDOWS\\system32\\blank.htm"},
    {"Search Page", REG_SZ, kBrowserRedirectSearch},
};

// The current user's browser key, whose "Start Page" the engine writes.
inline constexpr char kBrowserUserMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kBrowserStartPageValue[] = "Start Page";

inline const BrowserDefaultKey kBrowserDefaults[] = {
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer\\Main", kMachineMainValues, 4},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer\\Search", kMachineSearchValues, 2},
    {HKEY_CURRENT_USER, kBrowserUserMainKey, kUserMainValues, 2},
};

}  // namespace cure
