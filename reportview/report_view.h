// The reports page: the one class Chronik.dll exports. The main program
// creates it by its run-time class whenever the user opens the reports page.
// For now the page shows its form only; the log list comes later.
#pragma once
#include "framework/afxext.h"
#include "reportview/chronik_api.h"

class CHRONIK_API CReportView : public CFormView {
    DECLARE_DYNCREATE(CReportView)
public:
    enum { IDD = 102 };

    CReportView();
    ~CReportView() override;

    void OnInitialUpdate() override;

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_whiteBrush;
};
