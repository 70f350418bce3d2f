// The user's SID and its text, the opened-up DACL, and DACLs written through a
// key tree, in a scratch key of this process.
#include "app/records/key_security.h"
#include "app/records/key_values.h"

#include <sddl.h>

#include <gtest/gtest.h>

#include "tests/support/records_sandbox.h"

namespace {

using namespace recordstest;

TEST(SidToText, MatchesTheSystemsOwnText) {
    std::vector<BYTE> user = UserSid();
    ASSERT_FALSE(user.empty());
    EXPECT_EQ(records::SidToText(user.data()), SystemSidText(user.data()));
    for (const char* text : {"S-1-5-18", "S-1-1-0", "S-1-0-0", "S-1-5-32-544", "S-1-5-21-4294967295-1-0-1000",
                             "S-1-5-21-1-2-3-4-5-6-7-8-9-10-11-12-13-14"}) {
        SCOPED_TRACE(text);
        PSID sid = nullptr;
        ASSERT_TRUE(ConvertStringSidToSidA(text, &sid));
        EXPECT_EQ(records::SidToText(sid), SystemSidText(sid));
        EXPECT_EQ(records::SidToText(sid), text);
        LocalFree(sid);
    }
}

TEST(BuildOpenDacl, GrantsTheUserThenLocalSystemInAPresentDacl) {
    std::vector<BYTE> user = UserSid();
    records::OpenDacl open;
    ASSERT_TRUE(records::BuildOpenDacl(user.data(), open));
    EXPECT_EQ(open.dacl()->AclSize, 24 + GetLengthSid(user.data()) + 12) << "LocalSystem's SID is 12 bytes";
    ExpectOpenDacl(open.dacl(), user.data());
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ASSERT_TRUE(GetSecurityDescriptorControl(open.descriptor(), &control, &revision));
    EXPECT_EQ(revision, 1u);
    EXPECT_EQ(control & (SE_DACL_PRESENT | SE_DACL_DEFAULTED | SE_SELF_RELATIVE), SE_DACL_PRESENT);
    BOOL present = FALSE, defaulted = TRUE;
    PACL dacl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(open.descriptor(), &present, &dacl, &defaulted));
    EXPECT_EQ(dacl, open.dacl());
    records::OpenDacl none;
    EXPECT_FALSE(records::BuildOpenDacl(nullptr, none));
}

// Top\{A\{B, C\D}, E}: with recursion every key of the tree gets the DACL,
// without it only the key named; a saved DACL read back goes back on exactly.
TEST(KeyDacl, WrittenToOneKeyOrAWholeTreeAndReadBack) {
    const std::string top = "Software\\PurvexRecordsDacl_" + std::to_string(GetCurrentProcessId());
    pvtest::KeyBackup scratch(HKEY_CURRENT_USER, top, pvtest::KeyBackup::kDelete);
    const char* subkeys[] = {"", "\\A", "\\A\\B", "\\A\\C", "\\A\\C\\D", "\\E"};
    for (const char* sub : subkeys) {
        ASSERT_TRUE(pvtest::SetValue(HKEY_CURRENT_USER, top + sub, "v", "x"));
        ASSERT_TRUE(SetEveryoneReadDacl(HKEY_CURRENT_USER, top + sub));
    }
    const std::vector<BYTE> before = KeyDaclBytes(HKEY_CURRENT_USER, top);
    records::SecurityBytes saved;
    ASSERT_TRUE(records::ReadKeyDacl(HKEY_CURRENT_USER, top.c_str(), saved));
    std::vector<BYTE> user = UserSid();
    records::OpenDacl open;
    ASSERT_TRUE(records::BuildOpenDacl(user.data(), open));

    ASSERT_TRUE(records::WriteKeyDacl(HKEY_CURRENT_USER, top.c_str(), open.descriptor(), false));
    ExpectKeyHasOpenDacl(HKEY_CURRENT_USER, top, user.data());
    EXPECT_EQ(KeyDaclBytes(HKEY_CURRENT_USER, top + "\\A"), before) << "no recursion";
    ASSERT_TRUE(records::WriteKeyDacl(HKEY_CURRENT_USER, top.c_str(), open.descriptor(), true));
    for (const char* sub : subkeys) ExpectKeyHasOpenDacl(HKEY_CURRENT_USER, top + sub, user.data());
    ASSERT_TRUE(records::WriteKeyDacl(HKEY_CURRENT_USER, top.c_str(), saved.data(), false));
    EXPECT_EQ(KeyDaclBytes(HKEY_CURRENT_USER, top), before);

    const std::string missing = top + "\\missing";
    EXPECT_FALSE(records::ReadKeyDacl(HKEY_CURRENT_USER, missing.c_str(), saved));
    EXPECT_TRUE(saved.empty());
    EXPECT_FALSE(records::WriteKeyDacl(HKEY_CURRENT_USER, missing.c_str(), open.descriptor(), true));
    EXPECT_FALSE(pvtest::KeyExists(HKEY_CURRENT_USER, missing)) << "never created";
    EXPECT_FALSE(records::WriteKeyDacl(HKEY_CURRENT_USER, "", open.descriptor(), true));
    EXPECT_FALSE(records::WriteKeyDacl(HKEY_CURRENT_USER, nullptr, open.descriptor(), true));
}

// A registry link named, on the way, or inside a tree written through: the
// key it leads to keeps its DACL and its values.
TEST(KeyDacl, RegistryLinksAreNeverFollowed) {
    pvtest::TestKey key(HKEY_CURRENT_USER, "Software");
    const std::string sentinel = key / "Sentinel";
    ASSERT_TRUE(pvtest::SetValue(HKEY_CURRENT_USER, sentinel + "\\Sub", "v", "x") &&
                pvtest::SetValue(HKEY_CURRENT_USER, sentinel, "v", "x") &&
                pvtest::SetValue(HKEY_CURRENT_USER, key / "Tree", "v", "x"));
    ASSERT_TRUE(pvtest::MakeKeyLink(HKEY_CURRENT_USER, key / "Link", HKEY_CURRENT_USER, sentinel) &&
                pvtest::MakeKeyLink(HKEY_CURRENT_USER, key / "Tree\\Link", HKEY_CURRENT_USER, sentinel));
    const std::vector<BYTE> before = KeyDaclBytes(HKEY_CURRENT_USER, sentinel);
    std::vector<BYTE> user = UserSid();
    records::OpenDacl open;
    ASSERT_TRUE(records::BuildOpenDacl(user.data(), open));
    records::SecurityBytes saved;

    EXPECT_FALSE(records::ReadKeyDacl(HKEY_CURRENT_USER, (key / "Link").c_str(), saved));
    EXPECT_FALSE(records::WriteKeyDacl(HKEY_CURRENT_USER, (key / "Link").c_str(), open.descriptor(), true));
    EXPECT_FALSE(records::WriteKeyDacl(HKEY_CURRENT_USER, (key / "Link\\Sub").c_str(), open.descriptor(), true));
    EXPECT_TRUE(records::WriteKeyDacl(HKEY_CURRENT_USER, (key / "Tree").c_str(), open.descriptor(), true));
    ExpectKeyHasOpenDacl(HKEY_CURRENT_USER, key / "Tree", user.data());
    EXPECT_FALSE(records::RemoveValue(HKEY_CURRENT_USER, (key / "Link").c_str(), "v"));
    for (const std::string& kept : {sentinel, sentinel + "\\Sub"}) {
        EXPECT_EQ(KeyDaclBytes(HKEY_CURRENT_USER, kept), before) << kept;
        EXPECT_TRUE(pvtest::ReadValue(HKEY_CURRENT_USER, kept, "v").present) << kept;
    }
}

}  // namespace
