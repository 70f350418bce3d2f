// The deletion layer in a program the system reports as Windows 98 (Wine's
// win98 mode, scripts/wine-prefix.reg), as a compatibility layer makes the NT
// family report it: the layer still works by handle, so a folder swapped
// since the listing for another one holding the same names is never acted
// on, while a listed companion elsewhere still goes.
#include "base/deletion.h"

#include <gtest/gtest.h>

#include "base/platform.h"
#include "tests/support/sandbox.h"

namespace {

// The two answers to "is this the NT family?" part here: the system says
// Windows 98, and has the NT calls all the same.
TEST(PlatformUnderWin98, ReportsThe9xFamilyAndStillHasTheNtCalls) {
    EXPECT_TRUE(base::Reports9xFamily());
    EXPECT_TRUE(base::HasNtCalls());
}

TEST(DeletionUnderWin98, StillActsOnlyOnWhatWasListed) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    ASSERT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
    pvtest::TempFolder tree("tree"), other("other");
    ASSERT_TRUE(pvtest::MakeFolders(tree / "Sub") && pvtest::WriteBytes(tree / "Sub\\item.txt", "listed"));
    ASSERT_TRUE(pvtest::WriteBytes(tree / "companion.txt", "x") && pvtest::WriteBytes(other / "item.txt", "keep"));
    base::ListedItem item, companion;
    {
        const base::OpenFolder root = base::OpenFolder::Root(tree.path().c_str());
        base::FolderEntry sub, entry;
        ASSERT_TRUE(root.Find("Sub", &sub) && root.Find("companion.txt", &entry));
        companion = root.Record(entry);
        const base::OpenFolder listed = root.Sub(sub);
        ASSERT_TRUE(listed.Find("item.txt", &entry));
        item = listed.Record(entry);
    }
    ASSERT_TRUE(MoveFileA((tree / "Sub").c_str(), (tree / "Aside").c_str()));
    ASSERT_TRUE(MoveFileA(other.path().c_str(), (tree / "Sub").c_str()));
    EXPECT_EQ(base::HoldListed(item).reach(), base::Reach::kRefused);
    EXPECT_EQ(pvtest::ReadBytes(tree / "Sub\\item.txt"), "keep");
    EXPECT_TRUE(base::HoldListed(companion).Delete(base::Attributes::kNormal));
}

}  // namespace
