// The deletion layer against a hostile local user: links where folders were
// listed, links inside a tree. Every case has sentinels outside what may be
// deleted: they survive, the act reports failure, the rest still goes.
#include "base/deletion.h"

#include <gtest/gtest.h>

#include "tests/support/sandbox.h"

namespace {

using base::Attributes;
using base::Reach;

const char* const kLayout[] = {"Top\\Sub\\item.txt", "Top\\Sub\\companion.txt", "Top\\Log\\inner\\log.txt"};

// Tree and Outside hold the same layout; only Tree\Top is ever listed.
class ListedItems : public ::testing::Test {
protected:
    void SetUp() override {
        for (const pvtest::TempFolder* folder : {&tree_, &outside_}) {
            ASSERT_TRUE(pvtest::MakeFolders(*folder / "Top\\Sub") && pvtest::MakeFolders(*folder / "Top\\Log\\inner"));
            for (const char* file : kLayout) ASSERT_TRUE(pvtest::WriteBytes(*folder / file, folder->path()));
        }
    }
    // The record of relative, as a listing from Tree\Top finds it.
    base::ListedItem Listed(const std::string& relative) const {
        base::OpenFolder folder = base::OpenFolder::Root((tree_ / "Top").c_str());
        base::FolderEntry entry;
        for (size_t at = 0;;) {
            const size_t end = relative.find('\\', at);
            EXPECT_TRUE(folder.Find(relative.substr(at, end - at).c_str(), &entry)) << relative;
            if (end == std::string::npos) return folder.Record(entry);
            folder = folder.Sub(entry);
            at = end + 1;
        }
    }
    void ExpectOutsideUntouched() const {
        for (const char* file : kLayout) EXPECT_EQ(pvtest::ReadBytes(outside_ / file), outside_.path()) << file;
    }
    pvtest::TempFolder tree_{"tree"}, outside_{"outside"};
};

TEST_F(ListedItems, NothingGoesThroughAFolderSwappedForALinkSinceTheListing) {
    const struct {
        const char* swapped;    // "" for the folder that holds the listing's root
        const char* item;
        const char* companion;  // listed beside it, not under the swapped folder
    } cases[] = {{"", "Sub\\item.txt", nullptr}, {"Top", "Sub\\item.txt", nullptr},
                 {"Top\\Sub", "Sub\\item.txt", "Log\\inner\\log.txt"}, {"Top\\Log", "Log", "Sub\\companion.txt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.swapped);
        const base::ListedItem item = Listed(c.item), companion = Listed(c.companion ? c.companion : c.item);
        {
            const std::string swapped = c.swapped[0] ? tree_ / c.swapped : tree_.path();
            pvtest::SwappedForLink swap(swapped, c.swapped[0] ? outside_ / c.swapped : outside_.path());
            ASSERT_TRUE(swap.ok());
            base::HeldItem held = base::HoldListed(item);
            EXPECT_EQ(held.reach(), Reach::kRefused);
            EXPECT_FALSE(held.RemoveTree(Attributes::kNormal));
            if (c.companion) {
                EXPECT_TRUE(base::HoldListed(companion).RemoveTree(Attributes::kNormal));
            }
            ExpectOutsideUntouched();
        }
        // Put back, the listed item goes, and then counts as gone.
        EXPECT_TRUE(base::HoldListed(item).RemoveTree(Attributes::kNormal));
        EXPECT_EQ(base::HoldListed(item).reach(), Reach::kGone);
        SetUp();
    }
}

// A file with a second name in Outside: only unlinked, never with its
// attributes changed (they are the other name's too); a read-only one, which
// cannot go as it is, stays. A file of one name loses read-only and goes.
TEST_F(ListedItems, AFileWithAnotherNameIsOnlyUnlinkedAndKeepsItsAttributes) {
    const struct {
        const char* name;
        DWORD attributes;
        bool linked, goes;
    } cases[] = {{"readonly.txt", FILE_ATTRIBUTE_READONLY, true, false},
                 {"hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, true, true},
                 {"single.txt", FILE_ATTRIBUTE_READONLY, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = tree_ / ("Top\\" + std::string(c.name)), other = outside_ / c.name;
        ASSERT_TRUE(pvtest::WriteBytes(path, "shared"));
        ASSERT_TRUE(!c.linked || CreateHardLinkA(other.c_str(), path.c_str(), nullptr));
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
        EXPECT_EQ(base::HoldListed(Listed(c.name)).Delete(Attributes::kNormal), c.goes);
        EXPECT_EQ(pvtest::FileExists(path), !c.goes);
        if (c.linked) EXPECT_EQ(GetFileAttributesA(other.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, c.attributes);
        if (c.linked) EXPECT_EQ(pvtest::ReadBytes(other), "shared");
        SetFileAttributesA(other.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Tree\{junk.txt, empty -> Outside\Empty, full -> Outside}: Wine opens a
// link's target even when asked for the link itself, and deleting through
// that handle would remove the empty target folder.
TEST_F(ListedItems, AWalkNeitherStartsAtALinkNorRemovesWhatALinkLeadsTo) {
    ASSERT_TRUE(pvtest::MakeFolders(outside_ / "Empty"));
    ASSERT_TRUE(pvtest::WriteBytes(tree_ / "junk.txt", "x"));
    ASSERT_TRUE(pvtest::MakeFolderLink(tree_ / "empty", outside_ / "Empty"));
    ASSERT_TRUE(pvtest::MakeFolderLink(tree_ / "full", outside_.path()));

    EXPECT_FALSE(base::OpenFolder::Root((tree_ / "full").c_str()).ok());
    const bool removed = base::HoldPath(tree_.path().c_str()).RemoveTree(Attributes::kNormal);
    EXPECT_TRUE(pvtest::FolderExists(outside_ / "Empty"));
    ExpectOutsideUntouched();
    EXPECT_FALSE(pvtest::Exists(tree_ / "junk.txt"));
    EXPECT_EQ(removed, !pvtest::Exists(tree_.path())) << "a link that cannot be removed is reported";
    pvtest::RemoveFolderLink(tree_ / "empty");
    pvtest::RemoveFolderLink(tree_ / "full");
}

}  // namespace
