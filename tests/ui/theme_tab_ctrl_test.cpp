// CThemeTabCtrl: default painting when no theme is active or themed drawing
// is switched off, its image list, and the pages it creates, places and
// switches.
#include "ui/theme_tab_ctrl.h"

#include <gtest/gtest.h>

#include "app/resource.h"
#include "tests/support/test_window.h"
#include "ui/theme_library.h"

using pvtest::Picture;

namespace {

constexpr UINT kPageTemplate = 9001;
constexpr int kWidth = 300, kHeight = 160;

const char* const kCaptions[] = {"디스크 정리", "작업기록  정리", "자동기록  정리", "시작 프로그램 정리"};

void AddTabs(CTabCtrl& tabs) {
    for (int i = 0; i < 4; ++i) {
        TCITEM item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kCaptions[i]);
        TabCtrl_InsertItem(tabs.m_hWnd, i, &item);
    }
}

// A page that counts how many of its kind were destroyed.
int destroyedPages = 0;
class CountedPage : public CDialog {
public:
    ~CountedPage() override { ++destroyedPages; }
};

}  // namespace

// Switches the visual theme off for this process while it exists (the
// theme library's own switch), and back on afterwards.
class ThemeSwitchedOff {
public:
    ThemeSwitchedOff() : m_library(LoadLibraryA("UxTheme.dll")) {
        m_enable = reinterpret_cast<HRESULT(WINAPI*)(BOOL)>(
            reinterpret_cast<void*>(GetProcAddress(m_library, "EnableTheming")));
        m_wasActive = ui::IsThemeActiveNow();
        if (m_enable) m_enable(FALSE);
    }
    ~ThemeSwitchedOff() {
        if (m_enable && m_wasActive) m_enable(TRUE);
        FreeLibrary(m_library);
    }
    bool switched() const { return m_enable != nullptr && !ui::IsThemeActiveNow(); }

private:
    HMODULE m_library;
    HRESULT(WINAPI* m_enable)(BOOL) = nullptr;
    bool m_wasActive = false;
};

// A themed tab control and a plain one side by side, with the same tabs.
class TabPainting : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(themed.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + kWidth, 10 + kHeight), &parent, 1));
        ASSERT_TRUE(
            plain.Create(WS_CHILD | WS_VISIBLE, CRect(20 + kWidth, 10, 20 + 2 * kWidth, 10 + kHeight), &parent, 2));
        AddTabs(themed);
        AddTabs(plain);
        TabCtrl_SetCurSel(themed.m_hWnd, 1);
        TabCtrl_SetCurSel(plain.m_hWnd, 1);
    }
    // Repaints both and tells whether they look the same.
    bool LookAlike() {
        themed.Invalidate();
        plain.Invalidate();
        themed.UpdateWindow();
        plain.UpdateWindow();
        Picture a(kWidth, kHeight), b(kWidth, kHeight);
        Picture::CaptureClient(themed.m_hWnd, a);
        Picture::CaptureClient(plain.m_hWnd, b);
        // Guard against comparing two empty pictures: the selected tab's caption shows.
        EXPECT_FALSE(b.SameAs(Picture(kWidth, kHeight, b.At(kWidth - 2, kHeight - 2))));
        return a.SameAs(b);
    }

    pvtest::TestParent parent{2 * kWidth + 60, kHeight + 80};
    CThemeTabCtrl themed;
    CTabCtrl plain;
};

TEST_F(TabPainting, WithTheThemeSwitchedOffItPaintsLikeAPlainTabControl) {
    ThemeSwitchedOff off;
    ASSERT_TRUE(off.switched());
    EXPECT_FALSE(themed.UsesThemedDrawing());
    EXPECT_TRUE(LookAlike());
}

TEST_F(TabPainting, WithThemedDrawingClearedItPaintsLikeAPlainTabControl) {
    themed.m_themeDrawing = 0;
    EXPECT_FALSE(themed.UsesThemedDrawing());
    EXPECT_TRUE(LookAlike());
}

TEST_F(TabPainting, WithAnActiveThemeItDrawsTheThemesPictures) {
    if (!ui::IsThemeActiveNow() || ui::SystemVersion() <= 0x50000) GTEST_SKIP() << "no active theme here";
    EXPECT_TRUE(themed.UsesThemedDrawing());
    EXPECT_FALSE(LookAlike());
}

TEST(ThemeTabCtrl, LoadTabImagesNeedsAWindowAndMakesTheListOnce) {
    pvtest::TestParent parent;
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
    pvtest::TestParent parent;
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
        pvtest::PumpPending();
    }
    void TearDown() override { delete tabs; }

    void ClickTab(int item) { pvtest::ClickTab(tabs->m_hWnd, item); }
    CRect PageRect(int page) {
        CRect rect;
        tabs->GetPage(page)->GetWindowRect(rect);
        MapWindowPoints(nullptr, tabs->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    pvtest::TestParent parent{kWidth + 60, kHeight + 80};
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
        EXPECT_EQ(IsWindowVisible(tabs->GetPage(page)->m_hWnd), page == 0) << page;
    }
    EXPECT_EQ(tabs->GetCurrentPage(), 0);
}

TEST_F(TabPages, AClickOnAnotherTabSwitchesThePage) {
    ClickTab(2);
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_EQ(tabs->GetCurrentPage(), 2);
    EXPECT_TRUE(IsWindowVisible(tabs->GetPage(2)->m_hWnd));
    EXPECT_FALSE(IsWindowVisible(tabs->GetPage(0)->m_hWnd));
    EXPECT_EQ(tabs->m_previousSelection, 0);
}

TEST_F(TabPages, TheClickLockIgnoresClicks) {
    tabs->m_clickLock = 1;
    ClickTab(3);
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_EQ(tabs->GetCurrentPage(), 0);
    EXPECT_TRUE(IsWindowVisible(tabs->GetPage(0)->m_hWnd));
}

TEST_F(TabPages, TheControlDestroysItsPages) {
    HWND page = tabs->GetPage(1)->m_hWnd;
    delete tabs;
    tabs = nullptr;
    EXPECT_EQ(destroyedPages, 4);
    EXPECT_FALSE(::IsWindow(page));
}
