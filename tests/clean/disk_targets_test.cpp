// The disk tab's work without windows: the folders of each target, the
// link-safe walk shared by the search and the delete-all, and the row texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/clean/disk_targets.h"
#include "base/deletion.h"
#include "base/unique_handle.h"
#include "tests/support/sandbox.h"

namespace {

using clean::DiskTarget;
using clean::SystemFolders;
using clean::TargetPatterns;
using Patterns = std::vector<std::string>;

// A system as the program saw it on the NT 5 family: a short-named
// temporary path and the profile folders on drive C (none of them exist here,
// so they compare by their text). The prefix's own C:\Windows\Temp exists:
// a fixed folder that is not the given system's own is left out.
SystemFolders Nt5System() {
    return {"kim", "C:\\DOCUME~1\\kim\\LOCALS~1\\Temp\\", "C:\\WINDOWS", "C:\\WINDOWS\\system32",
            "C:\\Documents and Settings\\kim\\Cookies"};
}

TEST(TargetPatterns, NameEveryFolderOfTheTargetOnce) {
    const SystemFolders win9x = {"kim", "C:\\WINDOWS\\TEMP\\", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM",
                                 "C:\\WINDOWS\\Cookies"};
    const SystemFolders winnt = {"kim", "C:\\WINNT\\TEMP\\", "C:\\WINNT", "C:\\WINNT\\system32",
                                 "C:\\Documents and Settings\\kim\\Cookies"};
    const SystemFolders elsewhere = {"kim", "D:\\Temp\\", "D:\\Windows", "D:\\Windows\\system32",
                                     "D:\\Profiles\\kim\\Cookies"};
    const struct {
        const char* system;
        SystemFolders facts;
        DiskTarget target;
        Patterns expected;
    } cases[] = {
        {"NT 5", Nt5System(), DiskTarget::Cookies,
         {"C:\\Documents and Settings\\kim\\Cookies\\*.*", "C:\\WINDOWS\\Cookies\\*.*"}},
        {"NT 5", Nt5System(), DiskTarget::TempFiles,
         {"C:\\DOCUME~1\\kim\\LOCALS~1\\Temp\\*.*", "C:\\Documents and Settings\\kim\\Local Settings\\Temp\\*.*"}},
        {"NT 5", Nt5System(), DiskTarget::WindowsTemp, {"C:\\WINDOWS\\Temp\\*.*", "C:\\WinNT\\Temp\\*.*"}},
        {"9x", win9x, DiskTarget::Cookies,
         {"C:\\Documents and Settings\\kim\\Cookies\\*.*", "C:\\WINDOWS\\Cookies\\*.*"}},
        {"9x", win9x, DiskTarget::TempFiles,
         {"C:\\WINDOWS\\TEMP\\*.*", "C:\\Documents and Settings\\kim\\Local Settings\\Temp\\*.*"}},
        {"NT 4/2000", winnt, DiskTarget::Cookies,
         {"C:\\Documents and Settings\\kim\\Cookies\\*.*", "C:\\WINNT\\s\\Cookies\\*.*"}},
        {"NT 4/2000", winnt, DiskTarget::WindowsTemp, {"C:\\WINNT\\Temp\\*.*"}},
        {"drive D", elsewhere, DiskTarget::Cookies,
         {"C:\\Documents and Settings\\kim\\Cookies\\*.*", "D:\\Windows\\Cookies\\*.*",
          "D:\\Profiles\\kim\\Cookies\\*.*"}},
        {"drive D", elsewhere, DiskTarget::WindowsTemp, {"D:\\Windows\\Temp\\*.*", "C:\\WinNT\\Temp\\*.*"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.system);
        EXPECT_EQ(TargetPatterns(c.target, c.facts), c.expected);
    }
}

TEST(TargetPatterns, SkipWhatDoesNotFitInsteadOfCuttingIt) {
    SystemFolders system = Nt5System();
    system.windowsDir = "C:\\" + std::string(250, 'w');  // its "\Temp\*.*" would pass 260
    system.userName = std::string(240, 'u');
    EXPECT_EQ(TargetPatterns(DiskTarget::WindowsTemp, system), (Patterns{"C:\\WinNT\\Temp\\*.*"}));
    EXPECT_EQ(TargetPatterns(DiskTarget::TempFiles, system), (Patterns{"C:\\DOCUME~1\\kim\\LOCALS~1\\Temp\\*.*"}));
    // A Windows directory of 40 characters or more is read and used in full.
    system.windowsDir = "C:\\" + std::string(60, 'w');
    EXPECT_EQ(TargetPatterns(DiskTarget::WindowsTemp, system)[0], system.windowsDir + "\\Temp\\*.*");
}

TEST(TargetPatterns, ShortAndLongNameOfOneFolderAreTheSameFolder) {
    pvtest::TempFolder sandbox;
    const std::string folder = sandbox / "Local Settings Temp";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    char shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(folder.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(folder, shortName);
    CharUpperA(shortName);
    EXPECT_TRUE(clean::SameSearchFolder(std::string(shortName) + "\\*.*", folder + "\\*.*"));
    EXPECT_TRUE(clean::SameSearchFolder(folder + "\\*.*", folder + "\\\\*.*"));
    EXPECT_FALSE(clean::SameSearchFolder(folder + "\\*.*", sandbox.path() + "\\*.*"));
    EXPECT_TRUE(clean::SameSearchFolder("C:\\Windows\\Temp\\*.*", "c:\\WINDOWS\\temp\\*.*"));
}

TEST(TargetPatterns, OfThisSystemIncludeItsOwnFolders) {
    const SystemFolders system = clean::ReadSystemFolders();
    ASSERT_FALSE(system.tempPath.empty());
    EXPECT_EQ(system.tempPath.back(), '\\');
    const Patterns temp = TargetPatterns(DiskTarget::TempFiles, system);
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp[0], system.tempPath + "*.*");
    const Patterns windows = TargetPatterns(DiskTarget::WindowsTemp, system);
    EXPECT_EQ(windows[0], system.windowsDir + "\\Temp\\*.*");
    const Patterns cookies = TargetPatterns(DiskTarget::Cookies, system);
    ASSERT_FALSE(system.shellCookies.empty());
    EXPECT_NE(std::find(cookies.begin(), cookies.end(), system.shellCookies + "\\*.*"), cookies.end());
}

// A temporary path set to a drive root, the Windows folder or the profile
// would make the walk empty all of it: such a folder is left out.
TEST(TargetPatterns, NeverAFolderTheSystemCannotDoWithout) {
    SystemFolders system = clean::ReadSystemFolders();
    char profile[MAX_PATH] = {};
    GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    for (const std::string& temp : {std::string("C:\\"), system.windowsDir + "\\", std::string(profile) + "\\"}) {
        SCOPED_TRACE(temp);
        system.tempPath = temp;
        const Patterns patterns = TargetPatterns(DiskTarget::TempFiles, system);
        EXPECT_EQ(std::find(patterns.begin(), patterns.end(), temp + "*.*"), patterns.end());
    }
}

// Someone else's folder under a fixed name (made after the list of folders,
// or a link as C:\WinNT), and a temporary path that is a link: never listed,
// never emptied. The sentinels lie in a folder of a test's own.
TEST(TargetFolders, WindowsTempNeverAFolderSomeoneElseMadeNorALink) {
    pvtest::TempFolder outside("outside");
    ASSERT_TRUE(pvtest::MakeFolders(outside / "Temp") && pvtest::WriteBytes(outside / "Temp\\sentinel", "keep"));
    const SystemFolders system = clean::ReadSystemFolders();
    ASSERT_FALSE(pvtest::Exists("C:\\WinNT")) << "the prefix has no such folder";
    const std::vector<clean::TargetFolder> listed = clean::TargetFolders(DiskTarget::WindowsTemp, system);
    ASSERT_EQ(listed.back().pattern, "C:\\WinNT\\Temp\\*.*") << "absent: it lists nothing";
    for (bool link : {false, true}) {
        SCOPED_TRACE(link ? "a link" : "a folder");
        if (link) ASSERT_TRUE(pvtest::MakeFolderLink("C:\\WinNT", outside.path()));
        else ASSERT_TRUE(pvtest::MakeFolders("C:\\WinNT\\Temp") && pvtest::WriteBytes("C:\\WinNT\\Temp\\sentinel", "keep"));
        const Patterns now = TargetPatterns(DiskTarget::WindowsTemp, system);
        EXPECT_EQ(std::find(now.begin(), now.end(), listed.back().pattern), now.end());
        int failures = 0;
        clean::DeleteAllFiles(listed.back(), failures);
        EXPECT_EQ(pvtest::ReadBytes("C:\\WinNT\\Temp\\sentinel"), "keep");
        EXPECT_TRUE(link ? pvtest::RemoveFolderLink("C:\\WinNT") : pvtest::RemoveTree("C:\\WinNT"));
    }
    SystemFolders linked = system;
    ASSERT_TRUE(pvtest::MakeFolderLink(outside / "TempLink", outside / "Temp"));
    linked.tempPath = outside / "TempLink\\";
    EXPECT_EQ(TargetPatterns(DiskTarget::TempFiles, linked)[0].find("TempLink"), std::string::npos);
    int failures = 0;
    clean::DeleteAllFiles(linked.tempPath + "*.*", failures);
    EXPECT_EQ(pvtest::ReadBytes(outside / "Temp\\sentinel"), "keep");
    pvtest::RemoveFolderLink(outside / "TempLink");
}

// Temporary paths the user may set (HKCU\Environment): a system folder, a
// folder outside the profile, a link in the profile. Each is listed refused
// and nothing in it is walked or deleted; the user's own folder still goes.
TEST(TargetFolders, ATemporaryPathToASystemFolderOrOutsideTheProfileIsListedRefused) {
    using Refusal = base::UserFolderRefusal;
    const std::string windows = pvtest::SystemFolder(GetWindowsDirectoryA);
    pvtest::PlantedFolder installer(windows + "\\Installer"), outside("C:\\pvtmp_" + std::to_string(GetCurrentProcessId()));
    pvtest::TempFolder own("own"), target("target");
    ASSERT_TRUE(installer.PlantFile("sentinel", "keep") && outside.PlantFile("sentinel", "keep"));
    ASSERT_TRUE(pvtest::WriteBytes(target / "sentinel", "keep") && pvtest::WriteBytes(own / "gone.tmp", "x"));
    ASSERT_TRUE(pvtest::MakeFolderLink(own / "link", target.path()));
    const struct {
        std::string temp;
        Refusal refusal;
        bool deleteAll;  // never asked of a system folder, whatever the code does
    } cases[] = {{pvtest::SystemFolder(GetSystemDirectoryA) + "\\drivers\\", Refusal::kProtected, false},
                 {installer.path() + "\\", Refusal::kProtected, false},
                 {outside.path() + "\\", Refusal::kOutside, true},
                 {own / "link\\", Refusal::kLink, true},
                 {own.path() + "\\", Refusal::kNone, true}};
    SystemFolders system = clean::ReadSystemFolders();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.temp);
        system.tempPath = c.temp;
        const std::vector<clean::TargetFolder> folders = clean::TargetFolders(DiskTarget::TempFiles, system);
        ASSERT_EQ(folders[0].pattern, c.temp + "*.*");
        EXPECT_EQ(folders[0].refusal, c.refusal);
        int walked = 0, failures = 0;
        clean::WalkFiles(folders[0], [&walked](const char*, const char*) { return ++walked, true; });
        EXPECT_EQ(walked, c.refusal == Refusal::kNone ? 1 : 0);
        if (c.deleteAll) clean::DeleteAllFiles(folders[0], failures);
    }
    for (const std::string& sentinel : {installer / "sentinel", outside / "sentinel", target / "sentinel"})
        EXPECT_EQ(pvtest::ReadBytes(sentinel), "keep") << sentinel;
    EXPECT_FALSE(pvtest::FileExists(own / "gone.tmp"));
    pvtest::RemoveFolderLink(own / "link");
}

// The delete-all empties the folder judged, whatever its path leads to once
// the list of folders is made: a swap for a link to a folder holding the same
// name is never followed. (Wine leaves the moved folder's file in place.)
TEST(TargetFolders, AFolderSwappedForALinkAfterTheListingIsNotFollowed) {
    pvtest::TempFolder temp("flip"), elsewhere("elsewhere");
    ASSERT_TRUE(pvtest::WriteBytes(temp / "gone.tmp", "x") && pvtest::WriteBytes(elsewhere / "gone.tmp", "keep"));
    SystemFolders system = clean::ReadSystemFolders();
    system.tempPath = temp.path() + "\\";
    const std::vector<clean::TargetFolder> folders = clean::TargetFolders(DiskTarget::TempFiles, system);
    ASSERT_EQ(folders[0].refusal, base::UserFolderRefusal::kNone);
    int failures = 0;
    {
        pvtest::SwappedForLink swap(temp.path(), elsewhere.path());
        ASSERT_TRUE(swap.ok());
        clean::DeleteAllFiles(folders[0], failures);
        EXPECT_EQ(pvtest::ReadBytes(elsewhere / "gone.tmp"), "keep");
    }
    clean::DeleteAllFiles(folders[0], failures);
    EXPECT_FALSE(pvtest::FileExists(temp / "gone.tmp"));
}

// A planted tree: files at two depths, a dot-folder, a dot-file, and a link
// to a folder outside the tree.
class Walk : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pvtest::MakeFolders(tree_ / "sub\\deeper"));
        ASSERT_TRUE(pvtest::MakeFolders(tree_ / ".cache"));
        for (const char* name : {"a.txt", ".profile", "sub\\b.txt", "sub\\deeper\\c.txt", ".cache\\hidden.txt"})
            ASSERT_TRUE(pvtest::WriteBytes(tree_ / name, "x"));
        ASSERT_TRUE(pvtest::WriteBytes(outside_ / "kept.txt", "keep"));
        ASSERT_TRUE(pvtest::MakeFolderLink(tree_ / "link", outside_.path()));
    }
    void TearDown() override { pvtest::RemoveFolderLink(tree_ / "link"); }

    std::set<std::string> Walked(const std::string& pattern) {
        std::set<std::string> seen;
        EXPECT_TRUE(clean::WalkFiles(pattern, [&seen](const char* path, const char*) {
            seen.insert(path);
            return true;
        }));
        return seen;
    }

    pvtest::TempFolder tree_{"walk"};
    pvtest::TempFolder outside_{"outside"};
};

TEST_F(Walk, ListsFilesBelowButNeitherDotFoldersNorLinks) {
    const std::set<std::string> expected = {tree_ / "a.txt", tree_ / ".profile", tree_ / "sub\\b.txt",
                                            tree_ / "sub\\deeper\\c.txt"};
    EXPECT_EQ(Walked(tree_.path() + "\\*.*"), expected);
    EXPECT_EQ(Walked(tree_.path() + "\\sub\\*.*"),
              (std::set<std::string>{tree_ / "sub\\b.txt", tree_ / "sub\\deeper\\c.txt"}));
    EXPECT_TRUE(Walked(tree_.path() + "\\missing\\*.*").empty());
}

TEST_F(Walk, StopsWhenAskedTo) {
    int calls = 0;
    EXPECT_FALSE(clean::WalkFiles(tree_.path() + "\\*.*", [&calls](const char*, const char*) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, 1);
}

TEST_F(Walk, DeleteAllRemovesWhatTheWalkListsAndCountsFailures) {
    const std::string locked = tree_ / "sub\\locked.txt";
    ASSERT_TRUE(pvtest::WriteBytes(locked, "in use"));
    base::UniqueFile holder(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    int failures = 0;
    clean::DeleteAllFiles(tree_.path() + "\\*.*", failures);
    EXPECT_EQ(failures, 1);
    for (const char* gone : {"a.txt", ".profile", "sub\\b.txt", "sub\\deeper\\c.txt"})
        EXPECT_FALSE(pvtest::FileExists(tree_ / gone)) << gone;
    EXPECT_TRUE(pvtest::FileExists(locked));
    EXPECT_TRUE(pvtest::FileExists(tree_ / ".cache\\hidden.txt"));  // never listed, never deleted
    EXPECT_TRUE(pvtest::FolderExists(tree_ / "sub\\deeper"));         // folders stay
    EXPECT_EQ(pvtest::ReadBytes(outside_ / "kept.txt"), "keep");     // the link's target is untouched
    EXPECT_TRUE(pvtest::IsLink(tree_ / "link"));
}

// A row's file goes only while the walk's start and every folder on the way
// are the ones listed; Outside holds the same names as sentinels.
TEST_F(Walk, RowsGoOnlyWhileEveryFolderOnTheWayIsTheOneListed) {
    ASSERT_TRUE(pvtest::MakeFolders(outside_ / "sub") && pvtest::WriteBytes(outside_ / "sub\\b.txt", "keep"));
    clean::ListedFiles listed;
    const clean::TargetFolder folder(tree_.path() + "\\*.*", base::IdentityOf(tree_.path().c_str()));
    ASSERT_TRUE(clean::ListFiles(folder, [&listed](const char* path, const char*, const base::ListedItem& item) {
        listed.Add(path, item);
        return true;
    }));
    for (const char* swapped : {"sub", ""}) {
        SCOPED_TRACE(swapped);
        pvtest::SwappedForLink swap(swapped[0] ? tree_ / swapped : tree_.path(),
                                    swapped[0] ? outside_ / swapped : outside_.path());
        ASSERT_TRUE(swap.ok());
        EXPECT_FALSE(listed.Delete(tree_ / "sub\\b.txt"));
        EXPECT_EQ(pvtest::ReadBytes(outside_ / "sub\\b.txt"), "keep");
        if (swapped[0]) {
            EXPECT_TRUE(listed.Delete(tree_ / "a.txt")) << "its folders are the ones listed";
        }
    }
    EXPECT_TRUE(listed.Delete(tree_ / "sub\\b.txt")) << "put back";
}

TEST_F(Walk, SkipsPathsPastTheBuffer) {
    // Folders nested until a file's path passes 260 characters; the walk
    // goes as deep as its patterns fit and reports no cut path.
    std::wstring deep = L"\\\\?\\";
    for (char c : tree_.path()) deep += static_cast<wchar_t>(c);
    deep += L"\\sub";
    const std::wstring segment = L"\\" + std::wstring(40, L'd');
    for (int i = 0; i < 6; ++i) {
        deep += segment;
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    base::UniqueFile file(CreateFileW((deep + L"\\far.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                      nullptr));
    ASSERT_TRUE(file);
    file.reset();
    for (const std::string& path : Walked(tree_.path() + "\\*.*")) {
        EXPECT_LT(path.size(), clean::kPathSize);
        EXPECT_EQ(path.find("far.txt"), std::string::npos);
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << path;
    }
}

TEST(RowTexts, SizesInKilobytesWithOneDecimal) {
    const struct {
        uint64_t bytes;
        const char* text;
    } cases[] = {{0, "0.0KB"}, {1, "0.0KB"}, {999, "1.0KB"}, {1536, "1.5KB"}, {1048576, "1048.6KB"},
                 {5000000000ull, "5000000.0KB"}};
    for (const auto& c : cases) EXPECT_EQ(clean::SizeText(c.bytes), c.text) << c.bytes;
}

TEST(RowTexts, FileLengthIsZeroForWhatCannotBeOpened) {
    pvtest::TempFolder sandbox;
    ASSERT_TRUE(pvtest::WriteBytes(sandbox / "f.bin", std::string(1536, 'x')));
    EXPECT_EQ(clean::FileLength((sandbox / "f.bin").c_str()), 1536u);
    EXPECT_EQ(clean::FileLength((sandbox / "missing.bin").c_str()), 0u);
    const std::string held = sandbox / "held.bin";
    ASSERT_TRUE(pvtest::WriteBytes(held, "12345"));
    base::UniqueFile holder(CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(clean::FileLength(held.c_str()), 0u);
}

TEST(RowTexts, StatusLineShowsThePathStartAndTheName) {
    EXPECT_EQ(clean::ListingStatus("C:\\users\\root\\Temp\\a.txt", "a.txt"), "검사대상 : C:\\users\\root....a.txt");
    EXPECT_EQ(clean::ListingStatus("C:\\a.txt", "a.txt"), "검사대상 : C:\\a.txt....a.txt");
    // A double-byte character across the 13th byte is left out whole.
    EXPECT_EQ(clean::ListingStatus("C:\\abcdefghi임시\\x", "x"), "검사대상 : C:\\abcdefghi....x");
}

TEST(RowTexts, IndexDatMatchesTheEndExactly) {
    EXPECT_TRUE(clean::IsIndexDatPath("C:\\x\\Cookies\\index.dat"));
    EXPECT_TRUE(clean::IsIndexDatPath("index.dat"));
    EXPECT_TRUE(clean::IsIndexDatPath("C:\\x\\myindex.dat"));  // the last 9 characters decide
    EXPECT_FALSE(clean::IsIndexDatPath("C:\\x\\INDEX.DAT"));
    EXPECT_FALSE(clean::IsIndexDatPath("C:\\x\\index.dat.bak"));
    EXPECT_FALSE(clean::IsIndexDatPath("dex.dat"));
}

}  // namespace
