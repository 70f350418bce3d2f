// Tab control that draws itself with the visual theme's tab pictures when a
// theme is active (system version above 5.0), and otherwise paints in the
// control's default way. It also owns and places the child dialogs that act
// as its pages.
#pragma once
#include <memory>

#include "framework/afxcmn.h"
#include "framework/afxwin.h"

class CThemeTabCtrl : public CTabCtrl {
public:
    static constexpr int kMaxPages = 4;

    CThemeTabCtrl();
    ~CThemeTabCtrl() override;  // destroys and frees every adopted page

    // Cuts bitmap into 16-pixel images (magenta transparent) and gives them to
    // the control; returns the existing list when there is one, NULL when the
    // control has no window or the list cannot be made.
    CImageList* LoadTabImages(UINT bitmap);

    // Takes ownership of a page dialog made from templateId; CreatePages
    // creates the pages in the order they were adopted. The page classes
    // belong to the program, so the program hands them over here.
    void AdoptPage(CDialog* page, UINT templateId);
    // Creates every adopted page as a child of this control, shows it, makes
    // page 0 current and places the pages (LayoutPages).
    void CreatePages();
    // Places every page in the display area under tab 0; shows page 0 only.
    void LayoutPages();

    CDialog* GetPage(int index) const { return index >= 0 && index < m_pageCount ? m_pages[index].get() : nullptr; }
    int GetPageCount() const { return m_pageCount; }
    int GetCurrentPage() const { return m_currentPage; }
    // Whether the last paint used the theme (for callers that repaint around it).
    BOOL UsesThemedDrawing() const;

    int m_themeDrawing = 1;        // 0 forces default painting
    int m_orientation = 0;         // 0 top, 1 bottom, 2 left, 3 right (from the style, at each paint)
    int m_previousSelection = -1;  // the selection before the last change
    int m_clickLock = 0;           // 1 ignores clicks and keeps the previous selection

protected:
    // Called when a click made another tab current: hides the current page,
    // shows and focuses the new one. A host that does more on a tab switch
    // derives and calls this.
    virtual void SwitchPage(int newPage);

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void PaintThemed(CDC& dc);
    void DrawTabItem(CDC& dc, int item, int state, CRect rect);
    void DrawTabLabel(CDC& dc, int item, const CRect& rect, bool selected);

    CImageList m_imageList;
    std::unique_ptr<CDialog> m_pages[kMaxPages];
    UINT m_pageTemplates[kMaxPages] = {};
    int m_pageCount = 0;
    int m_currentPage = 0;
};
