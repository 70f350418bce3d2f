// Enumerating and deleting the values of a key, in a scratch key of this
// process.
#include "app/records/key_values.h"

#include <gtest/gtest.h>

#include "tests/support/registry_sandbox.h"

namespace {

using pvtest::KeyBackup;
using pvtest::ReadValue;
using pvtest::SetValue;

std::string ScratchPath() { return "Software\\PurvexRecordsTest_" + std::to_string(GetCurrentProcessId()); }

TEST(EnumKeyValues, ReadsKindNameAndDataAndSkipsNamesTooLong) {
    const std::string path = ScratchPath();
    KeyBackup scratch(HKEY_CURRENT_USER, path, KeyBackup::kDelete);
    const DWORD seven = 7;
    const std::string longest(260, 'n'), tooLong(261, 'n');
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, path, "a", "notepad\\1", REG_SZ));  // stored without terminator
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, path, "b", std::string(reinterpret_cast<const char*>(&seven), 4), REG_DWORD));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, path, "c", "\x01\x02", REG_BINARY));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, path, "d", "\x01\x02", REG_DWORD));  // not 4 bytes
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, path, longest.c_str(), std::string("x", 2)));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, path, tooLong.c_str(), std::string("y", 2)));

    base::UniqueHKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()), ERROR_SUCCESS);
    std::vector<records::ValueRecord> values = records::EnumKeyValues(key.get());
    ASSERT_EQ(values.size(), 5u) << "the 261-character name is skipped";
    const struct { std::string name; int kind; DWORD number; const char* text; } expected[] = {
        {"a", 2, 0, "notepad\\1"}, {"b", 1, 7, ""}, {"c", 0, 0, ""}, {"d", 0, 0, ""}, {longest, 2, 0, "x"}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name.substr(0, 8));
        int matches = 0;
        for (const records::ValueRecord& v : values) {
            if (v.name != e.name) continue;
            ++matches;
            EXPECT_EQ(v.kind, e.kind);
            EXPECT_EQ(v.number, e.number);
            EXPECT_EQ(v.text, e.text);
        }
        EXPECT_EQ(matches, 1);
    }
}

TEST(RemoveValue, VanishedValueOrKeyIsNoErrorAndNothingIsCreated) {
    const std::string path = ScratchPath();
    KeyBackup scratch(HKEY_CURRENT_USER, path, KeyBackup::kDelete);
    EXPECT_TRUE(records::RemoveValue(HKEY_CURRENT_USER, path.c_str(), "a"));
    records::RemoveValuesExcept(path.c_str(), nullptr);
    EXPECT_FALSE(pvtest::KeyExists(HKEY_CURRENT_USER, path));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, path, "a", "x"));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, path, "b", "x"));
    EXPECT_TRUE(records::RemoveValue(HKEY_CURRENT_USER, path.c_str(), "a"));
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, path, "a").present);
    EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, path, "b").present);
    EXPECT_TRUE(records::RemoveValue(HKEY_CURRENT_USER, path.c_str(), "a")) << "already gone";
}

}  // namespace
