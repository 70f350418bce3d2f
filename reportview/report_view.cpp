#include "reportview/report_view.h"

IMPLEMENT_DYNCREATE(CReportView, CFormView)

CReportView::CReportView() : CFormView(IDD) { m_whiteBrush.CreateSolidBrush(RGB(255, 255, 255)); }

CReportView::~CReportView() = default;

BEGIN_MESSAGE_MAP(CReportView, CFormView)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

void CReportView::OnInitialUpdate() { CFormView::OnInitialUpdate(); }

void CReportView::OnDraw(CDC*) {}

// Edit fields and list boxes keep the system colours; everything else sits
// on white with a transparent text background.
HBRUSH CReportView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_LISTBOX) return CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(m_whiteBrush.m_hObject);
}
