// The page-button column: five icon buttons over the column's picture. Each
// button shows its page in the right pane, created anew on every press; the
// report button asks first and opens the maker's report page instead. While
// the page shown may not be left, every button is ignored.
#pragma once
#include "framework/afxext.h"
#include "ui/icon_button.h"

class CMainFrame;

class CPurvexView : public CFormView {
    DECLARE_DYNCREATE(CPurvexView)
public:
    enum { IDD = 101 };

    CPurvexView();
    void OnInitialUpdate() override;

    CIconButton* Button(UINT id);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPaint();
    afx_msg void OnButtonCure();
    afx_msg void OnButtonClean();
    afx_msg void OnButtonActiveX();
    afx_msg void OnButtonReport();
    afx_msg void OnButtonReports();
    DECLARE_MESSAGE_MAP()

private:
    CMainFrame* Frame() const;
    // Replaces the page in the right pane by a new one of class page, unless
    // the page shown may not be left.
    void ShowPage(CRuntimeClass* page, UINT button);
    // Gives button its selected icon and the other four their normal pairs.
    void SelectButton(UINT button);

    CIconButton m_buttons[5];  // in the column's order, top to bottom
    CBitmap m_background;
};
