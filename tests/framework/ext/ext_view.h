// A form view exported by a second DLL that registers itself as an
// extension module (its template and strings live in the DLL).
#pragma once
#include "framework/afxext.h"

#ifdef PVFX_TESTEXT_BUILD
#define TESTEXT_API __declspec(dllexport)
#else
#define TESTEXT_API __declspec(dllimport)
#endif

class TESTEXT_API CExtView : public CFormView {
    DECLARE_DYNCREATE(CExtView)
protected:
    CExtView();
public:
    using CView::GetDocument;
    ~CExtView() override;
    static int s_live;  // objects alive
    int m_clicks = 0;

protected:
    afx_msg void OnExtButton();
    DECLARE_MESSAGE_MAP()
};
