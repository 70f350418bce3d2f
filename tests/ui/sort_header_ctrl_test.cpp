// CSortHeaderCtrl over a real list header: taking it over, its images, and
// the owner page repainted while a column divider is dragged.
#include "ui/sort_header_ctrl.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_window.h"

namespace {

// Collects what the code under test writes to the debugger output.
std::string debugOutput;
LONG CALLBACK CatchDebugOutput(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode != DBG_PRINTEXCEPTION_C) return EXCEPTION_CONTINUE_SEARCH;
    debugOutput += reinterpret_cast<const char*>(info->ExceptionRecord->ExceptionInformation[1]);
    return EXCEPTION_CONTINUE_EXECUTION;
}

class HeaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 350, 200), &parent, 1005));
        list.InsertColumn(0, "", LVCFMT_LEFT, 25);
        list.InsertColumn(1, "애드웨어 이름", LVCFMT_LEFT, 200);
        list.InsertColumn(2, "갯 수", LVCFMT_CENTER, 50);
        debugOutput.clear();
        catcher = AddVectoredExceptionHandler(1, CatchDebugOutput);
    }
    void TearDown() override { RemoveVectoredExceptionHandler(catcher); }

    HDITEM Item(int index) {
        HDITEM item = {};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        EXPECT_TRUE(header.GetItem(index, &item));
        return item;
    }

    pvtest::TestParent parent;
    CListCtrl list;
    CSortHeaderCtrl header;
    PVOID catcher = nullptr;
};

}  // namespace

TEST_F(HeaderTest, TakesOverTheListHeaderAndShowsTheUncheckedBox) {
    ASSERT_TRUE(header.SubclassHeader(list.GetHeaderCtrl()));
    EXPECT_EQ(header.m_hWnd, ListView_GetHeader(list.m_hWnd));
    EXPECT_TRUE(debugOutput.empty());
    const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(header.SendMessage(HDM_GETIMAGELIST));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 4);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 14);
    const HDITEM first = Item(0);
    EXPECT_TRUE(first.fmt & HDF_IMAGE);
    EXPECT_EQ(first.iImage, 0);
    EXPECT_FALSE(Item(1).fmt & HDF_IMAGE);
}

TEST_F(HeaderTest, SetHeaderImageShowsTheImageInThatItemOnly) {
    ASSERT_TRUE(header.SubclassHeader(list.GetHeaderCtrl()));
    header.SetHeaderImage(0, 1);
    header.SetHeaderImage(2, 3);
    EXPECT_EQ(Item(0).iImage, 1);
    EXPECT_TRUE(Item(2).fmt & HDF_IMAGE);
    EXPECT_EQ(Item(2).iImage, 3);
    EXPECT_FALSE(Item(1).fmt & HDF_IMAGE);
    EXPECT_EQ(Item(2).fmt & HDF_JUSTIFYMASK, HDF_CENTER);  // the rest of the format stays
    header.SetHeaderImage(7, 2);  // no such item: nothing happens
    EXPECT_EQ(Header_GetItemCount(header.m_hWnd), 3);
}

TEST_F(HeaderTest, WithoutAHeaderWindowItFailsWithADebuggerMessage) {
    CHeaderCtrl none;  // no window, as for a list that is not in report style
    EXPECT_FALSE(header.SubclassHeader(&none));
    EXPECT_FALSE(header.SubclassHeader(nullptr));
    EXPECT_EQ(debugOutput, "Unable to subclass existing header!\nUnable to subclass existing header!\n");
}

TEST_F(HeaderTest, DraggingADividerRepaintsTheOwnerPage) {
    pvtest::TestParent page(200, 100, 500, 40);
    ASSERT_TRUE(header.SubclassHeader(list.GetHeaderCtrl()));
    header.m_pOwnerPage = &page;
    for (UINT code : {UINT(HDN_BEGINTRACKA), UINT(HDN_BEGINTRACKW), UINT(HDN_ENDTRACKA), UINT(HDN_ENDTRACKW)}) {
        page.UpdateWindow();
        ASSERT_FALSE(GetUpdateRect(page.m_hWnd, nullptr, FALSE));
        NMHEADERA notify = {};
        notify.hdr.hwndFrom = header.m_hWnd;
        notify.hdr.idFrom = GetDlgCtrlID(header.m_hWnd);
        notify.hdr.code = code;
        notify.iItem = 1;
        const LRESULT result = list.SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
        EXPECT_EQ(result, 0) << code;  // the drag goes on
        EXPECT_TRUE(GetUpdateRect(page.m_hWnd, nullptr, FALSE)) << code;
    }
}
