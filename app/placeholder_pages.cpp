#include "app/placeholder_pages.h"

CPlaceholderPage::CPlaceholderPage(UINT nIDTemplate) : CFormView(nIDTemplate) {}

BEGIN_MESSAGE_MAP(CPlaceholderPage, CFormView)
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

HBRUSH CPlaceholderPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_LISTBOX) return CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

BOOL CPlaceholderPage::OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(client);
    pDC->FillSolidRect(client, RGB(255, 255, 255));
    return TRUE;
}

IMPLEMENT_DYNCREATE(CActiveXBlock, CFormView)
CActiveXBlock::CActiveXBlock() : CPlaceholderPage(IDD) {}
