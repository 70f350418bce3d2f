// The banner pane: the banner picture with the product logo at its left end
// and four link buttons (security patches, update, adware, help).
#pragma once
#include "framework/afxext.h"
#include "ui/icon_button.h"

class CTopView : public CFormView {
    DECLARE_DYNCREATE(CTopView)
public:
    enum { IDD = 202 };

    CTopView();
    void OnInitialUpdate() override;

    // Client areas of the logo: the link cursor shows inside the first, a
    // click inside the second opens the start-up picture.
    static bool InCursorArea(CPoint point) { return point.x > 0 && point.x < 90 && point.y > 0 && point.y < 100; }
    static bool InClickArea(CPoint point) { return point.x > 0 && point.x < 100 && point.y > 0 && point.y < 100; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnButtonPatch();
    afx_msg void OnButtonUpdate();
    afx_msg void OnButtonAdware();
    afx_msg void OnButtonHelp();
    DECLARE_MESSAGE_MAP()

public:
    CIconButton m_patchButton;
    CIconButton m_updateButton;
    CIconButton m_adwareButton;
    CIconButton m_helpButton;

private:
    CBitmap m_banner;
};
