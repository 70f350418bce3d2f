// The auto-complete form cleaner on the 9x family. This program runs in
// Wine's win98 version mode (scripts/wine-prefix.reg), so GetVersionExA
// reports platform 1 and the cleaner leaves key security alone.
#include "app/records/record_cleaners.h"

#include <gtest/gtest.h>

#include "base/platform.h"
#include "tests/support/records_sandbox.h"

namespace {

using namespace recordstest;
using pvtest::KeyExists;

TEST(Records9x, RunsAsThe9xFamily) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    ASSERT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_TRUE(base::Reports9xFamily());
}

TEST(Records9x, FormDataDeletesOnlyTheMachineKeyOfTheUserName) {
    RecordKeysBackup keys;
    const std::string user = UserProviderKey(), forms = user + "\\Data\\" + kFormKey;
    const std::string machineForms = MachineProviderKey() + "\\Data\\" + kFormKey;
    ASSERT_TRUE(pvtest::SetValue(HKEY_CURRENT_USER, forms, "item", "secret", REG_BINARY));
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, machineForms + "\\sub", "item", "secret", REG_BINARY));
    for (const std::string& key : {user, user + "\\Data", forms})
        ASSERT_TRUE(SetEveryoneReadDacl(HKEY_CURRENT_USER, key));
    const std::vector<BYTE> dacl = KeyDaclBytes(HKEY_CURRENT_USER, forms);
    ASSERT_FALSE(dacl.empty());

    records::CleanFormData();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, machineForms));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, MachineProviderKey() + "\\Data"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, forms)) << "the user's keys are the NT family's";
    for (const std::string& key : {user, user + "\\Data", forms})
        EXPECT_EQ(KeyDaclBytes(HKEY_CURRENT_USER, key), dacl) << key << ": no DACL was written";
}

}  // namespace
