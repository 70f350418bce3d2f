// CSplitterWnd: static splitters with program-created panes.
#include "framework/internal.h"
#include "framework/afxext.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

// The last row or column takes what is left; the others get their ideal size
// as far as it fits.
void CSplitterWnd::LayoutRowCol(CRowColInfo* info, int nCount, int nSize, int nGap) {
    for (int i = 0; i < nCount; ++i) {
        int size = nSize < 0 ? 0 : nSize;
        if (i < nCount - 1) {
            if (info[i].nIdealSize < size) size = info[i].nIdealSize;
            nSize -= size + nGap;
        }
        info[i].nCurSize = size;
    }
}

CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(7), m_cySplitter(7), m_cxBorderShare(0), m_cyBorderShare(0), m_cxSplitterGap(7),
      m_cySplitterGap(7), m_cxBorder(2), m_cyBorder(2) {}

CSplitterWnd::~CSplitterWnd() {
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
    if (nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16 || m_hWnd != nullptr) return FALSE;
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
    m_nRows = nRows;
    m_nCols = nCols;
    m_pRowInfo = new CRowColInfo[nRows]();
    m_pColInfo = new CRowColInfo[nCols]();
    // Created empty; the parent's layout gives it its size.
    return CreateEx(0, nullptr, nullptr, (dwStyle | WS_CHILD | WS_CLIPCHILDREN) & ~(WS_HSCROLL | WS_VSCROLL), 0, 0,
                    0, 0, PvfxHwnd(pParentWnd), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext) {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols) return FALSE;
    if (::GetDlgItem(m_hWnd, IdFromRowCol(row, col)) != nullptr) return FALSE;  // the pane exists
    m_pRowInfo[row].nIdealSize = sizeInit.cy;
    m_pColInfo[col].nIdealSize = sizeInit.cx;
    CWnd* pWnd = dynamic_cast<CWnd*>(PvfxCreateObject(pViewClass));
    if (pWnd == nullptr) return FALSE;
    // On failure the view has deleted itself (PostNcDestroy).
    return pWnd->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW & ~WS_BORDER, PaneRect(row, col), this,
                        IdFromRowCol(row, col), pContext);
}

void CSplitterWnd::DeleteView(int row, int col) {
    CWnd* pPane = GetPane(row, col);
    if (pPane == nullptr) return;
    // An active pane hands the activation to the first other view pane.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == pPane) {
        CView* pNext = nullptr;
        for (int r = 0; r < m_nRows && pNext == nullptr; ++r)
            for (int c = 0; c < m_nCols && pNext == nullptr; ++c)
                if (r != row || c != col) pNext = dynamic_cast<CView*>(GetPane(r, c));
        pFrame->SetActiveView(pNext);
    }
    pPane->DestroyWindow();
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    return FromHandlePermanent(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

CRect CSplitterWnd::PaneRect(int row, int col) const {
    int x = m_cxBorder, y = m_cyBorder;
    for (int c = 0; c < col; ++c) x += m_pColInfo[c].nCurSize + m_cxSplitterGap;
    for (int r = 0; r < row; ++r) y += m_pRowInfo[r].nCurSize + m_cySplitterGap;
    return CRect(x, y, x + m_pColInfo[col].nCurSize, y + m_pRowInfo[row].nCurSize);
}

void CSplitterWnd::RecalcLayout() {
    if (m_hWnd == nullptr) return;
    CRect rcClient;
    GetClientRect(&rcClient);
    LayoutRowCol(m_pRowInfo, m_nRows, rcClient.Height() - 2 * m_cyBorder, m_cySplitterGap);
    LayoutRowCol(m_pColInfo, m_nCols, rcClient.Width() - 2 * m_cxBorder, m_cxSplitterGap);

    for (int r = 0; r < m_nRows; ++r) {
        for (int c = 0; c < m_nCols; ++c) {
            HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(r, c));
            if (hPane == nullptr) continue;
            CRect rc = PaneRect(r, c);
            ::SetWindowPos(hPane, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    Invalidate();
}

void CSplitterWnd::OnSize(UINT nType, int, int) {
    Default();
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

BOOL CSplitterWnd::OnEraseBkgnd(CDC*) { return TRUE; }  // OnPaint covers everything between the panes

void CSplitterWnd::OnPaint() {
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    // Borders first, then the bars over them, so that a bar's colour shows
    // in the gap between two panes.
    if (m_cxBorder > 0 || m_cyBorder > 0) {
        for (int r = 0; r < m_nRows; ++r) {
            for (int c = 0; c < m_nCols; ++c) {
                CRect rc = PaneRect(r, c);
                rc.InflateRect(m_cxBorder, m_cyBorder);
                OnDrawSplitter(&dc, splitBorder, rc);
            }
        }
    }
    for (int c = 0; c < m_nCols - 1; ++c) {
        CRect rc = PaneRect(0, c);
        OnDrawSplitter(&dc, splitBar, CRect(rc.right, rcClient.top, rc.right + m_cxSplitterGap, rcClient.bottom));
    }
    for (int r = 0; r < m_nRows - 1; ++r) {
        CRect rc = PaneRect(r, 0);
        OnDrawSplitter(&dc, splitBar, CRect(rcClient.left, rc.bottom, rcClient.right, rc.bottom + m_cySplitterGap));
    }
}

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) {
    if (pDC == nullptr) {
        ::RedrawWindow(m_hWnd, &rect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    if (nType == splitBorder) {
        CRect rc(rect);
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        if (m_cxBorder >= 2 || m_cyBorder >= 2) {
            rc.DeflateRect(1, 1);
            pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_BTNFACE));
        }
        return;
    }
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}
