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

// The ActiveX block list page (template 259).
class CActiveXBlock : public CPlaceholderPage {
    DECLARE_DYNCREATE(CActiveXBlock)
public:
    enum { IDD = 259 };
    CActiveXBlock();
};
