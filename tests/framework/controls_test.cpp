// Control wrappers, image lists, drawing and the lists.
#include <gtest/gtest.h>
#include "framework/afxcmn.h"
#include "resource.h"
#include "tests/support/test_window.h"

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, top.m_hWnd); }
    pvtest::TestParent top;
};

}  // namespace

TEST_F(ControlsTest, ListViewRowsTicksAndHeader) {
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &top, 10));
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT), ListView_GetExtendedListViewStyle(list.m_hWnd));
    EXPECT_EQ(0, list.InsertColumn(0, "이름", LVCFMT_LEFT, 100));
    EXPECT_EQ(1, list.InsertColumn(1, "경로", LVCFMT_LEFT, 150));
    EXPECT_EQ(0, list.InsertItem(0, "애드웨어"));
    EXPECT_EQ(1, list.InsertItem(1, "second"));
    EXPECT_TRUE(list.SetItemText(0, 1, std::string(600, 'p').c_str()));  // longer than the first buffer
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_STREQ("애드웨어", static_cast<LPCTSTR>(list.GetItemText(0, 0)));
    EXPECT_EQ(600, list.GetItemText(0, 1).GetLength());
    EXPECT_STREQ("", static_cast<LPCTSTR>(list.GetItemText(1, 1)));

    EXPECT_FALSE(list.GetCheck(0));
    EXPECT_TRUE(list.SetCheck(0));
    EXPECT_TRUE(list.GetCheck(0));
    EXPECT_FALSE(list.GetCheck(1));
    list.SetCheck(0, FALSE);
    EXPECT_FALSE(list.GetCheck(0));

    EXPECT_EQ(-1, list.GetSelectionMark());
    list.SetSelectionMark(1);
    EXPECT_EQ(1, list.GetSelectionMark());

    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(2, Header_GetItemCount(header->m_hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(header->m_hWnd));  // a temporary
    CHeaderCtrl bound;
    ASSERT_TRUE(bound.SubclassWindow(header->m_hWnd));
    EXPECT_EQ(&bound, list.GetHeaderCtrl());  // the bound object wins from now on

    CImageList images;
    ASSERT_TRUE(images.Create(IDB_IMAGES, 14, 1, RGB(255, 0, 255)));
    EXPECT_EQ(2, ImageList_GetImageCount(images.m_hImageList));
    EXPECT_EQ(nullptr, bound.SetImageList(&images));
    EXPECT_EQ(images.m_hImageList, Header_GetImageList(bound.m_hWnd));
    HDITEM item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt = HDF_STRING | HDF_IMAGE;
    item.iImage = 1;
    EXPECT_TRUE(bound.SetItem(0, &item));
    HDITEM read = {};
    read.mask = HDI_IMAGE;
    EXPECT_TRUE(bound.GetItem(0, &read));
    EXPECT_EQ(1, read.iImage);

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}

TEST_F(ControlsTest, ImageListDrawsWithItsMask) {
    CImageList images;
    EXPECT_FALSE(images.Create(9999, 14, 1, RGB(255, 0, 255)));  // no such bitmap
    ASSERT_TRUE(images.Create(IDB_IMAGES, 14, 1, RGB(255, 0, 255)));
    CClientDC screen(&top);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 20, 20));
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 20, 20, RGB(0, 128, 0));
    EXPECT_TRUE(images.Draw(&dc, 0, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(RGB(0, 128, 0), ::GetPixel(dc.m_hDC, 1, 1));   // magenta stays transparent
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(dc.m_hDC, 5, 5));
    images.Draw(&dc, 1, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(dc.m_hDC, 1, 1));
    dc.SelectObject(old);
}

TEST_F(ControlsTest, TabAndProgressControls) {
    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), &top, 11));
    EXPECT_EQ(0, tab.InsertItem(0, "디스크", -1));
    EXPECT_EQ(1, tab.InsertItem(1, "기록", 2));
    EXPECT_EQ(2, tab.GetItemCount());
    EXPECT_EQ(0, tab.GetCurSel());
    EXPECT_EQ(0, TabCtrl_SetCurSel(tab.m_hWnd, 1));
    EXPECT_EQ(1, tab.GetCurSel());
    char text[32] = {};
    TCITEM item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    EXPECT_TRUE(tab.GetItem(1, &item));
    EXPECT_STREQ("기록", text);
    EXPECT_EQ(2, item.iImage);
    CRect itemRect;
    EXPECT_TRUE(tab.GetItemRect(1, &itemRect));
    TCHITTESTINFO hit = { { (itemRect.left + itemRect.right) / 2, (itemRect.top + itemRect.bottom) / 2 }, 0 };
    EXPECT_EQ(1, tab.HitTest(&hit));
    CRect display(0, 0, 300, 100);
    tab.AdjustRect(FALSE, &display);
    EXPECT_GT(display.top, 0);

    CProgressCtrl progress;  // bound to a bar of the template, as the pages' bars are
    ASSERT_TRUE(progress.SubclassWindow(::CreateWindowExA(0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE, 0, 120,
                                                          200, 20, top.m_hWnd, nullptr, nullptr, nullptr)));
    progress.SetRange(0, 100);
    PBRANGE range = {-1, -1};
    progress.SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(0, range.iLow);
    EXPECT_EQ(100, range.iHigh);
    EXPECT_EQ(0, progress.SetPos(40));
    EXPECT_EQ(40, progress.SendMessage(PBM_GETPOS));
    progress.SendMessage(PBM_SETBARCOLOR, 0, RGB(0, 0, 255));
    EXPECT_EQ(40, progress.SetPos(100));
}

TEST_F(ControlsTest, ButtonAndEditWrappers) {
    CButton check;
    ASSERT_TRUE(check.Create("tick", WS_CHILD | BS_AUTOCHECKBOX, CRect(0, 0, 80, 20), &top, 13));
    EXPECT_EQ(BST_UNCHECKED, check.GetCheck());
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());

    CEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(::CreateWindowExA(0, "EDIT", nullptr, WS_CHILD | ES_AUTOHSCROLL, 0, 30, 80, 20,
                                                      top.m_hWnd, nullptr, nullptr, nullptr)));
    EXPECT_FALSE(edit.GetStyle() & ES_READONLY);
    edit.SetReadOnly();
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetWindowText("한글 abc");
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("한글 abc", static_cast<LPCTSTR>(text));
    EXPECT_TRUE(edit.ModifyStyle(ES_AUTOHSCROLL, 0));
    EXPECT_FALSE(edit.ModifyStyle(ES_AUTOHSCROLL, 0));  // nothing left to change
}

TEST(Drawing, FillsPensAndTemporaryWrappers) {
    CClientDC screen(nullptr);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 16, 16));
    BITMAP info = {};
    EXPECT_EQ(static_cast<int>(sizeof(info)), bitmap.GetBitmap(&info));
    EXPECT_EQ(16, info.bmWidth);
    CBitmap* oldBitmap = dc.SelectObject(&bitmap);
    ASSERT_NE(nullptr, oldBitmap);
    ::SetBkColor(dc.m_hDC, RGB(1, 2, 3));
    dc.FillSolidRect(CRect(0, 0, 16, 16), RGB(10, 20, 30));
    EXPECT_EQ(RGB(1, 2, 3), dc.GetBkColor());  // left as it was
    EXPECT_EQ(RGB(10, 20, 30), ::GetPixel(dc.m_hDC, 8, 8));
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(200, 0, 0)));
    CPen* oldPen = dc.SelectObject(&pen);
    dc.MoveTo(0, 3);
    dc.LineTo(16, 3);
    EXPECT_EQ(RGB(200, 0, 0), ::GetPixel(dc.m_hDC, 5, 3));
    EXPECT_EQ(oldPen, CPen::FromHandle(static_cast<HPEN>(oldPen->m_hObject)));  // one wrapper per handle
    dc.SelectObject(oldPen);
    CFont font;
    EXPECT_TRUE(font.CreatePointFont(90, "굴림"));
    LOGFONT lf = {};
    ::GetObjectA(font.m_hObject, sizeof(lf), &lf);
    EXPECT_LT(lf.lfHeight, 0);
    EXPECT_STREQ("굴림", lf.lfFaceName);
    dc.SelectObject(oldBitmap);
    EXPECT_EQ(nullptr, CGdiObject::FromHandle(nullptr));
}

TEST(ObList, KeepsOrderAndRemovesAnywhere) {
    CObList list;
    CButton a, b, c;
    list.AddTail(&a);
    POSITION pb = list.AddTail(&b);
    list.AddTail(&c);
    EXPECT_EQ(3, list.GetCount());
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(&a, list.GetNext(pos));
    EXPECT_EQ(&b, list.GetNext(pos));
    EXPECT_EQ(&c, list.GetNext(pos));
    EXPECT_EQ(nullptr, pos);
    EXPECT_EQ(&b, list.GetAt(pb));
    list.RemoveAt(pb);
    EXPECT_EQ(2, list.GetCount());
    pos = list.GetHeadPosition();
    EXPECT_EQ(&a, list.GetNext(pos));
    EXPECT_EQ(&c, list.GetNext(pos));
    EXPECT_EQ(&a, list.RemoveHead());
    EXPECT_EQ(&c, list.RemoveHead());
    EXPECT_TRUE(list.IsEmpty());
}

namespace {
// Counts its living copies, to see that a list owns and frees its elements.
struct Counted {
    static int alive;
    CString name;
    DWORD value;
    Counted(const char* n, DWORD v) : name(n), value(v) { ++alive; }
    Counted(const Counted& other) : name(other.name), value(other.value) { ++alive; }
    Counted& operator=(const Counted&) = default;
    ~Counted() { --alive; }
};
int Counted::alive = 0;
}  // namespace

TEST(List, HoldsCopiesInOrderAndFreesThem) {
    {
        CList<Counted, Counted&> list;
        Counted a("a", 1), b("b", 2), c("c", 3), d("d", 4), e("e", 5);
        list.AddTail(a);
        list.AddTail(b);
        POSITION pc = list.AddTail(c);
        list.AddTail(d);
        POSITION pe = list.AddTail(e);
        b.name = "changed";  // the list keeps its own copy
        ASSERT_EQ(5, list.GetCount());
        EXPECT_EQ(10, Counted::alive);  // five in the list, five here

        std::string walked;
        DWORD sum = 0;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            const Counted& item = list.GetNext(pos);
            walked += static_cast<LPCTSTR>(item.name);
            sum += item.value;
        }
        EXPECT_EQ("abcde", walked);
        EXPECT_EQ(15u, sum);
        EXPECT_STREQ("e", static_cast<LPCTSTR>(list.GetAt(pe).name));

        list.RemoveAt(pc);  // in the middle
        list.RemoveAt(pe);  // at the tail
        EXPECT_STREQ("a", static_cast<LPCTSTR>(list.RemoveHead().name));
        walked.clear();
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) walked += static_cast<LPCTSTR>(list.GetNext(pos).name);
        EXPECT_EQ("bd", walked);
        EXPECT_EQ(2, list.GetCount());
        EXPECT_EQ(7, Counted::alive);
    }
    EXPECT_EQ(0, Counted::alive);  // the list's destructor freed its copies
}

TEST(List, EmptiesCompletely) {
    CList<int, int> list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    for (int v : {7, 8, 7}) list.AddTail(v);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    list.AddTail(3);  // usable again after RemoveAll
    EXPECT_EQ(3, list.RemoveHead());
}
