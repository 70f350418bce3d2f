// Rounded push button with a vertical gradient face and a coloured inner frame
// while hovered (orange) or focused (blue). Always owner-drawn; clicks reach
// the parent as ordinary button commands.
#pragma once
#include "framework/afxwin.h"

class CXPButton : public CButton {
public:
    CXPButton();
    ~CXPButton() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // The face colour of gradient step i (0 top .. 63 bottom).
    static COLORREF FaceColour(int step, bool hovered, bool accent);

protected:
    // Both make the button owner-drawn, whether created or bound to a template's control.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void DrawFrame(CDC& dc, const CRect& face, CPen& left, CPen& top, CPen& right, CPen& bottom);

    // Created once here and freed with the button; all inside-frame pens.
    CPen m_outlinePen;
    CPen m_hotLeftPen, m_hotTopPen, m_hotRightPen, m_hotBottomPen;
    CPen m_focusLeftPen, m_focusTopPen, m_focusRightPen, m_focusBottomPen;
    CFont m_font;
    int m_hover = 0;     // 1 while the pointer rests on the button
    int m_tracking = 0;  // 1 while hover and leave notifications are requested
};
