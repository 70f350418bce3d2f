#include "ui/icon_button.h"

CIconButton::CIconButton() = default;

CIconButton::~CIconButton() { DropBackground(); }

BEGIN_MESSAGE_MAP(CIconButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_KILLFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

BOOL CIconButton::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style = (cs.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

void CIconButton::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

CIconButton::Icon CIconButton::LoadIconResource(UINT id) {
    Icon result;
    result.id = id;
    if (id == 0) return result;
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_ICON);
    result.icon.reset(static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, 0)));
    ICONINFO info = {};
    if (result.icon && GetIconInfo(result.icon.get(), &info)) {
        const ui::UniqueGdiObject colour(info.hbmColor), mask(info.hbmMask);  // the copies GetIconInfo made
        BITMAP bitmap = {};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        result.width = bitmap.bmWidth;
        result.height = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
    }
    return result;
}

void CIconButton::SetIcons(UINT hoverIcon, UINT normalIcon) {
    m_hoverIcon = LoadIconResource(hoverIcon);
    m_normalIcon = LoadIconResource(normalIcon);
    if (m_hWnd) Invalidate();
}

void CIconButton::SetTransparent(BOOL repaint) {
    m_transparent = TRUE;
    DropBackground();
    if (repaint && m_hWnd) Invalidate();
}

void CIconButton::SetBorder(BOOL draw, BOOL repaint) {
    m_drawBorder = draw;
    if (repaint && m_hWnd) Invalidate();
}

void CIconButton::DropBackground() {
    if (!m_backgroundDC.m_hDC) return;
    m_backgroundDC.SelectObject(m_oldBackground);
    m_backgroundDC.DeleteDC();
    m_backgroundPicture.DeleteObject();
    m_oldBackground = nullptr;
}

void CIconButton::SaveParentBackground(CDC& dc, const CRect& client) {
    CWnd* parent = GetParent();
    CRect inParent = client;
    ::MapWindowPoints(m_hWnd, parent->m_hWnd, reinterpret_cast<POINT*>(&inParent), 2);
    // Until the parent has painted this spot it holds whatever was there
    // before (nothing, or this button's own earlier drawing): paint it first.
    parent->RedrawWindow(inParent, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
    CClientDC parentDC(parent);
    m_backgroundDC.CreateCompatibleDC(&dc);
    m_backgroundPicture.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    m_oldBackground = m_backgroundDC.SelectObject(&m_backgroundPicture);
    m_backgroundDC.BitBlt(0, 0, client.Width(), client.Height(), &parentDC, inParent.left, inParent.top, SRCCOPY);
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    const UINT state = lpDrawItemStruct->itemState;
    const bool pressed = (state & ODS_SELECTED) != 0;
    const bool disabled = (state & ODS_DISABLED) != 0;
    CRect client(lpDrawItemStruct->rcItem);

    if (m_transparent) {
        if (!m_backgroundDC.m_hDC) SaveParentBackground(*dc, client);
        dc->BitBlt(client.left, client.top, client.Width(), client.Height(), &m_backgroundDC, 0, 0, SRCCOPY);
    } else {
        dc->FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    }

    // Flat: a border only while pressed (sunken) or hovered (raised).
    if (m_drawBorder && pressed) {
        dc->Draw3dRect(client, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    } else if (m_drawBorder && m_hover) {
        dc->Draw3dRect(client, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }

    const Icon& icon = (pressed || m_hover || !m_normalIcon.icon) ? m_hoverIcon : m_normalIcon;
    if (icon.icon) {
        CPoint at(client.left + (client.Width() - icon.width) / 2, client.top + (client.Height() - icon.height) / 2);
        if (pressed) at.Offset(m_pressedOffset.x, m_pressedOffset.y);
        if (disabled) {
            dc->DrawState(at, CSize(icon.width, icon.height), icon.icon.get(), DSS_DISABLED);
        } else {
            ::DrawIconEx(dc->m_hDC, at.x, at.y, icon.icon.get(), icon.width, icon.height, 0, nullptr, DI_NORMAL);
        }
    }

    CString text;
    GetWindowText(text);
    if (!text.IsEmpty()) {
        CRect textRect = client;
        if (pressed) textRect.OffsetRect(m_pressedOffset);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        dc->DrawText(text, textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void CIconButton::Unhover() {
    if (!m_hover) return;
    m_hover = FALSE;
    Invalidate();
}

void CIconButton::OnMouseMove(UINT nFlags, CPoint point) {
    CButton::OnMouseMove(nFlags, point);
    if ((nFlags & MK_LBUTTON) && !m_hover) return;  // a press that began elsewhere

    CPoint screen = point;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) == m_hWnd) {
        if (!m_hover) {
            m_hover = TRUE;
            Invalidate();
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
            _TrackMouseEvent(&track);
        }
    } else {
        Unhover();
    }
}

LRESULT CIconButton::OnMouseLeave(WPARAM, LPARAM) {
    Unhover();
    return 0;
}

void CIconButton::OnKillFocus(CWnd* pNewWnd) {
    CButton::OnKillFocus(pNewWnd);
    Unhover();
}

void CIconButton::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CButton::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE) Unhover();
}

void CIconButton::OnCancelMode() {
    CButton::OnCancelMode();
    Unhover();
}

void CIconButton::OnSysColorChange() {
    CButton::OnSysColorChange();
    DropBackground();
    Invalidate();
}

void CIconButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
    // A quick second press is a second click, not a double click.
    SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}
