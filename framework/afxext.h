// Form views (a view made from a dialog template) and static splitters.
#pragma once
#include "framework/afxwin.h"

// A view whose window is a child dialog made from a template found through
// the resource chain. Commands and notifications of its controls reach its
// own message map; keyboard navigation works as in a dialog.
class PVFX_API CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)
public:
    // The template must have the WS_CHILD style.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL) override;
    void OnInitialUpdate() override;  // runs UpdateData(FALSE), then CView's
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Resizes the parent frame so that the view gets the template's size; with
    // bShrinkOnly the frame only ever gets smaller.
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);

protected:
    explicit CFormView(UINT nIDTemplate);
    void OnDraw(CDC* pDC) override;  // draws nothing: the dialog paints itself

    LPCTSTR m_lpszTemplateName;
    CSize m_totalSize;  // the template's size in pixels, set at creation
};

// A splitter whose panes are created by the program (CreateStatic). Panes
// are children with ids IdFromRowCol(row, col); each row and column has an
// ideal size, the last row and column take the remaining space. Panes are
// inset by m_cxBorder/m_cyBorder from the edges and separated by
// m_cxSplitterGap/m_cySplitterGap; bars cannot be dragged.
class PVFX_API CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // Creates a pane of class pViewClass (a CWnd subclass with dynamic creation)
    // with the ideal size sizeInit. FALSE on failure.
    BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);
    // Destroys the pane's window (a view deletes itself).
    void DeleteView(int row, int col);
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    // Places the panes for the current client size and repaints the bars.
    void RecalcLayout();

    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
    // Draws one part into pDC; with pDC NULL, invalidates rect instead.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);

protected:
    struct CRowColInfo {
        int nIdealSize;  // what the program asked for
        int nCurSize;    // the size laid out
    };

    int m_cxSplitter, m_cySplitter;          // width/height of a drawn bar
    int m_cxBorderShare, m_cyBorderShare;    // part of the border drawn over the bar
    int m_cxSplitterGap, m_cySplitterGap;    // space between two panes
    int m_cxBorder, m_cyBorder;              // space around the panes
    int m_nRows = 0, m_nCols = 0;
    CRowColInfo* m_pRowInfo = nullptr;
    CRowColInfo* m_pColInfo = nullptr;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    CRect PaneRect(int row, int col) const;
    static void LayoutRowCol(CRowColInfo* info, int nCount, int nSize, int nGap);
};
