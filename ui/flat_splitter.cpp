#include "ui/flat_splitter.h"

CFlatSplitter::CFlatSplitter() {
    m_cxSplitter = m_cySplitter = 0;
    m_cxBorderShare = m_cyBorderShare = 0;
    m_cxSplitterGap = m_cySplitterGap = 1;
    m_cxBorder = m_cyBorder = 1;
}

void CFlatSplitter::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) {
    if (pDC != nullptr && nType == splitBar) {
        pDC->FillSolidRect(rect, kGapColour);
        return;
    }
    CSplitterWnd::OnDrawSplitter(pDC, nType, rect);
}
