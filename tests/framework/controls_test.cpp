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
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT), list.GetExtendedStyle());
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
    EXPECT_EQ(2, header->GetItemCount());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(header->m_hWnd));  // a temporary
    CHeaderCtrl bound;
    ASSERT_TRUE(bound.SubclassWindow(header->m_hWnd));
    EXPECT_EQ(&bound, list.GetHeaderCtrl());  // the bound object wins from now on

    CImageList images;
    ASSERT_TRUE(images.Create(IDB_IMAGES, 14, 1, RGB(255, 0, 255)));
    EXPECT_EQ(2, images.GetImageCount());
    EXPECT_EQ(nullptr, bound.SetImageList(&images));
    EXPECT_EQ(images.m_hImageList, bound.GetImageList()->m_hImageList);
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

TEST_F(ControlsTest, ImageListDrawsWithItsMaskAndIsFreedOnce) {
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
    EXPECT_EQ(RGB(0, 128, 0), dc.GetPixel(1, 1));   // magenta stays transparent
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(5, 5));
    images.Draw(&dc, 1, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(1, 1));
    dc.SelectObject(old);
    HIMAGELIST h = images.Detach();
    EXPECT_EQ(nullptr, images.GetSafeHandle());
    EXPECT_TRUE(ImageList_Destroy(h));
}

TEST_F(ControlsTest, TabAndProgressControls) {
    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), &top, 11));
    EXPECT_EQ(0, tab.InsertItem(0, "디스크"));
    EXPECT_EQ(1, tab.InsertItem(1, "기록"));
    EXPECT_EQ(2, tab.GetItemCount());
    EXPECT_EQ(0, tab.GetCurSel());
    EXPECT_EQ(0, tab.SetCurSel(1));
    EXPECT_EQ(1, tab.GetCurSel());
    char text[32] = {};
    TCITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    EXPECT_TRUE(tab.GetItem(1, &item));
    EXPECT_STREQ("기록", text);
    CRect itemRect;
    EXPECT_TRUE(tab.GetItemRect(1, &itemRect));
    TCHITTESTINFO hit = { itemRect.CenterPoint(), 0 };
    EXPECT_EQ(1, tab.HitTest(&hit));
    CRect display(0, 0, 300, 100);
    tab.AdjustRect(FALSE, &display);
    EXPECT_GT(display.top, 0);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 120, 200, 140), &top, 12));
    progress.SetRange(0, 100);
    int low = -1, high = -1;
    progress.GetRange(low, high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(100, high);
    EXPECT_EQ(0, progress.SetPos(40));
    EXPECT_EQ(40, progress.GetPos());
    progress.SendMessage(PBM_SETBARCOLOR, 0, RGB(0, 0, 255));
    EXPECT_EQ(40, progress.SetPos(100));
}

TEST_F(ControlsTest, ButtonAndEditWrappers) {
    CButton check;
    ASSERT_TRUE(check.Create("tick", WS_CHILD | BS_AUTOCHECKBOX, CRect(0, 0, 80, 20), &top, 13));
    EXPECT_EQ(BST_UNCHECKED, check.GetCheck());
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
    check.SetButtonStyle(BS_PUSHBUTTON);
    EXPECT_EQ(static_cast<UINT>(BS_PUSHBUTTON), check.GetButtonStyle());

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_AUTOHSCROLL, CRect(0, 30, 80, 50), &top, 14));
    EXPECT_FALSE(edit.GetStyle() & ES_READONLY);
    edit.SetReadOnly();
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetWindowText("한글 abc");
    edit.SetSel(0, -1);
    edit.ReplaceSel("x");
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("x", static_cast<LPCTSTR>(text));
    EXPECT_TRUE(edit.ModifyStyle(ES_AUTOHSCROLL, 0));
    EXPECT_FALSE(edit.ModifyStyle(ES_AUTOHSCROLL, 0));  // nothing left to change
}

TEST(Drawing, FillsPensAndTemporaryWrappers) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(16, 16, 1, 32, nullptr));
    BITMAP info = {};
    EXPECT_EQ(static_cast<int>(sizeof(info)), bitmap.GetBitmap(&info));
    EXPECT_EQ(16, info.bmWidth);
    CBitmap* oldBitmap = dc.SelectObject(&bitmap);
    ASSERT_NE(nullptr, oldBitmap);
    dc.SetBkColor(RGB(1, 2, 3));
    dc.FillSolidRect(CRect(0, 0, 16, 16), RGB(10, 20, 30));
    EXPECT_EQ(RGB(1, 2, 3), dc.GetBkColor());  // left as it was
    EXPECT_EQ(RGB(10, 20, 30), dc.GetPixel(8, 8));
    CPen pen(PS_SOLID, 1, RGB(200, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    dc.MoveTo(0, 3);
    dc.LineTo(16, 3);
    EXPECT_EQ(RGB(200, 0, 0), dc.GetPixel(5, 3));
    EXPECT_EQ(oldPen, CPen::FromHandle(static_cast<HPEN>(oldPen->m_hObject)));  // one wrapper per handle
    dc.SelectObject(oldPen);
    CBrush brush(RGB(0, 0, 90));
    dc.FillRect(CRect(0, 10, 4, 14), &brush);
    EXPECT_EQ(RGB(0, 0, 90), dc.GetPixel(1, 11));
    CFont font;
    EXPECT_TRUE(font.CreatePointFont(90, "굴림"));
    LOGFONT lf = {};
    font.GetLogFont(&lf);
    EXPECT_LT(lf.lfHeight, 0);
    EXPECT_STREQ("굴림", lf.lfFaceName);
    dc.SelectObject(oldBitmap);
    EXPECT_EQ(nullptr, CGdiObject::FromHandle(nullptr));
}

TEST(ObList, KeepsOrderAndRemovesAnywhere) {
    CObList list;
    CButton a, b, c;
    list.AddTail(&b);
    list.AddHead(&a);
    POSITION pc = list.AddTail(&c);
    EXPECT_EQ(3, list.GetCount());
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(&a, list.GetNext(pos));
    EXPECT_EQ(&b, list.GetNext(pos));
    EXPECT_EQ(&c, list.GetNext(pos));
    EXPECT_EQ(nullptr, pos);
    EXPECT_EQ(pc, list.Find(&c));
    list.RemoveAt(list.Find(&b));
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ(&a, list.GetHead());
    EXPECT_EQ(&c, list.GetTail());
    EXPECT_EQ(nullptr, list.Find(&b));
    EXPECT_EQ(&a, list.RemoveHead());
    EXPECT_EQ(&c, list.RemoveTail());
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
        list.AddTail(b);
        POSITION pd = list.AddTail(d);
        list.AddHead(a);
        list.InsertBefore(pd, c);
        list.InsertAfter(pd, e);
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
        POSITION back = list.GetTailPosition();
        EXPECT_STREQ("e", static_cast<LPCTSTR>(list.GetPrev(back).name));
        EXPECT_STREQ("d", static_cast<LPCTSTR>(list.GetAt(back).name));
        EXPECT_EQ(pd, back);

        list.RemoveAt(list.FindIndex(2));  // c, in the middle
        EXPECT_EQ(nullptr, list.FindIndex(4));
        EXPECT_STREQ("a", static_cast<LPCTSTR>(list.RemoveHead().name));
        EXPECT_STREQ("e", static_cast<LPCTSTR>(list.RemoveTail().name));
        EXPECT_STREQ("b", static_cast<LPCTSTR>(list.GetHead().name));
        EXPECT_STREQ("d", static_cast<LPCTSTR>(list.GetTail().name));
        EXPECT_EQ(2, list.GetCount());
        EXPECT_EQ(7, Counted::alive);
    }
    EXPECT_EQ(0, Counted::alive);  // the list's destructor freed its copies
}

TEST(List, FindsByValueAndEmptiesCompletely) {
    CList<int, int> list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    for (int v : {7, 8, 7}) list.AddTail(v);
    POSITION first = list.Find(7);
    ASSERT_NE(nullptr, first);
    POSITION second = list.Find(7, first);
    EXPECT_EQ(list.GetTailPosition(), second);
    EXPECT_EQ(nullptr, list.Find(7, second));
    EXPECT_EQ(nullptr, list.Find(9));
    list.SetAt(first, 1);
    EXPECT_EQ(1, list.GetHead());
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetTailPosition());
    list.AddHead(3);  // usable again after RemoveAll
    EXPECT_EQ(3, list.GetTail());
}
