// CXPButton drawn into a memory picture: background, outline, the 64-step
// gradient face and the inner frames, sampled pixel by pixel.
#include "ui/xp_button.h"

#include <gtest/gtest.h>

#include "tests/support/test_window.h"

using pvtest::Picture;

namespace {

constexpr int kWidth = 100, kHeight = 40;
constexpr COLORREF kBackground = RGB(1, 2, 3);

// The button's face: the button rectangle less the system edge.
struct Face {
    int l, t, r, b;
};
Face FaceOf() {
    return {GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE), kWidth - GetSystemMetrics(SM_CXEDGE),
            kHeight - GetSystemMetrics(SM_CYEDGE)};
}

// The expected face colour of a row, computed from the rule itself.
COLORREF Expected(int y, bool hovered, bool accent) {
    const Face f = FaceOf();
    const int i = 63 * (y - f.t) / (f.b - f.t);
    int grey, blue;
    if (!hovered) {
        grey = 255 - i / 3;
        blue = accent ? 255 - i / 4 : 255 - i / 5;
    } else {
        grey = 255 - i / 4;
        blue = accent ? 255 - i / 3 : 255 - i / 5;
    }
    return RGB(grey, grey, blue);
}

class XPButtonDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        // No caption: every face pixel away from the frame is gradient.
        ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 10 + kWidth, 10 + kHeight),
                                  &parent, 1000));
    }
    // Draws the button in state into a fresh picture whose DC background colour is kBackground.
    void Render(Picture& picture, UINT state) {
        SetBkColor(picture.dc(), kBackground);
        pvtest::DrawButton(button, picture, state);
    }
    void Hover() { button.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5)); }

    // Every face row at a column clear of the frame lines.
    void ExpectGradient(const Picture& picture, bool hovered, bool accent) {
        const Face f = FaceOf();
        const int x = kWidth / 2;
        const int first = hovered || accent ? f.t + 2 : f.t;  // rows under a top frame line are covered
        const int last = hovered || accent ? f.b - 2 : f.b - 1;
        for (int y = first; y <= last; ++y) {
            ASSERT_EQ(picture.At(x, y), Expected(y, hovered, accent)) << "row " << y;
        }
    }

    pvtest::TestParent parent;
    CXPButton button;
};

}  // namespace

TEST_F(XPButtonDrawing, PlainButtonHasBackgroundOutlineAndGreyGradient) {
    Picture picture(kWidth, kHeight);
    Render(picture, 0);
    EXPECT_EQ(picture.At(0, 0), kBackground);                    // outside the rounded corner
    EXPECT_EQ(picture.At(kWidth / 2, 0), RGB(0, 0, 0));         // outline
    EXPECT_EQ(picture.At(0, kHeight / 2), RGB(0, 0, 0));
    const Face f = FaceOf();
    EXPECT_EQ(picture.At(kWidth / 2, f.t), RGB(255, 255, 255));  // step 0
    EXPECT_EQ(picture.At(kWidth / 2, f.b - 1), Expected(f.b - 1, false, false));
    EXPECT_EQ(Expected(f.b - 1, false, false), RGB(255 - 62 / 3, 255 - 62 / 3, 255 - 62 / 5));
    ExpectGradient(picture, false, false);
    // No frame: the face edge shows the gradient, not a pen.
    EXPECT_EQ(picture.At(f.l, kHeight / 2), Expected(kHeight / 2, false, false));
}

TEST_F(XPButtonDrawing, FocusedButtonHasTheBlueFrameAndTheAccentGradient) {
    Picture picture(kWidth, kHeight);
    Render(picture, ODS_FOCUS);
    const Face f = FaceOf();
    EXPECT_EQ(picture.At(f.l, kHeight / 2), RGB(153, 198, 252));       // left
    EXPECT_EQ(picture.At(f.r - 1, kHeight / 2), RGB(162, 189, 252));   // right
    EXPECT_EQ(picture.At(kWidth / 2, f.t), RGB(162, 201, 255));        // top
    EXPECT_EQ(picture.At(kWidth / 2, f.b), RGB(162, 201, 255));        // bottom
    ExpectGradient(picture, false, true);
}

TEST_F(XPButtonDrawing, HoveredButtonHasTheOrangeFrameEvenWithoutFocus) {
    Hover();
    Picture picture(kWidth, kHeight);
    Render(picture, 0);
    const Face f = FaceOf();
    EXPECT_EQ(picture.At(f.l, kHeight / 2), RGB(250, 196, 88));
    EXPECT_EQ(picture.At(f.r - 1, kHeight / 2), RGB(251, 202, 106));
    EXPECT_EQ(picture.At(kWidth / 2, f.t), RGB(252, 210, 121));
    EXPECT_EQ(picture.At(kWidth / 2, f.b), RGB(229, 151, 0));
    ExpectGradient(picture, true, false);
}

TEST_F(XPButtonDrawing, HoverWinsOverFocusAndKeepsTheAccentGradient) {
    Hover();
    Picture picture(kWidth, kHeight);
    Render(picture, ODS_FOCUS);
    const Face f = FaceOf();
    EXPECT_EQ(picture.At(f.l, kHeight / 2), RGB(250, 196, 88));
    EXPECT_EQ(picture.At(kWidth / 2, f.b), RGB(229, 151, 0));
    ExpectGradient(picture, true, true);
}

TEST_F(XPButtonDrawing, PressedAndDefaultButtonsUseTheAccentGradientWithoutAFrame) {
    const Face f = FaceOf();
    for (UINT state : {UINT(ODS_SELECTED), UINT(ODS_DEFAULT)}) {
        Picture picture(kWidth, kHeight);
        Render(picture, state);
        EXPECT_EQ(picture.At(f.l, kHeight / 2), Expected(kHeight / 2, false, true)) << state;
        for (int y = f.t; y < f.b; ++y) ASSERT_EQ(picture.At(kWidth / 2, y), Expected(y, false, true)) << y;
    }
}

TEST_F(XPButtonDrawing, LeavingEndsTheHover) {
    Hover();
    button.SendMessage(WM_MOUSELEAVE);
    Picture picture(kWidth, kHeight);
    Render(picture, 0);
    ExpectGradient(picture, false, false);
    EXPECT_EQ(picture.At(FaceOf().l, kHeight / 2), Expected(kHeight / 2, false, false));
}

TEST_F(XPButtonDrawing, CaptionIsDrawnAndMovesWhilePressed) {
    button.SetWindowText("확인");
    Picture up(kWidth, kHeight), down(kWidth, kHeight);
    Render(up, 0);
    Render(down, ODS_SELECTED);
    // The darkest pixel of the caption, found in each picture.
    auto darkest = [](const Picture& p) {
        POINT at = {-1, -1};
        int best = 3 * 255;
        for (int y = 0; y < p.height(); ++y) {
            for (int x = 5; x < p.width() - 5; ++x) {
                const COLORREF c = p.At(x, y);
                const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
                if (y > 3 && y < p.height() - 4 && sum < best) {
                    best = sum;
                    at = {x, y};
                }
            }
        }
        return at;
    };
    const POINT a = darkest(up), b = darkest(down);
    ASSERT_GE(a.x, 0);
    EXPECT_LT(GetRValue(up.At(a.x, a.y)), 100);  // text, not face
    EXPECT_EQ(b.x - a.x, 2);
    EXPECT_EQ(b.y - a.y, 2);
}

TEST(XPButton, ClicksReachTheParentAsCommands) {
    pvtest::TestParent parent;
    CXPButton button;
    ASSERT_TRUE(button.Create("확인", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &parent, 1001));
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, DWORD(BS_OWNERDRAW));  // made owner-drawn
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(parent.Clicks(1001), 1);
}
