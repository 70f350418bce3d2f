// CFlatSplitter: its sizes and the colour of the gap between panes.
#include "ui/flat_splitter.h"

#include <gtest/gtest.h>

#include "tests/support/test_window.h"

using pvtest::Picture;

namespace {

// Reads the protected sizes and calls the drawing operation as the framework does.
class SplitterProbe : public CFlatSplitter {
public:
    using CFlatSplitter::m_cxBorder;
    using CFlatSplitter::m_cxBorderShare;
    using CFlatSplitter::m_cxSplitter;
    using CFlatSplitter::m_cxSplitterGap;
    using CFlatSplitter::m_cyBorder;
    using CFlatSplitter::m_cyBorderShare;
    using CFlatSplitter::m_cySplitter;
    using CFlatSplitter::m_cySplitterGap;
    void Draw(CDC* dc, ESplitType type, const CRect& rect) { OnDrawSplitter(dc, type, rect); }
};

}  // namespace

TEST(FlatSplitter, HasNoBarsAOnePixelGapAndAOnePixelBorder) {
    SplitterProbe splitter;
    EXPECT_EQ(splitter.m_cxSplitter, 0);
    EXPECT_EQ(splitter.m_cySplitter, 0);
    EXPECT_EQ(splitter.m_cxBorderShare, 0);
    EXPECT_EQ(splitter.m_cyBorderShare, 0);
    EXPECT_EQ(splitter.m_cxSplitterGap, 1);
    EXPECT_EQ(splitter.m_cySplitterGap, 1);
    EXPECT_EQ(splitter.m_cxBorder, 1);
    EXPECT_EQ(splitter.m_cyBorder, 1);
}

TEST(FlatSplitter, FillsABarWithColourValue16AndLeavesOtherPartsToTheFramework) {
    SplitterProbe splitter;
    Picture picture(20, 20, RGB(200, 200, 200));
    CDC* dc = CDC::FromHandle(picture.dc());
    splitter.Draw(dc, CSplitterWnd::splitBar, CRect(5, 0, 6, 20));
    EXPECT_EQ(picture.At(5, 10), RGB(16, 0, 0));
    EXPECT_EQ(picture.At(4, 10), RGB(200, 200, 200));
    EXPECT_EQ(picture.At(6, 10), RGB(200, 200, 200));

    Picture border(20, 20, RGB(200, 200, 200));
    splitter.Draw(CDC::FromHandle(border.dc()), CSplitterWnd::splitBorder, CRect(0, 0, 20, 20));
    EXPECT_NE(border.At(0, 10), RGB(16, 0, 0));

    splitter.Draw(nullptr, CSplitterWnd::splitBar, CRect(5, 0, 6, 20));  // no DC: the framework's business
}
