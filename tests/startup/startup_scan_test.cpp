// The scan of the Run keys and startup folders of the test prefix: the list
// order, the value data texts, the folder rows and the column narrowing.
#include <shlobj.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "app/startup/startup_entries.h"
#include "base/wow64.h"
#include "tests/support/startup_sandbox.h"

namespace {

using startup::StartupList;
using startup::StartupRow;
using namespace startuptest;

constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

std::string Repeat(const std::string& text, int times) {
    std::string repeated;
    while (times-- > 0) repeated += text;
    return repeated;
}

TEST(StartupScan, KeyReadLastComesFirstThenFoldersInTheirOrder) {
    const std::string v = "Software\\Microsoft\\Windows\\CurrentVersion\\";
    const std::pair<HKEY, std::string> steps[] = {
        {HKEY_CURRENT_USER, v + "Run"}, {HKEY_CURRENT_USER, v + "Run-"}, {HKEY_CURRENT_USER, v + "RunOnce"},
        {HKEY_CURRENT_USER, v + "RunOnceEx"}, {HKEY_CURRENT_USER, v + "RunServices"},
        {HKEY_CURRENT_USER, v + "RunServicesOnce"}, {HKEY_CURRENT_USER, v + "Explorer\\User Shell Folders\\Startup"},
        {HKEY_LOCAL_MACHINE, v + "Run"}, {HKEY_LOCAL_MACHINE, v + "Run-"}, {HKEY_LOCAL_MACHINE, v + "RunOnce"},
        {HKEY_LOCAL_MACHINE, v + "RunOnceEx"}, {HKEY_LOCAL_MACHINE, v + "RunServices"},
        {HKEY_LOCAL_MACHINE, v + "RunServicesOnce"},
    };
    StartupSandbox box;
    for (size_t step = 0; step < std::size(steps); ++step)
        ASSERT_TRUE(PlantText(steps[step].first, steps[step].second, "pv" + std::to_string(step), "d"));
    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, "pv0 second", "d2"));
    for (size_t f = 0; f < box.FolderCount(); ++f) ASSERT_TRUE(box.Folder(f).PlantFile("pv" + std::to_string(f)));

    std::vector<StartupRow> expected;
    for (size_t step = std::size(steps); step-- > 0;) {
        const std::string path = KeyRowPath(steps[step].first, steps[step].second);
        expected.push_back(Row("pv" + std::to_string(step), "d", path));
        if (step == 0) expected.push_back(Row("pv0 second", "d2", path));
    }
    for (size_t f = 0; f < box.FolderCount(); ++f)
        expected.push_back(Row("pv" + std::to_string(f), "", box.FolderRowPath(f)));
    EXPECT_EQ(PlantedRows(startup::ScanStartupEntries().rows), expected);
}

// 64-bit Windows: the machine's keys of the 64-bit view too, marked, a row
// deleted in its own view only; the user's keys once. One view elsewhere.
TEST(StartupScan, MachineKeysOfBothViewsAreListedAndEachRowDeletedInItsView) {
    StartupSandbox box;
    const bool wow64 = base::RunsUnderWow64();
    const std::string machine = KeyRowPath(HKEY_LOCAL_MACHINE, kRun);
    ASSERT_TRUE(PlantText(HKEY_LOCAL_MACHINE, kRun, "pvBoth", "C:\\32.exe"));
    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, "pvUser", "C:\\u.exe"));
    const std::string data64("C:\\64.exe", 10);
    ASSERT_TRUE(!wow64 || pvtest::SetValue(HKEY_LOCAL_MACHINE, kRun, "pvBoth", data64, REG_SZ, base::Registry64View()));

    std::vector<StartupRow> expected = {Row("pvBoth", "C:\\32.exe", machine),
                                        Row("pvUser", "C:\\u.exe", KeyRowPath(HKEY_CURRENT_USER, kRun))};
    if (wow64) expected.insert(expected.begin(), Row("pvBoth", "C:\\64.exe", machine + " (64비트)"));
    const std::vector<StartupRow> rows = PlantedRows(startup::ScanStartupEntries().rows);
    ASSERT_EQ(rows, expected);
    EXPECT_EQ(startup::DeleteRow(rows[0]), startup::DeleteOutcome::kDeleted);
    EXPECT_FALSE(pvtest::ReadValue(HKEY_LOCAL_MACHINE, kRun, "pvBoth", base::Registry64View()).present);
    EXPECT_EQ(pvtest::ReadValue(HKEY_LOCAL_MACHINE, kRun, "pvBoth").present, wow64);
}

TEST(StartupScan, DefaultValueIsListedWithAnEmptyNameAndDeleted) {
    StartupSandbox box;
    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, "", "C:\\default.exe"));
    const std::vector<StartupRow> rows = startup::ScanStartupEntries().rows;
    const StartupRow expected = Row("", "C:\\default.exe", KeyRowPath(HKEY_CURRENT_USER, kRun));
    ASSERT_EQ(PlantedRows(rows), std::vector<StartupRow>{expected});
    EXPECT_EQ(startup::DeleteRow(PlantedRows(rows)[0]), startup::DeleteOutcome::kDeleted);
    EXPECT_FALSE(pvtest::ReadValue(HKEY_CURRENT_USER, kRun, "").present);
    EXPECT_TRUE(pvtest::KeyExists(HKEY_CURRENT_USER, kRun));
}

TEST(StartupScan, ValueDataShowsTextAndNumbersAndCutsAtAWholeCharacter) {
    const std::string longKorean = Repeat("가", 200);  // two bytes a character
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes, shown;
    };
    const Case cases[] = {
        {"text", REG_SZ, std::string("C:\\a.exe /q\0", 12), "C:\\a.exe /q"},
        {"expandable", REG_EXPAND_SZ, std::string("%SystemRoot%\\b.exe\0", 19), "%SystemRoot%\\b.exe"},
        {"dword", REG_DWORD, std::string("\xff\xff\xff\xff", 4), "4294967295"},
        {"big endian", REG_DWORD_BIG_ENDIAN, std::string("\0\0\1\0", 4), "256"},
        {"qword", REG_QWORD, std::string("\0\0\0\0\0\1\0\0", 8), "1099511627776"},
        {"short dword", REG_DWORD, std::string("\7\0", 2), ""},
        {"binary", REG_BINARY, std::string("\1\2\3", 3), ""},
        {"multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5), ""},
        {"long text", REG_SZ, std::string(300, 'x') + '\0', std::string(255, 'x')},
        {"long korean", REG_SZ, longKorean + '\0', longKorean.substr(0, 254)},  // 127 characters
        {"long mixed", REG_SZ, "a" + longKorean + '\0', "a" + longKorean.substr(0, 254)},
    };
    StartupSandbox box;
    for (const Case& c : cases) ASSERT_TRUE(pvtest::SetValue(HKEY_CURRENT_USER, kRun, c.name, c.bytes, c.type));
    // A name of 254 bytes fits the name buffer with its terminator; a longer
    // one could be neither shown nor deleted by its name and is left out.
    const std::string longestName(254, 'n');
    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, longestName, "fits"));
    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, std::string(255, 'o'), "too long"));

    StartupList list;
    startup::AddRegistryKey(HKEY_CURRENT_USER, kRun, &list);
    EXPECT_EQ(list.rows.size(), std::size(cases) + 1);
    auto dataOf = [&](const std::string& name) {
        for (const StartupRow& row : list.rows)
            if (row.name == name) return row.data;
        return std::string("(not listed)");
    };
    for (const Case& c : cases) EXPECT_EQ(dataOf(c.name), c.shown) << c.name;
    EXPECT_EQ(dataOf(longestName), "fits");
}

TEST(StartupScan, PathColumnNarrowsFromTheNinthValueOfOneKeyOrPastNineRows) {
    struct Case {
        int userValues, machineValues, files;
        bool narrow;
    };
    const Case cases[] = {{8, 0, 0, false}, {9, 0, 0, true},  {5, 4, 0, false},
                          {5, 3, 1, false}, {5, 4, 1, true}, {5, 3, 2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.userValues << " + " << c.machineValues << " + " << c.files);
        StartupSandbox box;
        for (int i = 0; i < c.userValues; ++i) PlantText(HKEY_CURRENT_USER, kRun, "u" + std::to_string(i), "");
        for (int i = 0; i < c.machineValues; ++i) PlantText(HKEY_LOCAL_MACHINE, kRun, "m" + std::to_string(i), "");
        for (int i = 0; i < c.files; ++i) box.Folder(kAllUsersFolder).PlantFile("pv" + std::to_string(i));
        StartupList list;
        startup::AddRegistryKey(HKEY_CURRENT_USER, kRun, &list);
        startup::AddRegistryKey(HKEY_LOCAL_MACHINE, kRun, &list);
        startup::AddFolder(box.FolderRowPath(kAllUsersFolder), &list);
        EXPECT_EQ(list.rows.size(), static_cast<size_t>(c.userValues + c.machineValues + c.files));
        EXPECT_EQ(list.narrowPathColumn, c.narrow);
    }
}

TEST(StartupScan, SkipsDotNamesInfo2AndLowerCaseDesktopIni) {
    StartupSandbox box;
    // One folder holds only one of two names that differ in letter case.
    for (const char* name : {"desktop.ini", "INFO2", ".hidden", ".dots\\inner.exe", "prog.lnk"})
        ASSERT_TRUE(box.Folder(kAllUsersFolder).PlantFile(name)) << name;
    for (const char* name : {"Desktop.ini", "Info2"})
        ASSERT_TRUE(box.Folder(kWindowsFolder).PlantFile(name)) << name;
    const std::vector<StartupRow> rows = startup::ScanStartupEntries().rows;
    const std::string allUsers = box.FolderRowPath(kAllUsersFolder), windows = box.FolderRowPath(kWindowsFolder);
    EXPECT_EQ(RowsIn(rows, allUsers), std::vector<StartupRow>{Row("prog.lnk", "", allUsers)});
    EXPECT_EQ(RowsIn(rows, windows),
              (std::vector<StartupRow>{Row("Desktop.ini", "", windows), Row("Info2", "", windows)}));
    EXPECT_TRUE(RowsIn(rows, allUsers + ".dots\\").empty());
}

// Names are planted in their sorted order, so the search returns them in the
// same order from a sorting file system and from one that keeps creation order.
TEST(StartupScan, SubfolderRowsComeBeforeItsOwnRowAndLinksAreNotEntered) {
    pvtest::TempFolder outside("startup_outside");
    StartupSandbox box;
    pvtest::PlantedFolder& folder = box.Folder(kUserFolder);
    ASSERT_TRUE(pvtest::WriteBytes(outside / "outside.exe", ""));
    ASSERT_TRUE(folder.PlantFile("a.exe"));
    ASSERT_TRUE(folder.PlantLink("link", outside.path()));
    ASSERT_TRUE(folder.PlantFile("sub\\deeper\\deep.exe"));
    ASSERT_TRUE(folder.PlantFile("sub\\inner.exe"));
    // Of two subfolders, the first has a search pattern of 259 bytes and its
    // terminator; the second's would not fit 260 bytes: listed, not searched.
    const std::string top = box.FolderRowPath(kUserFolder), sub = top + "sub\\";
    const std::string fits(255 - sub.size(), 'w'), tooLong(256 - sub.size(), 'w');
    ASSERT_TRUE(folder.PlantFile("sub\\" + fits + "\\x"));
    ASSERT_TRUE(folder.PlantFile("sub\\" + tooLong + "\\y"));
    ASSERT_TRUE(folder.PlantFile("z.exe"));

    std::vector<StartupRow> rows = startup::ScanStartupEntries().rows;
    const auto outsideTop = [&](const StartupRow& r) { return r.path.compare(0, top.size(), top) != 0; };
    rows.erase(std::remove_if(rows.begin(), rows.end(), outsideTop), rows.end());
    EXPECT_EQ(rows, (std::vector<StartupRow>{Row("a.exe", "", top), Row("link", "", top),
                                             Row("deep.exe", "", sub + "deeper\\"), Row("deeper", "", sub),
                                             Row("inner.exe", "", sub), Row("x", "", sub + fits + "\\"),
                                             Row(fits, "", sub), Row(tooLong, "", sub), Row("sub", "", top),
                                             Row("z.exe", "", top)}));
    EXPECT_TRUE(pvtest::FileExists(outside / "outside.exe"));
}

TEST(StartupFolders, FixedFourThenTheShellsOwnEachOnce) {
    const std::string tail = "\\시작 메뉴\\프로그램\\시작프로그램\\";
    const std::vector<std::string> fixed = {
        "C:\\Documents and Settings\\All Users" + tail, "C:\\Documents and Settings\\pvuser" + tail,
        "C:\\Documents and Settings\\Administrator" + tail, "C:\\WINDOWS" + tail};
    std::vector<std::string> folders = startup::StartupFolders("pvuser");
    ASSERT_GE(folders.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(folders.begin(), folders.begin() + 4), fixed);
    char shell[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, shell, CSIDL_STARTUP, FALSE));
    EXPECT_EQ(folders.back(), std::string(shell) + "\\");

    // The user "Administrator" gets that folder twice; without a user name
    // there is no folder of the user's own.
    folders = startup::StartupFolders("Administrator");
    EXPECT_EQ(folders[1], fixed[2]);
    EXPECT_EQ(folders[2], fixed[2]);
    EXPECT_EQ(startup::StartupFolders("")[1], fixed[2]);

    // A shell folder that is one of the fixed ones (letter case aside) is not added again.
    const std::string userShellFolders = std::string(kExplorer) + "User Shell Folders";
    pvtest::KeyBackup userShell(HKEY_CURRENT_USER, userShellFolders);
    pvtest::KeyBackup resolved(HKEY_CURRENT_USER, std::string(kExplorer) + "Shell Folders");
    pvtest::PlantedFolder windows(fixed[3].substr(0, fixed[3].size() - 1));
    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, userShellFolders, "Startup",
                          "c:\\windows\\시작 메뉴\\프로그램\\시작프로그램", REG_EXPAND_SZ));
    folders = startup::StartupFolders("pvuser");
    EXPECT_EQ(std::count_if(folders.begin(), folders.end(),
                            [&](const std::string& f) { return lstrcmpiA(f.c_str(), fixed[3].c_str()) == 0; }), 1)
        << testing::PrintToString(folders);
}

}  // namespace
