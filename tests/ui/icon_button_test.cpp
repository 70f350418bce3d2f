// CIconButton: which icon shows in which state, where, and how hover, the
// pressed offset and double clicks behave.
#include "ui/icon_button.h"

#include <gtest/gtest.h>

#include "app/resource.h"
#include "tests/support/test_window.h"

using pvtest::Picture;

namespace {

constexpr int kSize = 100;  // the button is square, larger than the 80 x 64 icons

class IconButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 20 + kSize, 20 + kSize), &parent, 1042));
        button.SetIcons(IDI_CURE_HOVER, IDI_CURE_NORMAL);
        pvtest::PumpPending();
    }
    void Render(Picture& picture, UINT state) { pvtest::DrawButton(button, picture, state); }
    // What the button should show: its face colour with icon drawn centred, moved by offset.
    void Expect(Picture& expected, UINT iconId, int offset) {
        HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 0,
                                                   0, 0));
        RECT all = {0, 0, kSize, kSize};
        FillRect(expected.dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
        DrawIconEx(expected.dc(), (kSize - 80) / 2 + offset, (kSize - 64) / 2 + offset, icon, 80, 64, 0, nullptr,
                   DI_NORMAL);
        DestroyIcon(icon);
    }
    void MoveOver(UINT flags = 0) { button.SendMessage(WM_MOUSEMOVE, flags, MAKELPARAM(kSize / 2, kSize / 2)); }
    // Whether the button shows itself hovered: with its border on, the raised edge.
    bool Hovered() {
        Picture shown(kSize, kSize);
        Render(shown, 0);
        return shown.At(0, kSize / 2) == GetSysColor(COLOR_BTNHIGHLIGHT);
    }

    pvtest::TestParent parent;
    CIconButton button;
};

}  // namespace

TEST_F(IconButtonTest, ShowsTheNormalIconCentred) {
    button.SetBorder(FALSE);
    Picture shown(kSize, kSize), expected(kSize, kSize);
    Render(shown, 0);
    Expect(expected, IDI_CURE_NORMAL, 0);
    EXPECT_TRUE(shown.SameAs(expected));
}

TEST_F(IconButtonTest, PressedShowsTheHoverIconMovedOnePixelRightAndDown) {
    button.SetBorder(FALSE);
    Picture shown(kSize, kSize), expected(kSize, kSize), unmoved(kSize, kSize);
    Render(shown, ODS_SELECTED);
    Expect(expected, IDI_CURE_HOVER, 1);
    Expect(unmoved, IDI_CURE_HOVER, 0);
    EXPECT_TRUE(shown.SameAs(expected));
    EXPECT_FALSE(shown.SameAs(unmoved));
}

TEST_F(IconButtonTest, WithoutANormalIconTheHoverIconShowsAlways) {
    button.SetBorder(FALSE);
    button.SetIcons(IDI_CURE_SELECTED, 0);
    EXPECT_EQ(button.GetHoverIconId(), UINT(IDI_CURE_SELECTED));
    EXPECT_EQ(button.GetNormalIconId(), 0u);
    Picture shown(kSize, kSize), expected(kSize, kSize);
    Render(shown, 0);
    Expect(expected, IDI_CURE_SELECTED, 0);
    EXPECT_TRUE(shown.SameAs(expected));
}

TEST_F(IconButtonTest, HoverComesWithThePointerAndGoesOnLeaveFocusLossAndCancelMode) {
    MoveOver();
    EXPECT_TRUE(Hovered());
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(Hovered());

    MoveOver();
    button.SendMessage(WM_KILLFOCUS);
    EXPECT_FALSE(Hovered());

    MoveOver();
    button.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(Hovered());

    MoveOver();
    button.SendMessage(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_FALSE(Hovered());
}

TEST_F(IconButtonTest, HoveredButtonShowsTheHoverIcon) {
    button.SetBorder(FALSE);
    MoveOver();
    Picture shown(kSize, kSize), expected(kSize, kSize);
    Render(shown, 0);
    Expect(expected, IDI_CURE_HOVER, 0);
    EXPECT_TRUE(shown.SameAs(expected));
}

TEST_F(IconButtonTest, APressThatBeganElsewhereDoesNotHover) {
    MoveOver(MK_LBUTTON);
    EXPECT_FALSE(Hovered());
}

TEST_F(IconButtonTest, BorderShowsOnlyWhileHoveredWhenSet) {
    Picture plain(kSize, kSize), hovered(kSize, kSize);
    Render(plain, 0);
    EXPECT_EQ(plain.At(0, kSize / 2), GetSysColor(COLOR_BTNFACE));  // flat: no border at rest
    MoveOver();
    Render(hovered, 0);
    EXPECT_EQ(hovered.At(0, kSize / 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(hovered.At(kSize - 1, kSize / 2), GetSysColor(COLOR_BTNSHADOW));
    button.SetBorder(FALSE);
    Render(hovered, 0);
    EXPECT_EQ(hovered.At(0, kSize / 2), GetSysColor(COLOR_BTNFACE));
}

TEST_F(IconButtonTest, TransparentModeDrawsOverTheParentsPicture) {
    // Paint the parent under the button in a colour of its own first.
    CRect under(20, 20, 20 + kSize, 20 + kSize);
    {
        CClientDC dc(&parent);
        dc.FillSolidRect(under, RGB(10, 200, 30));
    }
    button.SetTransparent(FALSE);
    button.SetBorder(FALSE);
    Picture shown(kSize, kSize);
    Render(shown, 0);
    EXPECT_EQ(shown.At(2, 2), RGB(10, 200, 30));
    EXPECT_EQ(shown.At(kSize - 3, kSize - 3), RGB(10, 200, 30));
}

TEST_F(IconButtonTest, ADoubleClickCountsAsASecondClick) {
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(parent.Clicks(1042), 2);
}

TEST_F(IconButtonTest, ReplacingIconsKeepsTheNewOnes) {
    button.SetIcons(IDI_CURE_SELECTED, 0);
    button.SetIcons(IDI_CURE_HOVER, IDI_CURE_NORMAL);
    EXPECT_EQ(button.GetHoverIconId(), UINT(IDI_CURE_HOVER));
    EXPECT_EQ(button.GetNormalIconId(), UINT(IDI_CURE_NORMAL));
}
