// The fixed-size main window: a banner across the top, the page-button column
// on the left and the current page on the right, in two static splitters.
#pragma once
#include "app/page_pane.h"
#include "framework/afxext.h"
#include "ui/flat_splitter.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();

    // The inner splitter: pane (0, 0) the page-button column, (0, 1) the page.
    CSplitterWnd& PageSplitter() { return m_innerSplitter; }
    // The page pane, (0, 1) of the inner splitter: the shell's pages are
    // switched there and nowhere else.
    shell::PagePane& Pages() { return m_pages; }

protected:
    // No resizable border, no maximise box, no document title, no menu.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    CFlatSplitter m_outerSplitter;  // 2 rows: banner, then the inner splitter
    CFlatSplitter m_innerSplitter;  // 1 row, 2 columns
    shell::PagePane m_pages{m_innerSplitter, 0, 1};
};
