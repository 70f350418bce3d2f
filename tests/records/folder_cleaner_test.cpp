// Wiping index files, and the folder cleaner's refusals, in temporary folders.
// The cleaning itself is checked in the history and Recent folders.
#include "app/records/folder_cleaner.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/sandbox.h"

namespace {

using pvtest::ReadBytes;
using pvtest::TempFolder;

TEST(WipeIndexFile, KeepsSizeAndFirst64BytesAndZeroesTheRest) {
    TempFolder folder;
    // Up to 64 bytes nothing changes; 10,064 and 25,000 take one and three pieces.
    for (size_t size : {0, 1, 64, 65, 10064, 25000}) {
        SCOPED_TRACE(size);
        std::string before(size, '\0');
        for (size_t i = 0; i < size; ++i) before[i] = static_cast<char>(i % 251 + 1);
        ASSERT_TRUE(pvtest::WriteBytes(folder / "index.dat", before));
        EXPECT_TRUE(records::WipeIndexFile(folder.path().c_str(), "index.dat"));
        const std::string after = ReadBytes(folder / "index.dat");
        ASSERT_EQ(after.size(), size);
        EXPECT_EQ(after.substr(0, 64), before.substr(0, 64));
        EXPECT_EQ(after.substr(std::min<size_t>(size, 64)), std::string(size > 64 ? size - 64 : 0, '\0'));
    }
    EXPECT_FALSE(records::WipeIndexFile(folder.path().c_str(), "missing.dat"));
    EXPECT_FALSE(pvtest::FileExists(folder / "missing.dat")) << "opened only when it exists";
}

TEST(CleanFolder, MissingFolderALinkOrOneOutsideTheProfileFailsAndTouchesNothing) {
    TempFolder folder;
    EXPECT_FALSE(records::CleanFolder((folder / "missing").c_str(), false, true));
    EXPECT_FALSE(records::CleanFolder("", false, true));
    ASSERT_TRUE(pvtest::WriteBytes(folder / "precious.txt", "keep"));
    const std::string link = folder.path() + "_link";
    ASSERT_TRUE(pvtest::MakeFolderLink(link, folder.path()));
    EXPECT_FALSE(records::CleanFolder(link.c_str(), true, true));
    pvtest::RemoveFolderLink(link);
    EXPECT_EQ(ReadBytes(folder / "precious.txt"), "keep");
    // Outside the user's profile ("User Shell Folders" sending History there).
    pvtest::PlantedFolder outside("C:\\pvhistory" + std::to_string(GetCurrentProcessId()));
    ASSERT_TRUE(outside.PlantFile("precious.txt", "keep"));
    EXPECT_FALSE(records::CleanFolder(outside.path().c_str(), true, true));
    EXPECT_EQ(ReadBytes(outside / "precious.txt"), "keep");
    EXPECT_TRUE(records::CleanFolder(folder.path().c_str(), true, true)) << "inside the profile";
    EXPECT_FALSE(pvtest::FileExists(folder / "precious.txt"));
}

}  // namespace
