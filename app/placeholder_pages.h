// Stand-in pages until their own code arrives: plain form views from their
// final templates, created and destroyed on every page switch like the real
// ones. Each real page replaces its class here.
#pragma once
#include "framework/afxext.h"

// A form view that paints the page's white background and nothing else.
class CPlaceholderPage : public CFormView {
protected:
    explicit CPlaceholderPage(UINT nIDTemplate);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

// The PC cleaning page (template 211). m_nBusy is the busy marker the shell
// reads before a page switch: nonzero while a cleaning action runs.
class CCleanPcView : public CPlaceholderPage {
    DECLARE_DYNCREATE(CCleanPcView)
public:
    enum { IDD = 211 };
    CCleanPcView();
    void OnInitialUpdate() override;  // registers the page in the main frame

    int m_nBusy = 0;
};
