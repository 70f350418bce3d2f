// The version record written at the first start, and the FileVersion reader.
// Records go to a throwaway key under HKLM\SOFTWARE; the engine is
// the stand-in library StandinEngine.dll.
#include "app/version_record.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "app/purvex_version.h"
#include "app/shell_texts.h"
#include "base/unique_handle.h"
#include "reportview/chronik_version.h"
#include "tests/support/message_box_hook.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"
#include "updater/file_table.h"

namespace {

constexpr char kStandinEngine[] = "StandinEngine.dll";
constexpr char kStandinVersion[] = "2004.12.24 beta";

struct StoredValue {
    DWORD type = 0;
    std::string data;  // exactly the stored bytes
};

// A key of its own for one test, not there yet (a first start makes it); it
// goes with everything in it afterwards.
class RecordKey {
public:
    const char* path() const { return path_.c_str(); }
    // Every value with its exact data; the size a reader gets back is the stored size.
    std::map<std::string, StoredValue> Values() const {
        std::map<std::string, StoredValue> values;
        base::UniqueHKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return values;
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD nameLength = sizeof name;
            BYTE data[256];
            memset(data, 'X', sizeof data);  // guard: a stored terminator would show as 0
            DWORD type = 0, size = sizeof data;
            if (RegEnumValueA(key.get(), i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
                break;
            values[name] = {type, std::string(reinterpret_cast<char*>(data), size)};
        }
        return values;
    }

private:
    pvtest::TestKey parent_{HKEY_LOCAL_MACHINE, "SOFTWARE"};
    std::string path_ = parent_ / "version";
};

StoredValue Text(const std::string& text) { return {REG_SZ, text}; }

bool operator==(const StoredValue& a, const StoredValue& b) { return a.type == b.type && a.data == b.data; }
std::ostream& operator<<(std::ostream& out, const StoredValue& v) {
    return out << "type " << v.type << " \"" << v.data << "\" (" << v.data.size() << " bytes)";
}

}  // namespace

// --- FileVersion reading ---

TEST(ReadFileVersion, TakesTheBlockOfTheFirstTranslation) {
    EXPECT_EQ(shell::ReadFileVersion("VersionProbeKo.dll"), "3.1.4.15");
    // First translation 0409/04e4 names the second block, whose text wins.
    EXPECT_EQ(shell::ReadFileVersion("VersionProbeUs.dll"), "7.0 build 12");
}

TEST(ReadFileVersion, IsEmptyWithoutAUsableVersionText) {
    EXPECT_EQ(shell::ReadFileVersion("VersionProbeNoBlock.dll"), "");  // translation without its block
    EXPECT_EQ(shell::ReadFileVersion("VersionProbeNone.dll"), "");     // no version resource at all
    EXPECT_EQ(shell::ReadFileVersion("NoSuchFile.dll"), "");
}

TEST(ReadFileVersion, ResolvesBesideTheProgramNotInTheCurrentFolder) {
    pvtest::TempFolder elsewhere;
    pvtest::CurrentFolder inElsewhere(elsewhere.path());
    EXPECT_EQ(shell::ReadFileVersion("VersionProbeKo.dll"), "3.1.4.15");
}

TEST(ReadFileVersion, ProgramFilesCarryTheirVersions) {
    EXPECT_EQ(shell::ReadFileVersion("Purvex.exe"), PURVEX_EXE_VERSION_TEXT);
    EXPECT_EQ(shell::ReadFileVersion("Chronik.dll"), CHRONIK_DLL_VERSION_TEXT);
}

// --- Writing the record ---

TEST(WriteVersionRecord, FirstWriteStoresExactlyTheValuesWithoutTerminators) {
    RecordKey sandbox;
    pvtest::MessageBoxHook hook;  // a box here would be a fault: counted below
    shell::WriteVersionRecord(nullptr, HKEY_LOCAL_MACHINE, sandbox.path(), kStandinEngine);

    EXPECT_TRUE(hook.seen().empty());
    std::map<std::string, StoredValue> expected = {
        {"Purvex.exe", Text(PURVEX_EXE_VERSION_TEXT)},
        {"Chronik.dll", Text(CHRONIK_DLL_VERSION_TEXT)},
        {"Purvex.dll", Text(kStandinVersion)},
        {"KordonDll.dll", Text("1.0a")},
        {"PurvexADB", Text("2004.10.06")},
        {"KordonADB", Text("2004.10.06")},
        {"StartPage", Text("about:blank")},
    };
    // The files without a version text of their own came with this Purvex.exe.
    for (int number = 1; number <= freshen::kItemCount; ++number) {
        const freshen::UpdateItem& item = freshen::Item(number);
        if (item.releaseVersion) expected[item.valueWritten] = Text(PURVEX_EXE_VERSION_TEXT);
    }
    EXPECT_EQ(sandbox.Values(), expected);
}

TEST(WriteVersionRecord, ReadingIntoAZeroFilledBufferYieldsExactlyTheText) {
    RecordKey sandbox;
    shell::WriteVersionRecord(nullptr, HKEY_LOCAL_MACHINE, sandbox.path(), kStandinEngine);
    base::UniqueHKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, sandbox.path(), 0, KEY_READ, key.put()), ERROR_SUCCESS);
    char buffer[20] = {};
    DWORD size = sizeof buffer - 1;
    ASSERT_EQ(RegQueryValueExA(key.get(), "purvexadb", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 10u);
    EXPECT_STREQ(buffer, "2004.10.06");
}

TEST(WriteVersionRecord, AnExistingRecordIsNeverRewritten) {
    RecordKey sandbox;
    // An older program wrote this; the files changed since.
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, sandbox.path(), "Purvex.exe", std::string("0.9\0", 4)));
    shell::WriteVersionRecord(nullptr, HKEY_LOCAL_MACHINE, sandbox.path(), kStandinEngine);
    const std::map<std::string, StoredValue> expected = {{"Purvex.exe", {REG_SZ, std::string("0.9\0", 4)}}};
    EXPECT_EQ(sandbox.Values(), expected);
}

TEST(WriteVersionRecord, AnEmptyExistingKeyCountsAsARecord) {
    RecordKey sandbox;
    base::UniqueHKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, sandbox.path(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.put(), nullptr),
              ERROR_SUCCESS);
    shell::WriteVersionRecord(nullptr, HKEY_LOCAL_MACHINE, sandbox.path(), kStandinEngine);
    EXPECT_TRUE(sandbox.Values().empty());
}

TEST(WriteVersionRecord, MissingEngineShowsItsMessageAndTheRestIsWritten) {
    RecordKey sandbox;
    pvtest::MessageBoxHook hook({IDOK});
    shell::WriteVersionRecord(nullptr, HKEY_LOCAL_MACHINE, sandbox.path(), "NoSuchEngine.dll");

    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].text, shell::kMsgEngineMissing);
    EXPECT_EQ(hook.seen()[0].caption, shell::kAppTitle);
    EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_EXCLAMATION));
    EXPECT_TRUE(hook.seen()[0].hadButton);

    const auto values = sandbox.Values();
    EXPECT_EQ(values.count("Freshen.exe"), 1u) << "the last value written";
    ASSERT_EQ(values.count("Purvex.dll"), 1u);
    EXPECT_EQ(values.at("Purvex.dll"), Text(""));
    ASSERT_EQ(values.count("StartPage"), 1u);
    EXPECT_EQ(values.at("StartPage"), Text("about:blank"));
}

TEST(WriteVersionRecord, EngineWithoutTheVersionExportGivesAnEmptyValueAndNoMessage) {
    RecordKey sandbox;
    pvtest::MessageBoxHook hook;
    shell::WriteVersionRecord(nullptr, HKEY_LOCAL_MACHINE, sandbox.path(), "VersionProbeNone.dll");
    EXPECT_TRUE(hook.seen().empty());
    const auto values = sandbox.Values();
    ASSERT_EQ(values.count("Purvex.dll"), 1u);
    EXPECT_EQ(values.at("Purvex.dll"), Text(""));
}

TEST(WriteVersionRecord, TheEngineIsUnloadedAfterwards) {
    RecordKey sandbox;
    ASSERT_EQ(GetModuleHandleA(kStandinEngine), nullptr);
    shell::WriteVersionRecord(nullptr, HKEY_LOCAL_MACHINE, sandbox.path(), kStandinEngine);
    EXPECT_EQ(GetModuleHandleA(kStandinEngine), nullptr);
}
