// Where the scan page keeps a cure's backup, and how many it keeps.
#include "app/cure/cure_backup.h"

#include <gtest/gtest.h>

#include "tests/support/sandbox.h"

namespace {

std::string Numbered(int n) {
    char name[16];
    snprintf(name, sizeof name, "%08d", n);
    return name;
}

TEST(CureBackupFolder, ALoggedPassKeepsItInItsLogFolderOthersKeepTheNewestTwenty) {
    pvtest::TempFolder sandbox, elsewhere;
    pvtest::CurrentFolder here(sandbox.path());
    EXPECT_EQ(cure::CureBackupFolder(".\\PurvexLog\\00000004"), ".\\PurvexLog\\00000004\\backup");

    const std::string root = sandbox / "PurvexBackup";
    for (int n = 0; n < 25; ++n) {
        if (n == 1) continue;  // a link to elsewhere
        ASSERT_TRUE(pvtest::MakeFolders(root + "\\" + Numbered(n)));
        ASSERT_TRUE(pvtest::WriteBytes(root + "\\" + Numbered(n) + "\\kept.bak", "x"));
    }
    ASSERT_TRUE(pvtest::WriteBytes(elsewhere / "sentinel", "keep"));
    ASSERT_TRUE(pvtest::MakeFolderLink(root + "\\" + Numbered(1), elsewhere.path()));
    ASSERT_TRUE(pvtest::MakeFolders(root + "\\not numbered"));

    EXPECT_EQ(cure::CureBackupFolder(""), ".\\PurvexBackup\\" + Numbered(25));
    for (int n = 0; n <= 25; ++n) {
        if (n == 1) continue;
        EXPECT_EQ(pvtest::FolderExists(root + "\\" + Numbered(n)), n >= 6) << n;
    }
    EXPECT_EQ(pvtest::ReadBytes(elsewhere / "sentinel"), "keep") << "a link goes as itself, never its target";
    EXPECT_TRUE(pvtest::FolderExists(root + "\\not numbered"));
    pvtest::RemoveFolderLink(root + "\\" + Numbered(1));
}

}  // namespace
