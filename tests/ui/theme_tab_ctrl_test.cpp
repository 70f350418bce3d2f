// CThemeTabCtrl: default painting when no theme is active or themed drawing
// is switched off, its image list, and the pages it creates, places and
// switches.
#include "ui/theme_tab_ctrl.h"

#include <gtest/gtest.h>

#include "app/resource.h"
#include "tests/ui/test_window.h"
#include "ui/theme_library.h"

using ui_test::Picture;

namespace {

constexpr UINT kPageTemplate = 9001;
constexpr int kWidth = 300, kHeight = 160;

const char* const kCaptions[] = {"디스크 정리", "작업기록  정리", "자동기록  정리", "시작 프로그램 정리"};

void AddTabs(CTabCtrl& tabs) {
    for (int i = 0; i < 4; ++i) {
        TCITEM item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kCaptions[i]);
        tabs.InsertItem(i, &item);
    }
}

// A page that counts how many of its kind were destroyed.
int destroyedPages = 0;
class CountedPage : public CDialog {
public:
    ~CountedPage() override { ++destroyedPages; }
};

}  // namespace

TEST(ThemeTabCtrl, NoThemeIsActiveOnThisPlatform) {
    // The painting tests below rely on the platform reporting no active theme.
    EXPECT_FALSE(ui::IsThemeActiveNow());
}

TEST(ThemeTabCtrl, PaintsLikeAPlainTabControlWhenNoThemeIsActive) {
    ui_test::TestParent parent(2 * kWidth + 60, kHeight + 80);
    CThemeTabCtrl themed;
    CTabCtrl plain;
    ASSERT_TRUE(themed.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + kWidth, 10 + kHeight), &parent, 1));
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(20 + kWidth, 10, 20 + 2 * kWidth, 10 + kHeight), &parent, 2));
    AddTabs(themed);
    AddTabs(plain);
    themed.SetCurSel(1);
    plain.SetCurSel(1);
    EXPECT_FALSE(themed.UsesThemedDrawing());

    for (int drawing : {1, 0}) {
        themed.m_themeDrawing = drawing;
        themed.Invalidate();
        plain.Invalidate();
        themed.UpdateWindow();
        plain.UpdateWindow();
        Picture a(kWidth, kHeight), b(kWidth, kHeight);
        Picture::CaptureClient(themed.m_hWnd, a);
        Picture::CaptureClient(plain.m_hWnd, b);
        EXPECT_TRUE(a.SameAs(b)) << "theme drawing flag " << drawing;
        // And the picture is the control's, not an empty one.
        EXPECT_FALSE(a.SameAs(Picture(kWidth, kHeight, a.At(kWidth - 2, kHeight - 2))));
    }
}

TEST(ThemeTabCtrl, LoadTabImagesNeedsAWindowAndMakesTheListOnce) {
    ui_test::TestParent parent;
    CThemeTabCtrl tabs;
    EXPECT_EQ(tabs.LoadTabImages(IDB_TAB_IMAGES), nullptr);
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + kWidth, 10 + kHeight), &parent, 1));
    CImageList* images = tabs.LoadTabImages(IDB_TAB_IMAGES);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images->m_hImageList), 4);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images->m_hImageList, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(tabs.SendMessage(TCM_GETIMAGELIST)), images->m_hImageList);
    EXPECT_EQ(tabs.LoadTabImages(9999), images);  // the existing list, whatever is asked
}

TEST(ThemeTabCtrl, LoadTabImagesFailsForAMissingBitmap) {
    ui_test::TestParent parent;
    CThemeTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + kWidth, 10 + kHeight), &parent, 1));
    EXPECT_EQ(tabs.LoadTabImages(9999), nullptr);
}

class TabPages : public ::testing::Test {
protected:
    void SetUp() override {
        destroyedPages = 0;
        tabs = new CThemeTabCtrl;
        ASSERT_TRUE(tabs->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + kWidth, 10 + kHeight), &parent, 1));
        AddTabs(*tabs);
        for (int i = 0; i < 4; ++i) tabs->AdoptPage(new CountedPage, kPageTemplate);
        tabs->CreatePages();
        ui_test::PumpMessages();
    }
    void TearDown() override { delete tabs; }

    // A click in the middle of tab item.
    void ClickTab(int item) {
        CRect rect;
        tabs->GetItemRect(item, rect);
        const LPARAM at = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        tabs->SendMessage(WM_LBUTTONUP, 0, at);
        ui_test::PumpMessages();
    }
    CRect PageRect(int page) {
        CRect rect;
        tabs->GetPage(page)->GetWindowRect(rect);
        tabs->ScreenToClient(rect);
        return rect;
    }

    ui_test::TestParent parent{kWidth + 60, kHeight + 80};
    CThemeTabCtrl* tabs = nullptr;
};

TEST_F(TabPages, PagesFillTheAreaUnderTheTabsAndOnlyTheFirstShows) {
    CRect client, tab0;
    tabs->GetClientRect(client);
    tabs->GetItemRect(0, tab0);
    for (int page = 0; page < 4; ++page) {
        ASSERT_NE(tabs->GetPage(page), nullptr);
        EXPECT_EQ(::GetParent(tabs->GetPage(page)->m_hWnd), tabs->m_hWnd);
        EXPECT_EQ(PageRect(page), CRect(tab0.left, tab0.bottom + 1, client.right - 1, client.bottom - 1)) << page;
        EXPECT_EQ(tabs->GetPage(page)->IsWindowVisible(), page == 0) << page;
    }
    EXPECT_EQ(tabs->GetCurrentPage(), 0);
}

TEST_F(TabPages, AClickOnAnotherTabSwitchesThePage) {
    ClickTab(2);
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_EQ(tabs->GetCurrentPage(), 2);
    EXPECT_TRUE(tabs->GetPage(2)->IsWindowVisible());
    EXPECT_FALSE(tabs->GetPage(0)->IsWindowVisible());
    EXPECT_EQ(tabs->m_previousSelection, 0);
}

TEST_F(TabPages, TheClickLockIgnoresClicks) {
    tabs->m_clickLock = 1;
    ClickTab(3);
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_EQ(tabs->GetCurrentPage(), 0);
    EXPECT_TRUE(tabs->GetPage(0)->IsWindowVisible());
}

TEST_F(TabPages, TheControlDestroysItsPages) {
    HWND page = tabs->GetPage(1)->m_hWnd;
    delete tabs;
    tabs = nullptr;
    EXPECT_EQ(destroyedPages, 4);
    EXPECT_FALSE(::IsWindow(page));
}
