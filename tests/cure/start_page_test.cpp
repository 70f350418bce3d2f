// The start-page store in the version key, the presets and the browser reset,
// against the real registry of the test prefix.
#include "app/cure/start_page.h"

#include <gtest/gtest.h>

#include "app/cure/browser_defaults.h"
#include "tests/support/browser_keys_sandbox.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/version_key_sandbox.h"

namespace {

using pvtest::KeyBackup;
using pvtest::ReadValue;
using pvtest::RegValue;

using pvtest::kIeMain;
using pvtest::kIeSearch;

void SetRaw(const char* value, const std::string& bytes, DWORD type = REG_SZ) {
    base::UniqueHKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, key.put(), nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key.get(), value, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
}

TEST(StartPageStore, WriteStoresTextWithTerminator) {
    pvtest::VersionKeySandbox versionKey;
    SetRaw("StartPage", "about:blank");
    ASSERT_TRUE(cure::WriteStoredStartPage("www.naver.com"));
    const RegValue v = ReadValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage");
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(v.data, std::string("www.naver.com", 14));  // terminator included
    EXPECT_EQ(cure::ReadStoredStartPage(), "www.naver.com");
}

// The first writing of the record stores texts without a terminator.
TEST(StartPageStore, ReadsValueStoredWithoutTerminator) {
    pvtest::VersionKeySandbox versionKey;
    SetRaw("StartPage", "about:blank");
    EXPECT_EQ(cure::ReadStoredStartPage(), "about:blank");
    // The ANSI read adds a terminator of its own, so 49 characters are the
    // most that fit the 50 bytes of room.
    const std::string longest(49, 'w');
    SetRaw("StartPage", longest);
    EXPECT_EQ(cure::ReadStoredStartPage(), longest);
}

TEST(StartPageStore, TooLongOrMissingValueReadsEmpty) {
    pvtest::VersionKeySandbox versionKey;
    SetRaw("StartPage", std::string(51, 'w'));
    EXPECT_EQ(cure::ReadStoredStartPage(), "");
    base::UniqueHKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, 0, KEY_ALL_ACCESS, key.put()),
              ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueA(key.get(), "StartPage"), ERROR_SUCCESS);
    EXPECT_EQ(cure::ReadStoredStartPage(), "");
}

TEST(StartPageStore, MissingVersionKeyIsNotCreated) {
    pvtest::VersionKeySandbox versionKey(pvtest::VersionKeySandbox::kAbsent);
    EXPECT_EQ(cure::ReadStoredStartPage(), "");
    EXPECT_FALSE(cure::WriteStoredStartPage("about:blank"));
    base::UniqueHKey key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, 0, KEY_READ, key.put()),
              ERROR_SUCCESS);
}

TEST(Presets, StoredAddressGivesItsPresetIndex) {
    EXPECT_EQ(cure::PresetChoiceFor("about:blank", -1), 5);
    for (int i = 0; i < cure::kPresetCount; ++i)
        EXPECT_EQ(cure::PresetChoiceFor(cure::kPresetAddresses[i], -1), i);
    EXPECT_EQ(cure::PresetChoiceFor("www.example.org", 3), 3);
    EXPECT_EQ(cure::PresetChoiceFor("WWW.NAVER.COM", -1), -1) << "compared exactly";
    EXPECT_EQ(cure::PresetChoiceFor("", 2), 2);
}

TEST(Presets, AreBareHostNames) {
    for (int i = 0; i < cure::kPresetCount - 1; ++i) {
        const std::string host = cure::kPresetAddresses[i];
        EXPECT_EQ(host.find('/'), std::string::npos) << host;
        EXPECT_EQ(host.find(':'), std::string::npos) << host;
    }
    EXPECT_STREQ(cure::kPresetAddresses[cure::kBlankPresetIndex], "about:blank");
}

TEST(Presets, EmptyAddressBecomesBlankPage) {
    EXPECT_EQ(cure::AddressOrBlank(""), "about:blank");
    EXPECT_EQ(cure::AddressOrBlank("www.daum.net"), "www.daum.net");
}

std::string Sz(const char* text) { return std::string(text, strlen(text) + 1); }

TEST(BrowserReset, WritesTheMakersDefaultsWithTerminators) {
    pvtest::BrowserKeysSandbox browserKeys;
    ASSERT_TRUE(pvtest::SetValue(HKEY_CURRENT_USER, kIeMain, "Start Page", Sz("www.daum.net")));
    EXPECT_EQ(cure::ResetBrowserDefaults(), 8);

    const RegValue start = ReadValue(HKEY_LOCAL_MACHINE, kIeMain, "Start Page");
    EXPECT_EQ(start.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(start.data, Sz("http://www.microsoft.com/isapi/redir.dll?prd={SUB_PRD}&clcid={SUB_CLSID}"
                             "&pver={SUB_PVER}&ar=home"));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kIeMain, "Default_Page_URL").data,
              Sz("http://www.microsoft.com/isapi/redir.dll?prd=ie&pver=6&ar=msnhome"));
    const RegValue local = ReadValue(HKEY_LOCAL_MACHINE, kIeMain, "Local Page");
    EXPECT_EQ(local.type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(local.data, Sz("%SystemRoot%\\system32\\blank.htm"));
    const std::string search = Sz("http://www.microsoft.com/isapi/redir.dll?prd=ie&ar=iesearch");
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kIeMain, "Search Page").data, search);
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kIeSearch, "CustomizeSearch").data,
              Sz("http://ie.search.msn.com/{SUB_RFC1766}/srchasst/srchcust.htm"));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kIeSearch, "SearchAssistant").data,
              Sz("http://ie.search.msn.com/{SUB_RFC1766}/srchasst/srchasst.htm"));
    const RegValue userLocal = ReadValue(HKEY_CURRENT_USER, kIeMain, "Local Page");
    EXPECT_EQ(userLocal.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(userLocal.data, Sz("C:\\WINDOWS\\system32\\blank.htm"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kIeMain, "Search Page").data, search);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kIeMain, "Start Page").data, Sz("www.daum.net"))
        << "the user's start page is not part of the reset";
}

// The user's Main key made a link to a key of the test's: the reset writes
// nothing through it, and the machine's keys are reset as always.
TEST(BrowserReset, NeverWritesThroughARegistryLink) {
    pvtest::BrowserKeysSandbox browserKeys;
    pvtest::TestKey sentinel(HKEY_CURRENT_USER, "Software");
    ASSERT_TRUE(pvtest::DeleteKeyTree(HKEY_CURRENT_USER, kIeMain));
    ASSERT_TRUE(pvtest::MakeKeyLink(HKEY_CURRENT_USER, kIeMain, HKEY_CURRENT_USER, sentinel.path()));
    EXPECT_EQ(cure::ResetBrowserDefaults(), 6) << "the machine's Main and Search keys only";
    base::UniqueHKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, sentinel.path().c_str(), 0, KEY_READ, key.put()), ERROR_SUCCESS);
    DWORD values = 1;
    ASSERT_EQ(RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, 0u);
}

TEST(BrowserReset, MissingKeyIsNotCreated) {
    pvtest::BrowserKeysSandbox browserKeys(KeyBackup::kDelete);
    EXPECT_EQ(cure::ResetBrowserDefaults(), 6);
    base::UniqueHKey key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kIeSearch, 0, KEY_READ, key.put()), ERROR_SUCCESS);
}

}  // namespace
