// The fixed-size main window: a banner across the top, the page-button column
// on the left and the current page on the right, in two static splitters.
#pragma once
#include "framework/afxext.h"
#include "ui/flat_splitter.h"

class CCleanPcView;
class CDiskCleanDlg;
class CRecordTabDlg;
class CStartupDlg;

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();

    // The inner splitter: pane (0, 0) the page-button column, (0, 1) the page.
    CSplitterWnd& PageSplitter() { return m_innerSplitter; }

    // Registration pointers, written by the cleaning page and its four tabs
    // when they initialise. Not owned, and not cleared when their object goes:
    // read m_pCleanPcView only while the cleaning page is the one shown.
    CCleanPcView* m_pCleanPcView = nullptr;
    CDiskCleanDlg* m_pDiskCleanDlg = nullptr;
    CRecordTabDlg* m_pWorkRecordDlg = nullptr;
    CRecordTabDlg* m_pAutoRecordDlg = nullptr;
    CStartupDlg* m_pStartupDlg = nullptr;

protected:
    // No resizable border, no maximise box, no document title, no menu.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    CFlatSplitter m_outerSplitter;  // 2 rows: banner, then the inner splitter
    CFlatSplitter m_innerSplitter;  // 1 row, 2 columns
};
