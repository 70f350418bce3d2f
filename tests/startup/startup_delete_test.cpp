// Sorting the startup list by name and deleting its rows by their own kind,
// against the Run keys and startup folders of the test prefix.
#include <algorithm>

#include <gtest/gtest.h>

#include "app/startup/startup_entries.h"
#include "base/unique_handle.h"
#include "tests/support/startup_sandbox.h"

namespace {

using startup::DeleteEnd;
using startup::DeleteOutcome;
using startup::StartupRow;
using namespace startuptest;

std::vector<std::string> Names(const std::vector<StartupRow>& rows) {
    std::vector<std::string> names;
    for (const StartupRow& row : rows) names.push_back(row.name);
    return names;
}

TEST(StartupSort, ComparesCharacterCodesLetterCaseIncluded) {
    EXPECT_LT(startup::CompareNames("B", "a"), 0);
    EXPECT_LT(startup::CompareNames("a", "ab"), 0);
    EXPECT_GT(startup::CompareNames("가", "z"), 0);
    EXPECT_LT(startup::CompareNames("가", "각"), 0);
    EXPECT_EQ(startup::CompareNames("가a", "가a"), 0);
    EXPECT_EQ(startup::CompareNames("", ""), 0);
    EXPECT_GT(startup::CompareNames("a", ""), 0);
}

TEST(StartupSort, DescendingThenAscendingMovesTextsAndTicksTogether) {
    StartupRow ticked = Row("가", "x", KeyRowPath(HKEY_CURRENT_USER, kRun));
    ticked.checked = true;
    std::vector<StartupRow> rows = {Row("b", "", "C:\\f\\"), ticked, Row("B", "", "C:\\g\\"),
                                    Row("ab", "y", KeyRowPath(HKEY_LOCAL_MACHINE, kRun))};
    startup::NameSortToggle direction;
    startup::SortByName(&rows, direction.Click());
    EXPECT_EQ(Names(rows), (std::vector<std::string>{"가", "b", "ab", "B"}));
    EXPECT_EQ(rows[0], ticked);
    startup::SortByName(&rows, direction.Click());
    EXPECT_EQ(Names(rows), (std::vector<std::string>{"B", "ab", "b", "가"}));
    EXPECT_EQ(rows[3], ticked);
    EXPECT_EQ(rows[1], Row("ab", "y", KeyRowPath(HKEY_LOCAL_MACHINE, kRun)));
    EXPECT_TRUE(direction.Click()) << "the third click sorts descending again";

    std::vector<StartupRow> same = {Row("n", "", "C:\\first\\"), Row("n", "", "C:\\second\\")};
    startup::SortByName(&same, true);
    EXPECT_EQ(same[0].path, "C:\\first\\") << "equal names are not exchanged";
}

TEST(StartupDelete, AfterASortEachRowIsDeletedByItsOwnKind) {
    StartupSandbox box;
    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, "pv user", "u.exe"));
    ASSERT_TRUE(PlantText(HKEY_LOCAL_MACHINE, kRunOnce, "pv machine", "m.exe"));
    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, "pv kept", "k.exe"));
    ASSERT_TRUE(box.Folder(kUserFolder).PlantFile("pv file.exe"));
    std::vector<StartupRow> rows = PlantedRows(startup::ScanStartupEntries().rows);
    startup::SortByName(&rows, true);
    ASSERT_EQ(Names(rows), (std::vector<std::string>{"pv user", "pv machine", "pv kept", "pv file.exe"}));
    for (StartupRow& row : rows) row.checked = row.name != "pv kept";

    const startup::DeleteTally tally = startup::DeleteCheckedRows(&rows);
    EXPECT_EQ(tally.removed, 3);
    EXPECT_EQ(tally.end(), DeleteEnd::kCompleted);
    EXPECT_EQ(Names(rows), std::vector<std::string>{"pv kept"});
    EXPECT_FALSE(pvtest::ReadValue(HKEY_CURRENT_USER, kRun, "pv user").present);
    EXPECT_FALSE(pvtest::ReadValue(HKEY_LOCAL_MACHINE, kRunOnce, "pv machine").present);
    EXPECT_TRUE(pvtest::ReadValue(HKEY_CURRENT_USER, kRun, "pv kept").present);
    EXPECT_FALSE(pvtest::FileExists(box.Folder(kUserFolder) / "pv file.exe"));
}

// A file in use, a subfolder and a folder link cannot be removed as files:
// their rows stay, ticked, and the delete ends as not all done.
TEST(StartupDelete, RefusedDeletionsAreKeptAndReported) {
    pvtest::TempFolder outside("startup_outside");
    StartupSandbox box;
    pvtest::PlantedFolder& folder = box.Folder(kAllUsersFolder);
    ASSERT_TRUE(pvtest::WriteBytes(outside / "outside.exe", ""));
    ASSERT_TRUE(folder.PlantFile("pv busy.exe") && folder.PlantFile("pv free.exe"));
    ASSERT_TRUE(folder.PlantFolder("pv sub") && folder.PlantLink("pv link", outside.path()));
    base::UniqueFile busy(
        CreateFileA((folder / "pv busy.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(busy);

    std::vector<StartupRow> rows = RowsIn(startup::ScanStartupEntries().rows, box.FolderRowPath(kAllUsersFolder));
    ASSERT_EQ(rows.size(), 4u);
    for (StartupRow& row : rows) row.checked = true;
    const startup::DeleteTally tally = startup::DeleteCheckedRows(&rows);
    EXPECT_EQ(tally.removed, 1);
    EXPECT_EQ(tally.kept, 3);
    EXPECT_EQ(tally.end(), DeleteEnd::kSomeKept);
    std::vector<std::string> kept = Names(rows);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::string>{"pv busy.exe", "pv link", "pv sub"}));
    for (const StartupRow& row : rows) EXPECT_TRUE(row.checked) << row.name;
    EXPECT_TRUE(pvtest::FileExists(folder / "pv busy.exe"));
    EXPECT_TRUE(pvtest::FileExists(outside / "outside.exe"));
    EXPECT_FALSE(pvtest::FileExists(folder / "pv free.exe"));

    busy.reset();
    EXPECT_EQ(startup::DeleteFolderEntry(folder.path() + "\\", "pv busy.exe"), DeleteOutcome::kDeleted);

    // None deleted is also "not all done"; nothing ticked is its own end.
    startup::DeleteTally none;
    EXPECT_EQ(none.end(), DeleteEnd::kNothingChecked);
    none.kept = 1;
    EXPECT_EQ(none.end(), DeleteEnd::kSomeKept);
    std::vector<StartupRow> unticked = {Row("pv", "", box.FolderRowPath(kAllUsersFolder))};
    EXPECT_EQ(startup::DeleteCheckedRows(&unticked).end(), DeleteEnd::kNothingChecked);
    EXPECT_EQ(unticked.size(), 1u);
}

// After the scan a folder of a row (a subfolder, or the startup folder
// itself) is swapped for a link to a folder holding the same names: the row
// stays and its sentinel survives; a row beside it still goes.
TEST(StartupDelete, ARowWhoseFolderWasSwappedForALinkStays) {
    pvtest::TempFolder outside("startup_outside");
    StartupSandbox box;
    pvtest::PlantedFolder& folder = box.Folder(kUserFolder);
    ASSERT_TRUE(folder.PlantFile("pv sub\\pv item.exe") && folder.PlantFile("pv other.exe"));
    ASSERT_TRUE(pvtest::MakeFolders(outside / "pv sub") && pvtest::WriteBytes(outside / "pv sub\\pv item.exe", "keep"));
    const std::vector<StartupRow> rows = startup::ScanStartupEntries().rows;
    const std::vector<StartupRow> inSub = RowsIn(rows, folder / "pv sub\\");
    ASSERT_EQ(inSub.size(), 1u);
    for (const char* swapped : {"pv sub", ""}) {
        SCOPED_TRACE(swapped);
        pvtest::SwappedForLink swap(swapped[0] ? folder / swapped : folder.path(),
                                    swapped[0] ? outside / swapped : outside.path());
        ASSERT_TRUE(swap.ok());
        EXPECT_EQ(startup::DeleteRow(inSub[0]), DeleteOutcome::kStillThere);
        EXPECT_EQ(pvtest::ReadBytes(outside / "pv sub\\pv item.exe"), "keep");
        for (const StartupRow& row : RowsIn(rows, box.FolderRowPath(kUserFolder))) {
            if (swapped[0] && row.name == "pv other.exe") {
                EXPECT_EQ(startup::DeleteRow(row), DeleteOutcome::kDeleted);
            }
        }
    }
    EXPECT_EQ(startup::DeleteRow(inSub[0]), DeleteOutcome::kDeleted) << "put back";
}

// The user "Administrator" sees that folder's rows twice: the first delete
// removes the file, the second finds it gone and still counts as deleted.
TEST(StartupDelete, AnAlreadyGoneEntryCountsAsDeleted) {
    StartupSandbox box;
    const std::vector<std::string> folders = startup::StartupFolders("Administrator");
    pvtest::PlantedFolder administrator(folders[1].substr(0, folders[1].size() - 1));
    ASSERT_TRUE(administrator.PlantFile("pv admin.exe"));
    startup::StartupList list;
    for (const std::string& f : folders) startup::AddFolder(f, &list);
    const std::vector<StartupRow> rows = RowsIn(list.rows, folders[1]);
    ASSERT_EQ(rows, std::vector<StartupRow>(2, Row("pv admin.exe", "", folders[1])));
    EXPECT_EQ(startup::DeleteRow(rows[0]), DeleteOutcome::kDeleted);
    EXPECT_EQ(startup::DeleteRow(rows[1]), DeleteOutcome::kAlreadyGone);

    ASSERT_TRUE(administrator.PlantFile("pv admin.exe"));
    std::vector<StartupRow> ticked = rows;
    for (StartupRow& row : ticked) row.checked = true;
    const startup::DeleteTally tally = startup::DeleteCheckedRows(&ticked);
    EXPECT_EQ(tally.removed, 2);
    EXPECT_EQ(tally.end(), DeleteEnd::kCompleted);
    EXPECT_FALSE(pvtest::FileExists(administrator / "pv admin.exe"));

    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, "pv gone", "g.exe"));
    const StartupRow value = Row("pv gone", "g.exe", KeyRowPath(HKEY_CURRENT_USER, kRun));
    EXPECT_EQ(startup::DeleteRow(value), DeleteOutcome::kDeleted);
    EXPECT_EQ(startup::DeleteRow(value), DeleteOutcome::kAlreadyGone);
    EXPECT_EQ(startup::DeleteRow(Row("pv", "", KeyRowPath(HKEY_LOCAL_MACHINE, "Software\\pv missing key"))),
              DeleteOutcome::kAlreadyGone);
}

}  // namespace
