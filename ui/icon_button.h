// Flat owner-drawn button showing one icon (the page and banner buttons):
// the hover icon while the pointer is on it or it is pressed, the normal icon
// otherwise, moved one pixel right and down while pressed. In transparent
// mode it draws over a copy of the parent's picture taken at its first paint.
#pragma once
#include "framework/afxwin.h"
#include "ui/ui_handles.h"

class CIconButton : public CButton {
public:
    CIconButton();
    ~CIconButton() override;

    // Icon resource ids; normalIcon 0 shows the hover icon in every state.
    // The previous icons are destroyed.
    void SetIcons(UINT hoverIcon, UINT normalIcon);
    // Draw over the parent's picture instead of a filled face.
    void SetTransparent(BOOL repaint = TRUE);
    void SetBorder(BOOL draw, BOOL repaint = TRUE);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // The resource ids last given to SetIcons.
    UINT GetHoverIconId() const { return m_hoverIcon.id; }
    UINT GetNormalIconId() const { return m_normalIcon.id; }

protected:
    // Both make the button owner-drawn, whether created or bound to a template's control.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    struct Icon {
        ui::UniqueIcon icon;
        UINT id = 0;
        int width = 0;
        int height = 0;
    };
    static Icon LoadIconResource(UINT id);
    void DropBackground();
    void Unhover();
    void SaveParentBackground(CDC& dc, const CRect& client);

    Icon m_hoverIcon;
    Icon m_normalIcon;
    BOOL m_drawBorder = TRUE;
    BOOL m_transparent = FALSE;
    BOOL m_hover = FALSE;
    CPoint m_pressedOffset{1, 1};
    // Memory picture of the parent under the button, taken at the first
    // paint in transparent mode.
    CDC m_backgroundDC;
    CBitmap m_backgroundPicture;
    CBitmap* m_oldBackground = nullptr;
};
