// NKShellAPI's CShellExt against the real recycle bin of the test prefix
// (Wine keeps it in the XDG trash of the prefix's private HOME), linked by
// import as the program links it.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <set>
#include <string>

#include "app/clean/disk_targets.h"
#include "nkshellapi/ShellExt.h"
#include "tests/support/sandbox.h"

namespace {

std::multiset<std::string> Names(const CList<tagFOLDERITEM, tagFOLDERITEM&>& items) {
    std::multiset<std::string> names;
    for (POSITION pos = items.GetHeadPosition(); pos != nullptr;)
        names.insert(static_cast<LPCTSTR>(items.GetNext(pos).strName));
    return names;
}

TEST(RecycleBin, ListsItsItemsAndEmptiesSilently) {
    clean::EmptyRecycleBins();
    CShellExt shell;
    const CList<tagFOLDERITEM, tagFOLDERITEM&>* items = shell.GetRecycleBinItems();
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->GetCount(), 0);

    pvtest::TempFolder sandbox;
    for (const char* name : {"first.txt", "second.log", "third.dat"}) {
        ASSERT_TRUE(pvtest::WriteBytes(sandbox / name, std::string(1536, 'r')));
        ASSERT_TRUE(pvtest::MoveToRecycleBin(sandbox / name)) << name;
    }
    // The list is read afresh at each call and stays the object's own.
    EXPECT_EQ(shell.GetRecycleBinItems(), items);
    ASSERT_EQ(items->GetCount(), 3);
    const std::multiset<std::string> names = Names(*items);
    for (const char* name : {"first", "second", "third"}) {
        bool found = false;
        for (const std::string& shown : names) found = found || shown.find(name) != std::string::npos;
        EXPECT_TRUE(found) << name;
    }
    for (POSITION pos = items->GetHeadPosition(); pos != nullptr;) {
        const tagFOLDERITEM& item = items->GetNext(pos);
        EXPECT_EQ(item.dwAttributes & SFGAO_FOLDER, 0u) << static_cast<LPCTSTR>(item.strName);
    }

    clean::EmptyRecycleBins();  // no question, no progress window: it returns by itself
    EXPECT_EQ(shell.GetRecycleBinItems()->GetCount(), 0);
    clean::EmptyRecycleBins();  // an empty bin is no error
    EXPECT_EQ(CShellExt().GetRecycleBinItems()->GetCount(), 0);
}

DWORD WINAPI CountOnThread(LPVOID out) {
    CShellExt shell;
    *static_cast<int*>(out) = shell.GetRecycleBinItems()->GetCount();
    return 0;
}

TEST(RecycleBin, ListFromAnotherThreadWithoutComOfItsOwn) {
    clean::EmptyRecycleBins();
    pvtest::TempFolder sandbox;
    ASSERT_TRUE(pvtest::WriteBytes(sandbox / "worker.txt", "w"));
    ASSERT_TRUE(pvtest::MoveToRecycleBin(sandbox / "worker.txt"));
    int count = -1;
    HANDLE thread = CreateThread(nullptr, 0, CountOnThread, &count, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(count, 1);
    clean::EmptyRecycleBins();
}

}  // namespace
