// Splitter window without visible bars: panes meet with a 1-pixel gap drawn
// in a near-black red, inside a 1-pixel client border.
#pragma once
#include "framework/afxext.h"

class CFlatSplitter : public CSplitterWnd {
public:
    CFlatSplitter();

    static constexpr COLORREF kGapColour = 16;  // red 16, green 0, blue 0

protected:
    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
};
